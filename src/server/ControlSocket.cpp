#include "server/ControlSocket.h"

#include "core/Codepage.h"
#include "core/LogSink.h"
#include "core/TsanAnnotations.h"
#include "server/CommandTable.h"
#include "server/ConnectThread.h"
#include "server/ControlServer.h"
#include "server/DataSocket.h"
#include "server/ServerTexts.h"

#include <QDateTime>

#include <algorithm>

#include <poll.h>
#include <sys/socket.h>
#include <cerrno>

namespace lum {

namespace {

// Replies that are logged only at LOGLEVEL 2.
bool isQuiet(const QString& reply) {
    static const char* const kQuiet[] = {"150", "227", "213", "226", "200",
                                         "550", "220", "125", "647", "607"};
    const QString head = reply.left(3);
    for (const char* q : kQuiet) {
        if (head == QLatin1String(q)) return true;
    }
    return false;
}

}  // namespace

CControlSocket::CControlSocket(CConnectThread* thread)
    : thread_(thread), config_(std::make_unique<ServerConfig>(thread->Server()->Config())) {
    resolver_.setProgramFolder(config_->programFolder);
    connect(this, &QTcpSocket::readyRead, this, &CControlSocket::onReadyRead);
    connect(this, &QTcpSocket::disconnected, this, &CControlSocket::onPeerClosed);
    connect(&timer_, &QTimer::timeout, this, &CControlSocket::onTimer);
    clock_.start();
}

CControlSocket::~CControlSocket() {
    timer_.stop();
    disconnect(this, nullptr, this, nullptr);
    CloseDataConnection(true);
    for (CDataSocket* d : draining_) delete d;
    closeGracefully();
}

void CControlSocket::closeGracefully() {
    if (state() == QAbstractSocket::ConnectedState) {
        if (bytesToWrite() > 0) waitForBytesWritten(1000);
        const int fd = static_cast<int>(socketDescriptor());
        if (fd >= 0) {
            // Our side is done; read what the player still sends so that closing does not
            // reset the connection before it has read our last reply.
            ::shutdown(fd, SHUT_WR);
            char sink[4096];
            for (int i = 0; i < 20; ++i) {
                const ssize_t n = ::recv(fd, sink, sizeof sink, MSG_DONTWAIT);
                if (n == 0) break;
                if (n < 0) {
                    if (errno != EAGAIN && errno != EWOULDBLOCK) break;
                    pollfd p{fd, POLLIN, 0};
                    if (::poll(&p, 1, 10) <= 0) break;
                }
            }
        }
    }
    abort();
}

const ServerConfig& CControlSocket::Config() const { return *config_; }

bool CControlSocket::Admit(bool tooManyUsers) {
    CControlServer* server = thread_->Server();
    if (state() != QAbstractSocket::ConnectedState) return false;
    if (tooManyUsers) {
        SendReply(QString::fromLatin1(server_texts::kTooManyUsers));
        return false;
    }
    if (!server->IsAddressAllowed(thread_->PeerAddress())) {
        SendReply(QString::fromLatin1(server_texts::kIpRejected));
        return false;
    }
    SendReply(QString::fromLatin1(server_texts::kGreeting).arg(config_->welcome));
    loginDeadlineMs_ = clock_.elapsed() + config_->loginTimeoutMs;
    // Check often enough for shortened timeouts; once a second otherwise.
    const int shortest = std::min(config_->idleTimeoutMs, config_->loginTimeoutMs);
    timer_.start(std::clamp(shortest / 4, 10, 1000));
    return true;
}

void CControlSocket::LogConnection(LogType type, const QString& text) {
    thread_->Server()->Log(type, macText_, QStringLiteral("[%1] %2").arg(userName_, text));
}

void CControlSocket::EndConnection() {
    if (ending_) return;
    ending_ = true;
    timer_.stop();
    // A player may close its data connection and send QUIT at once: the end of its upload can
    // still be unread then. The connection ends once every upload is complete.
    CloseDataConnection();
    if (draining_.empty()) thread_->RequestQuit();
}

void CControlSocket::uploadDrained(CDataSocket* data) {
    // Called from the data socket's own handler: deleted from the event loop.
    QMetaObject::invokeMethod(
        this,
        [this, data] {
            const auto it = std::find(draining_.begin(), draining_.end(), data);
            if (it == draining_.end()) return;
            draining_.erase(it);
            delete data;
            if (ending_ && draining_.empty()) thread_->RequestQuit();
        },
        Qt::QueuedConnection);
}

bool CControlSocket::isDead() {
    if (state() != QAbstractSocket::ConnectedState) return true;
    const int fd = static_cast<int>(socketDescriptor());
    if (fd < 0) return true;
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0) {
        char c;
        const ssize_t n = ::recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n == 0) return true;
        if (n < 0 && (errno == ECONNRESET || errno == ECONNABORTED || errno == ENOTCONN ||
                      errno == ENETRESET || errno == EINVAL))
            return true;
    }
    return false;
}

