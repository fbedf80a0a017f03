// Backup (".bak") checker: any bytes are judged without reading outside them; an accepted
// backup's entries lie inside the file.
#include "FuzzSupport.h"
#include "console/Backup.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    BackupContents contents;
    const QByteArray bytes = lumfuzz::bytesOf(data, size);
    if (parseBackup(bytes, &contents) == BackupParse::Ok) {
        for (const BackupEntry& e : contents.entries) {
            LUM_FUZZ_CHECK(quint64(e.offset) + e.length <= quint64(bytes.size()));
            const QString local = backupEntryPath(lumfuzz::scratch(), e.name);
            LUM_FUZZ_CHECK(local.startsWith(lumfuzz::scratch() + QLatin1Char('/')));
        }
    }
    return 0;
}
