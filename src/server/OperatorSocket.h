#pragma once
// The local operator socket: lumctl talks to a running lum or lum-server through it. One JSON
// object per line in each direction; each request gets exactly one reply line, in order. Only
// local processes of the same user can reach it (a Unix domain socket with user-only
// permissions).
//
// A handler answers through the reply function it is given, at once or later from this
// thread's event loop; it never waits in a nested one. A reply for a client that has gone away
// meanwhile is dropped.

#include <QJsonObject>
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
    bool listen(const QString& dataFolder, QString* error = nullptr);
    void close();
    QString serverName() const;

    // The socket name for a data folder (what lumctl connects to).
    static QString socketNameFor(const QString& dataFolder);

    // Request lines longer than this are refused and the client is dropped.
    static constexpr qint64 kMaxRequestBytes = 64 * 1024;

private:
    void onNewConnection();
    void onReadyRead(QLocalSocket* socket);

    Handler handler_;
    QLocalServer* server_ = nullptr;
};

}  // namespace lum