bool CControlSocket::SendReply(const QString& text) {
    if (isDead()) {
        LogConnection(LogType::FromPlayer, QString::fromLatin1(server_texts::kReplyFailed));
        EndConnection();  // first, so that closing is not taken for the player's close
        abort();
        return false;
    }
    const QByteArray bytes = toAnsi(text) + "\r\n";
    if (write(bytes) != bytes.size()) {
        EndConnection();
        abort();
        LogConnection(LogType::FromPlayer, QString::fromLatin1(server_texts::kReplyFailed));
        return false;
    }
    flush();
    if (text.compare(QLatin1String(server_texts::kAliveAck), Qt::CaseInsensitive) != 0) {
        if (!isQuiet(text) || thread_->Server()->LogLevel() == 2)
            LogConnection(LogType::SentToPlayer, text);
    }
    thread_->CountSent(bytes.size());
    return true;
}

void CControlSocket::onReadyRead() {
    while (!ending_ && bytesAvailable() > 0) {
        QByteArray chunk = read(kMaxLine);
        if (chunk.isEmpty()) break;
        thread_->CountReceived(chunk.size());
        const int nul = chunk.indexOf('\0');
        if (nul >= 0) chunk.truncate(nul);
        receiveBuffer_ += chunk;
        processBuffer();
    }
}

void CControlSocket::processBuffer() {
    while (!ending_) {
        const int end = receiveBuffer_.indexOf("\r\n");
        if (end < 0) {
            // No line end within the limit: the line is too long whatever follows.
            if (receiveBuffer_.size() >= kMaxLine) {
                receiveBuffer_.clear();
                SendReply(QString::fromLatin1(server_texts::kLineTooLong));
                EndConnection();
            }
            return;
        }
        if (end + 2 > kMaxLine) {
            receiveBuffer_.clear();
            SendReply(QString::fromLatin1(server_texts::kLineTooLong));
            EndConnection();
            return;
        }
        const QByteArray line = receiveBuffer_.left(end);
        receiveBuffer_.remove(0, end + 2);
        if (line.isEmpty()) continue;
        commandQueue_.append(line);
        Dispatch();
    }
}

void CControlSocket::onPeerClosed() {
    // The player closed the control connection.
    if (ending_) return;
    abort();
    QMetaObject::invokeMethod(this, [this] { OnThreadCommand(CommandIndex::EndConnection); },
                              Qt::QueuedConnection);
}

void CControlSocket::onTimer() {
    if (ending_) return;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool idle = thread_->LastActivityMs() + config_->idleTimeoutMs < now;
    const bool loginLate = status_ == AwaitingLogin && loginDeadlineMs_ >= 0 &&
                           clock_.elapsed() > loginDeadlineMs_;
    if (idle || loginLate) {
        SendReply(QString::fromLatin1(server_texts::kControlTimedOut));
        EndConnection();
    }
}

void CControlSocket::OnThreadCommand(CommandIndex index, const OperatorCommandArgs& args) {
    if (ending_) return;
    const OperatorCommand cmd = buildOperatorCommand(index, args);
    switch (cmd.action) {
    case OperatorAction::Ignore: return;
    case OperatorAction::CloseData: CloseDataConnection(true); return;
    case OperatorAction::EndConnection: EndConnection(); return;
    case OperatorAction::SendLine:
    case OperatorAction::SendLineThenEnd:
        if (SendReply(cmd.line) && cmd.action == OperatorAction::SendLineThenEnd) EndConnection();
        return;
    }
}

void CControlSocket::PostCloseData(quint64 generation, bool abortUpload) {
    QMetaObject::invokeMethod(
        this,
        handOff([this, generation, abortUpload] {
            if (generation == dataGeneration_) CloseDataConnection(abortUpload);
        }),
        Qt::QueuedConnection);
}

}  // namespace lum
