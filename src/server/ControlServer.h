#pragma once
// The control server: owns the listening socket and the connection threads, counts
// connections and transfers, and forwards what the operator must see to the log.
//
// Lives on the main thread. Connection threads reach it through blocking queued calls
// (connect and disconnect), queued calls (transfer events) and the connection-list lock.

#include "core/LogSink.h"
#include "server/OperatorCommand.h"
#include "server/ServerInterfaces.h"

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QVariant>

#include <atomic>
#include <deque>
#include <map>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace lum {

class ILogSink;
class CAppSettings;
class CConnectThread;
class CControlServer;
class CDiscoverySocket;

// Hands each accepted descriptor to a new connection thread.
class CListenSocket : public QTcpServer {
    Q_OBJECT
public:
    explicit CListenSocket(CControlServer* server);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    CControlServer* server_;
};

// What connection threads read while they run (copied under the settings lock). Password check,
// automatic registration, log level, passive range and MAC hand-out are read when used, from
// the attached settings when there are any (see ApplySettings).
struct ServerConfig {
    int maxUsers = 10;
    // Nothing in config.ini sets them: the greeting is "220 " and the goodbye "220 ".
    QString welcome;
    QString goodbye;
    bool passwordCheck = false;
    bool autoRegister = true;
    int maxPerAddress = 20;        // connections held at once, new names per registration window
    int registrationWindowMs = 60000;
    int passiveIdleMs = 30000;     // a passive listener nobody connects to closes after this
    int logLevel = 0;
    quint32 passiveStart = 5022;
    quint32 passiveCount = 10;
    QString programFolder;
    int idleTimeoutMs = 120000;
    int loginTimeoutMs = 60000;
    int sendPauseMs = 5;
    int dataConnectTimeoutMs = 15000;
    MacRange macRange;
};

class CControlServer : public QObject {
    Q_OBJECT
public:
    // Transfer outcomes (WM_TRANSFER_EVENT wParam 2).
    enum Outcome { kFileSent = 2, kFileReceived = 3, kSendAborted = 4, kReceiveAborted = 5 };
    enum TransferKind { kBytesSent = 0, kBytesReceived = 1, kOutcome = 2 };

    CControlServer(IPlayerAccounts* accounts, ILogSink* log, QObject* parent = nullptr);
    ~CControlServer() override;

    // Settings, applied at the next Start (the texts and limits also to running connections).
    void SetPort(int port);
    void SetMaxUsers(int maxUsers);
    void SetFilterMode(int mode);
    void SetFilterList(const QString& list);
    // The values below are read when used; without attached settings these give them.
    void SetPasswordCheck(bool on);
    void SetAutoRegister(bool on);
    void SetLogLevel(int level);
    void SetPassiveRange(quint32 start, quint32 count);
    void SetProgramFolder(const QString& folder);
    void SetMacRange(const MacRange& range);
    // How many connections one source address may hold, and how many new names it may register
    // per registration window.
    void SetMaxPerAddress(int count);
    // Whether the ticker service is on (then "autorss.txt" is served); called on connection
    // threads, so it must be thread-safe. Set before Start.
    void SetRssActive(std::function<bool()> query) { rssActive_ = std::move(query); }
    void SetObserver(IServerObserver* observer) { observer_ = observer; }
    // Timing parameters; tests shorten them.
    void SetIdleTimeout(int ms);
    void SetLoginTimeout(int ms);
    void SetSendPause(int ms);
    void SetDataConnectTimeout(int ms);
    void SetPassiveIdleTimeout(int ms);
    void SetRegistrationWindow(int ms);
    void SetStopWait(int ms) { stopWaitMs_ = ms; }

    // What the application's start copies from the settings: port, maximum users and the share
    // of one address, welcome and goodbye texts, the IP filter. The values connections read when
    // they use them (password check, automatic registration, log level, passive range, MAC
    // hand-out) are read from `settings` from now on, so a change applies to the next login,
    // reply, PASV or MAC report; `settings` must outlive the server.
    void ApplySettings(const CAppSettings& settings);
    bool Start();
    // Why the last Start could not listen (empty after a successful start).
    QString ListenError() const { return listenError_; }
    void Stop();
    // Ends the one connection with that id; any thread.
    void StopConnection(quint32 connectionId);
    // Queues an operator command on a connection's thread; false when it no longer runs.
    bool PostThreadCommand(quint32 connectionId, CommandIndex index,
                           const OperatorCommandArgs& args = {});
    // Set once a download command (index 11) went out to a player.

