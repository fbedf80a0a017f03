#pragma once
// The players' YUV zone image: a 16-byte header ("%YUVV1.0", width and height big-endian, four
// zero bytes), the Y plane, then per chroma row W/2 bytes of U followed by W/2 bytes of V. Every
// sample is stored with its top bit flipped; U and V outside 1..255 are stored as 0 or 127.

#include <QByteArray>
#include <QString>

namespace lum {

// Stored byte for a luma value 0..255.
quint8 storeLuma(int y);
// Stored byte for a chroma value as computed (may lie outside 0..255).
quint8 storeChroma(int value);

// Converts a picture (anything QImage reads) to a zone image of width x height (both 0: the
// picture's own size). Returns the length of the written file, 0 when nothing was written.
// A picture that cannot be loaded converts to black. Sizes above 65535 or more pixels than
// kMaxYuvPixels give 0.
inline constexpr qint64 kMaxYuvPixels = 8192LL * 8192;
qint64 convertToYuv(const QString& sourcePath, const QString& targetPath, int width, int height);

// Planes of a decoded zone image, row-major, width x height bytes each.
struct RgbPlanes {
    int width = 0;
    int height = 0;
    QByteArray r, g, b;
};

// Reads a zone image back to RGB. False on an unreadable file, a wrong magic, a zero size or a
// file shorter than its planes.
bool readYuv(const QString& path, RgbPlanes* out);

// Writes planes as a 24-bit bottom-up Windows bitmap (54-byte header, rows padded to 4 bytes).
bool writeBmp24(const QString& path, const RgbPlanes& planes);

}  // namespace lum
