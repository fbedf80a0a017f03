#include "server/OperatorSocket.h"

#include "core/DataFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <memory>
#include <utility>

namespace lum {

namespace {

// Dynamic property of a client socket: a request of it is being handled.
constexpr const char* kBusy = "lumRequestPending";
// Dynamic property of a subscriber: events dropped for it since its last line.
constexpr const char* kDropped = "lumEventsDropped";

void writeReply(QLocalSocket* socket, const QJsonObject& reply) {
    socket->write(QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n');
}

}  // namespace

COperatorSocket::COperatorSocket(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &COperatorSocket::onNewConnection);
}

COperatorSocket::~COperatorSocket() { close(); }

namespace {

// Members of the data folder's group may already read every file in it. When the folder keeps
// everybody else out, they may operate it too (the lum group of the packaged service); a folder
// open to others keeps the socket to its user.
bool groupMayOperate(const QString& dataFolder) {
    const QFileInfo fi(dataFolder);
    const QFile::Permissions p = fi.permissions();
    return fi.isDir() && (p & QFile::ExeGroup) &&
           !(p & (QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
}

}  // namespace

QString COperatorSocket::socketNameFor(const QString& dataFolder) {
    // Inside the data folder: reachable by whoever may enter the folder, also from a service
    // with a private /tmp. A socket path holds 107 bytes and the listener binds a slightly
    // longer temporary name first, so a deep folder falls back to a name in /tmp.
    const QString folder = QDir(dataFolder).canonicalPath();
    if (!folder.isEmpty()) {
        const QString path = joinPath(joinPath(folder, QString::fromLatin1(kServerDataDir)),
                                      QStringLiteral("operator.sock"));
        if (QFile::encodeName(path).size() <= 90) return path;
    }
    const QByteArray canonical = folder.toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(canonical.isEmpty() ? dataFolder.toUtf8() : canonical,
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return QStringLiteral("lum-%1").arg(QString::fromLatin1(hash));
}

bool COperatorSocket::listen(const QString& dataFolder, QString* error) {
    const QString name = socketNameFor(dataFolder);
    server_->setSocketOptions(groupMayOperate(dataFolder)
                                  ? QLocalServer::UserAccessOption | QLocalServer::GroupAccessOption
                                  : QLocalServer::UserAccessOption);
    if (name.startsWith(QLatin1Char('/'))) QDir().mkpath(QFileInfo(name).absolutePath());
    // A socket file left by a crashed run would block the name; a live owner answers a connect.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(200)) {
        if (error) *error = QStringLiteral("another LUM is already serving this data folder");
        return false;
    }
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) {
        if (error) *error = server_->errorString();
        return false;
    }
    return true;
}

void COperatorSocket::close() {
    if (server_->isListening()) server_->close();
    // Subscribers see the end of the stream once what is waiting for them is written.
    const QList<QLocalSocket*> subscribers = subscribers_;
    subscribers_.clear();
    for (QLocalSocket* s : subscribers) {
        s->flush();
        s->disconnectFromServer();
    }
}

int COperatorSocket::subscriberCount() const { return int(subscribers_.size()); }

void COperatorSocket::subscribe(QLocalSocket* socket) {
    // From now on the client only listens; anything it still sends is read and dropped.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    connect(socket, &QLocalSocket::readyRead, socket, [socket] { socket->readAll(); });
    connect(socket, &QObject::destroyed, this, [this, socket] { subscribers_.removeAll(socket); });
    subscribers_.append(socket);
    writeReply(socket, {{QStringLiteral("ok"), true}, {QStringLiteral("stream"), QStringLiteral("events")}});
}

void COperatorSocket::publish(const QJsonObject& event) {
    const QByteArray line = QJsonDocument(event).toJson(QJsonDocument::Compact) + '\n';
    for (QLocalSocket* s : std::as_const(subscribers_)) {
        if (s->state() != QLocalSocket::ConnectedState) continue;
        const qint64 dropped = s->property(kDropped).toLongLong();
        if (s->bytesToWrite() + line.size() > kMaxSubscriberBacklog) {
            s->setProperty(kDropped, dropped + 1);
            continue;
        }
        if (dropped > 0) {
            writeReply(s, {{QStringLiteral("event"), QStringLiteral("dropped")}, {QStringLiteral("count"), dropped}});
            s->setProperty(kDropped, 0);
        }
        s->write(line);
    }
}

QString COperatorSocket::serverName() const { return server_->fullServerName(); }

void COperatorSocket::onNewConnection() {
    while (QLocalSocket* s = server_->nextPendingConnection()) {
        connect(s, &QLocalSocket::readyRead, this, [this, s] { onReadyRead(s); });
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    }
}

void COperatorSocket::onReadyRead(QLocalSocket* socket) {
    // One request at a time per client: the next line waits for the reply to this one.
    if (socket->property(kBusy).toBool()) return;
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxRequestBytes).trimmed();
        if (line.isEmpty()) continue;
        QJsonParseError err{};
        const QJsonDocument doc = QJsonDocument::fromJson(line, &err);
        if (err.error != QJsonParseError::NoError || !doc.isObject()) {
            writeReply(socket, {{QStringLiteral("ok"), false},
                                {QStringLiteral("error"), QStringLiteral("request is not a JSON object")}});
            continue;
        }
        if (doc.object().value(QLatin1String("verb")).toString() == QLatin1String("events")) {
            subscribe(socket);
            return;
        }
        socket->setProperty(kBusy, true);
        const QPointer<QLocalSocket> client(socket);
        const QPointer<COperatorSocket> self(this);
        auto answered = std::make_shared<bool>(false);
        handler_(doc.object(), [client, self, answered](const QJsonObject& reply) {
            if (std::exchange(*answered, true) || !client || !self) return;  // gone meanwhile
            writeReply(client, reply);
            client->setProperty(kBusy, false);
            // Lines that came meanwhile, from the event loop rather than inside the handler.
            QMetaObject::invokeMethod(self, [client, self] {
                if (client && self) self->onReadyRead(client);
            }, Qt::QueuedConnection);
        });
        return;
    }
    if (socket->bytesAvailable() > kMaxRequestBytes) {
        writeReply(socket, {{QStringLiteral("ok"), false},
                            {QStringLiteral("error"), QStringLiteral("request too long")}});
        socket->disconnectFromServer();
    }
}

}  // namespace lum