    bool IsRunning() const { return running_; }
    bool IsTooManyUsers() const;
    // Connections from `peer` now, this one included when it is already counted.
    int ConnectionsFrom(const QString& peer) const;
    bool IsAddressAllowed(const QString& peerAddress) const;
    void Log(LogType type, const QString& column, const QString& text) const;

    // The discovery responder on the control port while running (else null).
    CDiscoverySocket* Discovery() const { return discovery_; }
    // The port actually listened on (the configured one, or the one the system chose for 0).
    quint16 ListeningPort() const;
    int Port() const { return port_; }

    ServerConfig Config() const;
    // The values read when used.
    bool PasswordCheck() const;
    bool AutoRegister() const;
    int LogLevel() const;
    MacRange MacHandout() const;
    std::pair<quint32, quint32> PassiveRange() const;  // first port, count
    // Counts a new name registered from `peer`; false (nothing counted) when the address has
    // registered its share within the registration window. Any thread.
    bool AllowRegistration(const QString& peer);
    IPlayerAccounts* Accounts() const { return accounts_; }
    IServerObserver* Observer() const { return observer_; }
    bool RssActive() const { return rssActive_ && rssActive_(); }

    // Counters.
    quint32 TotalBytesReceived() const { return bytesReceived_; }
    quint32 TotalBytesSent() const { return bytesSent_; }
    // The same without the 32-bit wrap, for monitoring (a counter must not run backwards).
    quint64 TotalBytesReceived64() const { return bytesReceived64_; }
    quint64 TotalBytesSent64() const { return bytesSent64_; }
    int CurrentConnections() const { return currentConnections_; }
    int TotalConnections() const { return totalConnections_; }
    int FilesSent() const { return filesSent_; }
    int FilesReceived() const { return filesReceived_; }
    int SendsAborted() const { return sendsAborted_; }
    int ReceivesAborted() const { return receivesAborted_; }
    // Connection ids in order of acceptance.
    std::vector<quint32> ConnectionIds() const;

    // Called by connection threads.
    // Blocks until the main thread counted the connection; true when the count, this
    // connection included, is above the maximum (decided at the count, so that connections
    // arriving together are not refused for each other).
    bool ClientConnected(CConnectThread* thread);
    void ClientDisconnected(CConnectThread* thread);  // blocks likewise
    void TransferEvent(int kind, quint32 value);      // any thread (atomic counters)
    void RemoveConnection(CConnectThread* thread);    // under the list lock

private:
    friend class CListenSocket;
    void Accept(qintptr descriptor);
    bool onClientConnected(CConnectThread* thread);
    void onClientDisconnected(CConnectThread* thread);
    void onTransferEvent(int kind, quint32 value);
    void reapFinished();
    void finishEndingThreads();
    // Waits for the thread in short slices while serving the main thread's events; each served
    // event starts the wait anew. False when it did not end within the wait.
    bool waitForThread(const std::shared_ptr<CConnectThread>& thread);
    void callOnMainThread(const std::function<void()>& fn);

    IPlayerAccounts* accounts_;
    ILogSink* log_;
    IServerObserver* observer_ = nullptr;

    mutable std::mutex listLock_;
    std::vector<std::shared_ptr<CConnectThread>> connections_;  // live, in order of acceptance
    std::vector<std::shared_ptr<CConnectThread>> owned_;        // main thread: until reaped

    CListenSocket* listener_ = nullptr;
    CDiscoverySocket* discovery_ = nullptr;
    int port_ = 5021;
    mutable std::mutex configLock_;
    ServerConfig config_;
    const CAppSettings* settings_ = nullptr;  // read when used, when attached
    std::mutex registrationLock_;
    std::map<QString, std::deque<qint64>> registrations_;  // by address: times in ms
    int filterMode_ = 0;
    QString filterList_;
    std::function<bool()> rssActive_;
    int stopWaitMs_ = 5000;
    QString listenError_;

    std::atomic<bool> running_{false};
    std::atomic<quint32> bytesReceived_{0};
    std::atomic<quint32> bytesSent_{0};
    std::atomic<quint64> bytesReceived64_{0};
    std::atomic<quint64> bytesSent64_{0};
    std::atomic<int> currentConnections_{0};
    std::atomic<int> totalConnections_{0};
    std::atomic<int> filesSent_{0}, filesReceived_{0}, sendsAborted_{0}, receivesAborted_{0};
    std::atomic<quint32> nextConnectionId_{1};
    std::atomic<int> servedCalls_{0};
};

// The IP filter rule: `list` holds addresses each followed by ";", "*" standing for a whole
// octet. Mode 0 admits everyone, 1 only listed addresses, 2 everyone but listed addresses.
bool ipFilterAllows(int mode, const QString& list, const QString& address);

}  // namespace lum
