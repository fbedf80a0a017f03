#include "SimPlayer.h"

#include "SimProtocol.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

namespace lum::sim {

namespace {

QString fileNameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

bool isError(int code) { return code >= 400; }

}  // namespace

CSimPlayer::CSimPlayer(SimPlayerConfig config, QObject* parent)
    : QObject(parent), m_config(std::move(config)) {
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] { fail(QStringLiteral("timed out")); });
    connect(&m_alive, &QTimer::timeout, this, [this] { send(QStringLiteral("ALIVE")); });
}

CSimPlayer::~CSimPlayer() = default;

QString CSimPlayer::expand(const QString& text) const {
    QString out = text;
    out.replace(QLatin1String("{player}"), m_config.user);
    out.replace(QLatin1String("{mac}"), m_config.mac);
    return out;
}

void CSimPlayer::start() {
    m_control = new QTcpSocket(this);
    connect(m_control, &QTcpSocket::readyRead, this, &CSimPlayer::onControlData);
    connect(m_control, &QTcpSocket::disconnected, this, &CSimPlayer::onControlClosed);
    connect(m_control, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError) return;  // seen as disconnected
        if (m_control->state() != QAbstractSocket::ConnectedState)
            fail(QStringLiteral("control connection: ") + m_control->errorString());
    });
    expect([this](const Reply& r) { login(r); });
    m_control->connectToHost(m_config.host, m_config.port);
}

void CSimPlayer::say(const QString& line) { Q_EMIT output(m_config.user, line); }

void CSimPlayer::send(const QString& line) {
    if (!m_control || m_control->state() != QAbstractSocket::ConnectedState) return;
    say(QStringLiteral("> ") + line);
    m_control->write(line.toUtf8() + "\r\n");
}

void CSimPlayer::expect(Handler handler) {
    m_handler = std::move(handler);
    m_timeout.start(m_config.timeoutMs);
}

void CSimPlayer::onControlData() {
    m_buffer += m_control->readAll();
    qsizetype end;
    while ((end = m_buffer.indexOf("\r\n")) >= 0) {
        const QString line = QString::fromUtf8(m_buffer.left(end));
        m_buffer.remove(0, end + 2);
        onLine(line);
        if (m_finished) return;
    }
}

void CSimPlayer::onLine(const QString& line) {
    m_received << line;
    say(QStringLiteral("< ") + line);
    static const QRegularExpression coded(QStringLiteral("^(\\d{3})([ -]|$)"));
    const auto m = coded.match(line);
    const int code = m.hasMatch() ? m.captured(1).toInt() : -1;
    if (!m_multi.lines.isEmpty()) {
        // Inside "ddd-": everything up to "ddd " belongs to the same reply.
        m_multi.lines << line;
        if (code == m_multi.code && m.captured(2) != QLatin1String("-")) {
            Reply r = m_multi;
            m_multi = Reply();
            deliver(r);
        }
        return;
    }
    Reply r;
    r.code = code;
    r.lines << line;
    if (m.hasMatch() && m.captured(2) == QLatin1String("-")) {
        m_multi = r;
        return;
    }
    deliver(r);
}

void CSimPlayer::deliver(const Reply& reply) {
    if (reply.code == kReplyAliveAck) {
        ++m_aliveAcks;
        return;
    }
    if (reply.code >= kFirstCommandCode && reply.code <= kLastCommandCode) {
        m_serverCommands << reply.text();
        return;
    }
    if (reply.code < 0 && reply.text() == QLatin1String(kDataSocketClosed)) {
        if (m_uploading || m_data) m_transferError = reply.text();
        return;
    }
    if (m_replySink) *m_replySink << reply.lines;
    if (!m_handler) return;  // unsolicited: kept in receivedLines()
    Handler h = std::move(m_handler);
    m_handler = nullptr;
    m_timeout.stop();
    h(reply);
}

