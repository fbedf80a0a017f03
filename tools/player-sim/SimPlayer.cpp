#include "SimPlayer.h"

#include "SimProtocol.h"
#include "SimSteps.h"

#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include <chrono>
#include <numeric>

namespace lum::sim {

using namespace detail;

double wallClockMs() {
    using namespace std::chrono;
    return double(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()) /
           1000.0;
}

CSimPlayer::CSimPlayer(SimPlayerConfig config, QObject* parent)
    : QObject(parent), config_(std::move(config)) {
    timeout_.setSingleShot(true);
    // Each player keeps its own second: coarse timers would line up the ALIVEs of every
    // player of this process and send them in one burst, which separate devices do not do.
    alive_.setTimerType(Qt::PreciseTimer);
    connect(&timeout_, &QTimer::timeout, this, [this] { fail(QStringLiteral("timed out")); });
    connect(&alive_, &QTimer::timeout, this, [this] {
        if (!loggedIn_) return;
        aliveSent_.push_back(wallClockMs());
        send(QStringLiteral("ALIVE"));
    });
    stayTimer_.setSingleShot(true);
    connect(&stayTimer_, &QTimer::timeout, this, [this] { resumeStay(); });
}

CSimPlayer::~CSimPlayer() = default;

QString CSimPlayer::expand(const QString& text) const {
    QString out = text;
    out.replace(QLatin1String("{player}"), config_.user);
    out.replace(QLatin1String("{mac}"), config_.mac);
    return out;
}

void CSimPlayer::start() {
    control_ = new QTcpSocket(this);
    connect(control_, &QTcpSocket::readyRead, this, &CSimPlayer::onControlData);
    connect(control_, &QTcpSocket::disconnected, this, &CSimPlayer::onControlClosed);
    connect(control_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) return;  // seen as disconnected
        if (control_->state() != QAbstractSocket::ConnectedState)
            fail(QStringLiteral("control connection: ") + control_->errorString());
    });
    expect([this](const Reply& r) { login(r); });
    control_->connectToHost(config_.host, config_.port);
}

void CSimPlayer::say(const QString& line) { Q_EMIT output(config_.user, line); }

void CSimPlayer::send(const QString& line) {
    if (!control_ || control_->state() != QAbstractSocket::ConnectedState) return;
    say(QStringLiteral("> ") + line);
    control_->write(line.toUtf8() + "\r\n");
}

void CSimPlayer::expect(Handler handler) {
    handler_ = std::move(handler);
    timeout_.start(config_.timeoutMs);
}

void CSimPlayer::onControlData() {
    buffer_ += control_->readAll();
    qsizetype end;
    while ((end = buffer_.indexOf("\r\n")) >= 0) {
        const QString line = QString::fromUtf8(buffer_.left(end));
        buffer_.remove(0, end + 2);
        onLine(line);
        if (finished_ || restarting_) return;
    }
}

void CSimPlayer::onLine(const QString& line) {
    received_ << line;
    say(QStringLiteral("< ") + line);
    static const QRegularExpression coded(QStringLiteral("^(\\d{3})([ -]|$)"));
    const auto m = coded.match(line);
    const int code = m.hasMatch() ? m.captured(1).toInt() : -1;
    if (!multi_.lines.isEmpty()) {
        // Inside "ddd-": everything up to "ddd " belongs to the same reply.
        multi_.lines << line;
        if (code == multi_.code && m.captured(2) != QLatin1String("-")) {
            Reply r = multi_;
            multi_ = Reply();
            deliver(r);
        }
        return;
    }
    Reply r;
    r.code = code;
    r.lines << line;
    if (m.hasMatch() && m.captured(2) == QLatin1String("-")) {
        multi_ = r;
        return;
    }
    deliver(r);
}

