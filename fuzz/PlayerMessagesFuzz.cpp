// Player messages: STATUS lines and report arguments (0), the report files a player uploads and
// the delete list as the console reads them (1), the MAC hand-out over any Log/Mac.txt (2) and
// play counts over any PlayReport.txt (3). The first byte picks the parser.
#include "FuzzSupport.h"
#include "core/IniFile.h"
#include "playlists/ReportModels.h"
#include "server/PlayerMessages.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

using namespace lum;

namespace {

bool hasLineBreak(const QString& s) {
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

// No reply or log text may carry a line break the player sent.
void statusLine(const uint8_t* data, size_t size) {
    // The interpreter refuses arguments with control characters before these run, so the
    // text is what a player can get through: Latin-1 bytes of 0x20 and above.
    QByteArray bytes = lumfuzz::bytesOf(data, size);
    for (char& c : bytes)
        if (uchar(c) < 0x20 || uchar(c) == 0x7f) c = ' ';
    const QString arg = QString::fromLatin1(bytes);
    const StatusOutcome o = InterpretStatus(arg);
    if (o.logText) LUM_FUZZ_CHECK(!hasLineBreak(*o.logText));
    if (o.statusChange) LUM_FUZZ_CHECK(!hasLineBreak(*o.statusChange));
    if (isWellFormedMac(arg)) {
        const QString next = NextMacAddress(arg);
        LUM_FUZZ_CHECK(next.size() == 17);
    }
    (void)PlayReportSection(arg, QDate(2026, 12, 6));
}

// What is shown of a report stays within the stated bounds.
void reports(const uint8_t* data, size_t size) {
    lumfuzz::Input in(data, size);
    const uint8_t which = in.byte();
    const QByteArray bytes = in.rest();
    const QString path = lumfuzz::writeScratch(QStringLiteral("report.zeb"), bytes);
    switch (which % 4) {
    case 0: {
        StorageListModel m;
        m.showReport(path);
        LUM_FUZZ_CHECK(m.rowCount() <= 10000);
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.columnCount(); ++c) (void)m.data(m.index(r, c));
        break;
    }
    case 1:
    case 2: {
        PlaylistReportModel m;
        m.show(path, QString(), which % 4 == 1 ? PlaylistReportModel::Mode::Playlist
                                               : PlaylistReportModel::Mode::PlaybackReport);
        LUM_FUZZ_CHECK(m.rowCount() <= 10000);
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < m.columnCount(); ++c) (void)m.data(m.index(r, c));
        break;
    }
    default:
        lumfuzz::writeScratch(QStringLiteral("File2Del.zeb"), bytes);
        (void)readDeleteList(lumfuzz::scratch());
        break;
    }
}

// The address handed out is well formed, and the file grows by at most one line.
void mac(const uint8_t* data, size_t size) {
    lumfuzz::Input in(data, size);
    MacRange range;
    range.enabled = true;
    range.first = QString::fromLatin1(in.line());
    range.count = in.byte() | (in.byte() << 8);
    const QString current = QString::fromLatin1(in.line());
    const QByteArray list = in.rest();
    const QString path = lumfuzz::writeScratch(QStringLiteral("Mac.txt"), list);
    const MacHandout h = AssignMac(path, current, range);
    if (h.address) LUM_FUZZ_CHECK(isWellFormedMac(*h.address));
    LUM_FUZZ_CHECK(QFileInfo(path).size() <= list.size() + 64);
}

// The file stays a private-profile file with the day's section, one line per name.
void playReport(const uint8_t* data, size_t size) {
    lumfuzz::Input in(data, size);
    QByteArray mac = in.line();
    QByteArray argument = in.line();
    // The interpreter refuses control characters in arguments before this runs.
    for (QByteArray* b : {&mac, &argument})
        for (char& c : *b)
            if (uchar(c) < 0x20 || uchar(c) == 0x7f) c = ' ';
    const QByteArray before = in.rest();
    const QString path = lumfuzz::writeScratch(QStringLiteral("PlayReport.txt"), before);
    // The connection keeps only a well-formed MAC text.
    QString macText = QString::fromLatin1(mac);
    if (!isWellFormedMac(macText)) macText = QStringLiteral("00-11-22-33-44-55");
    if (AddPlayReport(path, macText, QString::fromLatin1(argument))) {
        const IniFile ini = IniFile::fromBytes([&] {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }());
        const QByteArray section = PlayReportSection(macText, QDate::currentDate()).toLatin1();
        LUM_FUZZ_CHECK(ini.hasSection(section));
        // One new line for the name, and one for the section at most.
        LUM_FUZZ_CHECK(QFileInfo(path).size() <= before.size() + 2 * (section.size() + 300));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    if (size == 0) return 0;
    switch (data[0] % 4) {
    case 0: statusLine(data + 1, size - 1); break;
    case 1: reports(data + 1, size - 1); break;
    case 2: mac(data + 1, size - 1); break;
    default: playReport(data + 1, size - 1); break;
    }
    return 0;
}
