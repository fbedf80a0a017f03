// The discovery responder: any datagram, from the network, through its real socket.
#include "FuzzSupport.h"
#include "core/LogSink.h"
#include "server/DiscoverySocket.h"

#include <QCoreApplication>
#include <QNetworkDatagram>
#include <QUdpSocket>

using namespace lum;

namespace {

struct NullSink : ILogSink {
    void addLog(LogType, const QString&, const QString&) override {}
};

struct Responder {
    NullSink sink;
    CDiscoverySocket socket{&sink};
    QUdpSocket sender;
    QUdpSocket* inner = nullptr;
    qint64 now = 0;
    Responder() {
        lumfuzz::isolateNetwork();
        socket.setClock([this] { return now; });
        if (!socket.create(0, QHostAddress::LocalHost)) abort();
        inner = socket.findChild<QUdpSocket*>();
        sender.bind(QHostAddress::LocalHost, 0);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    static Responder r;
    r.now += 7;  // the rate limit sees time pass
    const QByteArray datagram = lumfuzz::bytesOf(data, size);
    if (r.sender.writeDatagram(datagram, QHostAddress::LocalHost, r.socket.localPort()) < 0)
        return 0;
    // Loopback delivers at once; the responder reads what is pending.
    for (int i = 0; i < 100 && r.inner && r.inner->hasPendingDatagrams(); ++i)
        QCoreApplication::processEvents();
    while (r.sender.hasPendingDatagrams()) r.sender.receiveDatagram();
    (void)CDiscoverySocket::isKeyword(datagram);
    (void)CDiscoverySocket::answerAddress(datagram, QHostAddress(QStringLiteral("192.168.7.9")));
    return 0;
}
