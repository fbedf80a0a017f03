#include "monitor/MonitorEndpoint.h"

#include "monitor/Metrics.h"

#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QTcpServer>

namespace lum {

MonitorEndpoint::MonitorEndpoint(std::function<QByteArray()> metrics,
                                 std::function<QByteArray()> playersJson, QObject* parent)
    : QObject(parent), metrics_(std::move(metrics)), players_(std::move(playersJson)) {}

MonitorEndpoint::~MonitorEndpoint() = default;

bool MonitorEndpoint::parseListen(const QString& spec, QHostAddress* address, quint16* port,
                                  QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString s = spec.trimmed();
    QString host, portText;
    if (s.startsWith(QLatin1Char('['))) {
        const int close = s.indexOf(QLatin1String("]:"));
        if (close < 0) return fail(QStringLiteral("'%1' is not [ADDRESS]:PORT").arg(s));
        host = s.mid(1, close - 1);
        portText = s.mid(close + 2);
    } else if (s.count(QLatin1Char(':')) > 1) {
        return fail(QStringLiteral("an IPv6 address goes in brackets: [ADDRESS]:PORT"));
    } else if (const int colon = s.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        host = s.left(colon);
        portText = s.mid(colon + 1);
    } else {
        portText = s;
    }
    bool ok = false;
    const uint p = portText.toUInt(&ok);
    if (!ok || p > 65535) return fail(QStringLiteral("'%1' is not a port number").arg(portText));
    QHostAddress a(QHostAddress::LocalHost);
    if (!host.isEmpty() && !a.setAddress(host))
        return fail(QStringLiteral("'%1' is not an IP address").arg(host));
    *address = a;
    *port = quint16(p);
    return true;
}

bool MonitorEndpoint::listen(const QString& spec, QString* error) {
    close();
    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(spec, &address, &port, error)) return false;

    auto http = std::make_unique<QHttpServer>();
    http->route(QStringLiteral("/metrics"), QHttpServerRequest::Method::Get, [this] {
        QHttpServerResponse r(QByteArray(kMetricsContentType), metrics_ ? metrics_() : QByteArray());
        return r;
    });
    http->route(QStringLiteral("/players"), QHttpServerRequest::Method::Get, [this] {
        return QHttpServerResponse(QByteArray("application/json"),
                                   players_ ? players_() : QByteArray("[]"));
    });
    http->setMissingHandler([](const QHttpServerRequest&, QHttpServerResponder&& responder) {
        responder.write(QByteArray("not found\n"), QByteArray("text/plain"),
                        QHttpServerResponder::StatusCode::NotFound);
    });
    const quint16 bound = http->listen(address, port);
    if (bound == 0) {
        QString why = QStringLiteral("cannot listen");
        if (!http->servers().isEmpty()) why = http->servers().constFirst()->errorString();
        if (error) *error = why;
        return false;
    }
    http_ = std::move(http);
    address_ = address;
    port_ = bound;
    return true;
}

void MonitorEndpoint::close() {
    http_.reset();
    port_ = 0;
}

}  // namespace lum
