#include "playlists/MessageFiles.h"

#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "core/CommandSender.h"
#include "core/IniFile.h"
#include "core/OperatorPrompt.h"
#include "playlists/OperatorFileTexts.h"

#include <QSettings>

namespace lum {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

int inRange(int v, int lo, int hi) { return (v >= lo && v <= hi) ? v : lo; }

// The typed text keeps CR LF line ends; a bare LF (from a command line or a Unix file) gets
// its CR so players see the same line ends either way.
QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

// Cuts UTF-8 to at most `max` bytes without splitting a character.
QByteArray cutUtf8(QByteArray bytes, qsizetype max) {
    if (bytes.size() <= max) return bytes;
    qsizetype n = max;
    while (n > 0 && (uchar(bytes[n]) & 0xC0) == 0x80) --n;  // bytes[n] starts the cut character
    bytes.truncate(n);
    return bytes;
}

// Up to `count` comma-separated integers (atoi rules for each field).
QList<int> numbers(const QByteArray& text, int count) {
    QList<int> out;
    for (const QByteArray& f : text.split(',')) {
        if (out.size() == count) break;
        out << atoiBytes(f);
    }
    while (out.size() < count) out << 0;
    return out;
}

}  // namespace

int InstantMessage::speedCode(int position) {
    switch (position) {
    case Fast: return 4;
    case Slow: return 1;
    default: return 2;
    }
}

int InstantMessage::speedPosition(int code) {
    switch (code) {
    case 4: return Fast;
    case 1: return Slow;
    default: return Normal;  // 2, and codes no list entry has
    }
}

QByteArray InstantMessage::settingsLine() const {
    return "osd_settings=" + QByteArray::number(background) + ',' +
           QByteArray::number(foreground) + ',' + QByteArray::number(transparency) + ',' +
           QByteArray::number(speedCode(speed)) + ",0," + QByteArray::number(clock) + "\r\n";
}

bool InstantMessage::fitsLimit() const {
    return settingsLine().size() + toAnsi(withCrLf(text)).size() < kMaxLength;
}

QByteArray InstantMessage::fileBytes() const {
    const QString body = withCrLf(text);
    if (encoding == Utf8)
        return kBom + cutUtf8(settingsLine() + body.toUtf8(), kMaxUtf8Bytes);
    return settingsLine() + toAnsi(body);
}

MessageWriteStatus writeInstantMessage(const InstantMessage& m, const QString& path) {
    if (!m.fitsLimit()) return MessageWriteStatus::TooLong;
    return writeFileAtomic(path, m.fileBytes()) ? MessageWriteStatus::Written
                                                : MessageWriteStatus::CannotWrite;
}

bool loadInstantMessage(InstantMessage& m, const QString& path) {
    QByteArray data;
    if (!readWholeFile(path, &data)) return false;
    bool utf8 = false;
    if (data.startsWith(kBom)) {
        data.remove(0, kBom.size());
        utf8 = true;
    }
    const qsizetype eq = data.indexOf('=');
    if (eq >= 0 && eq < 20) {
        qsizetype end = data.indexOf('\n');
        QByteArray line = end < 0 ? data : data.left(end);
        if (line.endsWith('\r')) line.chop(1);
        data = end < 0 ? QByteArray() : data.mid(end + 1);
        const QList<int> f = numbers(line.mid(eq + 1), 6);
        m.background = inRange(f[0], 0, 7);
        m.foreground = inRange(f[1], 0, 1);
        m.transparency = inRange(f[2], 0, 4);
        m.speed = InstantMessage::speedPosition(f[3]);
        m.clock = inRange(f[5], 0, 1);
    }
    if (utf8) m.encoding = InstantMessage::Utf8;
    m.text = utf8 ? QString::fromUtf8(data) : fromAnsi(data);
    return true;
}

int loadMessageEncoding(QSettings& profile) {
    const int v = profile.value(QStringLiteral("MOTIONTEXT/Encoding"), 0).toInt();
    return v == InstantMessage::Utf8 ? InstantMessage::Utf8 : InstantMessage::Ansi;
}

void saveMessageEncoding(QSettings& profile, int encoding) {
    profile.setValue(QStringLiteral("MOTIONTEXT/Encoding"), encoding);
}

QByteArray ScreenLabel::settingValue() const {
    return QByteArray::number(colour) + ',' + QByteArray::number(durationSeconds) + ',' +
           QByteArray::number(centred ? 1 : 0) + ',' + QByteArray::number(numberOnly ? 1 : 0);
}

QString ScreenLabel::labelMessage() const {
    QString msg = QStringLiteral("osd_settings=") + QString::fromLatin1(settingValue()) + '\r';
    if (numberOnly) {
        msg += number + '\r';
    } else {
        for (qsizetype i = 0; i < lines.size() && i < kMaxLines; ++i)
            msg += (lines[i].isEmpty() ? QStringLiteral(" ") : lines[i]) + '\r';
    }
    return msg.left(kScreenLabelTextMax);
}

QByteArray ScreenLabel::fileBytes() const {
    // Built whole: rows of an older, longer label must not come back when it is opened again.
    IniFile ini;
    bool wrote = false;
    if (numberOnly) {
        if (!number.isEmpty()) {
            ini.setValue("NUMSEC", "NUMBER", toAnsi(number));
            wrote = true;
        }
    } else {
        for (qsizetype i = 0; i < lines.size() && i < kMaxLines; ++i) {
            ini.setValue("OSTM", "LINE" + QByteArray::number(i),
                         lines[i].isEmpty() ? QByteArray(" ") : toAnsi(lines[i]));
            wrote = true;
        }
    }
    if (wrote) ini.setValue("SETSEC", "SETTING", settingValue());
    return ini.toBytes();
}

LabelCheck checkLabel(const ScreenLabel& label, IOperatorPrompt& prompt) {
    if (!label.numberOnly) return LabelCheck::Ok;
    if (label.number.isEmpty()) return LabelCheck::EmptyNumber;
    bool digits = label.number.size() <= ScreenLabel::kMaxNumberDigits;
    for (QChar c : label.number)
        if (c < '0' || c > '9') digits = false;
    if (!digits) {
        prompt.message(QString::fromLatin1(operator_file_texts::kDigitsOnly),
                       IOperatorPrompt::Icon::Stop);
        return LabelCheck::NotDigits;
    }
    return LabelCheck::Ok;
}

bool writeScreenLabel(const ScreenLabel& label, const QString& path, IOperatorPrompt& prompt) {
    if (checkLabel(label, prompt) != LabelCheck::Ok) return false;
    return writeFileAtomic(path, label.fileBytes());
}

ScreenLabel loadScreenLabel(const QString& path) {
    IniFile ini;
    ini.load(path);
    ScreenLabel l;
    const QList<int> f = numbers(ini.value("SETSEC", "SETTING", "0,0,0,0"), 4);
    l.colour = inRange(f[0], 0, 10);
    l.durationSeconds = f[1] < 0 ? 0 : f[1];
    l.centred = f[2] != 0;
    l.numberOnly = f[3] != 0;
    for (int i = 0; i < ScreenLabel::kMaxLines; ++i) {
        const QString row = fromAnsi(ini.value("OSTM", "LINE" + QByteArray::number(i), " "));
        l.lines << (row == QLatin1String(" ") ? QString() : row);
    }
    if (ini.hasKey("NUMSEC", "NUMBER")) l.number = fromAnsi(ini.value("NUMSEC", "NUMBER"));
    return l;
}

}  // namespace lum
