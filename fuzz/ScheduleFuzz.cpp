// Schedule (".sch") reader: the lines as the editor reads them and the rule that picks
// today's playlist for the server.
#include "FuzzSupport.h"
#include "playlists/Schedule.h"
#include "server/PathResolver.h"

#include <QDate>

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    const QByteArray bytes = lumfuzz::bytesOf(data, size);
    const std::vector<ScheduleEntry> entries = parseSchedule(bytes);
    for (const ScheduleEntry& e : entries) (void)scheduleLine(e);
    const QString path = lumfuzz::writeScratch(QStringLiteral("playlist.sch"), bytes);
    for (const QDate day : {QDate(2024, 2, 29), QDate(2026, 12, 6), QDate(1999, 1, 1)})
        (void)PlaylistDueNow(path, day);
    return 0;
}
