#include "SimPlayer.h"

#include "SimProtocol.h"

#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

#include <chrono>
#include <numeric>

namespace lum::sim {

namespace {

QString fileNameOf(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    return path.mid(cut + 1);
}

bool isError(int code) { return code >= 400; }

bool isPlaylistName(const QString& remote) {
    return fileNameOf(remote).endsWith(QLatin1String(".mpl"), Qt::CaseInsensitive);
}

SimStep sendStep(const QString& line) {
    SimStep s;
    s.kind = SimStep::Kind::Send;
    s.text = line;
    return s;
}

SimStep commandStep(const QString& line) {
    SimStep s;
    s.kind = SimStep::Kind::Command;
    s.text = line;
    return s;
}

SimStep kindStep(SimStep::Kind kind, const QString& remote = {}) {
    SimStep s;
    s.kind = kind;
    s.remote = remote;
    return s;
}

QString kindName(SimStep::Kind kind) {
    switch (kind) {
    case SimStep::Kind::List: return QStringLiteral("LIST");
    case SimStep::Kind::Nlst: return QStringLiteral("NLST");
    case SimStep::Kind::Retr: return QStringLiteral("RETR");
    case SimStep::Kind::Stor: return QStringLiteral("STOR");
    case SimStep::Kind::Appe: return QStringLiteral("APPE");
    case SimStep::Kind::Stay: return QStringLiteral("stay");
    default: return QStringLiteral("line");
    }
}

// The media a playlist lists, by file name, each once: [file0], [file1], ... up to the first
// section without `path`. Remote items (with a host) and the ticker and TV markers are not
// files of the console.
QStringList playlistMediaNames(const QByteArray& playlist) {
    const IniFile ini = IniFile::fromBytes(playlist);
    QStringList names;
    for (int n = 0;; ++n) {
        const QByteArray section = "file" + QByteArray::number(n);
        const QString path = QString::fromLatin1(ini.value(section, "path"));
        if (path.isEmpty()) break;
        if (!ini.value(section, "host").isEmpty()) continue;
        if (path == QLatin1String("ScrollText.End") || path == QLatin1String("TV_FEED_ON")) continue;
        const QString name = fileNameOf(path);
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive)) names << name;
    }
    return names;
}

// A MAC address as the console hands it out: six two-digit hexadecimal bytes joined by "-".
bool isMacText(const QString& text) {
    static const QRegularExpression mac(QStringLiteral("^[0-9A-Fa-f]{2}(-[0-9A-Fa-f]{2}){5}$"));
    return mac.match(text).hasMatch();
}

}  // namespace

double wallClockMs() {
    using namespace std::chrono;
    return double(duration_cast<microseconds>(system_clock::now().time_since_epoch()).count()) /
           1000.0;
}

