// Player status lines and report arguments: STATUS codes and texts, the report split, MAC
// texts. No reply or log text may carry a line break the player sent.
#include "FuzzSupport.h"
#include "server/PlayerMessages.h"

using namespace lum;

namespace {

bool hasLineBreak(const QString& s) {
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    // The interpreter refuses arguments with control characters before these run, so the
    // text is what a player can get through: Latin-1 bytes of 0x20 and above.
    QByteArray bytes = lumfuzz::bytesOf(data, size);
    for (char& c : bytes)
        if (uchar(c) < 0x20 || uchar(c) == 0x7f) c = ' ';
    const QString arg = QString::fromLatin1(bytes);
    const PlayerReport r = SplitPlayerReport(arg);
    LUM_FUZZ_CHECK(r.first.size() + r.second.size() + r.remainder.size() <= arg.size());
    const StatusOutcome o = InterpretStatus(arg);
    if (o.logText) LUM_FUZZ_CHECK(!hasLineBreak(*o.logText));
    if (o.statusChange) LUM_FUZZ_CHECK(!hasLineBreak(*o.statusChange));
    if (isWellFormedMac(arg)) {
        const QString next = NextMacAddress(arg);
        LUM_FUZZ_CHECK(next.size() == 17);
    }
    (void)PlayReportSection(arg, QDate(2026, 12, 6));
    return 0;
}
