// MAC hand-out: whatever Log/Mac.txt holds and whatever the player reported, the address
// handed out is well formed and inside the range, and the file grows by at most one line.
#include "FuzzSupport.h"
#include "server/PlayerMessages.h"

#include <QFileInfo>

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
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
    return 0;
}
