#include "SimDiscovery.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace lum::sim {

CSimDiscovery::CSimDiscovery(QObject* parent) : QObject(parent) {
    connect(&timer_, &QTimer::timeout, this, &CSimDiscovery::sendOnce);
}

bool CSimDiscovery::start(const QHostAddress& target, quint16 port, const QByteArray& keyword,
                          int tries, int intervalMs) {
    socket_ = new QUdpSocket(this);
    // Any local address: the answer may come from whichever address the console has.
    if (!socket_->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) return false;
    connect(socket_, &QUdpSocket::readyRead, this, &CSimDiscovery::readAnswers);
    target_ = target;
    port_ = port;
    keyword_ = keyword;
    triesLeft_ = std::max(1, tries);
    done_ = false;
    sendOnce();
    timer_.start(intervalMs);
    return true;
}

void CSimDiscovery::sendOnce() {
    if (done_) return;
    if (triesLeft_-- <= 0) {
        done_ = true;
        timer_.stop();
        Q_EMIT failed(QStringLiteral("no answer from %1:%2").arg(target_.toString()).arg(port_));
        return;
    }
    socket_->writeDatagram(keyword_, target_, port_);
}

void CSimDiscovery::readAnswers() {
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_->receiveDatagram();
        // Only the echo of what was sent comes from a console.
        if (done_ || d.data() != keyword_ || d.senderPort() != port_) continue;
        done_ = true;
        timer_.stop();
        server_ = QHostAddress(d.senderAddress().toIPv4Address());
        Q_EMIT found(server_);
    }
}

}  // namespace lum::sim
