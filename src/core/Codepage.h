#pragma once
// The console's 8-bit "ANSI" code page. File formats hold 8-bit text in it; QStrings are
// converted only at the file boundary. The code page follows the interface language
// (English windows-1252, Chinese (Simplified) GBK, Chinese (Traditional) Big5).

#include <QByteArray>
#include <QString>

namespace lum {

// Code page name for a LANGUAGE setting index (0 English, 1 Simplified, 2 Traditional).
QByteArray codepageForLanguage(int language);

// Selects the process-wide code page by name; returns false (and keeps the old one) when no
// converter for that name exists.
bool setAnsiCodepage(const QByteArray& name);
QByteArray ansiCodepage();

QByteArray toAnsi(const QString& text);
QString fromAnsi(const QByteArray& bytes);

// Conversion between any two encodings by name; false when either is unknown.
bool convertEncoding(const QByteArray& from, const QByteArray& to, const QByteArray& in,
                     QByteArray* out);

}  // namespace lum
