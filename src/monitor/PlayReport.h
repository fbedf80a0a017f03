#pragma once
// Proof of play: reading Log/PlayReport.txt (one section "MAC@yy-MM-dd" per player and day, one
// key per media name with its play count), adding the counts up per player and media over a
// date range, and the CSV export. Reading never changes the file and is tolerant: a damaged
// line is counted and skipped, the rest is read.

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace lum {

struct PlayCount {
    QString mac;  // normalised: upper case, "-" between the bytes
    QDate day;
    QString media;
    qint64 count = 0;
};

struct PlayReportData {
    std::vector<PlayCount> counts;  // in file order
    int damagedLines = 0;           // skipped: not a section, key or comment, or not readable
    bool truncated = false;         // the file was longer than kMaxPlayReportReadBytes
    bool missing = false;           // no file (nothing played yet)
};

// Reading stops here; the writer stops taking new names well before.
inline constexpr qint64 kMaxPlayReportReadBytes = 128 * 1024 * 1024;

// The file's bytes as the writer leaves them (8-bit text in the console's code page).
PlayReportData parsePlayReport(const QByteArray& bytes);
PlayReportData readPlayReport(const QString& path);

// Who a MAC address belongs to, as far as the console knows.
struct PlayerIdentity {
    QString name;
    QString group;
};
// Upper-case MAC text -> its player.
using PlayerDirectory = QHash<QString, PlayerIdentity>;
QString normaliseMac(const QString& mac);

struct PlayReportFilter {
    QDate from;  // invalid: from the first day
    QDate to;    // invalid: to the last day
    QString group;   // empty: every group (no case)
    QString player;  // empty: every player (no case)
};

struct PlayReportRow {
    QString mac;
    QString player;
    QString group;
    QString media;
    qint64 plays = 0;
    QDate first;
    QDate last;
};

// The counts in the filter's range added up per player (MAC) and media; ordered by MAC, then
// media (no case). Sums stop at the largest 64-bit number.
std::vector<PlayReportRow> aggregatePlayReport(const PlayReportData& data, const PlayReportFilter& filter,
                                               const PlayerDirectory& directory);

// The rows as CSV (RFC 4180: CR LF line ends, fields with a comma, quote or line break quoted,
// quotes doubled), UTF-8 without a byte-order mark, with a heading line. A field that a
// spreadsheet would take for a formula (it starts with = + - @ or a tab) gets a leading "'".
QByteArray playReportCsv(const std::vector<PlayReportRow>& rows);

// Plays per media over all rows, most played first (ties by name), at most `limit` of them.
std::vector<std::pair<QString, qint64>> playsByMedia(const std::vector<PlayReportRow>& rows, int limit);

}  // namespace lum
