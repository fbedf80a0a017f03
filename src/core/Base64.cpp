#include "core/Base64.h"

namespace lum {

QByteArray base64Encode(const QByteArray& data) { return data.toBase64(); }

bool base64Decode(const QByteArray& text, QByteArray* out) {
    auto r = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
    if (!r) return false;
    *out = *r;
    return true;
}

}  // namespace lum
