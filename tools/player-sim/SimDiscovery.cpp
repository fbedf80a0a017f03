#include "SimDiscovery.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace lum::sim {

CSimDiscovery::CSimDiscovery(QObject* parent) : QObject(parent) {
    connect(&m_timer, &QTimer::timeout, this, &CSimDiscovery::sendOnce);
}

bool CSimDiscovery::start(const QHostAddress& target, quint16 port, const QByteArray& keyword,
                          int tries, int intervalMs) {
    m_socket = new QUdpSocket(this);
    // Any local address: the answer may come from whichever address the console has.
    if (!m_socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) return false;
    connect(m_socket, &QUdpSocket::readyRead, this, &CSimDiscovery::readAnswers);
    m_target = target;
    m_port = port;
    m_keyword = keyword;
    m_triesLeft = std::max(1, tries);
    m_done = false;
    sendOnce();
    m_timer.start(intervalMs);
    return true;
}

void CSimDiscovery::sendOnce() {
    if (m_done) return;
    if (m_triesLeft-- <= 0) {
        m_done = true;
        m_timer.stop();
        Q_EMIT failed(QStringLiteral("no answer from %1:%2").arg(m_target.toString()).arg(m_port));
        return;
    }
    m_socket->writeDatagram(m_keyword, m_target, m_port);
}

void CSimDiscovery::readAnswers() {
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram();
        // Only the echo of what was sent comes from a console.
        if (m_done || d.data() != m_keyword || d.senderPort() != m_port) continue;
        m_done = true;
        m_timer.stop();
        m_server = QHostAddress(d.senderAddress().toIPv4Address());
        Q_EMIT found(m_server);
    }
}

}  // namespace lum::sim
