#include "ScriptedConsole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTcpSocket>

namespace lumtest {

struct ScriptedConsole::Session {
    QTcpSocket* control = nullptr;
    QByteArray buffer;
    QString user;
    bool loggedIn = false;
    qint64 rest = 0;
    // Data connection: a passive listener, or the address announced with PORT.
    std::unique_ptr<QTcpServer> passive;
    QString activeHost;
    int activePort = -1;
};

ScriptedConsole::ScriptedConsole(QString home) : m_home(std::move(home)) {
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedConsole::accept);
}

ScriptedConsole::~ScriptedConsole() = default;

bool ScriptedConsole::listen() { return m_server.listen(QHostAddress::LocalHost, 0); }

void ScriptedConsole::accept() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        auto session = std::make_unique<Session>();
        Session* s = session.get();
        s->control = socket;
        m_sessions.push_back(std::move(session));
        ++connections;
        if (connections > maxConnections) {
            reply(s, "421 Too many users are connected, please try again later.");
            socket->disconnectFromHost();
            continue;
        }
        connect(socket, &QTcpSocket::readyRead, this, [this, s] {
            s->buffer += s->control->readAll();
            qsizetype end;
            while ((end = s->buffer.indexOf("\r\n")) >= 0) {
                const QString line = QString::fromUtf8(s->buffer.left(end));
                s->buffer.remove(0, end + 2);
                if (!line.isEmpty()) onLine(s, line);
            }
        });
        reply(s, "220 ");
    }
}

bool ScriptedConsole::command(const QString& user, const QString& line, bool thenClose) {
    for (auto it = m_sessions.rbegin(); it != m_sessions.rend(); ++it) {
        Session* s = it->get();
        if (s->user != user || !s->loggedIn ||
            s->control->state() != QAbstractSocket::ConnectedState)
            continue;
        reply(s, line);
        if (thenClose) s->control->disconnectFromHost();
        return true;
    }
    return false;
}

int ScriptedConsole::connectedCount() const {
    int n = 0;
    for (const auto& s : m_sessions)
        n += s->loggedIn && s->control->state() == QAbstractSocket::ConnectedState;
    return n;
}

void ScriptedConsole::reply(Session* s, const QString& text) {
    s->control->write(text.toUtf8() + "\r\n");
}

void ScriptedConsole::startTransfer(Session* s, std::function<void(QTcpSocket*)> run) {
    if (s->passive) {
        QTcpServer* listener = s->passive.release();
        auto go = [listener, run] {
            QTcpSocket* d = listener->nextPendingConnection();
            d->setParent(nullptr);  // outlives its listener
            QObject::connect(d, &QTcpSocket::disconnected, d, &QObject::deleteLater);
            listener->close();
            listener->deleteLater();
            run(d);
        };
        if (listener->hasPendingConnections())
            go();
        else
            connect(listener, &QTcpServer::newConnection, this, go);
        return;
    }
    if (s->activePort < 0) {
        reply(s, "425 Can't open data connection.");
        return;
    }
    auto* d = new QTcpSocket(this);
    connect(d, &QTcpSocket::connected, this, [d, run] { run(d); });
    connect(d, &QTcpSocket::disconnected, d, &QObject::deleteLater);
    d->connectToHost(s->activeHost, static_cast<quint16>(s->activePort));
    s->activePort = -1;
}

