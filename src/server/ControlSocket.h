#pragma once
// The player's control connection: frames the byte stream into command lines, runs the
// command interpreter, sends replies, ends idle connections and runs operator commands.
// Lives on its connection thread.

#include "core/LogSink.h"
#include "server/OperatorCommand.h"
#include "server/PathResolver.h"
#include "server/ServerInterfaces.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>
#include <QVariant>

#include <memory>
#include <vector>

class QDateTime;
class QFileInfo;

namespace lum {

// One line of a LIST (or NLST) listing, CR LF included.
QByteArray listingLine(const QFileInfo& entry, bool namesOnly, const QDateTime& now);

class CConnectThread;
class CControlServer;
class CDataSocket;
struct ServerConfig;

enum ConnectionStatus : int {
    Idle = 0,
    AwaitingLogin = 1,
    SendingList = 2,
    ReceivingFile = 3,
    SendingFile = 4,
};

class CControlSocket : public QTcpSocket {
    Q_OBJECT
public:
    // A control line may hold this many bytes with its CR LF.
    static constexpr int kMaxLine = 4096;

    explicit CControlSocket(CConnectThread* thread);
    ~CControlSocket() override;

    // Admission and greeting; false when the connection was refused (the thread then quits).
    bool Admit(bool tooManyUsers);

    // Sends one reply line (CR LF appended) and logs it by the quiet-list rule. A dead
    // connection is logged and ended; returns false then.
    bool SendReply(const QString& text);
    // Connection log: "[user] text" with the MAC text as column.
    void LogConnection(LogType type, const QString& text);

    // Operator commands and the connection's own deferred actions (index 0 closes the data
    // connection, 1 ends the connection).
    void OnThreadCommand(CommandIndex index, const OperatorCommandArgs& args = {});

    // Data connection (used by CDataSocket).
    bool OpenDataConnection();
    // Lets the data connection go. An upload still arriving is read to its end on its own (a
    // player may close the data connection and send its next command, or QUIT, at once),
    // unless `abortUpload` (ABOR, the operator, the end of the object).
    void CloseDataConnection(bool abortUpload = false);
    // Queues the closing for the data socket of generation `generation` (a later PASV keeps
    // its own).
    void PostCloseData(quint64 generation, bool abortUpload = false);
    void SetStatus(ConnectionStatus s) { status_ = s; }
    ConnectionStatus Status() const { return status_; }
    CConnectThread* Thread() const { return thread_; }
    const ServerConfig& Config() const;
    void EndConnection();

    // For tests and the player-message handlers.
    const QString& UserName() const { return userName_; }
    const QString& MacText() const { return macText_; }

private:
    void onReadyRead();
    void onPeerClosed();
    void onTimer();
    bool isDead();
    void closeGracefully();
    void Dispatch();
    void processBuffer();

    // Interpreter (CommandInterpreter.cpp)
    void runCommand(int id, const QString& arg, const QByteArray& rawArg);
    void cmdUser(const QString& arg);
    void cmdPass(const QString& arg);
    void cmdCwd(const QString& arg);
    void cmdMkd(const QString& arg);
    void cmdRmd(const QString& arg);
    void cmdDele(const QString& arg);
    void cmdRnfr(const QString& arg);
    void cmdRnto(const QString& arg);
    void cmdSize(const QString& arg);
    void cmdHelp(const QString& arg);
    void loggedIn(const PlayerGroupInfo& group, const PlayerAccountInfo& account, bool withStop);
    // Refreshes the group copy from the store and prepares the resolver.
    PathResolver& resolver();
    // Player messages (rows 31 to 45).
    void playerMessage(int id, const QString& arg);
    void notify(PlayerEvent code, const QString& text);
    QString logFile(const char* name) const;

    // Transfers (Transfers.cpp)
    void cmdPasv();
    void cmdPort(const QByteArray& arg);
    void cmdList(const QString& arg, bool namesOnly);
    void cmdRetr(const QString& arg);
    void cmdStore(const QString& arg, bool append);
    void cmdAbor();

    CConnectThread* thread_;
    std::unique_ptr<ServerConfig> config_;
    QString userName_;
    QString macText_;
    bool passive_ = false;
    int dataPort_ = -1;
    QString dataHost_;
    CDataSocket* dataSocket_ = nullptr;
    std::vector<CDataSocket*> draining_;  // uploads let go that are still arriving
    void releaseDataSocket(bool abortUpload);
    void uploadDrained(CDataSocket* data);
    quint64 dataGeneration_ = 0;
    ConnectionStatus status_ = AwaitingLogin;
    QList<QByteArray> commandQueue_;
    bool renameIsFile_ = false;
    quint32 restartOffset_ = 0;
    QString renameSource_;
    QByteArray receiveBuffer_;
    PathResolver resolver_;
    PlayerGroupInfo group_;
    PlayerAccountInfo account_;
    bool loggedInOnce_ = false;
    int macChanges_ = 0;  // MAC addresses this connection reported
    static constexpr int kMaxMacChanges = 4;
    bool ending_ = false;

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 loginDeadlineMs_ = -1;  // -1: none
};

}  // namespace lum
