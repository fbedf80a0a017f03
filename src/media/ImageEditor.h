#pragma once
// The image editor's rules without its window: which playlist items are the banner and which
// are slides, the slide duration, the banner's target name, and the conversion on OK that
// produces the zone items. Also the instant picture.

#include "core/CommandSender.h"
#include "playlists/PlaylistItem.h"

#include <QList>
#include <QSettings>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

namespace lum {

// A zone item as the editor hands it to the playlist (path, file size, play period).
struct ZoneItem {
    QString path;
    qint64 size = 0;
    int period = 0;
    bool operator==(const ZoneItem&) const = default;
};

// A playlist's zone list as the editor works on it, and the items it hands back (local items:
// path, file name, size, period).
QList<ZoneItem> zoneItemsOf(const std::vector<PlaylistItem>& items);
std::vector<PlaylistItem> playlistItemsFor(const QList<ZoneItem>& items);

enum class BannerTemplate { Template1, Template2 };

inline constexpr int kBannerWidth = 1280;
inline constexpr int kBannerHeight = 100;
inline constexpr int kSlideSize = 560;

// "Play Each Slide For" choices: index 0..5 is 10..60 seconds.
int slideDurationForChoice(int choice);  // -1 (no choice) or out of range: 10
int slideChoiceForDuration(int seconds);  // 20..60 in steps of 10 map to their entry, else 0

bool isYuvFile(const QString& path);      // ends in ".yuv" or ".YUV"
bool isBannerName(const QString& path);   // holds "_tz1.yuv" or "_tz2.yuv"

// What the editor shows when it opens on a playlist's items.
struct ImageEditorState {
    QString banner;                  // banner picture path, empty when none
    BannerTemplate bannerTemplate = BannerTemplate::Template1;
    QStringList slides;              // picture list, in order
    int slideChoice = 0;             // "Play Each Slide For" entry
};
ImageEditorState imageEditorStateFor(const QList<ZoneItem>& items);

// Target path in `yuvDir` for a banner picture.
QString bannerTargetPath(const QString& yuvDir, const QString& picturePath, BannerTemplate t);

// OK: converts the banner and the slides into `yuvDir` and returns the new zone items, banner
// first. Missing pictures are skipped; ".yuv" pictures are taken as they are; a failed
// conversion adds nothing. `progress` (optional) gets the percentage after each step.
// `cancel` (optional) is looked at before each picture; once set, the pictures left are not
// converted and `*cancelled` (optional) says so.
QList<ZoneItem> applyImageEditor(const ImageEditorState& state, const QString& yuvDir,
                                 const std::function<void(int)>& progress = {},
                                 const std::atomic<bool>* cancel = nullptr,
                                 bool* cancelled = nullptr);

// The banner field's history in the application profile, section "BannerHistory": entries
// under `prefix` + 0, 1, 2 ... and the last choice under `prefix` itself ("TopBanners";
// "BottomBanners" and "LogoBanners" for the hidden rows).
struct BannerHistory {
    QStringList entries;
    QString last;
};
inline constexpr int kBannerHistoryMax = 16;
BannerHistory readBannerHistory(const QSettings& profile, const QString& prefix);
// Records a choice: it becomes the last choice and moves to the front of the entries.
void recordBannerChoice(QSettings& profile, const QString& prefix, const QString& choice);

// Creates (when missing) and returns the "YUVDATA" folder of the program folder.
QString ensureYuvFolder(const QString& programFolder);

// Copies `jpegPath` over "instant.jpg" in the program folder and sends command 45 to `target`
// with the picture's file name. `seconds` is the display time (Pictavo mode), 0 otherwise.
// Nothing (and nothing sent) when the copy fails.
std::optional<PostResult> sendInstantPicture(const QString& jpegPath, const QString& programFolder,
                                             quint32 seconds, const CommandTarget& target,
                                             ICommandSender& sender);

}  // namespace lum
