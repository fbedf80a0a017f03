// Playlist (".mpl") reader: any bytes load; the items held are what saving writes (no line
// break or NUL inside a path, no empty path), and what loaded saves.
#include "FuzzSupport.h"
#include "playlists/PlaylistDocument.h"

using namespace lum;

namespace {

void checkItem(const PlaylistItem& item) {
    const QByteArray path = PlaylistItem::field(item.path);
    LUM_FUZZ_CHECK(!path.isEmpty());
    LUM_FUZZ_CHECK(!path.contains('\r') && !path.contains('\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    const QString path = lumfuzz::scratch() + QStringLiteral("/fuzz.mpl");
    CPlaylistDocument doc;
    doc.loadFromBytes(lumfuzz::bytesOf(data, size), path);
    for (const PlaylistRow& row : doc.rows()) checkItem(row.item);
    for (const PlaylistItem& item : doc.zoneItems()) checkItem(item);
    const QByteArray out = doc.toBytes();
    CPlaylistDocument again;
    again.loadFromBytes(out, path);
    // Items are neither lost nor made up by saving.
    LUM_FUZZ_CHECK(again.rowCount() == doc.rowCount());
    LUM_FUZZ_CHECK(again.zoneItems().size() == doc.zoneItems().size() || !doc.multiZone());
    return 0;
}