void CSimPlayer::deliver(const Reply& reply) {
    if (reply.code == kReplyAliveAck) {
        ++aliveAcks_;
        if (!aliveSent_.empty()) {
            const double sent = aliveSent_.front();
            const double rtt = wallClockMs() - sent;
            aliveSent_.pop_front();
            aliveRtts_.push_back(rtt);
            Q_EMIT measured(config_.user, QStringLiteral("alive"), {{"ms", rtt}, {"t", sent}});
        }
        return;
    }
    if (!config_.plainFtp && reply.code >= kFirstCommandCode && reply.code <= kLastCommandCode) {
        serverCommands_ << reply.text();
        Q_EMIT measured(config_.user, QStringLiteral("command"),
                        {{"line", reply.text()}, {"t", wallClockMs()}});
        if (config_.respond) answer(reply.code, reply.text());
        return;
    }
    if (reply.code < 0 && reply.text() == QLatin1String(kDataSocketClosed)) {
        if (uploading_ || data_) transferError_ = reply.text();
        return;
    }
    if (replySink_) *replySink_ << reply.lines;
    if (!handler_) return;  // unsolicited: kept in receivedLines()
    Handler h = std::move(handler_);
    handler_ = nullptr;
    timeout_.stop();
    h(reply);
}

void CSimPlayer::onControlClosed() {
    if (finished_) return;
    if (restarting_) {
        restart();
        return;
    }
    if (quitting_) {
        finish(ok_);
        return;
    }
    fail(QStringLiteral("connection closed by the console"));
}

// --- login ---------------------------------------------------------------------------------

void CSimPlayer::login(const Reply& greeting) {
    if (greeting.code != kReplyGreeting) {
        fail(QStringLiteral("refused: ") + greeting.text());
        return;
    }
    greeting_ = greeting.text().mid(4);
    send(QStringLiteral("USER ") + config_.user);
    expect([this](const Reply& r) {
        if (r.code == kReplyPasswordRequired) {
            send(QStringLiteral("PASS ") + config_.password);
            expect([this](const Reply& r2) { loggedIn(r2); });
            return;
        }
        loggedIn(r);
    });
}

void CSimPlayer::loggedIn(const Reply& reply) {
    if (config_.plainFtp) {
        if (reply.code != kReplyLoggedIn) {
            fail(QStringLiteral("login refused: ") + reply.text());
            return;
        }
        Q_EMIT measured(config_.user, QStringLiteral("login"),
                        {{"t", wallClockMs()}, {"restart", restarts_}});
        send(QStringLiteral("TYPE I"));
        expect([this](const Reply& r) {
            if (isError(r.code)) {
                fail(QStringLiteral("TYPE I refused: ") + r.text());
                return;
            }
            afterLogin();
        });
        return;
    }
    // "230 User successfully logged in group [%s]" after PASS, with a full stop after USER.
    const QString text = reply.text();
    const QString prefix = QString::fromLatin1(kLoginReplyPrefix);
    qsizetype close = text.endsWith(QLatin1String("].")) ? text.size() - 2
                      : text.endsWith(QLatin1Char(']'))   ? text.size() - 1
                                                          : -1;
    if (reply.code != kReplyLoggedIn || !text.startsWith(prefix) || close < prefix.size()) {
        fail(QStringLiteral("login refused: ") + text);
        return;
    }
    group_ = text.mid(prefix.size(), close - prefix.size());
    Q_EMIT measured(config_.user, QStringLiteral("login"),
                    {{"t", wallClockMs()}, {"restart", restarts_}});
    if (!config_.mac.isEmpty()) send(QStringLiteral("ICS_GET_MAC_ADDR ") + config_.mac);
    afterLogin();
}

void CSimPlayer::afterLogin() {
    loggedIn_ = true;
    // A standard FTP server does not know ALIVE.
    if (config_.aliveMs > 0 && !config_.plainFtp) alive_.start(config_.aliveMs);
    nextStep();
}

// --- steps ---------------------------------------------------------------------------------

void CSimPlayer::nextStep() {
    if (finished_ || restarting_ || !loggedIn_) return;
    if (!pending_.empty()) {
        answerStep_ = pending_.front();
        pending_.pop_front();
        inAnswer_ = true;
        step_ = answerStep_.step;
        current_ = SimStepResult();
        current_.startMs = wallClockMs();
        replySink_ = &current_.replies;
        runStep(step_);
        return;
    }
    inAnswer_ = false;
    if (staying_) {
        resumeStay();
        return;
    }
    if (stepIndex_ >= config_.steps.size()) {
        quit();
        return;
    }
    step_ = config_.steps[stepIndex_];
    current_ = SimStepResult();
    current_.startMs = wallClockMs();
    replySink_ = &current_.replies;
    runStep(step_);
}