void CSimPlayer::onControlClosed() {
    if (m_finished) return;
    if (m_quitting) {
        finish(m_ok);
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
    m_greeting = greeting.text().mid(4);
    send(QStringLiteral("USER ") + m_config.user);
    expect([this](const Reply& r) {
        if (r.code == kReplyPasswordRequired) {
            send(QStringLiteral("PASS ") + m_config.password);
            expect([this](const Reply& r2) { loggedIn(r2); });
            return;
        }
        loggedIn(r);
    });
}

void CSimPlayer::loggedIn(const Reply& reply) {
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
    m_group = text.mid(prefix.size(), close - prefix.size());
    m_loggedIn = true;
    if (!m_config.mac.isEmpty()) send(QStringLiteral("ICS_GET_MAC_ADDR ") + m_config.mac);
    if (m_config.aliveSeconds > 0) m_alive.start(m_config.aliveSeconds * 1000);
    nextStep();
}

// --- steps ---------------------------------------------------------------------------------

void CSimPlayer::nextStep() {
    if (m_finished) return;
    if (m_stepIndex >= m_config.steps.size()) {
        quit();
        return;
    }
    m_current = SimStepResult();
    m_replySink = &m_current.replies;
    runStep(m_config.steps[m_stepIndex]);
}

void CSimPlayer::stepDone(bool ok, const QString& error) {
    if (m_finished) return;
    m_current.ok = ok;
    m_current.error = error;
    m_replySink = nullptr;
    if (!ok) {
        m_ok = false;
        if (m_failure.isEmpty()) m_failure = error;
        say(QStringLiteral("! ") + error);
    }
    m_results.push_back(m_current);
    ++m_stepIndex;
    // Unwind the socket callback before the next step starts.
    QTimer::singleShot(0, this, &CSimPlayer::nextStep);
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
        QTimer::singleShot(step.seconds * 1000, this, [this] { stepDone(true); });
        return;
    case SimStep::Kind::Stor:
    case SimStep::Kind::Appe: {
        m_upload = step.data;
        if (!step.local.isEmpty()) {
            QFile f(step.local);
            if (!f.open(QIODevice::ReadOnly)) {
                stepDone(false, QStringLiteral("cannot read %1").arg(step.local));
                return;
            }
            m_upload = f.readAll();
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
        auto transfer = [this, line, step] {
            send(line);
            expect([this, step](const Reply& r) {
                if (r.code != kReplyOpening) {
                    closeData();
                    stepDone(false, r.text());
                    return;
                }
                m_opened = true;
                // From here the console only speaks again on an error.
                m_handler = [this](const Reply& err) {
                    m_transferError = err.text();
                    if (m_data) m_data->abort();
                    finishTransfer();
                };
                m_timeout.start(m_config.timeoutMs);
                if (m_dataClosed)
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

// --- data connection -----------------------------------------------------------------------

void CSimPlayer::openData(std::function<void()> then) {
    m_opened = m_dataClosed = m_finishing = m_uploading = false;
    m_transferError.clear();
    if (m_config.passive) {
        send(QStringLiteral("PASV"));
        expect([this, then](const Reply& r) {
            static const QRegularExpression numbers(
                QStringLiteral("\\((\\d+),(\\d+),(\\d+),(\\d+),(\\d+),(\\d+)\\)\\.$"));
            const auto m = numbers.match(r.text());
            if (r.code != kReplyPassive ||
                !r.text().startsWith(QLatin1String(kPassiveReplyPrefix)) || !m.hasMatch()) {
                stepDone(false, r.text());
                return;
            }
            m_passiveHost = QHostAddress(QStringLiteral("%1.%2.%3.%4")
                                             .arg(m.captured(1), m.captured(2), m.captured(3),
                                                  m.captured(4)));
            m_passivePort = static_cast<quint16>(m.captured(5).toInt() * 256 +
                                                 m.captured(6).toInt());
            auto* s = new QTcpSocket(this);
            adoptData(s);
            s->connectToHost(m_passiveHost, m_passivePort);
            then();
        });
        return;
    }
    m_listener = new QTcpServer(this);
    const QHostAddress local(m_control->localAddress().toIPv4Address());
    if (!m_listener->listen(local, 0)) {
        stepDone(false, QStringLiteral("cannot listen for the data connection"));
        return;
    }
    connect(m_listener, &QTcpServer::newConnection, this, [this] {
        QTcpSocket* s = m_listener->nextPendingConnection();
        m_listener->close();
        if (m_data || !s) {  // one connection per transfer
            if (s) s->abort();
            return;
        }
        adoptData(s);
        if (m_uploading) startUpload();
    });
    const quint32 a = local.toIPv4Address();
    const quint16 p = m_listener->serverPort();
    send(QStringLiteral("PORT %1,%2,%3,%4,%5,%6")
             .arg(a >> 24)
             .arg((a >> 16) & 0xFF)
             .arg((a >> 8) & 0xFF)
             .arg(a & 0xFF)
             .arg(p / 256)
             .arg(p % 256));
    expect([this, then](const Reply& r) {
        if (r.code != kReplyPortOk) {
            closeData();
            stepDone(false, r.text());
            return;
        }
        then();
    });
}

void CSimPlayer::adoptData(QTcpSocket* socket) {
    m_data = socket;
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        if (socket != m_data) return;
        m_current.data += socket->readAll();
        if (m_opened) m_timeout.start(m_config.timeoutMs);  // a long transfer is not a hang
    });
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] {
        if (socket == m_data && m_opened) m_timeout.start(m_config.timeoutMs);
    });
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        if (socket == m_data && m_uploading) startUpload();
    });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        if (socket == m_data) onDataClosed();
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError e) {
        if (socket != m_data || e == QAbstractSocket::RemoteHostClosedError) return;
        if (socket->state() != QAbstractSocket::ConnectedState) {
            m_transferError = QStringLiteral("data connection: ") + socket->errorString();
            m_dataClosed = true;
            if (m_opened) finishTransfer();
        }
    });
}

