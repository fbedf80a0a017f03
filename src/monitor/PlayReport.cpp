#include "monitor/PlayReport.h"

#include "core/Codepage.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <limits>
#include <map>

namespace lum {

namespace {

constexpr int kMaxLineBytes = 4096;

qint64 saturatingAdd(qint64 a, qint64 b) {
    if (b > 0 && a > std::numeric_limits<qint64>::max() - b) return std::numeric_limits<qint64>::max();
    return a + b;
}

bool hasControlBytes(const QByteArray& line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const uchar u = uchar(c);
        return (u < 0x20 && c != '\t') || u == 0x7F;
    });
}

// The leading decimal number of a count as the writer reads it back (atoi); false when there
// is none.
bool leadingNumber(const QByteArray& text, qint64* value) {
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    qint64 v = 0;
    const int start = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = v > (std::numeric_limits<qint64>::max() - 9) / 10 ? std::numeric_limits<qint64>::max()
                                                               : v * 10 + (text[i] - '0');
    if (i == start) return false;
    *value = negative ? -v : v;
    return true;
}

// "MAC@yy-MM-dd": the player and the day (two-digit years are this century's).
bool parseSection(const QByteArray& name, QString* mac, QDate* day) {
    const int at = name.lastIndexOf('@');
    if (at <= 0) return false;
    const QByteArray date = name.mid(at + 1).trimmed();
    if (date.size() != 8 || date[2] != '-' || date[5] != '-') return false;
    bool okY = false, okM = false, okD = false;
    const int y = date.left(2).toInt(&okY);
    const int m = date.mid(3, 2).toInt(&okM);
    const int d = date.mid(6, 2).toInt(&okD);
    if (!okY || !okM || !okD) return false;
    const QDate parsed(2000 + y, m, d);
    if (!parsed.isValid()) return false;
    *mac = normaliseMac(QString::fromLatin1(name.left(at).trimmed()));
    *day = parsed;
    return !mac->isEmpty();
}

}  // namespace

QString normaliseMac(const QString& mac) {
    QString m = mac.trimmed().toUpper();
    m.replace(QLatin1Char(':'), QLatin1Char('-'));
    return m;
}

PlayReportData parsePlayReport(const QByteArray& bytes) {
    PlayReportData data;
    QSet<QByteArray> seenSections;  // a later copy of a section is never what the writer updates
    QSet<QByteArray> seenKeys;      // of the current section
    bool inSection = false;         // a readable, first copy of a section is open
    QString mac;
    QDate day;

    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0) end = bytes.size();
        QByteArray line = bytes.mid(pos, end - pos);
        pos = end + 1;
        if (line.endsWith('\r')) line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';')) continue;
        if (line.size() > kMaxLineBytes || hasControlBytes(line)) {
            ++data.damagedLines;
            continue;
        }
        if (line.startsWith('[')) {
            seenKeys.clear();
            inSection = false;
            const int close = line.indexOf(']');
            if (close < 0) {
                ++data.damagedLines;
                continue;
            }
            const QByteArray name = line.mid(1, close - 1).trimmed();
            const QByteArray folded = name.toLower();
            if (seenSections.contains(folded) || !parseSection(name, &mac, &day)) {
                ++data.damagedLines;
                continue;
            }
            seenSections.insert(folded);
            inSection = true;
            continue;
        }
        if (!inSection) {
            // Keys of a damaged section go with it; keys before any section are damage too.
            ++data.damagedLines;
            continue;
        }
        const int eq = line.indexOf('=');
        const QByteArray key = eq > 0 ? line.left(eq).trimmed() : QByteArray();
        qint64 count = 0;
        if (key.isEmpty() || !leadingNumber(line.mid(eq + 1).trimmed(), &count) || count < 0 ||
            seenKeys.contains(key.toLower())) {
            ++data.damagedLines;
            continue;
        }
        seenKeys.insert(key.toLower());
        if (count == 0) continue;
        data.counts.push_back({mac, day, fromAnsi(key), count});
    }
    return data;
}

