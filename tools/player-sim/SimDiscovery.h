#pragma once
// CSimDiscovery: finds the console the way a player does, by sending the discovery keyword
// over UDP to the control port (a unicast or broadcast address) and taking the address that
// echoes it back.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QTimer>

class QUdpSocket;

namespace lum::sim {

class CSimDiscovery : public QObject {
    Q_OBJECT
public:
    explicit CSimDiscovery(QObject* parent = nullptr);

    // Sends `keyword` to target:port up to `tries` times, `intervalMs` apart. False when no
    // socket could be opened.
    bool start(const QHostAddress& target, quint16 port, const QByteArray& keyword,
               int tries = 3, int intervalMs = 1000);
    QHostAddress server() const { return server_; }
    bool isDone() const { return done_; }

Q_SIGNALS:
    void found(const QHostAddress& server);
    void failed(const QString& reason);

private:
    void sendOnce();
    void readAnswers();

    QUdpSocket* socket_ = nullptr;
    QTimer timer_;
    QHostAddress target_;
    quint16 port_ = 0;
    QByteArray keyword_;
    int triesLeft_ = 0;
    bool done_ = false;
    QHostAddress server_;
};

}  // namespace lum::sim
