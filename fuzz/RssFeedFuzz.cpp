// A fetched feed: the XML reader drives the content handler; the parts are cleaned and cut as
// for a channel file.
#include "FuzzSupport.h"
#include "media/RssFeed.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    CRssContentHandler handler(QStringLiteral(" <<"));
    CXmlParserImpl parser(&handler);
    (void)parser.parseBytes(lumfuzz::bytesOf(data, size));
    const QByteArray titles = toAnsiLimited(handler.titles(), kChannelPartMax);
    const QByteArray descriptions = toAnsiLimited(handler.descriptions(), kChannelPartMax);
    LUM_FUZZ_CHECK(titles.size() <= kChannelPartMax && descriptions.size() <= kChannelPartMax);
    (void)cleanPart(titles);
    (void)cleanPart(descriptions, false);
    return 0;
}