CSimPlayer::CSimPlayer(SimPlayerConfig config, QObject* parent)
    : QObject(parent), m_config(std::move(config)) {
    m_timeout.setSingleShot(true);
    // Each player keeps its own second: coarse timers would line up the ALIVEs of every
    // player of this process and send them in one burst, which separate devices do not do.
    m_alive.setTimerType(Qt::PreciseTimer);
    connect(&m_timeout, &QTimer::timeout, this, [this] { fail(QStringLiteral("timed out")); });
    connect(&m_alive, &QTimer::timeout, this, [this] {
        if (!m_loggedIn) return;
        m_aliveSent.push_back(wallClockMs());
        send(QStringLiteral("ALIVE"));
    });
    m_stayTimer.setSingleShot(true);
    connect(&m_stayTimer, &QTimer::timeout, this, [this] { resumeStay(); });
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
        if (m_finished || m_restarting) return;
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
        if (!m_aliveSent.empty()) {
            const double sent = m_aliveSent.front();
            const double rtt = wallClockMs() - sent;
            m_aliveSent.pop_front();
            m_aliveRtts.push_back(rtt);
            Q_EMIT measured(m_config.user, QStringLiteral("alive"), {{"ms", rtt}, {"t", sent}});
        }
        return;
    }
    if (!m_config.plainFtp && reply.code >= kFirstCommandCode && reply.code <= kLastCommandCode) {
        m_serverCommands << reply.text();
        Q_EMIT measured(m_config.user, QStringLiteral("command"),
                        {{"line", reply.text()}, {"t", wallClockMs()}});
        if (m_config.respond) answer(reply.code, reply.text());
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
    if (m_restarting) {
        restart();
        return;
    }
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
    if (m_config.plainFtp) {
        if (reply.code != kReplyLoggedIn) {
            fail(QStringLiteral("login refused: ") + reply.text());
            return;
        }
        Q_EMIT measured(m_config.user, QStringLiteral("login"),
                        {{"t", wallClockMs()}, {"restart", m_restarts}});
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
    m_group = text.mid(prefix.size(), close - prefix.size());
    Q_EMIT measured(m_config.user, QStringLiteral("login"),
                    {{"t", wallClockMs()}, {"restart", m_restarts}});
    if (!m_config.mac.isEmpty()) send(QStringLiteral("ICS_GET_MAC_ADDR ") + m_config.mac);
    afterLogin();
}

void CSimPlayer::afterLogin() {
    m_loggedIn = true;
    // A standard FTP server does not know ALIVE.
    if (m_config.aliveMs > 0 && !m_config.plainFtp) m_alive.start(m_config.aliveMs);
    nextStep();
}

// --- steps ---------------------------------------------------------------------------------

void CSimPlayer::nextStep() {
    if (m_finished || m_restarting || !m_loggedIn) return;
    if (!m_pending.empty()) {
        m_answerStep = m_pending.front();
        m_pending.pop_front();
        m_inAnswer = true;
        m_step = m_answerStep.step;
        m_current = SimStepResult();
        m_current.startMs = wallClockMs();
        m_replySink = &m_current.replies;
        runStep(m_step);
        return;
    }
    m_inAnswer = false;
    if (m_staying) {
        resumeStay();
        return;
    }
    if (m_stepIndex >= m_config.steps.size()) {
        quit();
        return;
    }
    m_step = m_config.steps[m_stepIndex];
    m_current = SimStepResult();
    m_current.startMs = wallClockMs();
    m_replySink = &m_current.replies;
    runStep(m_step);
}

void CSimPlayer::stepDone(bool ok, const QString& error) {
    if (m_finished) return;
    m_current.ok = ok;
    m_current.error = error;
    m_current.endMs = wallClockMs();
    m_replySink = nullptr;
    const QString what = kindName(m_step.kind);
    if (m_step.kind != SimStep::Kind::Hold && m_step.kind != SimStep::Kind::FetchMedia)
        Q_EMIT measured(m_config.user, QStringLiteral("step"),
                        {{"kind", what},
                         {"remote", expand(m_step.remote)},
                         {"ok", ok},
                         {"bytes", double(m_current.bytes)},
                         {"start", m_current.startMs},
                         {"end", m_current.endMs},
                         {"answer", m_inAnswer}});
    if (m_inAnswer) {
        m_inAnswer = false;
        if (!ok) {
            const QString failure = m_answerStep.trigger + QStringLiteral(": ") + error;
            m_answerFailures << failure;
            if (m_failure.isEmpty()) m_failure = failure;
            m_ok = false;
            say(QStringLiteral("! ") + failure);
            // The rest of this answer is dropped; the player says why instead.
            const int id = m_answerStep.answer;
            std::erase_if(m_pending, [id](const Pending& p) { return p.answer == id; });
            if (!m_answerStep.onFailure.isEmpty()) send(m_answerStep.onFailure);
        }
    } else {
        if (!ok) {
            m_ok = false;
            if (m_failure.isEmpty()) m_failure = error;
            say(QStringLiteral("! ") + error);
        }
        m_results.push_back(m_current);
        ++m_stepIndex;
    }
    // Unwind the socket callback before the next step starts.
    QTimer::singleShot(0, this, &CSimPlayer::nextStep);
}

void CSimPlayer::resumeStay() {
    if (m_finished || m_restarting) return;
    if (!m_pending.empty() || m_inAnswer) return;  // an answer runs; the stay resumes after it
    if (!m_stayUntil.hasExpired()) {
        m_stayTimer.start(int(std::max<qint64>(1, m_stayUntil.remainingTime())));
        return;
    }
    m_staying = false;
    m_step = m_config.steps[m_stepIndex];
    m_current = SimStepResult();
    m_current.endMs = wallClockMs();
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
        m_staying = true;
        m_stayUntil = QDeadlineTimer(qint64(step.seconds) * 1000);
        resumeStay();
        return;
    case SimStep::Kind::Hold:
        if (!m_config.holdAfterStatus) {
            stepDone(true);
            return;
        }
        m_holding = true;
        say(QStringLiteral(": holding"));
        Q_EMIT holding(m_config.user);
        return;
    case SimStep::Kind::FetchMedia: {
        // The media go first in the queue, in playlist order, as part of the same answer.
        std::vector<Pending> media;
        for (const QString& name : m_media) {
            Pending p = m_answerStep;
            p.step = kindStep(SimStep::Kind::Retr, name);
            media.push_back(p);
        }
        m_pending.insert(m_pending.begin(), media.begin(), media.end());
        stepDone(true);
        return;
    }
    case SimStep::Kind::PlayReport:
        for (const QString& name : m_media) send(QStringLiteral("ICS_PLAY_REPORT %1,1").arg(name));
        stepDone(true);
        return;
    case SimStep::Kind::Reboot:
        say(QStringLiteral(": restarting"));
        m_restarting = true;
        send(QStringLiteral("STATUS 27"));
        // The console ends the connection on STATUS 27; the player does not wait for ever.
        QTimer::singleShot(m_config.timeoutMs, this, [this, n = m_restarts] {
            if (m_restarting && m_restarts == n) restart();
        });
        return;
    case SimStep::Kind::Stor:
    case SimStep::Kind::Appe: {
        m_upload = step.data;
        if (step.content == SimStep::Content::FileReport) m_upload = fileReport();
        if (step.content == SimStep::Content::PlaylistReport) m_upload = m_playlist;
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
        m_discard = step.kind == SimStep::Kind::Retr && !m_config.keepData &&
                    m_config.saveDir.isEmpty() && !isPlaylistName(remote);
        auto transfer = [this, line, step] {
            send(line);
            expect([this, step](const Reply& r) {
                // The console opens with 125; a standard FTP server with 150.
                if (r.code != kReplyOpening && !(m_config.plainFtp && r.code == 150)) {
                    closeData();
                    stepDone(false, r.text());
                    return;
                }
                m_opened = true;
                // From here the console only speaks again on an error.
                m_handler = [this](const Reply& err) { onTransferReply(err); };
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

void CSimPlayer::onTransferReply(const Reply& reply) {
    if (!isError(reply.code)) {
        // A standard FTP server says "226" when it is done; the end still comes with the close.
        m_handler = [this](const Reply& r) { onTransferReply(r); };
        return;
    }
    m_transferError = reply.text();
    if (m_data) m_data->abort();
    finishTransfer();
}

// --- data connection -----------------------------------------------------------------------

void CSimPlayer::openData(std::function<void()> then) {
    m_opened = m_dataClosed = m_finishing = m_uploading = false;
    m_transferError.clear();
    if (m_config.passive) {
        send(QStringLiteral("PASV"));
        expect([this, then](const Reply& r) {
            static const QRegularExpression numbers(
                QStringLiteral("\\((\\d+),(\\d+),(\\d+),(\\d+),(\\d+),(\\d+)\\)\\.?$"));
            const auto m = numbers.match(r.text());
            if (r.code != kReplyPassive || !m.hasMatch() ||
                (!m_config.plainFtp && !r.text().startsWith(QLatin1String(kPassiveReplyPrefix)))) {
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
        if (m_discard) {
            m_current.bytes += socket->skip(socket->bytesAvailable());
        } else {
            const QByteArray chunk = socket->readAll();
            m_current.bytes += chunk.size();
            m_current.data += chunk;
        }
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
    if (m_data && m_data->bytesAvailable() > 0) {
        const QByteArray rest = m_data->readAll();
        m_current.bytes += rest.size();
        if (!m_discard) m_current.data += rest;
    }
    m_dataClosed = true;
    if (m_opened) finishTransfer();
}

void CSimPlayer::startUpload() {
    m_uploading = true;
    if (!m_data || m_data->state() != QAbstractSocket::ConnectedState) return;  // on connect
    m_uploading = false;
    m_current.data = m_upload;
    m_current.bytes = m_upload.size();
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
    const SimStep& step = m_step;
    const QString remote = expand(step.remote);
    if (step.kind == SimStep::Kind::List || step.kind == SimStep::Kind::Nlst) {
        for (const QByteArray& l : m_current.data.split('\n')) {
            const QByteArray line = l.endsWith('\r') ? l.chopped(1) : l;
            if (!line.isEmpty()) say(QStringLiteral("| ") + QString::fromUtf8(line));
        }
    }
    if (step.kind == SimStep::Kind::Retr) {
        say(QStringLiteral(": RETR %1: %2 bytes").arg(remote).arg(m_current.bytes));
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
                .arg(m_current.bytes));

    if (step.kind == SimStep::Kind::Retr) {
        // The size on the console tells whether the whole file came through. (Uploads are not
        // checked this way: the console may answer before it has seen the end of the data.)
        const qint64 got = m_current.bytes;
        const qint64 rest = step.rest;
        sync(QStringLiteral("SIZE ") + remote, [got, rest](const Reply& r, QString* error) {
            if (r.code != kReplySize) {
                if (!isError(r.code)) return false;  // a standard server's 226 comes first
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
    sync(QStringLiteral("NOOP"), [this](const Reply& r, QString* error) {
        if (m_config.plainFtp ? r.code == 200 : r.text() == QLatin1String(kNoopReply)) return true;
        if (!isError(r.code)) return false;
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
    if (e.isEmpty() && m_step.kind == SimStep::Kind::Retr)
        fileFetched(expand(m_step.remote), m_current.data, m_current.bytes);
    stepDone(e.isEmpty(), e);
}

// --- answers to operator commands ----------------------------------------------------------

void CSimPlayer::answer(int code, const QString& line) {
    auto step = [](SimStep s, const QString& onFailure = {}) {
        Pending p;
        p.step = std::move(s);
        p.onFailure = onFailure;
        return p;
    };
    const SimStep hold = kindStep(SimStep::Kind::Hold);
    auto status = [&](int n) { return std::vector<Pending>{step(sendStep(QStringLiteral("STATUS %1").arg(n))), step(hold)}; };
    std::vector<Pending> steps;
    auto add = [&](std::vector<Pending> more) { steps.insert(steps.end(), more.begin(), more.end()); };
    switch (code) {
    case 603:  // send playlist
    case 639:  // Auto Command(S1-S3): fetch, then play
        add(status(24));
        steps.push_back(step(kindStep(SimStep::Kind::Retr, QStringLiteral("playlist.mpl")),
                             QStringLiteral("STATUS 20")));
        add(status(18));
        steps.push_back(step(kindStep(SimStep::Kind::FetchMedia), QStringLiteral("STATUS 13")));
        add(status(23));
        steps.push_back(step(commandStep(QStringLiteral("ICS_DOWNLOAD_DONE"))));
        add(status(21));
        break;
    case 604:  // start play
        add(status(21));
        break;
    case 605:  // stop
        add(status(12));
        break;
    case 602:  // get client status
    case 618:  // check the status
        add(status(14));
        break;
    case 606:
        steps.push_back(step(sendStep(
            QStringLiteral("ICS_GET_STORAGE_INFO_DONE Total:1048576KB Used:%1KB Files:%2")
                .arg((std::accumulate(m_storage.cbegin(), m_storage.cend(), qint64(0)) + 1023) / 1024)
                .arg(m_storage.size()))));
        break;
    case 607: {
        SimStep up = kindStep(SimStep::Kind::Stor, QStringLiteral("filereport_{mac}.zeb"));
        up.content = SimStep::Content::FileReport;
        steps.push_back(step(up));
        steps.push_back(step(commandStep(QStringLiteral("ICS_GET_STORAGE_FILE_INFO_DONE 0"))));
        break;
    }
    case 637: {
        SimStep up = kindStep(SimStep::Kind::Stor, QStringLiteral("playlist_{mac}.zeb"));
        up.content = SimStep::Content::PlaylistReport;
        steps.push_back(step(up));
        steps.push_back(step(commandStep(QStringLiteral("ICS_GET_PLAYLIST_DONE 0"))));
        break;
    }
    case 636:
        steps.push_back(step(kindStep(SimStep::Kind::PlayReport)));
        steps.push_back(step(commandStep(QStringLiteral("ICS_GET_PREPORT_DONE 0"))));
        break;
    case 610:
        steps.push_back(step(kindStep(SimStep::Kind::Reboot)));
        break;
    case 640:
        shutdown();
        return;
    case 643: {
        const QString mac = line.mid(4).trimmed();
        if (isMacText(mac)) {
            m_config.mac = mac.toUpper();
            say(QStringLiteral(": MAC address now %1").arg(m_config.mac));
        } else {
            say(QStringLiteral("! not a MAC address: %1").arg(mac));
        }
        return;
    }
    default:
        return;  // nothing a simulated player does (volume, video, keys ...)
    }
    queue(line, std::move(steps));
}

void CSimPlayer::queue(const QString& trigger, std::vector<Pending> steps) {
    const int id = ++m_answerCount;
    for (Pending& p : steps) {
        p.answer = id;
        p.trigger = trigger;
        m_pending.push_back(std::move(p));
    }
    wake();
}

// An answer starts at once when the player only stays; otherwise after the running step.
void CSimPlayer::wake() {
    if (!m_staying || m_inAnswer || !m_stayTimer.isActive()) return;
    m_stayTimer.stop();
    QTimer::singleShot(0, this, &CSimPlayer::nextStep);
}

void CSimPlayer::release() {
    if (!m_holding) return;
    m_holding = false;
    stepDone(true);
}

void CSimPlayer::stopHolding() {
    m_config.holdAfterStatus = false;
    release();
}

// 640: the console ends the connection after the line; the player is off.
void CSimPlayer::shutdown() {
    say(QStringLiteral(": shutting down"));
    m_ok = m_failure.isEmpty();
    m_quitting = true;
    m_alive.stop();
    m_control->disconnectFromHost();
    if (m_control->state() == QAbstractSocket::UnconnectedState) finish(m_ok);
}

// 610: a new connection and login after a pause; what was queued is forgotten, a stay goes on.
void CSimPlayer::restart() {
    if (m_finished) return;
    m_restarting = false;
    m_loggedIn = false;
    m_alive.stop();
    m_timeout.stop();
    m_stayTimer.stop();
    m_handler = nullptr;
    m_replySink = nullptr;
    m_inAnswer = false;
    m_holding = false;
    m_pending.clear();
    m_aliveSent.clear();
    m_buffer.clear();
    m_multi = Reply();
    closeData();
    if (m_control) {
        m_control->disconnect(this);
        m_control->abort();
        m_control->deleteLater();
        m_control = nullptr;
    }
    ++m_restarts;
    QTimer::singleShot(m_config.restartMs, this, [this] {
        if (!m_finished) start();
    });
}

void CSimPlayer::fileFetched(const QString& remote, const QByteArray& data, qint64 bytes) {
    const QString name = fileNameOf(remote);
    m_storage[name] = bytes;
    if (isPlaylistName(remote) && !m_config.plainFtp) {
        m_playlist = data;
        m_media = playlistMediaNames(data);
    }
}

// One line per stored file: name, kind and size separated by TAB.
QByteArray CSimPlayer::fileReport() const {
    QByteArray out;
    for (auto it = m_storage.cbegin(); it != m_storage.cend(); ++it)
        out += it.key().toUtf8() + "\tFile\t" + QByteArray::number(it.value()) + "\r\n";
    return out;
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
        if (r.code != kReplyGreeting && !(m_config.plainFtp && r.code == 221)) {
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
    m_stayTimer.stop();
    m_handler = nullptr;
    m_replySink = nullptr;
    m_holding = false;
    closeData();
    if (m_control) {
        m_control->disconnect(this);
        m_control->abort();
    }
    Q_EMIT finished(m_ok);
}

}  // namespace lum::sim
