#include "server/DiscoverySocket.h"

#include "core/LogSink.h"
#include "server/DiscoveryTexts.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <cstring>

namespace lum {

namespace {

// Sources older than this are forgotten when the table grows.
constexpr size_t kMaxTrackedSources = 4096;

qint64 monotonicMs() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

}  // namespace

CDiscoverySocket::CDiscoverySocket(ILogSink* log, QObject* parent)
    : QObject(parent), log_(log), clock_(&monotonicMs) {}

CDiscoverySocket::~CDiscoverySocket() { close(); }

bool CDiscoverySocket::create(quint16 port, const QHostAddress& address) {
    close();
    socket_ = new QUdpSocket(this);
    // Shared binding would let a second process steal the datagrams; the port is ours alone.
    if (!socket_->bind(address, port, QAbstractSocket::DontShareAddress)) {
        delete socket_;
        socket_ = nullptr;
        return false;
    }
    connect(socket_, &QUdpSocket::readyRead, this, &CDiscoverySocket::readPending);
    return true;
}

void CDiscoverySocket::close() {
    if (!socket_) return;
    socket_->close();
    socket_->deleteLater();
    socket_ = nullptr;
    recent_.clear();
}

bool CDiscoverySocket::isOpen() const { return socket_ != nullptr; }

quint16 CDiscoverySocket::localPort() const { return socket_ ? socket_->localPort() : 0; }

bool CDiscoverySocket::isKeyword(const QByteArray& data) {
    const qsizetype nul = data.indexOf('\0');
    const QByteArray text = nul >= 0 ? data.left(nul) : data;
    const QByteArray keyword(discoverytext::kKeyword);
    if (text.size() > keyword.size()) return false;
    return keyword.left(text.size()).compare(text, Qt::CaseInsensitive) == 0;
}

QHostAddress CDiscoverySocket::answerAddress(const QByteArray& data, const QHostAddress& sender) {
    if (isKeyword(data)) return sender;
    bool ok = false;
    const quint32 v4 = sender.toIPv4Address(&ok);
    if (!ok) return sender;  // no /24 for other families: answer the sender itself
    return QHostAddress((v4 & 0xFFFFFF00u) | 0xFFu);
}

qint64 CDiscoverySocket::Recent::newest() const {
    return times[(next + kMaxAnswersPerSecond - 1) % kMaxAnswersPerSecond];
}

// A sliding second: an answer is allowed when fewer than the limit were sent to this source
// in the last 1000 ms.
bool CDiscoverySocket::admit(quint32 source, qint64 now) {
    if (recent_.size() >= kMaxTrackedSources && !recent_.count(source)) {
        for (auto it = recent_.begin(); it != recent_.end();) {
            if (now - it->second.newest() >= 1000)
                it = recent_.erase(it);
            else
                ++it;
        }
        if (recent_.size() >= kMaxTrackedSources) return false;  // a flood: no one new
    }
    Recent& r = recent_[source];
    if (r.count == kMaxAnswersPerSecond && now - r.times[r.next] < 1000) return false;
    r.times[r.next] = now;
    r.next = (r.next + 1) % kMaxAnswersPerSecond;
    if (r.count < kMaxAnswersPerSecond) ++r.count;
    return true;
}

void CDiscoverySocket::readPending() {
    while (socket_ && socket_->hasPendingDatagrams()) {
        const qint64 size = socket_->pendingDatagramSize();
        QNetworkDatagram datagram = socket_->receiveDatagram(kBufferSize + 1);
        if (size > kBufferSize || datagram.data().size() > kBufferSize) {
            const qint64 now = clock_();
            if (!noticeGiven_ || now - lastNotice_ >= kNoticeIntervalMs) {
                noticeGiven_ = true;
                lastNotice_ = now;
                if (log_)
                    log_->addLog(LogType::Error, QString(),
                                  QString::fromLatin1(discoverytext::kDatagramTooLarge));
            }
            continue;
        }
        const QByteArray data = datagram.data();
        // An empty datagram carries nothing to answer; it must not close the responder.
        if (data.isEmpty()) continue;
        const QHostAddress sender = datagram.senderAddress();
        const int senderPort = datagram.senderPort();
        if (senderPort <= 0 || senderPort == socket_->localPort()) continue;
        bool ok = false;
        const quint32 source = sender.toIPv4Address(&ok);
        if (!ok) continue;  // bound to IPv4 only; anything else is not a player
        if (!admit(source, clock_())) continue;
        const QHostAddress to = answerAddress(data, QHostAddress(source));
        // Send errors are ignored: the player asks again.
        if (socket_->writeDatagram(data, to, static_cast<quint16>(senderPort)) == data.size())
            Q_EMIT answered(to, static_cast<quint16>(senderPort));
    }
}

}  // namespace lum
