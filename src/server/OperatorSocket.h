#pragma once
// The local operator socket: lumctl talks to a running lum or lum-server through it. One JSON
// object per line in each direction; each request gets exactly one reply line, in order. Only
// local processes of the same user can reach it (a Unix domain socket with user-only
// permissions), and those of the data folder's group when the folder is closed to others.
//
// A handler answers through the reply function it is given, at once or later from this
// thread's event loop; it never waits in a nested one. A reply for a client that has gone away
// meanwhile is dropped.
//
// The request {"verb": "events"} turns its connection into a subscription: one reply
// {"ok": true, "stream": "events"}, then every published event as one line, until either side
// closes. A subscriber that does not read never holds the server up: past kMaxSubscriberBacklog
// bytes waiting for it, events are dropped for it, and the next line it gets once it has caught
// up is {"event": "dropped", "count": N}. Closing the socket ends every subscription.

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace lum {

class COperatorSocket : public QObject {
    Q_OBJECT
public:
    using Reply = std::function<void(const QJsonObject& reply)>;
    using Handler = std::function<void(const QJsonObject& request, const Reply& reply)>;

    explicit COperatorSocket(Handler handler, QObject* parent = nullptr);
    ~COperatorSocket() override;

    // Listens under the name that belongs to this data folder; false with a reason when taken.
    // The data folder's group may connect too when the folder is closed to others.
    bool listen(const QString& dataFolder, QString* error = nullptr);
    void close();
    QString serverName() const;

    // Writes `event` as one line to every subscriber (see above).
    void publish(const QJsonObject& event);
    int subscriberCount() const;

    // The socket for a data folder (what lumctl connects to): "server data/operator.sock" in
    // it, or a name in /tmp when that path is too long for a socket.
    static QString socketNameFor(const QString& dataFolder);

    // Request lines longer than this are refused and the client is dropped.
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;
    // Bytes that may wait for one subscriber before its events are dropped.
    static constexpr qint64 kMaxSubscriberBacklog = 1024 * 1024;

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);
    void subscribe(QLocalSocket* socket);

    Handler handler_;
    QLocalServer* server_ = nullptr;
    QList<QLocalSocket*> subscribers_;
};

}  // namespace lum
