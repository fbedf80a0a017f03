// Private-profile reader: any bytes load; every key it lists reads back; writing the document
// out and reading it again gives the same document.
#include "FuzzSupport.h"
#include "core/IniFile.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    IniFile ini = IniFile::fromBytes(lumfuzz::bytesOf(data, size));
    for (const QByteArray& sec : ini.sections()) {
        LUM_FUZZ_CHECK(ini.hasSection(sec));
        for (const QByteArray& key : ini.keys(sec)) {
            LUM_FUZZ_CHECK(ini.value(sec, key, {}, 8).size() <= 7);
            (void)ini.intValue(sec, key, -1);
        }
    }
    const QByteArray out = ini.toBytes();
    LUM_FUZZ_CHECK(lumfuzz::sameBytes(out, IniFile::fromBytes(out).toBytes()));
    // An edit lands where it should and reads back.
    if (!ini.sections().empty()) {
        const QByteArray sec = ini.sections().front();
        ini.setValue(sec, "fuzzkey", "value");
        LUM_FUZZ_CHECK(ini.value(sec, "fuzzkey") == "value");
        ini.removeKey(sec, "fuzzkey");
        LUM_FUZZ_CHECK(!ini.hasKey(sec, "fuzzkey"));
        ini.removeSection(sec);
    }
    return 0;
}
