#pragma once
// CDiscoverySocket: the UDP responder on the control port that lets players find the console.
// A datagram holding the keyword (or a leading part of it, any letter case) is echoed to its
// sender; any other datagram is sent, unchanged, to the broadcast address of the sender's /24
// network at the sender's port. Lives on the main thread.
//
// Guards against remote parties: a datagram from the responder's own port is never answered
// (two consoles would otherwise echo for ever), one source address gets at most 20 answers a
// second, an empty datagram is ignored, and the notice for an over-long datagram is logged at
// most once a minute instead of stacking message boxes.

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <unordered_map>

class QUdpSocket;

namespace lum {

class ILogSink;

class CDiscoverySocket : public QObject {
    Q_OBJECT
public:
    static constexpr int kBufferSize = 127;           // longer datagrams are not answered
    static constexpr int kMaxAnswersPerSecond = 20;   // per source address
    static constexpr qint64 kNoticeIntervalMs = 60000;

    // `log` receives the operator notices (may be null).
    explicit CDiscoverySocket(ILogSink* log, QObject* parent = nullptr);
    ~CDiscoverySocket() override;

    // Binds the datagram socket to `port` (the control server's port). False when it cannot.
    bool create(quint16 port, const QHostAddress& address = QHostAddress(QHostAddress::AnyIPv4));
    void close();
    bool isOpen() const;
    quint16 localPort() const;

    // Replaces the millisecond clock used by the rate limit and the notice interval.
    void setClock(std::function<qint64()> clock) { clock_ = std::move(clock); }

    // Whether `data` (up to its first NUL byte) is the keyword or a leading part of it.
    static bool isKeyword(const QByteArray& data);
    // Where the answer to a datagram from `sender` goes.
    static QHostAddress answerAddress(const QByteArray& data, const QHostAddress& sender);

Q_SIGNALS:
    // After each answer sent (for tests and statistics).
    void answered(const QHostAddress& to, quint16 port);

private:
    void readPending();
    bool admit(quint32 source, qint64 now);

    // The times of the last answers to one source, oldest first once full.
    struct Recent {
        std::array<qint64, kMaxAnswersPerSecond> times{};
        int next = 0;
        int count = 0;
        qint64 newest() const;
    };

    ILogSink* log_;
    QUdpSocket* socket_ = nullptr;
    std::function<qint64()> clock_;
    std::unordered_map<quint32, Recent> recent_;
    qint64 lastNotice_ = 0;
    bool noticeGiven_ = false;
};

}  // namespace lum
