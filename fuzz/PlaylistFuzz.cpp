// Playlist (".mpl") reader: any bytes load; what loaded writes and reads back to the same
// document.
#include "FuzzSupport.h"
#include "playlists/PlaylistDocument.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    const QString path = lumfuzz::scratch() + QStringLiteral("/fuzz.mpl");
    CPlaylistDocument doc;
    doc.loadFromBytes(lumfuzz::bytesOf(data, size), path);
    const QByteArray out = doc.toBytes();
    CPlaylistDocument again;
    again.loadFromBytes(out, path);
    LUM_FUZZ_CHECK(again.toBytes() == out);
    return 0;
}