void CSimPlayer::stepDone(bool ok, const QString& error) {
    if (finished_) return;
    current_.ok = ok;
    current_.error = error;
    current_.endMs = wallClockMs();
    replySink_ = nullptr;
    const QString what = kindName(step_.kind);
    if (step_.kind != SimStep::Kind::Hold && step_.kind != SimStep::Kind::FetchMedia)
        Q_EMIT measured(config_.user, QStringLiteral("step"),
                        {{"kind", what},
                         {"remote", expand(step_.remote)},
                         {"ok", ok},
                         {"bytes", double(current_.bytes)},
                         {"start", current_.startMs},
                         {"end", current_.endMs},
                         {"answer", inAnswer_}});
    if (inAnswer_) {
        inAnswer_ = false;
        if (!ok) {
            const QString failure = answerStep_.trigger + QStringLiteral(": ") + error;
            answerFailures_ << failure;
            if (failure_.isEmpty()) failure_ = failure;
            ok_ = false;
            say(QStringLiteral("! ") + failure);
            // The rest of this answer is dropped; the player says why instead.
            const int id = answerStep_.answer;
            std::erase_if(pending_, [id](const Pending& p) { return p.answer == id; });
            if (!answerStep_.onFailure.isEmpty()) send(answerStep_.onFailure);
        }
    } else {
        if (!ok) {
            ok_ = false;
            if (failure_.isEmpty()) failure_ = error;
            say(QStringLiteral("! ") + error);
        }
        results_.push_back(current_);
        ++stepIndex_;
    }
    // Unwind the socket callback before the next step starts.
    QTimer::singleShot(0, this, &CSimPlayer::nextStep);
}

void CSimPlayer::resumeStay() {
    if (finished_ || restarting_) return;
    if (!pending_.empty() || inAnswer_) return;  // an answer runs; the stay resumes after it
    if (!stayUntil_.hasExpired()) {
        stayTimer_.start(int(std::max<qint64>(1, stayUntil_.remainingTime())));
        return;
    }
    staying_ = false;
    step_ = config_.steps[stepIndex_];
    current_ = SimStepResult();
    current_.endMs = wallClockMs();
    stepDone(true);
}

