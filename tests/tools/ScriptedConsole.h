#pragma once
// A small console stand-in for the simulator's tests: a real TCP server that answers the
// player's side of the protocol with the console's exact reply texts, over real data
// connections (PASV and PORT), serving and storing files in a real folder. It implements only
// what the simulator sends.

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTcpServer>

#include <functional>
#include <memory>

class QTcpSocket;

namespace lumtest {

class ScriptedConsole : public QObject {
    Q_OBJECT
public:
    explicit ScriptedConsole(QString home);
    ~ScriptedConsole() override;

    bool listen();
    quint16 port() const { return m_server.serverPort(); }

    bool passwordCheck = false;
    QMap<QString, QString> passwords;  // user -> password (missing: any password)
    int maxConnections = 1000;         // connections accepted in total before "421"
    QStringList linesAfterLogin;       // sent on their own right after a login
    QMap<QString, QByteArray> sizeLies; // file -> what SIZE claims instead of the truth
    QStringList failAfterOpening;       // RETR of these names answers 125, then 426
    QString playlistFile;               // what RETR of "playlist.mpl" serves (empty: the home's)
    QString macToHandOut;
    bool standardFtp = false;           // answer as a standard FTP server (150, 226, 221)               // sent as "643 <mac>" after ICS_GET_STORAGE_INFO_DONE

    // Sends an operator command line to the newest connection of `user`; with `thenClose`
    // the connection ends after it (as 640 does). False when the user is not connected.
    bool command(const QString& user, const QString& line, bool thenClose = false);
    int connectedCount() const;

    // What the players sent, in arrival order, as "user: line".
    QStringList received;
    QStringList macs;
    int connections = 0;

private:
    struct Session;
    void accept();
    void onLine(Session* s, const QString& line);
    void reply(Session* s, const QString& text);
    void startTransfer(Session* s, std::function<void(QTcpSocket*)> run);

    QString m_home;
    QTcpServer m_server;
    std::vector<std::unique_ptr<Session>> m_sessions;
};

}  // namespace lumtest
