#include "server/ConnectThread.h"

#include "core/TsanAnnotations.h"
#include "server/ControlServer.h"
#include "server/ControlSocket.h"

#include <QDateTime>

namespace lum {

CConnectThread::CConnectThread(CControlServer* server, qintptr descriptor, quint32 id)
    : server_(server),
      descriptor_(descriptor),
      id_(id),
      lastActivityMs_(QDateTime::currentMSecsSinceEpoch()) {}

CConnectThread::~CConnectThread() {
    RequestQuit();
    wait();
}

QString CConnectThread::PeerAddress() const {
    std::lock_guard g(lock_);
    return peer_;
}
QString CConnectThread::MacText() const {
    std::lock_guard g(lock_);
    return mac_;
}
QString CConnectThread::UserName() const {
    std::lock_guard g(lock_);
    return user_;
}
void CConnectThread::SetMacText(const QString& mac) {
    std::lock_guard g(lock_);
    mac_ = mac;
}
void CConnectThread::SetUserName(const QString& name) {
    std::lock_guard g(lock_);
    user_ = name;
}

void CConnectThread::RequestQuit() {
    requestInterruption();
    quit();
}

bool CConnectThread::PostThreadCommand(CommandIndex index, const OperatorCommandArgs& args) {
    std::lock_guard g(lock_);
    if (!socket_) return false;
    CControlSocket* socket = socket_;
    // Runs between two socket events of the connection, never inside one.
    return QMetaObject::invokeMethod(
        socket, handOff([socket, index, args] { socket->OnThreadCommand(index, args); }),
        Qt::QueuedConnection);
}

void CConnectThread::CountSent(qint64 n) {
    lastActivityMs_ = QDateTime::currentMSecsSinceEpoch();
    server_->TransferEvent(CControlServer::kBytesSent, static_cast<quint32>(n));
}

void CConnectThread::CountReceived(qint64 n) {
    lastActivityMs_ = QDateTime::currentMSecsSinceEpoch();
    server_->TransferEvent(CControlServer::kBytesReceived, static_cast<quint32>(n));
}

void CConnectThread::ReportOutcome(int outcome) {
    server_->TransferEvent(CControlServer::kOutcome, static_cast<quint32>(outcome));
}

void CConnectThread::run() {
    InitInstance();
    exec();
    ExitInstance();
}

void CConnectThread::InitInstance() {
    auto* socket = new CControlSocket(this);
    if (!socket->setSocketDescriptor(descriptor_)) {
        // The descriptor is unusable; the pairing of connect and disconnect still holds.
        std::lock_guard g(lock_);
        socket_ = socket;
    } else {
        std::lock_guard g(lock_);
        peer_ = socket->peerAddress().toString();
        socket_ = socket;
    }
    const bool tooMany = server_->ClientConnected(this);
    if (!socket->Admit(tooMany)) RequestQuit();
}

void CConnectThread::ExitInstance() {
    CControlSocket* socket = nullptr;
    {
        std::lock_guard g(lock_);
        socket = socket_;
        socket_ = nullptr;
    }
    delete socket;  // closes the data connection too
    server_->RemoveConnection(this);
    server_->ClientDisconnected(this);
}

}  // namespace lum
