#include "core/LogFile.h"

#include "core/Codepage.h"
#include "core/LogTexts.h"

namespace lum {

CLogFile::CLogFile(int threshold) : m_threshold(threshold) {}

CLogFile::~CLogFile() { close(); }

bool CLogFile::open(const QString& path, QString* error) {
    close();
    m_path = path;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = QString::fromLatin1(log_texts::kCannotOpenFile).arg(path);
        return false;
    }
    write(QString::fromLatin1(log_texts::kStartOfApplication));
    return true;
}

void CLogFile::close() {
    if (!m_file.isOpen()) return;
    write(QString::fromLatin1(log_texts::kEndOfApplication));
    m_file.close();
}

bool CLogFile::clear(QString* error) {
    if (m_file.isOpen()) m_file.close();
    if (m_path.isEmpty()) {
        if (error) *error = QString::fromLatin1(log_texts::kCannotOpenFile).arg(m_path);
        return false;
    }
    QFile::remove(m_path);
    m_file.setFileName(m_path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = QString::fromLatin1(log_texts::kCannotOpenFile).arg(m_path);
        return false;
    }
    write(QString::fromLatin1(log_texts::kClearedLogfile));
    return true;
}

QString CLogFile::stampPrefix(const QDateTime& time) {
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%02d/%02d/%02d %02d:%02d:%02d.%03d ", d.day(), d.month(), d.year(),
                             t.hour(), t.minute(), t.second(), t.msec());
}

void CLogFile::write(const QString& text) {
    writeLine(m_clock(), 1, text);
}

void CLogFile::writeLine(const QDateTime& time, int level, const QString& text) {
    m_level = level;
    if (!m_file.isOpen() || m_level > m_threshold) return;
    QByteArray line = toAnsi(stampPrefix(time) + text);
    line += '\n';
    m_file.write(line);
    m_file.flush();  // a crash must not lose what was already logged
}

void CLogFile::append(const QByteArray& piece) {
    if (!m_file.isOpen() || m_level > m_threshold) return;
    m_file.write(piece);
    m_file.flush();
}

void CLogFile::append(const QString& piece) { append(toAnsi(piece)); }

}  // namespace lum
