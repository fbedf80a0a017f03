#pragma once
// The framework object archive used by users.dat and sites.dat: records written field by field,
// little-endian, with length-prefixed 8-bit texts and 16-bit counts that escape to 32 bits.
//
// Text prefix: one byte when the length is below 255; else 0xFF and a 16-bit length when below
// 0xFFFE; else 0xFF, 0xFFFF and a 32-bit length. Count: 16 bits when below 0xFFFF; else 0xFFFF
// and a 32-bit count.
//
// The reader never trusts a length: each one is checked against the bytes left, so a damaged or
// hostile file fails cleanly instead of crashing or allocating without bound.

#include <QByteArray>
#include <QString>

namespace lum {

class ArchiveWriter {
public:
    void writeBytesText(const QByteArray& text);  // 8-bit text as stored
    void writeText(const QString& text);          // converted to the console's code page
    void writeInt32(qint32 v);
    void writeUInt16(quint16 v);
    void writeUInt32(quint32 v);
    void writeCount(quint32 n);

    const QByteArray& data() const { return buf_; }

private:
    QByteArray buf_;
};

class ArchiveReader {
public:
    explicit ArchiveReader(QByteArray data) : data_(std::move(data)) {}

    // Each returns false (and leaves the output alone) when the data ends too soon or a length
    // is malformed; after a failure the reader stays failed.
    bool readBytesText(QByteArray& text);
    bool readText(QString& text);
    bool readInt32(qint32& v);
    bool readUInt16(quint16& v);
    bool readUInt32(quint32& v);
    bool readCount(quint32& n);

    bool atEnd() const { return pos_ >= data_.size(); }
    bool failed() const { return failed_; }
    qsizetype remaining() const { return data_.size() - pos_; }
    qsizetype position() const { return pos_; }

private:
    bool take(qsizetype n, const char** p);

    QByteArray data_;
    qsizetype pos_ = 0;
    bool failed_ = false;
};

}  // namespace lum
