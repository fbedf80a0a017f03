#pragma once
// Standard base64 (RFC 4648, with padding), as the settings store the console password.

#include <QByteArray>

namespace lum {

QByteArray base64Encode(const QByteArray& data);
// Decodes standard base64; returns false on characters outside the alphabet or bad padding.
bool base64Decode(const QByteArray& text, QByteArray* out);

}  // namespace lum
