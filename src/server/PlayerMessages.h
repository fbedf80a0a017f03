#pragma once
// Player messages: what a logged-in player reports on its control connection (alive, MAC
// address, playback and download state, completion of operator commands, playback counts), the
// status texts they produce, the MAC hand-out and the playback count file.

#include "core/PlayerEvent.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace lum {

// What a STATUS line asks of the console.
struct StatusOutcome {
    std::optional<QString> logText;       // logged as a player report (type 2)
    std::optional<QString> statusChange;  // new Status column text (event 1005)
    bool endConnection = false;           // codes 26 and 27: close data and control connection
    bool operatorNotice = false;          // code 11: the player asks the operator to wait
};
StatusOutcome InterpretStatus(const QString& argument);

// Status texts.
namespace status_texts {
inline constexpr const char* kAlive = "Alive";
inline constexpr const char* kPlaylistDone = "S1:Playlist Done";
inline constexpr const char* kDownloading = "S2:Downloading";
inline constexpr const char* kDownloadDone = "S2:D/L done";
inline constexpr const char* kPlaying = "S3:Playing";
}  // namespace status_texts

inline constexpr const char* kStopPlaybackFirst = "Please stop playback or download and try again";
inline constexpr const char* kNoMoreMac = "No more MAC address aviliable!";

// The MAC hand-out settings.
struct MacRange {
    bool enabled = false;
    QString first = QStringLiteral("00-00-00-00-00-00");
    quint32 count = 1;
};

// The result of a hand-out: the address to send with code 643, or the log text when none.
struct MacHandout {
    std::optional<QString> address;
    std::optional<QString> logText;
};

// Picks the next free address of the range for a player whose current MAC text is `current`
// and appends it to the list file ("Log/Mac.txt"). Serialised over all connections.
MacHandout AssignMac(const QString& macListPath, const QString& current, const MacRange& range);

// The next address after `mac`: the last byte counts up, carrying through the fifth and fourth
// into the third byte.
QString NextMacAddress(const QString& mac);

// Adds a playback count for `item` of the player `mac` today to the INI file
// ("Log/PlayReport.txt"). `argument` is "item,count"; without a comma nothing happens. The item
// name is made a safe key ("[", "]", "=" and control characters become "_", at most
// kMaxPlayItemBytes bytes; an empty name writes nothing); counts add in 64 bits and stop at the
// limits of the stored 32-bit number. A day's section takes at most kMaxPlayItems names and the
// file stops taking new names at kMaxPlayReportBytes. Serialised over all connections. Returns
// false when nothing was written.
inline constexpr int kMaxPlayItemBytes = 200;
inline constexpr int kMaxPlayItems = 500;
inline constexpr qint64 kMaxPlayReportBytes = 64 * 1024 * 1024;
bool AddPlayReport(const QString& playReportPath, const QString& mac, const QString& argument);

// A MAC address as players report it: six two-digit hexadecimal bytes joined by "-" (or ":").
bool isWellFormedMac(const QString& text);
// The section name of a player and day: "%s@%s" with the MAC and the date as "%y-%m-%d".
QString PlayReportSection(const QString& mac, const QDate& day);



}  // namespace lum
