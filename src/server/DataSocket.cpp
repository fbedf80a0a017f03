#include "server/DataSocket.h"

#include "server/ConnectThread.h"
#include "server/ControlServer.h"
#include "server/ControlSocket.h"
#include "server/ServerTexts.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace lum {

CDataSocket::CDataSocket(CControlSocket* owner, quint64 generation)
    : owner_(owner), generation_(generation) {
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &CDataSocket::sendNext);
    drain_.setSingleShot(true);
    // A player that stopped sending is taken to have finished: keep what arrived.
    connect(&drain_, &QTimer::timeout, this, &CDataSocket::onClosed);
}

CDataSocket::~CDataSocket() {
    pause_.stop();
    idle_.stop();
    drain_.stop();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
    file_.close();
}

bool CDataSocket::Listen(quint32 first, quint32 count, int idleMs) {
    std::vector<quint16> ports;
    for (quint32 i = 0; i < count && first + i <= 65535; ++i)
        ports.push_back(static_cast<quint16>(first + i));
    // Each port at most once, in random order.
    std::shuffle(ports.begin(), ports.end(), *QRandomGenerator::global());
    for (quint16 port : ports) {
        auto* server = new QTcpServer(this);
        if (server->listen(QHostAddress::AnyIPv4, port)) {
            listener_ = server;
            connect(listener_, &QTcpServer::newConnection, this, &CDataSocket::onNewConnection);
            idle_.setSingleShot(true);
            connect(&idle_, &QTimer::timeout, this, [this] {
                if (connected_ || !listener_) return;
                listener_->close();
                listener_->deleteLater();
                listener_ = nullptr;
            });
            idle_.start(idleMs);
            return true;
        }
        delete server;
    }
    return false;
}

quint16 CDataSocket::ListenPort() const { return listener_ ? listener_->serverPort() : 0; }

void CDataSocket::onNewConnection() {
    while (listener_ && listener_->hasPendingConnections()) {
        QTcpSocket* s = listener_->nextPendingConnection();
        if (!connected_ &&
            s->peerAddress().isEqual(peer_, QHostAddress::ConvertV4MappedToIPv4)) {
            adopt(s);
        } else {
            // Only the player itself may connect; the listener keeps waiting.
            s->abort();
            s->deleteLater();
        }
    }
    if (connected_ && listener_) {
        listener_->close();
        listener_->deleteLater();
        listener_ = nullptr;
    }
}

bool CDataSocket::WaitForAccept(const QHostAddress& peer, int timeoutMs) {
    peer_ = peer;
    QDeadlineTimer deadline(timeoutMs);
    onNewConnection();
    while (!connected_ && listener_) {
        if (deadline.hasExpired() || QThread::currentThread()->isInterruptionRequested())
            return false;
        listener_->waitForNewConnection(
            static_cast<int>(std::min<qint64>(50, std::max<qint64>(1, deadline.remainingTime()))));
        onNewConnection();
    }
    return connected_;
}

int CDataSocket::Connect(const QString& host, quint16 port, int timeoutMs) {
    auto* s = new QTcpSocket(this);
    s->connectToHost(QHostAddress(host), port);
    if (!s->waitForConnected(timeoutMs)) {
        const bool timedOut = s->error() == QAbstractSocket::SocketTimeoutError;
        delete s;
        return timedOut ? 2 : 1;
    }
    adopt(s);
    return 0;
}

void CDataSocket::adopt(QTcpSocket* socket) {
    socket_ = socket;
    socket_->setParent(this);
    connected_ = true;
    connect(socket_, &QTcpSocket::bytesWritten, this, &CDataSocket::onBytesWritten);
    connect(socket_, &QTcpSocket::readyRead, this, &CDataSocket::onReadyRead);
    connect(socket_, &QTcpSocket::disconnected, this, &CDataSocket::onClosed);
    connect(socket_, &QTcpSocket::errorOccurred, this, &CDataSocket::onError);
}

void CDataSocket::SendList(const QByteArray& listing) {
    mode_ = Mode::List;
    listing_ = listing;
    total_ = listing.size();
    position_ = 0;
    sendNext();
}

void CDataSocket::SendFile(const QString& localPath, quint32 restartOffset, int pauseMs) {
    pauseMs_ = pauseMs;
    file_.setFileName(localPath);
    if (!file_.open(QIODevice::ReadOnly)) {
        done_ = true;
        owner_->SetStatus(Idle);
        owner_->SendReply(QString::fromLatin1(server_texts::kListAborted));
        owner_->PostCloseData(generation_);
        return;
    }
    mode_ = Mode::File;
    total_ = file_.size();
    position_ = restartOffset < total_ ? restartOffset : 0;
    sendNext();
}

void CDataSocket::sendNext() {
    if (done_ || !socket_) return;
    if (position_ >= total_) {
        finishSend(mode_ == Mode::File);
        return;
    }
    QByteArray piece;
    if (mode_ == Mode::List) {
        piece = listing_.mid(position_, kPiece);
    } else {
        if (!file_.seek(position_)) piece.clear();
        else piece = file_.read(kPiece);
    }
    const qint64 n = piece.isEmpty() ? -1 : socket_->write(piece);
    if (n <= 0) {
        onError();
        return;
    }
    position_ += n;
    inFlight_ = n;
}

