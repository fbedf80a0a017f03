#include "core/LogSink.h"
#include "server/DiscoverySocket.h"

#include "common/TestSupport.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <memory>

using lum::CDiscoverySocket;

namespace {

struct CollectSink : lum::ILogSink {
    struct Entry {
        lum::LogType type;
        QString key, text;
    };
    std::vector<Entry> entries;
    void addLog(lum::LogType type, const QString& key, const QString& text) override {
        entries.push_back({type, key, text});
    }
};

const QHostAddress kLocal(QStringLiteral("127.0.0.1"));
const QHostAddress kSecond(QStringLiteral("127.0.0.2"));

class Discovery : public ::testing::Test {
protected:
    void SetUp() override {
        responder = std::make_unique<CDiscoverySocket>(&sink);
        responder->setClock([this] { return now; });
        ASSERT_TRUE(responder->create(0, kLocal));
        port = responder->localPort();
        ASSERT_NE(port, 0);
    }

    std::unique_ptr<QUdpSocket> client(const QHostAddress& bindTo, quint16 bindPort = 0) {
        auto s = std::make_unique<QUdpSocket>();
        EXPECT_TRUE(s->bind(bindTo, bindPort));
        return s;
    }

    // Sends `data` to the responder from `s` and waits for `s` to receive something.
    std::optional<QNetworkDatagram> ask(QUdpSocket& s, const QByteArray& data) {
        s.writeDatagram(data, kLocal, port);
        if (!lumtest::waitUntil([&] { return s.hasPendingDatagrams(); })) return std::nullopt;
        return s.receiveDatagram();
    }

    // A keyword from a second address: once it is answered, everything sent before it has been
    // handled, so anything not received by then was not sent.
    void sentinel() {
        auto s = client(kSecond);
        ASSERT_TRUE(ask(*s, "LUM").has_value());
    }

    CollectSink sink;
    qint64 now = 1000000;
    std::unique_ptr<CDiscoverySocket> responder;
    quint16 port = 0;
};

}  // namespace

TEST(DiscoveryRules, KeywordPrefixesAndBroadcastAddress) {
    for (const char* yes : {"LUMServer", "lumserver", "LUM", "l", "lUmSeRvEr"})
        EXPECT_TRUE(CDiscoverySocket::isKeyword(yes)) << yes;
    EXPECT_TRUE(CDiscoverySocket::isKeyword(QByteArray("LUMServer\0", 10)));
    EXPECT_TRUE(CDiscoverySocket::isKeyword(QByteArray("LUM\0trailing junk", 17)));
    for (const char* no : {"LUMServerX", "XLUM", "LUM Server", "hello", "LUMSERVERS"})
        EXPECT_FALSE(CDiscoverySocket::isKeyword(no)) << no;

    const QHostAddress sender(QStringLiteral("192.168.1.23"));
    EXPECT_EQ(CDiscoverySocket::answerAddress("LUMServer", sender), sender);
    EXPECT_EQ(CDiscoverySocket::answerAddress("hello", sender),
              QHostAddress(QStringLiteral("192.168.1.255")));
    EXPECT_EQ(CDiscoverySocket::answerAddress("x", QHostAddress(QStringLiteral("10.0.0.7"))),
              QHostAddress(QStringLiteral("10.0.0.255")));
}

TEST_F(Discovery, KeywordIsEchoedToSenderUnchanged) {
    auto s = client(kLocal);
    for (const QByteArray& data :
         {QByteArray("LUMServer"), QByteArray("lumserver\0", 10), QByteArray("LUM")}) {
        auto answer = ask(*s, data);
        ASSERT_TRUE(answer.has_value()) << data.toStdString();
        EXPECT_EQ(answer->data(), data);
        EXPECT_EQ(answer->senderPort(), port);
        EXPECT_EQ(QHostAddress(answer->senderAddress().toIPv4Address()), kLocal);
    }
}

