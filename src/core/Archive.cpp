#include "core/Archive.h"

#include "core/Codepage.h"

#include <QtEndian>

namespace lum {

void ArchiveWriter::writeUInt16(quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    buf_.append(b, 2);
}

void ArchiveWriter::writeUInt32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    buf_.append(b, 4);
}

void ArchiveWriter::writeInt32(qint32 v) { writeUInt32(quint32(v)); }

void ArchiveWriter::writeBytesText(const QByteArray& text) {
    const quint64 len = quint64(text.size());
    if (len < 0xFF) {
        buf_.append(char(len));
    } else if (len < 0xFFFE) {
        buf_.append(char(0xFF));
        writeUInt16(quint16(len));
    } else {
        buf_.append(char(0xFF));
        writeUInt16(0xFFFF);
        writeUInt32(quint32(len));
    }
    buf_.append(text);
}

void ArchiveWriter::writeText(const QString& text) { writeBytesText(toAnsi(text)); }

void ArchiveWriter::writeCount(quint32 n) {
    if (n < 0xFFFF) {
        writeUInt16(quint16(n));
    } else {
        writeUInt16(0xFFFF);
        writeUInt32(n);
    }
}

bool ArchiveReader::take(qsizetype n, const char** p) {
    if (failed_ || n < 0 || n > remaining()) {
        failed_ = true;
        return false;
    }
    *p = data_.constData() + pos_;
    pos_ += n;
    return true;
}

bool ArchiveReader::readUInt16(quint16& v) {
    const char* p;
    if (!take(2, &p)) return false;
    v = qFromLittleEndian<quint16>(p);
    return true;
}

bool ArchiveReader::readUInt32(quint32& v) {
    const char* p;
    if (!take(4, &p)) return false;
    v = qFromLittleEndian<quint32>(p);
    return true;
}

bool ArchiveReader::readInt32(qint32& v) {
    quint32 u;
    if (!readUInt32(u)) return false;
    v = qint32(u);
    return true;
}

bool ArchiveReader::readCount(quint32& n) {
    quint16 w;
    if (!readUInt16(w)) return false;
    if (w != 0xFFFF) {
        n = w;
        return true;
    }
    return readUInt32(n);
}

bool ArchiveReader::readBytesText(QByteArray& text) {
    const char* p;
    if (!take(1, &p)) return false;
    quint64 len = quint8(*p);
    if (len == 0xFF) {
        quint16 w;
        if (!readUInt16(w)) return false;
        if (w == 0xFFFE) {  // wide-character marker: never written by this program
            failed_ = true;
            return false;
        }
        len = w;
        if (w == 0xFFFF) {
            quint32 l32;
            if (!readUInt32(l32)) return false;
            len = l32;
        }
    }
    if (qint64(len) > remaining()) {
        failed_ = true;
        return false;
    }
    const char* t;
    take(qsizetype(len), &t);
    text = QByteArray(t, qsizetype(len));
    return true;
}

bool ArchiveReader::readText(QString& text) {
    QByteArray b;
    if (!readBytesText(b)) return false;
    text = fromAnsi(b);
    return true;
}

}  // namespace lum
