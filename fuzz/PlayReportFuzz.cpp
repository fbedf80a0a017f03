// Play counts (ICS_PLAY_REPORT): whatever PlayReport.txt holds and whatever the player sends,
// the file stays a private-profile file whose counts read as numbers, one line per name.
#include "FuzzSupport.h"
#include "core/IniFile.h"
#include "server/PlayerMessages.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
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
    return 0;
}
