#pragma once
// The read-only monitoring endpoint: GET /metrics (Prometheus text) and GET /players (JSON),
// on Qt's HTTP server, on the thread that owns it (the main thread; answers are built from
// in-memory figures and never wait). Anything else is 404. Off unless an address is given;
// a port alone binds to loopback.

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QHttpServer;

namespace lum {

class MonitorEndpoint : public QObject {
    Q_OBJECT
public:
    MonitorEndpoint(std::function<QByteArray()> metrics, std::function<QByteArray()> playersJson,
                    QObject* parent = nullptr);
    ~MonitorEndpoint() override;

    // "ADDR:PORT", "[v6]:PORT", or "PORT" / ":PORT" for loopback. Port 0 lets the system choose.
    static bool parseListen(const QString& spec, QHostAddress* address, quint16* port, QString* error);

    // Listens on `spec`; false with a reason. A running endpoint is closed first.
    bool listen(const QString& spec, QString* error = nullptr);
    void close();
    bool isListening() const { return http_ != nullptr; }
    QHostAddress address() const { return address_; }
    quint16 port() const { return port_; }

private:
    std::function<QByteArray()> metrics_;
    std::function<QByteArray()> players_;
    std::unique_ptr<QHttpServer> http_;
    QHostAddress address_;
    quint16 port_ = 0;
};

}  // namespace lum
