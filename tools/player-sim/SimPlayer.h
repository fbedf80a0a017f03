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

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

class QTcpServer;
class QTcpSocket;

namespace lum::sim {

struct SimStep {
    enum class Kind { List, Nlst, Retr, Stor, Appe, Command, Send, Stay };
    Kind kind = Kind::Command;
    QString remote;    // path on the console; "{player}" and "{mac}" are replaced
    QString local;     // Stor/Appe: the local file to send (empty: `data` is sent)
    QByteArray data;   // Stor/Appe: the bytes to send when `local` is empty
    qint64 rest = -1;  // Retr: REST offset sent before it (-1: none)
    QString text;      // Command/Send: the raw line ("{player}" and "{mac}" replaced)
    int seconds = 0;   // Stay
};

struct SimPlayerConfig {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = 5021;
    QString user;
    QString password;   // sent when the console asks for one
    QString mac;        // reported with ICS_GET_MAC_ADDR after login (empty: none)
    bool passive = true;
    int aliveSeconds = 30;    // 0: no ALIVE
    int timeoutMs = 30000;    // longest wait for one reply or transfer
    QString saveDir;          // downloads are written here when set
    bool quit = true;         // end with QUIT (else just disconnect)
    std::vector<SimStep> steps;
};

struct SimStepResult {
    bool ok = false;
    QStringList replies;  // control lines that answered this step
    QByteArray data;      // what a download, listing or upload carried
    QString error;
};

class CSimPlayer : public QObject {
    Q_OBJECT
public:
    explicit CSimPlayer(SimPlayerConfig config, QObject* parent = nullptr);
    ~CSimPlayer() override;

    void start();

    const SimPlayerConfig& config() const { return m_config; }
    QString name() const { return m_config.user; }
    bool isFinished() const { return m_finished; }
    bool succeeded() const { return m_finished && m_ok; }
    bool loggedIn() const { return m_loggedIn; }
    QString greeting() const { return m_greeting; }  // the text after "220 "
    QString group() const { return m_group; }
    const std::vector<SimStepResult>& results() const { return m_results; }
    QStringList receivedLines() const { return m_received; }
    QStringList serverCommands() const { return m_serverCommands; }
    int aliveAcks() const { return m_aliveAcks; }
    QString failure() const { return m_failure; }

    // A path or line of the script with "{player}" and "{mac}" filled in.
    QString expand(const QString& text) const;

Q_SIGNALS:
    // One line for the operator: "< " received, "> " sent, "| " listing, ": " note, "! " error.
    void output(const QString& player, const QString& line);
    void finished(bool ok);

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
    void nextStep();
    void stepDone(bool ok, const QString& error = QString());
    void runStep(const SimStep& step);
    void openData(std::function<void()> then);
    void adoptData(QTcpSocket* socket);
    void onDataClosed();
    void startUpload();
    void finishTransfer();
    void sync(const QString& line, std::function<bool(const Reply&, QString*)> accept);
    void onSyncReply(const Reply& reply);
    void closeData();
    void quit();
    void finish(bool ok, const QString& error = QString());
    void fail(const QString& error);

    SimPlayerConfig m_config;
    QTcpSocket* m_control = nullptr;
    QByteArray m_buffer;
    Reply m_multi;  // a multi-line reply being collected
    Handler m_handler;
    QTimer m_timeout;
    QTimer m_alive;

    size_t m_stepIndex = 0;
    SimStepResult m_current;
    QStringList* m_replySink = nullptr;

    // The data connection of the running transfer.
    QTcpSocket* m_data = nullptr;
    QTcpServer* m_listener = nullptr;
    QHostAddress m_passiveHost;
    quint16 m_passivePort = 0;
    bool m_opened = false;     // "125" received
    bool m_dataClosed = false;
    bool m_finishing = false;
    bool m_uploading = false;
    QByteArray m_upload;
    QString m_transferError;
    std::function<bool(const Reply&, QString*)> m_syncAccept;

    bool m_loggedIn = false;
    bool m_quitting = false;
    bool m_finished = false;
    bool m_ok = false;
    QString m_greeting;
    QString m_group;
    QString m_failure;
    QStringList m_received;
    QStringList m_serverCommands;
    int m_aliveAcks = 0;
    std::vector<SimStepResult> m_results;
};

}  // namespace lum::sim
