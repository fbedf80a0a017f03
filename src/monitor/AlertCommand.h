#pragma once
// Runs the operator's OFFLINECOMMAND for an alert: the program itself, no shell, with the
// player's name, group, MAC and last-seen time as four arguments. Its exit code and output go
// to the log; one that runs longer than the time limit is killed. Runs without waiting: the
// server and the window never block on it. At most a few run at once and a bounded number
// wait, so a whole fleet going dark cannot start hundreds of processes.

#include "monitor/OfflineAlerts.h"

#include <QObject>
#include <QString>

#include <deque>
#include <functional>

namespace lum {

class ILogSink;

class AlertCommandRunner : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultTimeoutMs = 30000;
    static constexpr int kMaxRunning = 4;
    static constexpr int kMaxWaiting = 256;
    static constexpr int kMaxOutputBytes = 4096;  // of each run, kept for the log

    explicit AlertCommandRunner(ILogSink* log, QObject* parent = nullptr);
    ~AlertCommandRunner() override;

    // The program path, read for each alert (empty: nothing runs).
    void setProgramSource(std::function<QString()> program) { program_ = std::move(program); }
    void setTimeoutMs(int ms) { timeoutMs_ = ms; }

    void run(const OfflinePlayer& player);
    int runningCount() const { return running_; }

    // The arguments a run gets.
    static QStringList arguments(const OfflinePlayer& player);

Q_SIGNALS:
    // A run ended: its exit code (-1 when it could not start or was killed).
    void finished(const QString& player, int exitCode, bool killed);

private:
    struct Job {
        QString program;
        OfflinePlayer player;
    };
    void startNext();

    ILogSink* log_;
    std::function<QString()> program_;
    int timeoutMs_ = kDefaultTimeoutMs;
    int running_ = 0;
    std::deque<Job> waiting_;
};

}  // namespace lum
