#pragma once
// The local operator socket: lumctl talks to a running lum or lum-server through it. One JSON
// object per line in each direction; each request gets exactly one reply line. Only local
// processes of the same user can reach it (a Unix domain socket with user-only permissions).

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
    using Handler = std::function<QJsonObject(const QJsonObject& request)>;

    explicit COperatorSocket(Handler handler, QObject* parent = nullptr);
    ~COperatorSocket() override;

    // Listens under the name that belongs to this data folder; false with a reason when taken.
    // The data folder's group may connect too when the folder is closed to others.
    bool listen(const QString& dataFolder, QString* error = nullptr);
    void close();
    QString serverName() const;

    // The socket for a data folder (what lumctl connects to): "server data/operator.sock" in
    // it, or a name in /tmp when that path is too long for a socket.
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
