#pragma once
// One media item of a playlist, as the writer, the reader, the editor and the schedule's media
// copying share it. The text fields keep their fixed widths: a value is cut to width - 1 bytes
// (the record always ends its texts with NUL), and a record is cleared before it is filled.
// Texts are 8-bit in the console's code page.

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <array>
#include <cstring>

namespace lum {

struct PlaylistItem {
    static constexpr int kProtocolWidth = 8;
    static constexpr int kHostWidth = 128;
    static constexpr int kPathWidth = 200;
    static constexpr int kFileNameWidth = 110;
    static constexpr int kTimeWidth = 10;

    char protocol[kProtocolWidth];  // "HTTP" for web items, empty for local ones
    char host[kHostWidth];          // remote address prefix, empty for local items
    quint16 port;
    char path[kPathWidth];          // absolute local path, remote path, or a pseudo-item marker
    char filename[kFileNameWidth];  // last component of path
    qint32 size;
    // Seconds. Wider than the 16 bits of old: the picture play time reaches 99999 and must not
    // wrap when it is handed to a YUV item.
    qint32 period;
    quint8 deleteAfter;  // fileaction=DEL
    quint8 fullScreen;
    char startTime[kTimeWidth];  // "HH:MM" as stored
    char stopTime[kTimeWidth];

    PlaylistItem() { clear(); }
    void clear() { std::memset(static_cast<void*>(this), 0, sizeof(*this)); }

    // Cut at width - 1 bytes, rest of the field zeroed.
    template <size_t N>
    static void setField(char (&field)[N], const QByteArray& value) {
        std::memset(field, 0, N);
        const size_t n = std::min(size_t(value.size()), N - 1);
        std::memcpy(field, value.constData(), n);
    }
    template <size_t N>
    static QByteArray field(const char (&f)[N]) {
        return QByteArray(f, int(strnlen(f, N)));
    }

    // Sets path and the file name derived from it.
    void setPathAndName(const QByteArray& fullPath);

    // Convenience in Qt strings (code page conversion at the edge).
    QString pathText() const;
    QString fileNameText() const;
    QString hostText() const;

    // Zone image: the path holds ".YUV" or ".yuv" (exactly these two spellings).
    bool isYuv() const;
    // A picture: extension "jpg" or "jpeg", any case.
    bool isPicture() const;
    // A nested schedule: file name holds ".sch" after its first character.
    bool isSchedule() const;
};

// Zone-list membership of a path (case-sensitive search for ".YUV" and ".yuv").
bool isZonePath(const QByteArray& path);
// Last component after '\' or '/'.
QByteArray fileNameOfItemPath(const QByteArray& path);
// A local media file the copy operation takes along: an absolute local path.
bool isLocalItemPath(const QByteArray& path);
// The name a file gets when copied beside a playlist: zone images get the fixed names the
// players look for, everything else keeps its file name.
QByteArray copyNameForPath(const QByteArray& path);
// "xxx_tz1.yuv" etc.: the zone image names the image preparation produces (shown red in the
// editor). The marker must come after the first character.
bool isZoneImageName(const QString& name);

// Media a playlist may list, by extension (any case): what the editor offers from a folder.
inline constexpr std::array<const char*, 21> kMediaExtensions = {
    "jpg", "jpeg", "mpeg", "txt", "mpl", "avi", "mp3", "divx", "vod", "rom", "zeb",
    "zeq", "fnt",  "mpg",  "mpe", "jpe", "paf", "vob", "yuv",  "tbn", "sch"};
bool isMediaFileName(const QString& name);

// Per-item transitions (index written as `transition` of an item).
inline constexpr int kTransitionCount = 13;
inline constexpr std::array<const char*, kTransitionCount> kTransitionNames = {
    "Full Screen",
    "ROLL:Top to Bottom",
    "ROLL:Bottom to Top",
    "ROLL:TOP/BOTTOM TO CENTER",
    "ROLL:CENTER TO TOP/BOTTOM",
    "BLIND:TOP TO BOTTOM",
    "ROLL:LEFT TO RIGHT",
    "ROLL:RIGHT TO LEFT",
    "ROLL:LEFT/RIGHT TO CENTER",
    "ROLL:CENTER TO LEFT/RIGHT",
    "ROLL:IMPLODE",
    "BLIND:LEFT TO RIGHT",
    "CROSS FADE",
};
// Index of a text that equals a table entry exactly, or -1.
int transitionIndex(const QString& text);

// The playlist-wide transition has its own numbering.
inline constexpr std::array<const char*, 3> kGlobalTransitionNames = {"Full Screen", "Random",
                                                                      "Cross Fade"};

// Delete-files choice of the settings window.
inline constexpr std::array<const char*, 4> kDeleteFilesChoiceNames = {
    "No Action", "Format CF card", "Files not in the playlist", "Files in the playlist"};

// Pseudo-items carrying a marker instead of a media path.
inline constexpr const char* kScrollTextEndMarker = "ScrollText.End";
inline constexpr const char* kTvFeedMarker = "TV_FEED_ON";

// Fixed playlist file names.
inline constexpr const char* kFtpTempPlaylistName = "TMPPLSTFTP.mpl"; // upload staging file

// "HHMM" or "HH:MM" into hour 0-23 and minute 0-59. True and both set for a valid time; true
// with neither touched for an empty text; false otherwise.
bool ParseHourMinute(const QString& text, int* hour, int* minute);

}  // namespace lum