TEST_F(Discovery, OtherTextGoesToTheSendersSlash24Broadcast) {
    // Bound to every address so that the answer to 127.0.0.255 reaches it.
    auto s = client(QHostAddress(QHostAddress::AnyIPv4));
    for (const QByteArray& data : {QByteArray("hello"), QByteArray("LUMServerX"),
                                   QByteArray(CDiscoverySocket::kBufferSize, 'a')}) {
        auto answer = ask(*s, data);
        ASSERT_TRUE(answer.has_value()) << data.toStdString();
        EXPECT_EQ(answer->data(), data);
        EXPECT_EQ(QHostAddress(answer->destinationAddress().toIPv4Address()),
                  QHostAddress(QStringLiteral("127.0.0.255")));
    }
}

TEST_F(Discovery, OverlongDatagramIsNotAnsweredAndNoticedOncePerMinute) {
    auto s = client(kLocal);
    s->writeDatagram(QByteArray(CDiscoverySocket::kBufferSize + 1, 'L'), kLocal, port);
    s->writeDatagram(QByteArray(200, 'L'), kLocal, port);
    sentinel();
    EXPECT_FALSE(s->hasPendingDatagrams());
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].text, "The datagram was too large and was truncated");
    EXPECT_EQ(sink.entries[0].type, lum::LogType::Error);

    now += CDiscoverySocket::kNoticeIntervalMs;
    s->writeDatagram(QByteArray(500, 'x'), kLocal, port);
    sentinel();
    EXPECT_EQ(sink.entries.size(), 2u);
    // The responder still answers afterwards.
    EXPECT_TRUE(ask(*s, "LUMServer").has_value());
}

TEST_F(Discovery, DatagramFromOwnPortAndEmptyDatagramAreIgnored) {
    // Same port number as the responder, on the second address: like a second console.
    auto twin = client(kSecond, port);
    twin->writeDatagram("LUMServer", kLocal, port);
    twin->writeDatagram("hello", kLocal, port);
    auto s = client(kLocal);
    s->writeDatagram(QByteArray(), kLocal, port);
    sentinel();
    EXPECT_FALSE(twin->hasPendingDatagrams());
    EXPECT_FALSE(s->hasPendingDatagrams());
    EXPECT_TRUE(responder->isOpen());
    EXPECT_TRUE(ask(*s, "LUMServer").has_value());
}

TEST_F(Discovery, AtMostTwentyAnswersPerSecondPerSource) {
    auto s = client(kLocal);
    for (int i = 0; i < 30; ++i) s->writeDatagram("LUMServer", kLocal, port);
    sentinel();  // another source address is not limited by the first one's count
    int answers = 0;
    while (s->hasPendingDatagrams()) {
        s->receiveDatagram();
        ++answers;
    }
    EXPECT_EQ(answers, CDiscoverySocket::kMaxAnswersPerSecond);

    now += 999;
    s->writeDatagram("LUMServer", kLocal, port);
    sentinel();
    EXPECT_FALSE(s->hasPendingDatagrams());
    now += 1;
    EXPECT_TRUE(ask(*s, "LUMServer").has_value());

    // A sliding second: 10 answers now and 10 half a second later fill it; the next one waits
    // until the first 10 are a second old, and then only 10 more fit.
    now += 5000;
    auto burst = [&](int n) {
        for (int i = 0; i < n; ++i) s->writeDatagram("LUM", kLocal, port);
        sentinel();
        int got = 0;
        while (s->hasPendingDatagrams()) {
            s->receiveDatagram();
            ++got;
        }
        return got;
    };
    EXPECT_EQ(burst(10), 10);
    now += 500;
    EXPECT_EQ(burst(10), 10);
    now += 499;
    EXPECT_EQ(burst(5), 0);
    now += 1;
    EXPECT_EQ(burst(15), 10);  // a new fixed window would have allowed all 15
}

TEST_F(Discovery, ClosedResponderReleasesThePort) {
    responder->close();
    EXPECT_FALSE(responder->isOpen());
    QUdpSocket again;
    EXPECT_TRUE(again.bind(kLocal, port));
    CDiscoverySocket second(&sink);
    EXPECT_FALSE(second.create(port, kLocal));  // taken now
}
