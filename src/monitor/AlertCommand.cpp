#include "monitor/AlertCommand.h"

#include "core/LogSink.h"
#include "monitor/MonitorTexts.h"

#include <QPointer>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace lum {

namespace t = monitor_texts;

AlertCommandRunner::AlertCommandRunner(ILogSink* log, QObject* parent)
    : QObject(parent), log_(log) {}

AlertCommandRunner::~AlertCommandRunner() {
    // Commands still running end with the program; their handlers must not see a half-gone
    // runner.
    waiting_.clear();
    for (QProcess* p : findChildren<QProcess*>()) {
        p->disconnect();
        p->kill();
        p->waitForFinished(1000);
        delete p;
    }
}

QStringList AlertCommandRunner::arguments(const OfflinePlayer& player) {
    return {player.name, player.group, player.mac,
            player.lastSeen.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))};
}

void AlertCommandRunner::run(const OfflinePlayer& player) {
    const QString program = program_ ? program_().trimmed() : QString();
    if (program.isEmpty()) return;
    if (int(waiting_.size()) >= kMaxWaiting) {
        if (log_)
            log_->addLog(LogType::Error, player.mac,
                         QString::fromLatin1(t::kCommandDropped).arg(player.name));
        return;
    }
    waiting_.push_back({program, player});
    startNext();
}

void AlertCommandRunner::startNext() {
    while (running_ < kMaxRunning && !waiting_.empty()) {
        const Job job = waiting_.front();
        waiting_.pop_front();
        ++running_;

        auto* process = new QProcess(this);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->setStandardInputFile(QProcess::nullDevice());
        auto output = std::make_shared<QByteArray>();
        auto killed = std::make_shared<bool>(false);
        auto* limit = new QTimer(process);
        limit->setSingleShot(true);

        connect(process, &QProcess::readyRead, process, [process, output] {
            const QByteArray chunk = process->readAll();  // read all: a full pipe would stall it
            if (output->size() < kMaxOutputBytes)
                output->append(chunk.left(kMaxOutputBytes - output->size()));
        });
        connect(limit, &QTimer::timeout, process, [this, process, killed, job] {
            *killed = true;
            if (log_)
                log_->addLog(LogType::Error, job.player.mac,
                             QString::fromLatin1(t::kCommandKilled)
                                 .arg(job.player.name)
                                 .arg(timeoutMs_ / 1000.0));
            process->kill();
        });
        // Ends exactly once: finished after a start, errorOccurred(FailedToStart) without one.
        auto done = std::make_shared<bool>(false);
        auto finish = [this, process, output, killed, done, job](int code, const QString& error) {
            if (std::exchange(*done, true)) return;
            output->append(process->readAll().left(qMax(0, kMaxOutputBytes - int(output->size()))));
            if (log_ && !error.isEmpty()) {
                log_->addLog(LogType::Error, job.player.mac,
                             QString::fromLatin1(t::kCommandFailed).arg(job.player.name, job.program, error));
            } else if (log_ && !*killed) {
                // One log line: the output's line breaks become " | ".
                QString text = QString::fromLocal8Bit(*output).trimmed();
                text.replace(QLatin1String("\r\n"), QLatin1String(" | "));
                text.replace(QLatin1Char('\n'), QLatin1String(" | "));
                text.replace(QLatin1Char('\r'), QLatin1String(" | "));
                for (QChar& c : text)
                    if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
                log_->addLog(code == 0 ? LogType::ServerEvent : LogType::Error, job.player.mac,
                             QString::fromLatin1(t::kCommandExited).arg(job.player.name).arg(code).arg(text));
            }
            --running_;
            Q_EMIT finished(job.player.name, *killed || !error.isEmpty() ? -1 : code, *killed);
            process->deleteLater();
            startNext();
        };
        connect(process, &QProcess::finished, process,
                [finish](int code, QProcess::ExitStatus status) {
                    finish(status == QProcess::NormalExit ? code : -1, QString());
                });
        connect(process, &QProcess::errorOccurred, process,
                [process, finish](QProcess::ProcessError e) {
                    if (e == QProcess::FailedToStart) finish(-1, process->errorString());
                });
        limit->start(timeoutMs_);
        process->start(job.program, arguments(job.player));
    }
}

}  // namespace lum