PlayReportData readPlayReport(const QString& path) {
    PlayReportData data;
    QFile f(path);
    if (!f.exists()) {
        data.missing = true;
        return data;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        data.missing = true;
        return data;
    }
    QByteArray bytes = f.read(kMaxPlayReportReadBytes + 1);
    const bool truncated = bytes.size() > kMaxPlayReportReadBytes;
    if (truncated) {
        // Up to the last whole line within the limit.
        bytes.truncate(kMaxPlayReportReadBytes);
        const qsizetype nl = bytes.lastIndexOf('\n');
        bytes.truncate(nl < 0 ? 0 : nl + 1);
    }
    data = parsePlayReport(bytes);
    data.truncated = truncated;
    return data;
}

std::vector<PlayReportRow> aggregatePlayReport(const PlayReportData& data, const PlayReportFilter& filter,
                                               const PlayerDirectory& directory) {
    // (MAC, folded media) -> row; std::map keeps the order the rows are listed in.
    std::map<std::pair<QString, QString>, PlayReportRow> rows;
    for (const PlayCount& c : data.counts) {
        if (filter.from.isValid() && c.day < filter.from) continue;
        if (filter.to.isValid() && c.day > filter.to) continue;
        const PlayerIdentity who = directory.value(c.mac);
        if (!filter.group.isEmpty() && who.group.compare(filter.group, Qt::CaseInsensitive) != 0) continue;
        if (!filter.player.isEmpty() && who.name.compare(filter.player, Qt::CaseInsensitive) != 0) continue;
        PlayReportRow& r = rows[{c.mac, c.media.toCaseFolded()}];
        if (r.mac.isEmpty()) {
            r.mac = c.mac;
            r.player = who.name;
            r.group = who.group;
            r.media = c.media;
            r.first = r.last = c.day;
        }
        r.plays = saturatingAdd(r.plays, c.count);
        r.first = std::min(r.first, c.day);
        r.last = std::max(r.last, c.day);
    }
    std::vector<PlayReportRow> out;
    out.reserve(rows.size());
    for (auto& [key, row] : rows) out.push_back(std::move(row));
    return out;
}

namespace {

QByteArray csvField(const QString& text) {
    QString s = text;
    if (!s.isEmpty() && (s[0] == QLatin1Char('=') || s[0] == QLatin1Char('+') ||
                         s[0] == QLatin1Char('-') || s[0] == QLatin1Char('@') ||
                         s[0] == QLatin1Char('\t')))
        s.prepend(QLatin1Char('\''));
    QByteArray b = s.toUtf8();
    if (b.contains(',') || b.contains('"') || b.contains('\r') || b.contains('\n')) {
        b.replace("\"", "\"\"");
        b = '"' + b + '"';
    }
    return b;
}

}  // namespace

QByteArray playReportCsv(const std::vector<PlayReportRow>& rows) {
    QByteArray out = "MAC Address,Player,Group,Media,Plays,First Day,Last Day\r\n";
    const QString iso = QStringLiteral("yyyy-MM-dd");
    for (const PlayReportRow& r : rows) {
        out += csvField(r.mac) + ',' + csvField(r.player) + ',' + csvField(r.group) + ',' +
               csvField(r.media) + ',' + QByteArray::number(r.plays) + ',' +
               r.first.toString(iso).toLatin1() + ',' + r.last.toString(iso).toLatin1() + "\r\n";
    }
    return out;
}

std::vector<std::pair<QString, qint64>> playsByMedia(const std::vector<PlayReportRow>& rows, int limit) {
    QHash<QString, std::pair<QString, qint64>> byMedia;  // folded name -> (name, plays)
    for (const PlayReportRow& r : rows) {
        auto& m = byMedia[r.media.toCaseFolded()];
        if (m.first.isEmpty()) m.first = r.media;
        m.second = saturatingAdd(m.second, r.plays);
    }
    std::vector<std::pair<QString, qint64>> out(byMedia.cbegin(), byMedia.cend());
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    if (limit >= 0 && int(out.size()) > limit) out.resize(size_t(limit));
    return out;
}

}  // namespace lum