void CSimPlayer::onDataClosed() {
    if (m_data && m_data->bytesAvailable() > 0) m_current.data += m_data->readAll();
    m_dataClosed = true;
    if (m_opened) finishTransfer();
}

void CSimPlayer::startUpload() {
    m_uploading = true;
    if (!m_data || m_data->state() != QAbstractSocket::ConnectedState) return;  // on connect
    m_uploading = false;
    m_current.data = m_upload;
    if (!m_upload.isEmpty()) m_data->write(m_upload);
    // The console learns the end of the file from the closing of the connection.
    m_data->disconnectFromHost();
}

void CSimPlayer::closeData() {
    if (m_data) {
        m_data->disconnect(this);
        m_data->abort();
        m_data->deleteLater();
        m_data = nullptr;
    }
    if (m_listener) {
        m_listener->close();
        m_listener->deleteLater();
        m_listener = nullptr;
    }
}

void CSimPlayer::finishTransfer() {
    if (m_finishing) return;
    m_finishing = true;
    closeData();
    const SimStep& step = m_config.steps[m_stepIndex];
    const QString remote = expand(step.remote);
    if (step.kind == SimStep::Kind::List || step.kind == SimStep::Kind::Nlst) {
        for (const QByteArray& l : m_current.data.split('\n')) {
            const QByteArray line = l.endsWith('\r') ? l.chopped(1) : l;
            if (!line.isEmpty()) say(QStringLiteral("| ") + QString::fromUtf8(line));
        }
    }
    if (step.kind == SimStep::Kind::Retr) {
        say(QStringLiteral(": RETR %1: %2 bytes").arg(remote).arg(m_current.data.size()));
        if (!m_config.saveDir.isEmpty()) {
            QDir().mkpath(m_config.saveDir);
            QFile out(QDir(m_config.saveDir).filePath(fileNameOf(remote)));
            if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                out.write(m_current.data) != m_current.data.size())
                m_transferError = QStringLiteral("cannot save %1").arg(out.fileName());
        }
    }
    if (step.kind == SimStep::Kind::Stor || step.kind == SimStep::Kind::Appe)
        say(QStringLiteral(": %1 %2: %3 bytes")
                .arg(step.kind == SimStep::Kind::Stor ? "STOR" : "APPE", remote)
                .arg(m_current.data.size()));

    if (step.kind == SimStep::Kind::Retr) {
        // The size on the console tells whether the whole file came through. (Uploads are not
        // checked this way: the console may answer before it has seen the end of the data.)
        const qint64 got = m_current.data.size();
        const qint64 rest = step.rest;
        sync(QStringLiteral("SIZE ") + remote, [got, rest](const Reply& r, QString* error) {
            if (r.code != kReplySize) {
                *error = r.text();
                return r.code == 550;  // the file is gone: this ends the sync
            }
            const qint64 size = r.text().mid(4).toLongLong();
            // An offset at or beyond the size sends the whole file.
            const qint64 want = rest > 0 && rest < size ? size - rest : size;
            if (want != got) *error = QStringLiteral("size %1, received %2").arg(want).arg(got);
            return true;
        });
        return;
    }
    sync(QStringLiteral("NOOP"), [](const Reply& r, QString* error) {
        if (r.text() == QLatin1String(kNoopReply)) return true;
        *error = r.text();
        return false;
    });
}

