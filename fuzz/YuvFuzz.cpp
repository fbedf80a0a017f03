// Zone images (".yuv"): any file is read back to RGB or refused; what reads has planes of the
// stated size, and the preview writes.
#include "FuzzSupport.h"
#include "media/YuvImage.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    const QString path = lumfuzz::writeScratch(QStringLiteral("zone.yuv"), lumfuzz::bytesOf(data, size));
    RgbPlanes planes;
    if (!readYuv(path, &planes)) return 0;
    const qint64 pixels = qint64(planes.width) * planes.height;
    LUM_FUZZ_CHECK(planes.width > 0 && planes.height > 0);
    LUM_FUZZ_CHECK(planes.r.size() == pixels && planes.g.size() == pixels && planes.b.size() == pixels);
    if (pixels <= 256 * 256) (void)writeBmp24(lumfuzz::scratch() + QStringLiteral("/zone.bmp"), planes);
    return 0;
}
