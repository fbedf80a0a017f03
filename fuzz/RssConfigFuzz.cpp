// rssconfig.xml: the size and depth check, then loading and reading every setting. What loads
// saves and loads again.
#include "FuzzSupport.h"
#include "media/RssConfig.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    const QByteArray bytes = lumfuzz::bytesOf(data, size);
    (void)rssConfigProblem(bytes);
    const QString path = lumfuzz::writeScratch(QStringLiteral("rssconfig.xml"), bytes);
    RssConfig config;
    QString error;
    if (!config.load(path, &error)) return 0;
    (void)config.settings();
    (void)config.leadChars();
    (void)config.settingsLine();
    const QByteArray out = config.toBytes();
    const QString again = lumfuzz::writeScratch(QStringLiteral("rssconfig2.xml"), out);
    RssConfig reread;
    LUM_FUZZ_CHECK(reread.load(again, &error));
    LUM_FUZZ_CHECK(lumfuzz::sameBytes(out, reread.toBytes()));
    return 0;
}