// Sends `line` and waits for its answer; replies before it (errors of the transfer) fail the
// step. `accept` returns true for the answer that ends the wait and may set an error.
void CSimPlayer::sync(const QString& line, std::function<bool(const Reply&, QString*)> accept) {
    m_syncAccept = std::move(accept);
    send(line);
    expect([this](const Reply& r) { onSyncReply(r); });
}

void CSimPlayer::onSyncReply(const Reply& reply) {
    QString error;
    const bool done = m_syncAccept(reply, &error);
    if (!error.isEmpty() && m_transferError.isEmpty()) m_transferError = error;
    if (!done) {
        expect([this](const Reply& r) { onSyncReply(r); });
        return;
    }
    m_syncAccept = nullptr;
    const QString e = m_transferError;
    stepDone(e.isEmpty(), e);
}

// --- end -----------------------------------------------------------------------------------

void CSimPlayer::quit() {
    m_ok = m_failure.isEmpty();
    m_alive.stop();
    if (!m_config.quit) {
        m_quitting = true;
        m_control->disconnectFromHost();
        if (m_control->state() == QAbstractSocket::UnconnectedState) finish(m_ok);
        return;
    }
    send(QStringLiteral("QUIT"));
    expect([this](const Reply& r) {
        m_quitting = true;
        if (r.code != kReplyGreeting) {
            m_ok = false;
            if (m_failure.isEmpty()) m_failure = r.text();
        }
        // The console closes the connection; wait for it, but not for ever.
        m_timeout.start(m_config.timeoutMs);
        if (m_control->state() == QAbstractSocket::UnconnectedState) finish(m_ok);
    });
}

void CSimPlayer::fail(const QString& error) {
    if (m_finished) return;
    if (m_quitting && error == QLatin1String("timed out")) {
        m_control->abort();
        finish(m_ok);
        return;
    }
    if (m_failure.isEmpty()) m_failure = error;
    say(QStringLiteral("! ") + error);
    finish(false);
}

void CSimPlayer::finish(bool ok, const QString& error) {
    if (m_finished) return;
    m_finished = true;
    m_ok = ok && m_failure.isEmpty();
    if (!error.isEmpty() && m_failure.isEmpty()) m_failure = error;
    m_timeout.stop();
    m_alive.stop();
    m_handler = nullptr;
    m_replySink = nullptr;
    closeData();
    if (m_control) {
        m_control->disconnect(this);
        m_control->abort();
    }
    Q_EMIT finished(m_ok);
}

}  // namespace lum::sim
