#include "media/YuvImage.h"

#include "core/AtomicFile.h"
#include "media/MediaTexts.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace lum {

namespace {

constexpr int kHeaderSize = 16;

void putBe16(char* p, quint16 v) { qToBigEndian(v, p); }

qint64 chromaBytes(int w, int h) { return qint64(h / 2) * (w / 2) * 2; }

int clamp255(double v) {
    const int t = int(v);  // truncation toward zero
    return std::clamp(t, 0, 255);
}

}  // namespace

quint8 storeLuma(int y) { return quint8(y ^ 0x80); }

quint8 storeChroma(int value) {
    if (value <= 0) return 0;
    if (value > 255) return 127;
    return quint8(value ^ 0x80);
}

qint64 convertToYuv(const QString& sourcePath, const QString& targetPath, int width, int height) {
    QImage source(sourcePath);
    if (width == 0 && height == 0 && !source.isNull()) {
        width = source.width();
        height = source.height();
    }
    // The header holds 16-bit sizes; anything else cannot be stored.
    if (width < 0 || height < 0 || width > 0xFFFF || height > 0xFFFF) return 0;
    const qint64 pixels = qint64(width) * height;
    // Zones are at most 1280 wide; a size far beyond any screen is a mistake, not a request to
    // allocate gigabytes.
    if (pixels > kMaxYuvPixels) return 0;
    QByteArray file(kHeaderSize + pixels + chromaBytes(width, height), '\0');
    char* out = file.data();
    std::memcpy(out, media_texts::kYuvMagic, 8);
    putBe16(out + 8, quint16(width));
    putBe16(out + 10, quint16(height));

    if (pixels > 0) {
        // A 24-bit canvas starts black, so a picture that cannot be loaded gives black.
        QImage canvas(width, height, QImage::Format_RGB888);
        canvas.fill(Qt::black);
        if (!source.isNull()) {
            canvas.setDotsPerMeterX(source.dotsPerMeterX());
            canvas.setDotsPerMeterY(source.dotsPerMeterY());
            QPainter painter(&canvas);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRect(0, 0, width, height), source);
        }

        QByteArray r(pixels, '\0'), g(pixels, '\0'), b(pixels, '\0');
        for (int y = 0; y < height; ++y) {
            const uchar* line = canvas.constScanLine(y);
            for (int x = 0; x < width; ++x) {
                const qint64 i = qint64(y) * width + x;
                r[i] = char(line[3 * x]);
                g[i] = char(line[3 * x + 1]);
                b[i] = char(line[3 * x + 2]);
            }
        }
        auto at = [&](const QByteArray& plane, qint64 i) { return int(quint8(plane[i])); };

        char* yPlane = out + kHeaderSize;
        for (qint64 i = 0; i < pixels; ++i)
            yPlane[i] = char(storeLuma((77 * at(r, i) + 150 * at(g, i) + 29 * at(b, i)) >> 8));

        // Chroma from whole 2 x 2 blocks only; an odd last row or column has no block.
        char* chroma = yPlane + pixels;
        const int cw = width / 2;
        for (int cy = 0; cy < height / 2; ++cy) {
            char* uRow = chroma + qint64(cy) * cw * 2;
            char* vRow = uRow + cw;
            for (int cx = 0; cx < cw; ++cx) {
                const qint64 i00 = qint64(2 * cy) * width + 2 * cx, i01 = i00 + 1;
                const qint64 i10 = i00 + width, i11 = i10 + 1;
                const int rm = (at(r, i00) + at(r, i01) + at(r, i10) + at(r, i11)) >> 2;
                const int gm = (at(g, i00) + at(g, i01) + at(g, i10) + at(g, i11)) >> 2;
                const int bm = (at(b, i00) + at(b, i01) + at(b, i10) + at(b, i11)) >> 2;
                const int u = ((-44 * rm - 87 * gm + 131 * bm) >> 8) + 128;
                const int v = ((131 * rm - 110 * gm - 21 * bm) >> 8) + 128;
                uRow[cx] = char(storeChroma(u));
                vRow[cx] = char(storeChroma(v));
            }
        }
    }

    if (!writeFileAtomic(targetPath, file)) return 0;
    return file.size();
}

bool readYuv(const QString& path, RgbPlanes* out) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = f.read(kHeaderSize);
    if (header.size() < 12 || !header.startsWith("%YUV")) return false;
    const int w = qFromBigEndian<quint16>(header.constData() + 8);
    const int h = qFromBigEndian<quint16>(header.constData() + 10);
    if (w == 0 || h == 0) return false;
    const qint64 pixels = qint64(w) * h;
    const qint64 need = pixels + chromaBytes(w, h);
    // A header may claim up to 65535 x 65535 pixels: check the file holds them before
    // allocating (a 12-byte file must not cost gigabytes).
    if (f.size() - kHeaderSize < need || !f.seek(kHeaderSize)) return false;
    const QByteArray body = f.read(need);
    if (body.size() < need) return false;  // a cut file would otherwise be read past its end

    RgbPlanes p;
    p.width = w;
    p.height = h;
    p.r.resize(pixels);
    p.g.resize(pixels);
    p.b.resize(pixels);
    const uchar* yPlane = reinterpret_cast<const uchar*>(body.constData());
    const uchar* chroma = yPlane + pixels;
    const int cw = w / 2, ch = h / 2;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const qint64 i = qint64(y) * w + x;
            const int yy = yPlane[i] ^ 0x80;
            // An odd last row or column borrows the nearest chroma block.
            const int cy = std::min(y / 2, ch - 1), cx = std::min(x / 2, cw - 1);
            int u = 128, v = 128;
            if (cy >= 0 && cx >= 0) {
                const uchar* uRow = chroma + qint64(cy) * cw * 2;
                u = uRow[cx] ^ 0x80;
                v = uRow[cw + cx] ^ 0x80;
            }
            p.r[i] = char(clamp255(yy + 1.402 * (v - 128)));
            p.g[i] = char(clamp255(yy - 0.34413 * (u - 128) - 0.71414 * (v - 128)));
            p.b[i] = char(clamp255(yy + 1.772 * (u - 128)));
        }
    }
    *out = std::move(p);
    return true;
}

bool writeBmp24(const QString& path, const RgbPlanes& planes) {
    const int w = planes.width, h = planes.height;
    const qint64 pixels = qint64(w) * h;
    if (w <= 0 || h <= 0 || planes.r.size() < pixels || planes.g.size() < pixels ||
        planes.b.size() < pixels)
        return false;
    const qint64 stride = (qint64(w) * 3 + 3) & ~qint64(3);
    const qint64 imageSize = stride * h;
    if (54 + imageSize > 0x7FFFFFFF) return false;
    QByteArray file(54 + imageSize, '\0');
    char* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian(quint32(file.size()), p + 2);
    qToLittleEndian(quint32(54), p + 10);
    qToLittleEndian(quint32(40), p + 14);
    qToLittleEndian(qint32(w), p + 18);
    qToLittleEndian(qint32(h), p + 22);  // positive height: bottom-up rows
    qToLittleEndian(quint16(1), p + 26);
    qToLittleEndian(quint16(24), p + 28);
    qToLittleEndian(quint32(imageSize), p + 34);
    for (int y = 0; y < h; ++y) {
        char* row = p + 54 + stride * (h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const qint64 i = qint64(y) * w + x;
            row[3 * x] = planes.b[i];
            row[3 * x + 1] = planes.g[i];
            row[3 * x + 2] = planes.r[i];
        }
    }
    return writeFileAtomic(path, file);
}

}  // namespace lum