void CDataSocket::onBytesWritten(qint64 n) {
    owner_->Thread()->CountSent(n);
    inFlight_ -= n;
    if (inFlight_ > 0 || socket_->bytesToWrite() > 0 || done_) return;
    if (position_ >= total_) {
        finishSend(mode_ == Mode::File);
    } else if (mode_ == Mode::File && pauseMs_ > 0) {
        pause_.start(pauseMs_);
    } else {
        sendNext();
    }
}

void CDataSocket::finishSend(bool file) {
    done_ = true;
    file_.close();
    closeSocket();
    owner_->SetStatus(Idle);
    owner_->PostCloseData(generation_);
    if (file) owner_->Thread()->ReportOutcome(CControlServer::kFileSent);
}

void CDataSocket::closeSocket() {
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->disconnectFromHost();
}

void CDataSocket::ReceiveFile(const QString& localPath, quint32 restartOffset) {
    // A final symbolic link is not followed: it could point anywhere.
    const int fd = ::open(QFile::encodeName(localPath).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 || !file_.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0 && !file_.isOpen()) ::close(fd);
        done_ = true;
        owner_->SetStatus(Idle);
        owner_->SendReply(QString::fromLatin1(server_texts::kCantAccessFile));
        owner_->PostCloseData(generation_);
        owner_->Thread()->ReportOutcome(CControlServer::kReceiveAborted);
        return;
    }
    file_.resize(restartOffset);
    file_.seek(file_.size());
    mode_ = Mode::Receive;
    // What arrived before the command, and a player that has already finished.
    onReadyRead();
    if (socket_ && socket_->state() == QAbstractSocket::UnconnectedState) onClosed();
}

bool CDataSocket::FinishUpload(std::function<void()> done) {
    if (mode_ != Mode::Receive || done_ || !socket_) return false;
    detached_ = true;
    drained_ = std::move(done);
    drain_.start(kDrainIdleMs);
    onReadyRead();
    // A player that has already closed: finished from the event loop, after the caller has
    // taken note of this socket.
    if (socket_ && socket_->state() == QAbstractSocket::UnconnectedState)
        QMetaObject::invokeMethod(this, &CDataSocket::onClosed, Qt::QueuedConnection);
    return true;
}

void CDataSocket::onReadyRead() {
    if (mode_ != Mode::Receive || !file_.isOpen() || !socket_) return;
    if (drain_.isActive()) drain_.start(kDrainIdleMs);
    while (socket_->bytesAvailable() > 0) {
        const QByteArray data = socket_->read(kPiece);
        if (data.isEmpty()) break;
        owner_->Thread()->CountReceived(data.size());
        file_.write(data);  // a failed write is not fatal to the transfer
    }
}

void CDataSocket::onClosed() {
    if (done_) return;
    done_ = true;
    pause_.stop();
    drain_.stop();
    if (mode_ == Mode::Receive) {
        onReadyRead();
        file_.close();
        closeSocket();
        // A let-go upload is no longer the connection's data socket: nothing to close there.
        if (!detached_) owner_->PostCloseData(generation_);
        owner_->Thread()->ReportOutcome(CControlServer::kFileReceived);
    } else {
        file_.close();
        closeSocket();
        owner_->SendReply(QString::fromLatin1(server_texts::kDataSocketClosed));
        owner_->PostCloseData(generation_);
        owner_->Thread()->ReportOutcome(CControlServer::kReceiveAborted);
    }
    if (!detached_) owner_->SetStatus(Idle);
    connected_ = false;
    if (drained_) std::exchange(drained_, {})();
}

void CDataSocket::onError() {
    if (done_) return;
    if (socket_ && socket_->error() == QAbstractSocket::RemoteHostClosedError) {
        onClosed();
        return;
    }
    done_ = true;
    pause_.stop();
    drain_.stop();
    file_.close();
    closeSocket();
    if (detached_) {
        // A let-go upload that broke off: counted, never answered on the control connection.
        owner_->Thread()->ReportOutcome(CControlServer::kReceiveAborted);
        connected_ = false;
        if (drained_) std::exchange(drained_, {})();
        return;
    }
    owner_->SetStatus(Idle);
    switch (mode_) {
    case Mode::List:
        owner_->SendReply(QString::fromLatin1(server_texts::kListAborted));
        break;
    case Mode::File:
        owner_->SendReply(QString::fromLatin1(server_texts::kDataAborted));
        owner_->Thread()->ReportOutcome(CControlServer::kSendAborted);
        break;
    case Mode::Receive:
        owner_->SendReply(QString::fromLatin1(server_texts::kDataAborted));
        owner_->Thread()->ReportOutcome(CControlServer::kReceiveAborted);
        break;
    case Mode::None:
        owner_->SendReply(QString::fromLatin1(server_texts::kDataSocketClosed));
        owner_->Thread()->ReportOutcome(CControlServer::kReceiveAborted);
        break;
    }
    owner_->PostCloseData(generation_);
    connected_ = false;
    if (drained_) std::exchange(drained_, {})();
}

}  // namespace lum