void ScriptedConsole::onLine(Session* s, const QString& line) {
    received << s->user + ": " + line;
    const qsizetype blank = line.indexOf(' ');
    const QString word = (blank >= 0 ? line.left(blank) : line).toUpper();
    const QString arg = blank >= 0 ? line.mid(blank + 1) : QString();
    QString path = QDir(m_home).filePath(arg);
    if (arg.compare("playlist.mpl", Qt::CaseInsensitive) == 0 && !playlistFile.isEmpty())
        path = playlistFile;

    if (word == "USER") {
        s->user = arg;
        if (passwordCheck) {
            reply(s, QStringLiteral("331 Password required for %1").arg(arg));
            return;
        }
        s->loggedIn = true;
        if (standardFtp) {
            reply(s, "230 Login successful.");
            return;
        }
        reply(s, "230 User successfully logged in group [Home].");
        for (const QString& l : linesAfterLogin) reply(s, l);
        return;
    }
    if (word == "PASS") {
        if (!passwords.contains(s->user) || passwords[s->user] == arg) {
            s->loggedIn = true;
            reply(s, "230 User successfully logged in group [Home]");
            for (const QString& l : linesAfterLogin) reply(s, l);
        } else {
            reply(s, "220 Invalid Password, check your password and re-login");
            s->control->disconnectFromHost();
        }
        return;
    }
    if (!s->loggedIn) {
        reply(s, "530 Please login with USER and PASS.");
        return;
    }
    if (word == "ICS_GET_MAC_ADDR") {
        macs << arg;
    } else if (word == "STATUS" || word == "ICS_PLAY_REPORT") {
        // No reply; 26 and 27 end the connection.
        if (arg.toInt() == 26 || arg.toInt() == 27) s->control->disconnectFromHost();
    } else if (word == "ICS_GET_STORAGE_INFO_DONE") {
        if (!macToHandOut.isEmpty()) reply(s, "643 " + macToHandOut);
    } else if (word == "ICS_GET_STORAGE_FILE_INFO_DONE" || word == "ICS_GET_PLAYLIST_DONE" ||
               word == "ICS_GET_PREPORT_DONE" || word == "ICS_GET_DELETE_FILE_DONE") {
        reply(s, "Done");
    } else if (word == "ICS_DOWNLOAD_DONE") {
        reply(s, "Download Done");
    } else if (word == "ALIVE") {
        reply(s, "601 Server ALIVE Ack");
    } else if (word == "NOOP") {
        reply(s, "200 OK");
    } else if (word == "HELP") {
        reply(s, "214-The following commands are recognized:\r\nABOR\tAPPE\tBYE\tCDUP\r\n"
                 "\r\n214 HELP command successful.");
    } else if (word == "TYPE") {
        reply(s, "200 Switching to Binary mode.");
    } else if (word == "QUIT") {
        reply(s, standardFtp ? "221 Goodbye." : "220 ");
        s->control->disconnectFromHost();
    } else if (word == "PASV") {
        s->passive = std::make_unique<QTcpServer>();
        s->passive->listen(QHostAddress::LocalHost, 0);
        const quint16 p = s->passive->serverPort();
        s->rest = 0;
        reply(s, QStringLiteral("227 Entering Passive Mode (127,0,0,1,%1,%2).").arg(p / 256).arg(p % 256));
    } else if (word == "PORT") {
        const QStringList f = arg.split(',');
        s->activeHost = QStringList(f.mid(0, 4)).join('.');
        s->activePort = f.value(4).toInt() * 256 + f.value(5).toInt();
        reply(s, "200 Port command successful.");
    } else if (word == "REST") {
        s->rest = arg.toLongLong();
        reply(s, QStringLiteral("350 Restarting at %1.").arg(s->rest));
    } else if (word == "SIZE") {
        if (!QFileInfo(path).isFile()) {
            reply(s, "550 File not found.");
            return;
        }
        const QByteArray lie = sizeLies.value(arg);
        reply(s, "213 " + (lie.isEmpty() ? QString::number(QFileInfo(path).size()) : lie));
    } else if (word == "LIST" || word == "NLST") {
        QString listing;
        for (const QFileInfo& fi : QDir(m_home).entryInfoList(QDir::Files, QDir::Name)) {
            if (word == "LIST")
                listing += QStringLiteral("-rwx------ 1 user group %1 Jan 01 2026 ")
                               .arg(fi.size(), 14);
            listing += fi.fileName() + "\r\n";
        }
        reply(s, "125 Opening ASCII mode data connection for directory list.");
        startTransfer(s, [listing](QTcpSocket* d) {
            d->write(listing.toUtf8());
            d->disconnectFromHost();
        });
    } else if (word == "RETR") {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            reply(s, QStringLiteral("550 File not found.(%1)").arg(arg));
            return;
        }
        QByteArray data = f.readAll();
        if (s->rest > 0 && s->rest < data.size()) data = data.mid(s->rest);
        reply(s, standardFtp ? "150 Opening BINARY mode data connection."
                             : "125 Opening BINARY mode data connection for file transfer.");
        const bool broken = failAfterOpening.contains(arg);
        startTransfer(s, [this, s, data, broken](QTcpSocket* d) {
            if (broken) {
                d->abort();
                reply(s, "426 Data Connection closed; transfer aborted.");
                return;
            }
            d->write(data);
            d->disconnectFromHost();
            // A standard server confirms once the data has left.
            if (standardFtp) reply(s, "226 Transfer complete.");
        });
    } else if (word == "STOR" || word == "APPE") {
        auto file = std::make_shared<QFile>(path);
        if (!file->open(QIODevice::WriteOnly |
                        (word == "APPE" ? QIODevice::Append : QIODevice::Truncate))) {
            reply(s, "450 Can't access file.");
            return;
        }
        reply(s, "125 Opening BINARY mode data connection for file transfer.");
        startTransfer(s, [this, file](QTcpSocket* d) {
            auto drain = [d, file] { file->write(d->readAll()); };
            connect(d, &QTcpSocket::readyRead, this, drain);
            connect(d, &QTcpSocket::disconnected, this, [drain, file] {
                drain();
                file->close();
            });
            drain();
        });
    } else {
        reply(s, "502 Command not implemented - Try HELP.");
    }
}

}  // namespace lumtest
