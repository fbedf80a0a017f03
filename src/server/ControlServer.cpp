#include "server/ControlServer.h"

#include "core/LogSink.h"
#include "core/TsanAnnotations.h"
#include "server/AppSettings.h"
#include "server/ConnectThread.h"
#include "server/DiscoverySocket.h"
#include "server/ServerTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <sys/socket.h>

#include <algorithm>
#include <future>
#include <memory>

namespace lum {

namespace {

// The largest listen backlog the system grants (net.core.somaxconn; SOMAXCONN when it cannot
// be read). Every player reconnecting at once after an outage then waits in the queue instead
// of having its SYN dropped and retried a second later.
int systemListenBacklog() {
    QFile f(QStringLiteral("/proc/sys/net/core/somaxconn"));
    bool ok = false;
    const int value = f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toInt(&ok) : 0;
    return ok && value > 0 ? value : SOMAXCONN;
}

}  // namespace

CListenSocket::CListenSocket(CControlServer* server) : QTcpServer(server), server_(server) {}

void CListenSocket::incomingConnection(qintptr descriptor) { server_->Accept(descriptor); }

CControlServer::CControlServer(IPlayerAccounts* accounts, ILogSink* log, QObject* parent)
    : QObject(parent), accounts_(accounts), log_(log) {}

CControlServer::~CControlServer() {
    Stop();
    // Threads that were ending on their own: none may outlive the server (their disconnect
    // call is served while waiting).
    while (!owned_.empty()) finishEndingThreads();
}

void CControlServer::SetPort(int port) { port_ = port; }
void CControlServer::SetMaxUsers(int maxUsers) {
    std::lock_guard g(configLock_);
    config_.maxUsers = maxUsers;
}
void CControlServer::SetFilterMode(int mode) {
    std::lock_guard g(configLock_);
    filterMode_ = mode;
}
void CControlServer::SetFilterList(const QString& list) {
    std::lock_guard g(configLock_);
    filterList_ = list;
}
void CControlServer::SetPasswordCheck(bool on) {
    std::lock_guard g(configLock_);
    config_.passwordCheck = on;
}
void CControlServer::SetAutoRegister(bool on) {
    std::lock_guard g(configLock_);
    config_.autoRegister = on;
}
void CControlServer::SetMaxPerAddress(int count) {
    std::lock_guard g(configLock_);
    config_.maxPerAddress = std::max(count, 1);
}
void CControlServer::SetPassiveIdleTimeout(int ms) {
    std::lock_guard g(configLock_);
    config_.passiveIdleMs = ms;
}
void CControlServer::SetRegistrationWindow(int ms) {
    std::lock_guard g(configLock_);
    config_.registrationWindowMs = ms;
}
void CControlServer::SetLogLevel(int level) {
    std::lock_guard g(configLock_);
    config_.logLevel = level;
}
void CControlServer::SetPassiveRange(quint32 start, quint32 count) {
    std::lock_guard g(configLock_);
    config_.passiveStart = start;
    config_.passiveCount = std::max<quint32>(count, 1);
}
void CControlServer::SetProgramFolder(const QString& folder) {
    std::lock_guard g(configLock_);
    config_.programFolder = folder;
}
void CControlServer::SetMacRange(const MacRange& range) {
    std::lock_guard g(configLock_);
    config_.macRange = range;
}
void CControlServer::SetIdleTimeout(int ms) {
    std::lock_guard g(configLock_);
    config_.idleTimeoutMs = ms;
}
void CControlServer::SetLoginTimeout(int ms) {
    std::lock_guard g(configLock_);
    config_.loginTimeoutMs = ms;
}
void CControlServer::SetSendPause(int ms) {
    std::lock_guard g(configLock_);
    config_.sendPauseMs = ms;
}
void CControlServer::SetDataConnectTimeout(int ms) {
    std::lock_guard g(configLock_);
    config_.dataConnectTimeoutMs = ms;
}

ServerConfig CControlServer::Config() const {
    std::lock_guard g(configLock_);
    return config_;
}

bool CControlServer::PasswordCheck() const {
    std::lock_guard g(configLock_);
    return settings_ ? settings_->passwordCheck() : config_.passwordCheck;
}

bool CControlServer::AutoRegister() const {
    std::lock_guard g(configLock_);
    return settings_ ? settings_->autoRegister() : config_.autoRegister;
}

int CControlServer::LogLevel() const {
    std::lock_guard g(configLock_);
    return settings_ ? settings_->logLevel() : config_.logLevel;
}

MacRange CControlServer::MacHandout() const {
    std::lock_guard g(configLock_);
    if (!settings_) return config_.macRange;
    MacRange range;
    range.enabled = settings_->enableSetMac();
    range.first = settings_->macRangeMin();
    range.count = settings_->macRangeMax();
    return range;
}

std::pair<quint32, quint32> CControlServer::PassiveRange() const {
    std::lock_guard g(configLock_);
    if (!settings_) return {config_.passiveStart, config_.passiveCount};
    return {settings_->portStart(), std::max<quint32>(settings_->portNum(), 1)};
}

bool CControlServer::AllowRegistration(const QString& peer) {
    int share, windowMs;
    {
        std::lock_guard g(configLock_);
        share = config_.maxPerAddress;
        windowMs = config_.registrationWindowMs;
    }
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    std::lock_guard g(registrationLock_);
    // Forget what left the window, so the table holds only addresses registering now.
    for (auto it = registrations_.begin(); it != registrations_.end();) {
        std::deque<qint64>& times = it->second;
        while (!times.empty() && times.front() <= now - windowMs) times.pop_front();
        it = times.empty() ? registrations_.erase(it) : std::next(it);
    }
    std::deque<qint64>& mine = registrations_[peer];
    if (int(mine.size()) >= share) return false;
    mine.push_back(now);
    return true;
}

void CControlServer::Log(LogType type, const QString& column, const QString& text) const {
    if (log_) log_->addLog(type, column, text);
}

void CControlServer::ApplySettings(const CAppSettings& s) {
    SetPort(s.port());
    SetMaxUsers(s.maxUsers());
    SetMaxPerAddress(s.maxPerAddress());
    SetFilterMode(s.ipFilterMode());
    SetFilterList(s.ipFilterList());
    SetPasswordCheck(s.passwordCheck());
    SetLogLevel(s.logLevel());
    SetPassiveRange(s.portStart(), s.portNum());
    MacRange range;
    range.enabled = s.enableSetMac();
    range.first = s.macRangeMin();
    range.count = s.macRangeMax();
    SetMacRange(range);
    std::lock_guard g(configLock_);
    settings_ = &s;
}

bool CControlServer::Start() {
    if (running_) return false;
    listenError_.clear();
    listener_ = new CListenSocket(this);
    listener_->setMaxPendingConnections(30);
    listener_->setListenBacklogSize(systemListenBacklog());
    bool ok = listener_->listen(QHostAddress::AnyIPv4, static_cast<quint16>(port_));
    if (!ok) {
        listenError_ = listener_->errorString();
    } else {
        // Players find the server by UDP on the same port number.
        discovery_ = new CDiscoverySocket(log_, this);
        ok = discovery_->create(listener_->serverPort());
        if (!ok) listenError_ = QStringLiteral("the UDP port for discovery is in use");
    }
    if (!ok) {
        Log(LogType::SentToPlayer, QString(), QString::fromLatin1(server_texts::kServerListenFailed).arg(port_));
        delete discovery_;
        discovery_ = nullptr;
        delete listener_;
        listener_ = nullptr;
        return false;
    }
    running_ = true;
    Log(LogType::ServerEvent, QString(), QString::fromLatin1(server_texts::kServerStart).arg(listener_->serverPort()));
    return true;
}

quint16 CControlServer::ListeningPort() const { return listener_ ? listener_->serverPort() : 0; }

void CControlServer::Accept(qintptr descriptor) {
    const quint32 id = nextConnectionId_++;
    auto thread = std::make_shared<CConnectThread>(this, descriptor, id);
    {
        std::lock_guard g(listLock_);
        connections_.push_back(thread);
    }
    owned_.push_back(thread);
    // Reaped on the main thread once it has ended.
    connect(thread.get(), &QThread::finished, this, &CControlServer::reapFinished,
            Qt::QueuedConnection);
    thread->start();
}

void CControlServer::reapFinished() {
    for (auto it = owned_.begin(); it != owned_.end();) {
        if ((*it)->isFinished()) {
            (*it)->wait();
            it = owned_.erase(it);
        } else {
            ++it;
        }
    }
}

bool CControlServer::waitForThread(const std::shared_ptr<CConnectThread>& thread) {
    const bool onMain = QThread::currentThread() == this->thread();
    QDeadlineTimer deadline(stopWaitMs_);
    int served = servedCalls_;
    while (!thread->wait(QDeadlineTimer(10))) {
        if (onMain) {
            // Serve the main thread's events (the thread's disconnect call among them).
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (servedCalls_ != served) {
                served = servedCalls_;
                deadline.setRemainingTime(stopWaitMs_);  // each served call starts the wait anew
            }
        }
        if (deadline.hasExpired()) return thread->isFinished();
    }
    return true;
}

void CControlServer::Stop() {
    if (!running_) return;
    running_ = false;
    if (discovery_) {
        discovery_->close();
        delete discovery_;
        discovery_ = nullptr;
    }
    if (listener_) {
        listener_->close();
        delete listener_;
        listener_ = nullptr;
    }
    for (;;) {
        std::shared_ptr<CConnectThread> thread;
        {
            std::lock_guard g(listLock_);
            if (connections_.empty()) break;
            thread = connections_.front();
        }
        Log(LogType::ServerEvent, thread->MacText(), QString::fromLatin1(server_texts::kServerStopped));
        thread->RequestQuit();
        if (waitForThread(thread)) {
            Log(LogType::ServerEvent, thread->MacText(),
                QString::fromLatin1(server_texts::kThreadStopped).arg(thread->ThreadId()));
        } else {
            Log(LogType::ServerEvent, thread->MacText(),
                QString::fromLatin1(server_texts::kThreadKillProblem).arg(thread->ThreadId()));
            RemoveConnection(thread.get());
        }
    }
    Log(LogType::ServerEvent, QString(), QString::fromLatin1(server_texts::kServerStopped));
    finishEndingThreads();
}

void CControlServer::finishEndingThreads() {
    for (const auto& t : std::vector<std::shared_ptr<CConnectThread>>(owned_)) {
        t->RequestQuit();
        waitForThread(t);
    }
    reapFinished();
}

void CControlServer::StopConnection(quint32 connectionId) {
    std::shared_ptr<CConnectThread> thread;
    {
        std::lock_guard g(listLock_);
        for (const auto& t : connections_) {
            if (t->ThreadId() == connectionId) {
                thread = t;
                break;
            }
        }
    }
    if (!thread || thread.get() == QThread::currentThread()) {
        if (thread) thread->RequestQuit();
        return;
    }
    thread->RequestQuit();
    if (!waitForThread(thread)) RemoveConnection(thread.get());
}

bool CControlServer::PostThreadCommand(quint32 connectionId, CommandIndex index,
                                       const OperatorCommandArgs& args) {
    std::shared_ptr<CConnectThread> thread;
    {
        std::lock_guard g(listLock_);
        for (const auto& t : connections_) {
            if (t->ThreadId() == connectionId) {
                thread = t;
                break;
            }
        }
    }
    return thread && thread->PostThreadCommand(index, args);
}

std::vector<quint32> CControlServer::ConnectionIds() const {
    std::lock_guard g(listLock_);
    std::vector<quint32> ids;
    for (const auto& t : connections_) ids.push_back(t->ThreadId());
    return ids;
}

bool CControlServer::IsTooManyUsers() const {
    std::lock_guard g(configLock_);
    return currentConnections_ > config_.maxUsers;
}

int CControlServer::ConnectionsFrom(const QString& peer) const {
    std::lock_guard g(listLock_);
    return int(std::count_if(connections_.begin(), connections_.end(),
                             [&peer](const auto& t) { return t->PeerAddress() == peer; }));
}

bool CControlServer::IsAddressAllowed(const QString& peerAddress) const {
    std::lock_guard g(configLock_);
    return ipFilterAllows(filterMode_, filterList_, peerAddress);
}

void CControlServer::RemoveConnection(CConnectThread* thread) {
    std::lock_guard g(listLock_);
    connections_.erase(std::remove_if(connections_.begin(), connections_.end(),
                                      [thread](const auto& t) { return t.get() == thread; }),
                       connections_.end());
}

void CControlServer::callOnMainThread(const std::function<void()>& fn) {
    if (QThread::currentThread() == thread()) {
        fn();
    } else {
        // A queued call waited for on a future rather than a blocking queued connection: the
        // same wait, in an order ThreadSanitizer can follow. Should the call be dropped unrun
        // (the server object gone), the promise goes with it and the wait ends.
        auto promise = std::make_shared<std::promise<void>>();
        std::future<void> done = promise->get_future();
        QMetaObject::invokeMethod(this, handOff([&fn, promise = std::move(promise)] {
            fn();
            promise->set_value();
        }), Qt::QueuedConnection);
        done.wait();
    }
}

bool CControlServer::ClientConnected(CConnectThread* t) {
    bool tooMany = false;
    callOnMainThread([this, t, &tooMany] { tooMany = onClientConnected(t); });
    return tooMany;
}

void CControlServer::ClientDisconnected(CConnectThread* t) {
    callOnMainThread([this, t] { onClientDisconnected(t); });
}

void CControlServer::TransferEvent(int kind, quint32 value) {
    // The counters are atomic: counting on the calling thread spares the main thread a wake-up
    // for every reply and every 4 KiB piece (a fifth of the server's time with 100 players
    // sending ALIVE).
    onTransferEvent(kind, value);
}

bool CControlServer::onClientConnected(CConnectThread* t) {
    ++servedCalls_;
    ++currentConnections_;
    ++totalConnections_;
    // One host gets a share of the places, so it cannot lock every other player out.
    const bool tooMany =
        IsTooManyUsers() || ConnectionsFrom(t->PeerAddress()) > Config().maxPerAddress;
    Log(LogType::ServerEvent, t->MacText(),
        QString::fromLatin1(server_texts::kClientConnected).arg(QString::number(t->ThreadId()), t->PeerAddress()));
    return tooMany;
}

void CControlServer::onClientDisconnected(CConnectThread* t) {
    ++servedCalls_;
    if (currentConnections_ > 0) --currentConnections_;
    Log(LogType::ServerEvent, t->MacText(),
        QString::fromLatin1(server_texts::kClientDisconnected)
            .arg(QString::number(t->ThreadId()), t->PeerAddress()));
    if (observer_) observer_->ClientLoggedOut(t->ThreadId());
}

void CControlServer::onTransferEvent(int kind, quint32 value) {
    switch (kind) {
    case kBytesSent:
        bytesSent_ += value;
        bytesSent64_ += value;
        break;
    case kBytesReceived:
        bytesReceived_ += value;
        bytesReceived64_ += value;
        break;
    case kOutcome:
        switch (value) {
        case kFileSent: ++filesSent_; break;
        case kFileReceived: ++filesReceived_; break;
        case kSendAborted: ++sendsAborted_; break;
        case kReceiveAborted: ++receivesAborted_; break;
        default: break;
        }
        break;
    default: break;
    }
}

bool ipFilterAllows(int mode, const QString& list, const QString& address) {
    if (mode != 1 && mode != 2) return true;
    const QStringList addr = address.split(QLatin1Char('.'));
    bool listed = false;
    for (const QString& rawEntry : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList pattern = rawEntry.trimmed().split(QLatin1Char('.'));
        if (pattern.size() != 4 || addr.size() != 4) continue;
        bool match = true;
        for (int i = 0; i < 4 && match; ++i) {
            const QString p = pattern[i].trimmed();
            if (p == QLatin1String("*")) continue;
            bool ok1 = false, ok2 = false;
            const int a = addr[i].toInt(&ok1);
            const int b = p.toInt(&ok2);
            match = ok1 && ok2 && a == b;
        }
        if (match) {
            listed = true;
            break;
        }
    }
    return mode == 1 ? listed : !listed;
}

}  // namespace lum
