#include "core/Codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <iconv.h>

#include <mutex>

namespace lum {

namespace {

std::mutex g_mutex;
QByteArray g_codepage = "windows-1252";

bool qtKnows(const QByteArray& name) {
    return QStringEncoder(name.constData()).isValid() && QStringDecoder(name.constData()).isValid();
}

// iconv fallback for code pages Qt was built without.
bool iconvConvert(const QByteArray& from, const QByteArray& to, const QByteArray& in,
                  QByteArray* out) {
    iconv_t cd = iconv_open(to.constData(), from.constData());
    if (cd == iconv_t(-1)) return false;
    QByteArray result;
    result.resize(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.constData());
    size_t srcLeft = size_t(in.size());
    char* dst = result.data();
    size_t dstLeft = size_t(result.size());
    while (srcLeft > 0) {
        if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == size_t(-1)) {
            if (errno == E2BIG) {
                qsizetype used = dst - result.data();
                result.resize(result.size() * 2);
                dst = result.data() + used;
                dstLeft = size_t(result.size() - used);
                continue;
            }
            // Unconvertible byte: write '?' and move on, as the platform does.
            if (dstLeft == 0) {
                qsizetype used = dst - result.data();
                result.resize(result.size() * 2);
                dst = result.data() + used;
                dstLeft = size_t(result.size() - used);
            }
            *dst++ = '?';
            --dstLeft;
            ++src;
            --srcLeft;
        }
    }
    result.resize(dst - result.data());
    iconv_close(cd);
    *out = result;
    return true;
}

}  // namespace

QByteArray codepageForLanguage(int language) {
    switch (language) {
    case 1: return "GBK";
    case 2: return "Big5";
    default: return "windows-1252";
    }
}

bool setAnsiCodepage(const QByteArray& name) {
    if (!qtKnows(name)) {
        QByteArray probe;
        if (!iconvConvert(name, "UTF-8", "a", &probe)) return false;
    }
    std::lock_guard lock(g_mutex);
    g_codepage = name;
    return true;
}

QByteArray ansiCodepage() {
    std::lock_guard lock(g_mutex);
    return g_codepage;
}

QByteArray toAnsi(const QString& text) {
    const QByteArray cp = ansiCodepage();
    QStringEncoder enc(cp.constData());
    if (enc.isValid()) return enc.encode(text);
    QByteArray out;
    if (iconvConvert("UTF-8", cp, text.toUtf8(), &out)) return out;
    return text.toLatin1();
}

QString fromAnsi(const QByteArray& bytes) {
    const QByteArray cp = ansiCodepage();
    QStringDecoder dec(cp.constData());
    if (dec.isValid()) return dec.decode(bytes);
    QByteArray out;
    if (iconvConvert(cp, "UTF-8", bytes, &out)) return QString::fromUtf8(out);
    return QString::fromLatin1(bytes);
}

bool convertEncoding(const QByteArray& from, const QByteArray& to, const QByteArray& in,
                     QByteArray* out) {
    QStringDecoder dec(from.constData());
    QStringEncoder enc(to.constData());
    if (dec.isValid() && enc.isValid()) {
        *out = enc.encode(dec.decode(in));
        return true;
    }
    return iconvConvert(from, to, in, out);
}

}  // namespace lum
