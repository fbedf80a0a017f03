#pragma once
// CLogFile: the small text-log writer behind "ftptrace.log" and the players' own log files.
// A piece of text reaches the file only while the file is open and the current message level
// does not exceed the threshold, so one writer serves every LOGLEVEL setting.
//
// Lines end with a line feed. Text is written in the console's 8-bit code page.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>

#include <functional>

namespace lum {

class CLogFile {
public:
    explicit CLogFile(int threshold = 1);
    ~CLogFile();  // closes, writing the end line
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // Closes an open file, opens `path` for appending (created when missing) and writes the
    // start line as a level-1 message. On failure the writer stays closed and `error` gets
    // the operator text "Cannot create or open file: '<path>'".
    bool open(const QString& path, QString* error = nullptr);
    // Writes the end line as a level-1 message and closes. Nothing happens when closed.
    void close();
    // Closes, deletes the file, opens it again and writes the cleared line.
    bool clear(QString* error = nullptr);

    bool isOpen() const { return file_.isOpen(); }
    QString path() const { return path_; }

    int threshold() const { return threshold_; }
    void setThreshold(int threshold) { threshold_ = threshold; }
    int level() const { return level_; }
    // The level of the pieces that follow (the level manipulators).
    void setLevel(int level) { level_ = level; }

    // A level-1 message: "dd/mm/yyyy hh:mm:ss.zzz " + text + line feed, stamped now.
    void write(const QString& text);
    // The same line with a given time stamp and level (how log records are written).
    void writeLine(const QDateTime& time, int level, const QString& text);
    // Appends a raw piece at the current level.
    void append(const QByteArray& piece);
    void append(const QString& piece);

    // The clock of the start, end and write() lines (local time; tests fix it).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // "dd/mm/yyyy hh:mm:ss.zzz " for a local time.
    static QString stampPrefix(const QDateTime& time);

private:
    int threshold_;
    int level_ = 1;
    QString path_;
    QFile file_;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
};

}  // namespace lum
