#pragma once
// One data connection: a passive listener waiting for the player, or an active connection to
// the player, and the one transfer it serves (a listing, a download or an upload).
//
// Files go out in pieces of 4096 bytes with a short pause after each piece. The pieces are
// driven by the connection thread's event loop, so the player's control connection (ALIVE,
// ABOR, operator commands) stays served during a long download.

#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <functional>

class QTcpServer;
class QTcpSocket;

namespace lum {

class CControlSocket;

class CDataSocket : public QObject {
    Q_OBJECT
public:
    static constexpr int kPiece = 4096;

    CDataSocket(CControlSocket* owner, quint64 generation);
    ~CDataSocket() override;

    // Passive: listen on one of the ports, tried once each in random order. A listener nobody
    // connects to within `idleMs` closes, so that idle players cannot hold the range.
    bool Listen(quint32 first, quint32 count, int idleMs);
    quint16 ListenPort() const;
    // Waits for the player's passive connection (accepting only `peer`), in short slices so
    // that a quitting thread is not held. False on timeout.
    bool WaitForAccept(const QHostAddress& peer, int timeoutMs);
    // Active: connect to the player. 0 connected, 1 refused or failed, 2 timed out.
    int Connect(const QString& host, quint16 port, int timeoutMs);

    bool IsConnected() const { return connected_; }
    void SetPeer(const QHostAddress& peer) { peer_ = peer; }

    // The data connection is let go while an upload still arrives (the player went on to its
    // next command, or is leaving): the rest is read until the player closes the data
    // connection (or kDrainIdleMs pass without data), then `done` runs. From then on the
    // socket no longer answers on the control connection nor changes its status. False, and
    // nothing happens, when no upload is arriving.
    static constexpr int kDrainIdleMs = 10000;
    bool FinishUpload(std::function<void()> done);

    void SendList(const QByteArray& listing);
    void SendFile(const QString& localPath, quint32 restartOffset, int pauseMs);
    void ReceiveFile(const QString& localPath, quint32 restartOffset);

private:
    void onNewConnection();
    void adopt(QTcpSocket* socket);
    void sendNext();
    void onBytesWritten(qint64 n);
    void onReadyRead();
    void onClosed();
    void onError();
    void finishSend(bool file);
    void closeSocket();

    CControlSocket* owner_;
    quint64 generation_;
    QTcpServer* listener_ = nullptr;
    QTcpSocket* socket_ = nullptr;
    QHostAddress peer_;
    bool connected_ = false;
    enum class Mode { None, List, File, Receive } mode_ = Mode::None;
    qint64 position_ = 0;
    qint64 total_ = 0;
    qint64 inFlight_ = 0;  // bytes of the current piece not yet written
    QFile file_;
    QByteArray listing_;
    int pauseMs_ = 5;
    QTimer pause_;
    QTimer idle_;
    QTimer drain_;
    std::function<void()> drained_;
    bool detached_ = false;
    bool done_ = false;
};

}  // namespace lum
