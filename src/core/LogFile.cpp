#include "core/LogFile.h"

#include "core/Codepage.h"
#include "core/LogTexts.h"

namespace lum {

CLogFile::CLogFile(int threshold) : threshold_(threshold) {}

CLogFile::~CLogFile() { close(); }

bool CLogFile::open(const QString& path, QString* error) {
    close();
    path_ = path;
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = QString::fromLatin1(log_texts::kCannotOpenFile).arg(path);
        return false;
    }
    write(QString::fromLatin1(log_texts::kStartOfApplication));
    return true;
}

void CLogFile::close() {
    if (!file_.isOpen()) return;
    write(QString::fromLatin1(log_texts::kEndOfApplication));
    file_.close();
}

bool CLogFile::clear(QString* error) {
    if (file_.isOpen()) file_.close();
    if (path_.isEmpty()) {
        if (error) *error = QString::fromLatin1(log_texts::kCannotOpenFile).arg(path_);
        return false;
    }
    QFile::remove(path_);
    file_.setFileName(path_);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = QString::fromLatin1(log_texts::kCannotOpenFile).arg(path_);
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
    writeLine(clock_(), 1, text);
}

void CLogFile::writeLine(const QDateTime& time, int level, const QString& text) {
    level_ = level;
    if (!file_.isOpen() || level_ > threshold_) return;
    QByteArray line = toAnsi(stampPrefix(time) + text);
    line += '\n';
    file_.write(line);
    file_.flush();  // a crash must not lose what was already logged
}

void CLogFile::append(const QByteArray& piece) {
    if (!file_.isOpen() || level_ > threshold_) return;
    file_.write(piece);
    file_.flush();
}

void CLogFile::append(const QString& piece) { append(toAnsi(piece)); }

}  // namespace lum
