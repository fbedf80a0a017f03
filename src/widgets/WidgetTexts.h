#pragma once
// Texts of the reusable windows of the kit: the drive chooser and the copy runner.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::widget_texts {

inline constexpr const char* kCopyAllTitle = QT_TRANSLATE_NOOP("lum", "Copy All to Removable drive");
inline constexpr const char* kDriveLabel = QT_TRANSLATE_NOOP("lum", "Removable drive:");
inline constexpr const char* kFolderLabel = QT_TRANSLATE_NOOP("lum", "Copy to:");
inline constexpr const char* kNoDrive =
    QT_TRANSLATE_NOOP("lum", "No removable drive is mounted. Plug one in and open this window again.");
// The four target folders on the drive.
inline constexpr const char* kFolderRoot = QT_TRANSLATE_NOOP("lum", "Drive root");
inline constexpr const char* kFolderMedia = "MEDIA/";
inline constexpr const char* kFolderCopy = "COPY/";
inline constexpr const char* kFolderSync = "SYNC/";

inline constexpr const char* kCopyingFile = QT_TRANSLATE_NOOP("lum", "Copying File");
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("lum", "Cancel");
// The end of a copy that did not finish: the file written last, then one line per failure.
inline constexpr const char* kCopyFailed =
    QT_TRANSLATE_NOOP("lum", "Copying failed, %1 was not written:");
inline constexpr const char* kCopyCancelled =
    QT_TRANSLATE_NOOP("lum", "Copying was cancelled, %1 was not written.");

}  // namespace lum::widget_texts
