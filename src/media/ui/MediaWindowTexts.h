#pragma once
// Labels of the Image Editor and the instant-picture windows, and their messages.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::media_window_texts {

// Instant JPEG and the picture command
inline constexpr const char* kInstantTitle = QT_TRANSLATE_NOOP("lum", "Instant JPEG");
inline constexpr const char* kFilename = QT_TRANSLATE_NOOP("lum", "Filename");
inline constexpr const char* kBrowseDots = QT_TRANSLATE_NOOP("lum", "Browse...");
inline constexpr const char* kSend = QT_TRANSLATE_NOOP("lum", "Send");
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("lum", "Cancel");
inline constexpr const char* kPictavoMode = QT_TRANSLATE_NOOP("lum", "Pictavo Mode (TR-50 only)");
inline constexpr const char* kDuration = QT_TRANSLATE_NOOP("lum", "Duration:");
inline constexpr const char* kInstantExtension = "JPEG|JPG";
// The picture could not be put in place as "instant.jpg"; nothing was sent.
inline constexpr const char* kCannotCopyPicture =
    QT_TRANSLATE_NOOP("lum", "Can not copy the picture to instant.jpg!");

// Image Editor
inline constexpr const char* kEditorTitle = QT_TRANSLATE_NOOP("lum", "Image Editor");
inline constexpr const char* kTemplate1 = QT_TRANSLATE_NOOP("lum", "Template1");
inline constexpr const char* kTemplate2 = QT_TRANSLATE_NOOP("lum", "Template2");
inline constexpr const char* kTopBanner = QT_TRANSLATE_NOOP("lum", "Top Banner(1280*100)");
inline constexpr const char* kPictureZone = QT_TRANSLATE_NOOP("lum", "Picture Zone(560*560)");
inline constexpr const char* kAddDots = QT_TRANSLATE_NOOP("lum", "Add...");
inline constexpr const char* kDelete = QT_TRANSLATE_NOOP("lum", "Delete");
inline constexpr const char* kClear = QT_TRANSLATE_NOOP("lum", "Clear");
inline constexpr const char* kUp = QT_TRANSLATE_NOOP("lum", "Up");
inline constexpr const char* kDown = QT_TRANSLATE_NOOP("lum", "Down");
inline constexpr const char* kPlayEachSlideFor = QT_TRANSLATE_NOOP("lum", "Play Each Slide For");
inline constexpr const char* kSlideChoices[6] = {
    QT_TRANSLATE_NOOP("lum", "10 Seconds"), QT_TRANSLATE_NOOP("lum", "20 Seconds"),
    QT_TRANSLATE_NOOP("lum", "30 Seconds"), QT_TRANSLATE_NOOP("lum", "40 Seconds"),
    QT_TRANSLATE_NOOP("lum", "50 Seconds"), QT_TRANSLATE_NOOP("lum", "60 Seconds")};
inline constexpr const char* kPreview = QT_TRANSLATE_NOOP("lum", "Preview");
inline constexpr const char* kProgress = QT_TRANSLATE_NOOP("lum", "Progress");
inline constexpr const char* kOk = QT_TRANSLATE_NOOP("lum", "OK");
inline constexpr const char* kSampleTicker =
    QT_TRANSLATE_NOOP("lum", "Ticker text scrolls here  <<  News, offers and notices");
// The Image Editor opened on its own works on a playlist file.
inline constexpr const char* kImageEditorCommand = QT_TRANSLATE_NOOP("lum", "Image Editor...");
inline constexpr const char* kPlaylistFilter = "Playlist Files (*.mpl)|*.mpl||";
inline constexpr const char* kCannotReadPlaylist =
    QT_TRANSLATE_NOOP("lum", "Can not read the playlist %1");

}  // namespace lum::media_window_texts
