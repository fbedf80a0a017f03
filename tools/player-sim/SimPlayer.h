#pragma once
// CSimPlayer: one simulated player speaking the player's side of the control protocol over
// real sockets: login (USER, PASS when asked), its MAC report, ALIVE at a fixed interval,
// then a script of steps (listings, downloads with an optional restart offset, uploads,
// appends, raw command lines, pauses), each data transfer over its own PASV or PORT
// connection, and QUIT. Any number of players share one event loop.
//
// A transfer ends when the console closes the data connection (downloads) or when the player
// has sent everything and closed it (uploads): the console sends no completion reply. The
// player then syncs on the control connection (SIZE after a download, so that a short file is
// caught; NOOP otherwise) and counts any error reply that arrives first.
//
// Operator command lines (codes 602 to 662) are answered as a player answers them: the answer
// is a short list of steps queued behind the step that is running (a stay is interrupted and
// resumed). 639 and 603 fetch "playlist.mpl" and the media it lists, 607 and 637 upload the
// storage and playlist reports, 636 sends playback counts, 606 the storage text, 602 and 618
// "STATUS 14", 615, 647 and 650 fetch "instantmessage.txt", "ostnmessage.txt" and
// "instant.jpg", 614 and 649 the ticker "rssmsg.txt", 645 "autoconfig.zeq", 610 restarts the
// player (a new connection and login), 640 ends it, 643 gives it a new MAC address. With
// `plainFtp` it also talks to a standard FTP server (150/226 replies),
// which the benchmarks use for comparison.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace lum::sim {

struct SimStep {
    enum class Kind {
        List, Nlst, Retr, Stor, Appe, Command, Send, Stay,
        // Used by the answers to operator commands:
        FetchMedia,  // RETR of every media file the last fetched playlist lists
        PlayReport,  // ICS_PLAY_REPORT lines for the media of the current playlist
        Hold,        // wait for release() when the player holds after its status reports
        Reboot,      // STATUS 27, then a new connection once the console has closed this one
    };
    // What a Stor sends when it has no local file: the given bytes or a report built when the
    // step runs.
    enum class Content { Given, FileReport, PlaylistReport };
    Kind kind = Kind::Command;
    QString remote;    // path on the console; "{player}" and "{mac}" are replaced
    QString local;     // Stor/Appe: the local file to send (empty: `data` is sent)
    QByteArray data;   // Stor/Appe: the bytes to send when `local` is empty
    qint64 rest = -1;  // Retr: REST offset sent before it (-1: none)
    QString text;      // Command/Send: the raw line ("{player}" and "{mac}" replaced)
    int seconds = 0;   // Stay
    Content content = Content::Given;
};

struct SimPlayerConfig {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 5021;
    QString user;
    QString password;   // sent when the console asks for one
    QString mac;        // reported with ICS_GET_MAC_ADDR after login (empty: none)
    bool passive = true;
    int aliveMs = 30000;      // ALIVE interval; 0: no ALIVE
    int timeoutMs = 30000;    // longest wait for one reply or transfer
    QString saveDir;          // downloads are written here when set
    bool quit = true;         // end with QUIT (else just disconnect)
    bool respond = true;      // answer operator commands
    bool holdAfterStatus = false;  // after each STATUS of an answer, wait for release()
    int restartMs = 1000;     // 610: pause between the closed connection and the new one
    bool keepData = true;     // keep downloaded bytes in results() (else only count them)
    bool plainFtp = false;    // a standard FTP server: TYPE I, no MAC report or ALIVE, 150/226
    std::vector<SimStep> steps;
};

struct SimStepResult {
    bool ok = false;
    QStringList replies;  // control lines that answered this step
    QByteArray data;      // what a download, listing or upload carried (unless not kept)
    qint64 bytes = 0;     // bytes that went over the data connection
    QString error;
    double startMs = 0, endMs = 0;  // wall clock, milliseconds since the epoch
};

// Milliseconds since the epoch with sub-millisecond precision (comparable across processes).
double wallClockMs();

class CSimPlayer : public QObject {
    Q_OBJECT
public:
    explicit CSimPlayer(SimPlayerConfig config, QObject* parent = nullptr);
    ~CSimPlayer() override;

    void start();

