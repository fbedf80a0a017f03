#pragma once
// CLogHub: the one log entry point. addLog may be called from any thread; it only queues a
// CLogRecord under a lock and posts a queued call to the hub's own (main) thread. There, one
// record per call, in queue order, the hub writes "ftptrace.log" under the program folder's
// Log/ (LOGLEVEL as threshold), the player's own log file when the record has a key, and then
// tells its subscribers (the coloured log model, the headless stderr printer).
//
// A file that cannot be opened never opens a window: the failure becomes an error record
// (shown to the subscribers like any entry) once per file until that file opens again.

#include "core/LogSink.h"

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace lum {

class CLogFile;

struct CLogRecord {
    QDateTime time;  // local time with milliseconds
    LogType type = LogType::ServerEvent;
    QString text;
    QString key;  // the player's MAC text, a fixed column text, or empty
};

class CLogHub : public QObject, public ILogSink {
    Q_OBJECT
public:
    // `programFolder` holds Log/; `logLevel` is the LOGLEVEL setting.
    CLogHub(const QString& programFolder, int logLevel, QObject* parent = nullptr);
    // Writes what is still queued, then closes "ftptrace.log" with its end line.
    ~CLogHub() override;

    // Creates Log/ and opens "ftptrace.log" (start line when LOGLEVEL is at least 1).
    // False when it cannot be opened; the failure is then reported as an error record.
    bool open();
    // Writes the end line (same level rule) and closes "ftptrace.log".
    void close();
    bool isOpen() const;

    void addLog(LogType type, const QString& key, const QString& text) override;

    // Handles every queued record now (the posted calls then find nothing left).
    void processPending();
    // Drops the records not yet handled (the log view's "Clear").
    void dropPending();
    int pendingCount() const;

    QString tracePath() const;
    int logLevel() const { return logLevel_; }
    // A changed LOGLEVEL applies to the records handled from now on.
    void setLogLevel(int logLevel);
    // Where LOGLEVEL is read each time a record is handled, so that a changed setting applies
    // to the next record (called on the hub's thread).
    void setLogLevelSource(std::function<int()> source) { levelSource_ = std::move(source); }

    // The clock that stamps records and the start and end lines (local time; tests fix it).
    void setClock(std::function<QDateTime()> clock);

    // "%02d:%02d:%02d     %s": how a record is shown on screen.
    static QString screenLine(const CLogRecord& record);
    // Level of a record's line: 1 for type 1, 2 for type 2, 3 for any other type.
    static int levelForType(LogType type);
    // The player's log file name: the text up to and including its first "]" (the bracketed
    // account name), then the key, then ".log". Separators and control characters in it become
    // "_", so the name is always one entry of Log/. Empty when the key is empty.
    static QString playerFileName(const QString& text, const QString& key);

Q_SIGNALS:
    // Emitted on the hub's thread after the record was written to the files.
    void recordAdded(const lum::CLogRecord& record, const QString& screenLine);

private:
    void processOne();
    void handle(const CLogRecord& record);
    void writePlayerFile(const CLogRecord& record, int level);
    void reportOpenFailure(const QString& path, const QString& message);

    QString logFolder_;
    int logLevel_;
    std::unique_ptr<CLogFile> trace_;
    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
    std::function<int()> levelSource_;

    mutable std::mutex queueLock_;
    std::deque<CLogRecord> queue_;

    // Files whose open failure was already reported; bounded so that hostile keys cannot
    // grow it for ever.
    QSet<QString> reportedFailures_;
};

}  // namespace lum

Q_DECLARE_METATYPE(lum::CLogRecord)
