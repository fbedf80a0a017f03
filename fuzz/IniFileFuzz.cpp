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
    // Removing a key takes its first line only (as the platform call does), so a second
    // "fuzzkey" line the input holds is found afterwards: the edit and its removal leave the
    // document as the removal alone would.
    if (!ini.sections().empty()) {
        const QByteArray sec = ini.sections().front();
        IniFile removedOnly = ini;
        removedOnly.removeKey(sec, "fuzzkey");
        const bool had = ini.hasKey(sec, "fuzzkey");
        ini.setValue(sec, "fuzzkey", "value");
        LUM_FUZZ_CHECK(ini.value(sec, "fuzzkey") == "value");
        ini.removeKey(sec, "fuzzkey");
        if (had) LUM_FUZZ_CHECK(lumfuzz::sameBytes(ini.toBytes(), removedOnly.toBytes()));
        else LUM_FUZZ_CHECK(!ini.hasKey(sec, "fuzzkey"));
        ini.removeSection(sec);
    }
    return 0;
}