void CSimPlayer::runStep(const SimStep& step) {
    const QString remote = expand(step.remote);
    switch (step.kind) {
    case SimStep::Kind::Send:
        send(expand(step.text));
        stepDone(true);
        return;
    case SimStep::Kind::Command:
        send(expand(step.text));
        expect([this](const Reply& r) {
            stepDone(!isError(r.code), isError(r.code) ? r.text() : QString());
        });
        return;
    case SimStep::Kind::Stay:
        say(QStringLiteral(": staying %1 s").arg(step.seconds));
        staying_ = true;
        stayUntil_ = QDeadlineTimer(qint64(step.seconds) * 1000);
        resumeStay();
        return;
    case SimStep::Kind::Hold:
        if (!config_.holdAfterStatus) {
            stepDone(true);
            return;
        }
        holding_ = true;
        say(QStringLiteral(": holding"));
        Q_EMIT holding(config_.user);
        return;
    case SimStep::Kind::FetchMedia: {
        // The media go first in the queue, in playlist order, as part of the same answer.
        std::vector<Pending> media;
        for (const QString& name : media_) {
            Pending p = answerStep_;
            p.step = kindStep(SimStep::Kind::Retr, name);
            media.push_back(p);
        }
        pending_.insert(pending_.begin(), media.begin(), media.end());
        stepDone(true);
        return;
    }
    case SimStep::Kind::PlayReport:
        for (const QString& name : media_) send(QStringLiteral("ICS_PLAY_REPORT %1,1").arg(name));
        stepDone(true);
        return;
    case SimStep::Kind::Reboot:
        say(QStringLiteral(": restarting"));
        restarting_ = true;
        send(QStringLiteral("STATUS 27"));
        // The console ends the connection on STATUS 27; the player does not wait for ever.
        QTimer::singleShot(config_.timeoutMs, this, [this, n = restarts_] {
            if (restarting_ && restarts_ == n) restart();
        });
        return;
    case SimStep::Kind::Stor:
    case SimStep::Kind::Appe: {
        upload_ = step.data;
        if (step.content == SimStep::Content::FileReport) upload_ = fileReport();
        if (step.content == SimStep::Content::PlaylistReport) upload_ = playlist_;
        if (!step.local.isEmpty()) {
            QFile f(step.local);
            if (!f.open(QIODevice::ReadOnly)) {
                stepDone(false, QStringLiteral("cannot read %1").arg(step.local));
                return;
            }
            upload_ = f.readAll();
        }
        break;
    }
    default:
        break;
    }
    openData([this, step, remote] {
        QString verb;
        switch (step.kind) {
        case SimStep::Kind::List: verb = QStringLiteral("LIST"); break;
        case SimStep::Kind::Nlst: verb = QStringLiteral("NLST"); break;
        case SimStep::Kind::Retr: verb = QStringLiteral("RETR"); break;
        case SimStep::Kind::Stor: verb = QStringLiteral("STOR"); break;
        default: verb = QStringLiteral("APPE"); break;
        }
        const QString line = remote.isEmpty() ? verb : verb + ' ' + remote;
        discard_ = step.kind == SimStep::Kind::Retr && !config_.keepData &&
                    config_.saveDir.isEmpty() && !isPlaylistName(remote);
        auto transfer = [this, line, step] {
            send(line);
            expect([this, step](const Reply& r) {
                // The console opens with 125; a standard FTP server with 150.
                if (r.code != kReplyOpening && !(config_.plainFtp && r.code == 150)) {
                    closeData();
                    stepDone(false, r.text());
                    return;
                }
                opened_ = true;
                // From here the console only speaks again on an error.
                handler_ = [this](const Reply& err) { onTransferReply(err); };
                timeout_.start(config_.timeoutMs);
                if (dataClosed_)
                    finishTransfer();
                else if (step.kind == SimStep::Kind::Stor || step.kind == SimStep::Kind::Appe)
                    startUpload();
            });
        };
        if (step.kind == SimStep::Kind::Retr && step.rest >= 0) {
            send(QStringLiteral("REST %1").arg(step.rest));
            expect([this, transfer](const Reply& r) {
                if (r.code != kReplyRestart) {
                    closeData();
                    stepDone(false, r.text());
                    return;
                }
                transfer();
            });
            return;
        }
        transfer();
    });
}

void CSimPlayer::onTransferReply(const Reply& reply) {
    if (!isError(reply.code)) {
        // A standard FTP server says "226" when it is done; the end still comes with the close.
        handler_ = [this](const Reply& r) { onTransferReply(r); };
        return;
    }
    transferError_ = reply.text();
    if (data_) data_->abort();
    finishTransfer();
}

// --- end -----------------------------------------------------------------------------------

void CSimPlayer::quit() {
    ok_ = failure_.isEmpty();
    alive_.stop();
    if (!config_.quit) {
        quitting_ = true;
        control_->disconnectFromHost();
        if (control_->state() == QAbstractSocket::UnconnectedState) finish(ok_);
        return;
    }
    send(QStringLiteral("QUIT"));
    expect([this](const Reply& r) {
        quitting_ = true;
        if (r.code != kReplyGreeting && !(config_.plainFtp && r.code == 221)) {
            ok_ = false;
            if (failure_.isEmpty()) failure_ = r.text();
        }
        // The console closes the connection; wait for it, but not for ever.
        timeout_.start(config_.timeoutMs);
        if (control_->state() == QAbstractSocket::UnconnectedState) finish(ok_);
    });
}

void CSimPlayer::fail(const QString& error) {
    if (finished_) return;
    if (quitting_ && error == QLatin1String("timed out")) {
        control_->abort();
        finish(ok_);
        return;
    }
    if (failure_.isEmpty()) failure_ = error;
    say(QStringLiteral("! ") + error);
    finish(false);
}

void CSimPlayer::finish(bool ok, const QString& error) {
    if (finished_) return;
    finished_ = true;
    ok_ = ok && failure_.isEmpty();
    if (!error.isEmpty() && failure_.isEmpty()) failure_ = error;
    timeout_.stop();
    alive_.stop();
    stayTimer_.stop();
    handler_ = nullptr;
    replySink_ = nullptr;
    holding_ = false;
    closeData();
    if (control_) {
        control_->disconnect(this);
        control_->abort();
    }
    Q_EMIT finished(ok_);
}

}  // namespace lum::sim
