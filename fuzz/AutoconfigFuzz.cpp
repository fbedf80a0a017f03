// Autoconfig files (".zeb"): any file loads into the editor's settings, on either tab, and
// what loaded writes and loads back the same.
#include "FuzzSupport.h"
#include "media/Autoconfig.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    lumfuzz::Input in(data, size);
    const bool groupTab = in.flag();
    const QString path = lumfuzz::writeScratch(QStringLiteral("autoconfig.zeb"), in.rest());
    AutoconfigSettings s;
    s.setTargetTab(groupTab ? AutoconfigSettings::GroupTab : AutoconfigSettings::ClientTab);
    loadAutoconfig(s, path);
    const QByteArray out = autoconfigBytes(s);
    const QString again = lumfuzz::writeScratch(QStringLiteral("again.zeb"), out);
    AutoconfigSettings t;
    t.setTargetTab(s.tab);
    loadAutoconfig(t, again);
    LUM_FUZZ_CHECK(lumfuzz::sameBytes(out, autoconfigBytes(t)));
    return 0;
}
