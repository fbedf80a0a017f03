#pragma once
// One player connection: a thread with its own event loop. The control socket is created
// inside the thread from the accepted descriptor, so every socket of the player lives and is
// notified there.

#include "server/OperatorCommand.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QVariant>

#include <atomic>
#include <mutex>

namespace lum {

class CControlServer;
class CControlSocket;

class CConnectThread : public QThread {
    Q_OBJECT
public:
    CConnectThread(CControlServer* server, qintptr descriptor, quint32 id);
    ~CConnectThread() override;

    quint32 ThreadId() const { return id_; }
    CControlServer* Server() const { return server_; }
    QString PeerAddress() const;
    QString MacText() const;
    QString UserName() const;
    void SetMacText(const QString& mac);
    void SetUserName(const QString& name);

    // Ends the event loop (from any thread); a running data-connection wait gives up too.
    void RequestQuit();
    // Queues an operator command on the connection's thread; false when it no longer runs.
    bool PostThreadCommand(CommandIndex index, const OperatorCommandArgs& args);

    // Activity counters, called on the connection's thread.
    void CountSent(qint64 n);
    void CountReceived(qint64 n);
    void ReportOutcome(int outcome);
    qint64 LastActivityMs() const { return lastActivityMs_; }

protected:
    void run() override;

private:
    void InitInstance();
    void ExitInstance();

    CControlServer* server_;
    qintptr descriptor_;
    quint32 id_;
    mutable std::mutex lock_;  // guards the texts and the socket pointer
    QString peer_;
    QString mac_;
    QString user_;
    CControlSocket* socket_ = nullptr;
    std::atomic<qint64> lastActivityMs_;
};

}  // namespace lum