    const SimPlayerConfig& config() const { return config_; }
    QString name() const { return config_.user; }
    bool isFinished() const { return finished_; }
    bool succeeded() const { return finished_ && ok_; }
    bool loggedIn() const { return loggedIn_; }
    QString greeting() const { return greeting_; }  // the text after "220 "
    QString group() const { return group_; }
    const std::vector<SimStepResult>& results() const { return results_; }
    QStringList receivedLines() const { return received_; }
    QStringList serverCommands() const { return serverCommands_; }
    int aliveAcks() const { return aliveAcks_; }
    QString failure() const { return failure_; }
    QString mac() const { return config_.mac; }  // 643 may have changed it
    int restarts() const { return restarts_; }
    bool isHolding() const { return holding_; }
    // Files fetched so far ("storage card"): name -> size.
    QMap<QString, qint64> storage() const { return storage_; }
    // Media names of the last playlist fetched.
    QStringList playlistMedia() const { return media_; }
    // Steps of answers to operator commands that failed, as "line: error".
    QStringList answerFailures() const { return answerFailures_; }
    std::vector<double> aliveRoundTrips() const { return aliveRtts_; }

    // Ends a hold (see holdAfterStatus).
    void release();
    // Stops holding altogether (and ends a hold that is running).
    void stopHolding();

    // A path or line of the script with "{player}" and "{mac}" filled in.
    QString expand(const QString& text) const;

Q_SIGNALS:
    // One line for the operator: "< " received, "> " sent, "| " listing, ": " note, "! " error.
    void output(const QString& player, const QString& line);
    void finished(bool ok);
    // Timing points for measurements: "login", "alive", "command", "step".
    void measured(const QString& player, const QString& event, const QJsonObject& fields);
    void holding(const QString& player);

private:
    struct Reply {
        int code = -1;  // -1: a line without a reply code
        QStringList lines;
        QString text() const { return lines.isEmpty() ? QString() : lines.last(); }
    };
    using Handler = std::function<void(const Reply&)>;

    void say(const QString& line);
    void send(const QString& line);
    void expect(Handler handler);
    void onControlData();
    void onLine(const QString& line);
    void deliver(const Reply& reply);
    void onControlClosed();

    void login(const Reply& greeting);
    void loggedIn(const Reply& reply);
    void afterLogin();
    void nextStep();
    void stepDone(bool ok, const QString& error = QString());
    void runStep(const SimStep& step);
    void resumeStay();

    // Answers to operator commands.
    struct Pending {
        SimStep step;
        int answer = 0;      // which answer the step belongs to
        QString trigger;     // the command line answered
        QString onFailure;   // a line sent instead of the rest of the answer when it fails
    };
    void answer(int code, const QString& line);
    void queue(const QString& trigger, std::vector<Pending> steps);
    void wake();
    void shutdown();
    void restart();
    void fileFetched(const QString& remote, const QByteArray& data, qint64 bytes);
    QByteArray fileReport() const;
    void openData(std::function<void()> then);
    void adoptData(QTcpSocket* socket);
    void onDataClosed();
    void startUpload();
    void finishTransfer();
    void sync(const QString& line, std::function<bool(const Reply&, QString*)> accept);
    void onSyncReply(const Reply& reply);
    void onTransferReply(const Reply& reply);
    void closeData();
    void quit();
    void finish(bool ok, const QString& error = QString());
    void fail(const QString& error);

    SimPlayerConfig config_;
    QTcpSocket* control_ = nullptr;
    QByteArray buffer_;
    Reply multi_;  // a multi-line reply being collected
    Handler handler_;
    QTimer timeout_;
    QTimer alive_;

    size_t stepIndex_ = 0;
    SimStep step_;          // the step that runs (a copy: answers come and go)
    bool inAnswer_ = false;
    Pending answerStep_;    // when inAnswer_
    std::deque<Pending> pending_;
    int answerCount_ = 0;
    bool staying_ = false;  // a script stay is under way (maybe interrupted by an answer)
    QDeadlineTimer stayUntil_;
    QTimer stayTimer_;
    bool holding_ = false;
    bool restarting_ = false;
    int restarts_ = 0;
    QMap<QString, qint64> storage_;
    QByteArray playlist_;
    QStringList media_;
    QStringList answerFailures_;
    std::deque<double> aliveSent_;
    std::vector<double> aliveRtts_;
    SimStepResult current_;
    QStringList* replySink_ = nullptr;

    // The data connection of the running transfer.
    QTcpSocket* data_ = nullptr;
    QTcpServer* listener_ = nullptr;
    QHostAddress passiveHost_;
    quint16 passivePort_ = 0;
    bool opened_ = false;     // "125" received
    bool dataClosed_ = false;
    bool finishing_ = false;
    bool uploading_ = false;
    bool discard_ = false;    // count the downloaded bytes without keeping them
    QByteArray upload_;
    QString transferError_;
    std::function<bool(const Reply&, QString*)> syncAccept_;

    bool loggedIn_ = false;
    bool quitting_ = false;
    bool finished_ = false;
    bool ok_ = false;
    QString greeting_;
    QString group_;
    QString failure_;
    QStringList received_;
    QStringList serverCommands_;
    int aliveAcks_ = 0;
    std::vector<SimStepResult> results_;
};

}  // namespace lum::sim
