#include "server/PlayerMessages.h"

#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "core/IniFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QDir>

#include <algorithm>
#include <limits>
#include <mutex>

namespace lum {

namespace {

// Mac.txt and PlayReport.txt are updated by every connection thread: one at a time.
std::mutex g_macMutex;
std::mutex g_playReportMutex;

int atoiText(const QString& s) { return atoiBytes(s.toLatin1()); }

bool isAsciiHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

// A name as a key or section name of the INI file: nothing that would start a section, end a
// key or break the line; cut to the byte limit.
QByteArray playItemKey(const QString& name) {
    QByteArray key = toAnsi(name.trimmed());
    for (char& c : key) {
        if (c == '[' || c == ']' || c == '=' || uchar(c) < 0x20 || uchar(c) == 0x7F) c = '_';
    }
    return key.left(kMaxPlayItemBytes).trimmed();
}

}  // namespace

StatusOutcome InterpretStatus(const QString& argument) {
    const int blank = argument.indexOf(u' ');
    const int code = atoiText(blank >= 0 ? argument.left(blank) : argument);
    const QString text = blank >= 0 ? argument.mid(blank + 1) : QString();
    StatusOutcome o;
    auto log = [&](const char* t) { o.logText = QString::fromLatin1(t); };
    auto change = [&](const char* t) { o.statusChange = QString::fromLatin1(t); };
    switch (code) {
    case 10: log("No DISC"); break;
    case 11: o.operatorNotice = true; break;
    case 12: log("Playback Stopped"); change(status_texts::kAlive); break;
    case 13: log("Download is Terminated"); change(status_texts::kAlive); break;
    case 14: log("System is Idle"); change(status_texts::kAlive); break;
    case 15: log("Download is Stopped"); change(status_texts::kAlive); break;
    case 16: log("Succeeded in sending playlist"); change(status_texts::kPlaylistDone); break;
    case 17: o.statusChange = QString::fromLatin1(status_texts::kPlaying) + u' ' + text; break;
    case 18: change(status_texts::kDownloading); break;
    case 19: change(status_texts::kAlive); break;
    case 20: log("Playlist not exist"); break;
    case 21: log("Playback Started"); change(status_texts::kPlaying); break;
    case 22: log("Instant message stopped"); break;
    case 23: log("Succeeded in downloading files"); change(status_texts::kDownloadDone); break;
    case 24: log("Start downloading..."); change(status_texts::kDownloading); break;
    case 25: log("Can not find any file of playlist to play!"); change(status_texts::kAlive); break;
    case 26: o.logText = QString(); o.endConnection = true; break;
    case 27: log("Client is restarting..."); o.endConnection = true; break;
    case 28: break;
    case 29: log("RSS/Text message received"); break;
    case 52: break;
    case 53: log("Done, Displaying Pictavo Image"); break;
    default:
        o.logText = argument;
        if (argument.contains(QLatin1String("Idle "))) change(status_texts::kAlive);
        break;
    }
    return o;
}

QString NextMacAddress(const QString& mac) {
    int b[6] = {0, 0, 0, 0, 0, 0};
    // Players report with "-" or ":"; either separates.
    const QStringList parts = QString(mac).replace(QLatin1Char(':'), QLatin1Char('-')).split(u'-');
    for (int i = 0; i < 6 && i < parts.size(); ++i) {
        bool ok = false;
        const int v = parts[i].trimmed().toInt(&ok, 16);
        b[i] = ok ? (v & 0xFF) : 0;  // a damaged entry counts from zero
    }
    b[5] += 1;
    for (int i = 5; i >= 3; --i) {
        if (b[i] > 255) {
            b[i] = 0;
            b[i - 1] += 1;
        }
    }
    b[2] &= 0xFF;  // the carry stops at the third byte
    QString out;
    for (int i = 0; i < 6; ++i) {
        if (i) out += u'-';
        out += QStringLiteral("%1").arg(b[i], 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

MacHandout AssignMac(const QString& macListPath, const QString& current, const MacRange& range) {
    MacHandout result;
    std::lock_guard lock(g_macMutex);

    QStringList list;
    {
        QFile f(macListPath);
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray& raw : f.readAll().split('\n')) {
                const QString line = fromAnsi(raw).trimmed();
                if (!line.isEmpty()) list << line;
            }
        } else {
            QDir().mkpath(QFileInfo(macListPath).absolutePath());
            QFile create(macListPath);
            if (!create.open(QIODevice::WriteOnly)) {
                result.logText = QString::fromLatin1(kNoMoreMac);
                return result;
            }
        }
    }

    quint32 n = quint32(list.size());
    if (n > range.count) {
        result.logText = QString::fromLatin1(kNoMoreMac);
        return result;
    }
    auto inList = [&](const QString& mac) {
        for (const auto& l : list)
            if (l.compare(mac, Qt::CaseInsensitive) == 0) return true;
        return false;
    };

    std::optional<QString> candidate;
    if (n == 0) {
        // The range's start as set in the settings; one that is no address hands out nothing
        // rather than a text the player would take for its MAC.
        if (isWellFormedMac(range.first)) candidate = range.first;
    } else {
        if (inList(current)) return result;  // already holds an address of the range
        QString c = list.last();
        while (n < range.count) {
            c = NextMacAddress(c);
            ++n;
            if (!inList(c)) {
                candidate = c;
                break;
            }
        }
    }
    if (!candidate) {
        result.logText = QString::fromLatin1(kNoMoreMac);
        return result;
    }

    QFile f(macListPath);
    if (!f.open(QIODevice::ReadWrite)) {
        result.logText = QString::fromLatin1(kNoMoreMac);
        return result;
    }
    // Append as a new last line, also after a last line that lacks its line end.
    const qint64 size = f.size();
    QByteArray add;
    if (size > 0) {
        f.seek(size - 1);
        if (f.read(1) != "\n") add += "\r\n";
    }
    add += toAnsi(*candidate) + "\r\n";
    f.seek(size);
    if (f.write(add) != add.size()) {
        result.logText = QString::fromLatin1(kNoMoreMac);
        return result;
    }
    result.address = candidate;
    return result;
}

QString PlayReportSection(const QString& mac, const QDate& day) {
    return QStringLiteral("%1@%2").arg(mac, day.toString(QStringLiteral("yy-MM-dd")));
}

bool isWellFormedMac(const QString& text) {
    if (text.size() != 17) return false;
    const QChar sep = text[2];
    if (sep != QLatin1Char('-') && sep != QLatin1Char(':')) return false;
    for (int i = 0; i < 17; ++i) {
        const QChar c = text[i];
        if (i % 3 == 2) {
            if (c != sep) return false;
        } else if (!isAsciiHexDigit(c)) {
            return false;
        }
    }
    return true;
}

bool AddPlayReport(const QString& playReportPath, const QString& mac, const QString& argument) {
    const int comma = argument.indexOf(u',');
    if (comma < 0) return false;
    const QByteArray key = playItemKey(argument.left(comma));
    const QString count = argument.mid(comma + 1).trimmed();
    if (key.isEmpty()) return false;

    std::lock_guard lock(g_playReportMutex);
    IniFile ini;
    ini.load(playReportPath);
    const QByteArray section = playItemKey(PlayReportSection(mac, QDate::currentDate()));
    const int old = ini.intValue(section, key, -1);
    if (old == -1 && !ini.hasKey(section, key)) {
        // A new name: the file grows only so far.
        if (int(ini.keys(section).size()) >= kMaxPlayItems ||
            QFileInfo(playReportPath).size() >= kMaxPlayReportBytes)
            return false;
    }
    QByteArray value;
    if (old > 0) {
        const qint64 sum = qint64(old) + atoiText(count);
        value = QByteArray::number(std::clamp<qint64>(sum, std::numeric_limits<qint32>::min(),
                                                        std::numeric_limits<qint32>::max()));
    } else {
        value = toAnsi(count);
    }
    ini.setValue(section, key, value);
    return ini.save(playReportPath);
}

}  // namespace lum
