#pragma once
// Whole-file writes that never leave half a file behind: a temporary file in the same folder,
// then a rename over the old one.

#include <QByteArray>
#include <QString>

namespace lum {

// Writes `data` as the whole content of `path`, creating the folder when missing.
// Returns false (old file untouched) on any failure; `error` gets the reason.
bool writeFileAtomic(const QString& path, const QByteArray& data, QString* error = nullptr);

// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const QString& path, QByteArray* data);

}  // namespace lum
