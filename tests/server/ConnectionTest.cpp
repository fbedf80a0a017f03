// Server lifecycle and connection rules: start, stop, the connection limit, the login
// deadline, the idle timeout and the IP filter.

#include "ServerFixture.h"

#include <QProcess>
#include <QSemaphore>
#include <QThread>
#include <QUdpSocket>
#include <QStandardPaths>

#include <list>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace lumtest;

namespace {

class ConnectionTest : public ServerTest {};

class ShortTimeoutTest : public ServerTest {
protected:
    void configure() override {
        server->SetLoginTimeout(300);
        server->SetIdleTimeout(600);
    }
};

// Holds a connection thread inside the registration notice until the test lets it go.
class SlowObserver : public RecordingObserver {
public:
    void AccountRegistered(const QString& name, const QString& group) override {
        entered.release();
        letGo.tryAcquire(1, 30000);
        RecordingObserver::AccountRegistered(name, group);
    }
    QSemaphore entered, letGo;
};

class SlowThreadTest : public ServerTest {
protected:
    void configure() override {
        server->SetObserver(&slow);
        server->SetStopWait(100);
    }
    SlowObserver slow;
};

class FilterTest : public ServerTest {
protected:
    void configure() override {
        server->SetFilterMode(1);
        server->SetFilterList(QStringLiteral("10.0.0.*;127.0.0.2;"));
    }
};

}  // namespace

TEST_F(ConnectionTest, StartTwiceAndPortInUse) {
    EXPECT_FALSE(server->Start());
    EXPECT_TRUE(server->IsRunning());
    lum::CControlServer second(&accounts.accounts, &sink);
    second.SetPort(port);
    EXPECT_FALSE(second.Start());
    EXPECT_FALSE(second.IsRunning());
    EXPECT_TRUE(sink.contains(QStringLiteral("Control Server failed to listen on port %1.").arg(port)));
    // The fixture asked for any free port: the log names the one it got.
    EXPECT_TRUE(sink.contains(QStringLiteral("Control Server start on port %1").arg(port)));
}

TEST_F(ConnectionTest, DiscoveryAnswersOnTheControlPortWhileRunning) {
    QUdpSocket player;
    ASSERT_TRUE(player.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    player.writeDatagram("LUMServer", QHostAddress(QStringLiteral("127.0.0.1")), port);
    ASSERT_TRUE(waitUntil([&] { return player.hasPendingDatagrams(); }));
    QByteArray answer(64, '\0');
    answer.resize(player.readDatagram(answer.data(), answer.size()));
    EXPECT_EQ(answer, "LUMServer");
    server->Stop();
    EXPECT_EQ(server->Discovery(), nullptr);
    // A taken UDP port keeps the server from starting.
    QUdpSocket squatter;
    ASSERT_TRUE(squatter.bind(QHostAddress::AnyIPv4, port));
    server->SetPort(port);
    EXPECT_FALSE(server->Start());
    EXPECT_TRUE(sink.contains(QStringLiteral("Control Server failed to listen on port %1.").arg(port)));
    EXPECT_FALSE(server->IsRunning());
}

TEST_F(ConnectionTest, TheHundredAndFirstConnectionIsRefused) {
    std::list<Player> players;
    for (int i = 0; i < 100; ++i) {
        // Five hosts with twenty connections each: every one its full share.
        players.emplace_back(port, QStringLiteral("127.0.0.%1").arg(1 + i / 20));
        ASSERT_EQ(players.back().line(), "220 ") << i;
    }
    Player extra(port, QStringLiteral("127.0.0.6"));
    EXPECT_EQ(extra.line(), "421 Too many users are connected, please try again later.");
    EXPECT_TRUE(extra.waitClosed());
    EXPECT_TRUE(waitUntil([&] { return server->CurrentConnections() == 100; }));
    EXPECT_EQ(server->TotalConnections(), 101);
    players.pop_front();
    ASSERT_TRUE(waitUntil([&] { return server->CurrentConnections() == 99; }));
    Player late(port);
    EXPECT_EQ(late.line(), "220 ");
}

TEST_F(ConnectionTest, OneAddressHoldsAtMostItsShareOfThePlaces) {
    std::list<Player> players;
    for (int i = 0; i < 20; ++i) {
        players.emplace_back(port, QStringLiteral("127.0.0.2"));
        ASSERT_EQ(players.back().line(), "220 ") << i;
    }
    Player greedy(port, QStringLiteral("127.0.0.2"));
    EXPECT_EQ(greedy.line(), "421 Too many users are connected, please try again later.");
    EXPECT_TRUE(greedy.waitClosed());
    Player other(port, QStringLiteral("127.0.0.3"));
    EXPECT_EQ(other.line(), "220 ");
    // A place given back is a place again.
    players.pop_front();
    ASSERT_TRUE(waitUntil([&] { return server->CurrentConnections() == 20; }));
    Player again(port, QStringLiteral("127.0.0.2"));
    EXPECT_EQ(again.line(), "220 ");
}

TEST_F(ConnectionTest, TheListenQueueHoldsAReconnectStormWhileTheServerIsBusy) {
    // Every player reconnecting in the same instant: while the main thread is busy (no event
    // is served here until the end), the kernel's queue must hold them all. Past a short
    // backlog a SYN is dropped and the player would wait for its retry, a second or more.
    constexpr int kStorm = 150;
    std::vector<int> fds;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (int i = 0; i < kStorm; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        ASSERT_GE(fd, 0);
        fds.push_back(fd);
        ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    auto established = [&] {
        int n = 0;
        for (int fd : fds) {
            tcp_info info{};
            socklen_t len = sizeof info;
            if (::getsockopt(fd, IPPROTO_TCP, TCP_INFO, &info, &len) == 0 &&
                info.tcpi_state == TCP_ESTABLISHED)
                ++n;
        }
        return n;
    };
    // Polled without serving events: only the kernel's queue can complete these handshakes.
    QDeadlineTimer deadline(10000);
    while (established() < kStorm && !deadline.hasExpired()) QThread::msleep(5);
    EXPECT_EQ(established(), kStorm);
    for (int fd : fds) ::close(fd);
    EXPECT_TRUE(waitUntil([&] { return server->CurrentConnections() == 0; }, 30000));
}

TEST_F(ConnectionTest, StopEndsEveryConnection) {
    std::list<Player> players;
    for (int i = 0; i < 3; ++i) {
        players.emplace_back(port);
        players.back().login(QByteArray("p") + char('0' + i));
    }
    const auto ids = server->ConnectionIds();
    ASSERT_EQ(ids.size(), 3u);
    server->Stop();
    EXPECT_FALSE(server->IsRunning());
    EXPECT_EQ(server->CurrentConnections(), 0);
    for (auto& p : players) EXPECT_TRUE(p.waitClosed());
    EXPECT_EQ(sink.count(QStringLiteral("Control Server stopped.")), 4);
    for (quint32 id : ids) {
        EXPECT_TRUE(sink.contains(QStringLiteral("[%1] Thread successfully stopped.").arg(id)));
        EXPECT_TRUE(sink.contains(QStringLiteral("[%1] Client disconnected from 127.0.0.1.").arg(id)));
    }
    EXPECT_EQ(observer.get(observer.loggedOut).size(), 3u);
    // It starts again on the same object.
    EXPECT_TRUE(server->Start());
    Player again(server->ListeningPort());
    EXPECT_EQ(again.line(), "220 ");
}

TEST_F(ConnectionTest, StopConnectionEndsOnlyThatOne) {
    Player a(port), b(port);
    a.login("a");
    b.login("b");
    const auto ids = server->ConnectionIds();
    ASSERT_EQ(ids.size(), 2u);
    server->StopConnection(ids[0]);
    EXPECT_TRUE(a.waitClosed());
    EXPECT_EQ(b.command("NOOP"), "200 OK");
    EXPECT_EQ(server->ConnectionIds().size(), 1u);
}

TEST_F(ConnectionTest, PeerCloseEndsTheThread) {
    {
        Player a(port);
        a.login("a");
        EXPECT_TRUE(sink.anyContains(QStringLiteral("Client connected from 127.0.0.1.")));
    }
    EXPECT_TRUE(waitUntil([&] { return server->CurrentConnections() == 0; }));
    EXPECT_TRUE(waitUntil([&] { return server->ConnectionIds().empty(); }));
}

TEST_F(ShortTimeoutTest, SilentConnectionIsCutAtTheLoginDeadline) {
    Player silent(port);
    EXPECT_EQ(silent.line(), "220 ");
    EXPECT_EQ(silent.line(3000), "426 Control Connection timed out");
    EXPECT_TRUE(silent.waitClosed());
}

TEST_F(ShortTimeoutTest, IdleConnectionTimesOutWhileTrafficKeepsItAlive) {
    Player busy(port), idle(port);
    busy.login("busy");
    idle.login("idle");
    // The busy one keeps talking until the idle one has been timed out (waiting on its line
    // in between), and is still served afterwards.
    QByteArray idleLine = "<none>";
    for (int i = 0; i < 50 && idleLine == "<none>"; ++i) {
        EXPECT_EQ(busy.command("ALIVE"), "601 Server ALIVE Ack");
        idleLine = idle.line(100);
    }
    EXPECT_EQ(idleLine, "426 Control Connection timed out");
    EXPECT_TRUE(idle.waitClosed());
    EXPECT_EQ(busy.command("NOOP"), "200 OK");
}

TEST_F(SlowThreadTest, AThreadThatDoesNotEndInTimeIsReportedAndDropped) {
    Player p(port);
    p.line();
    p.sendLine("USER slowpoke");
    ASSERT_TRUE(waitUntil([&] { return server->ConnectionIds().size() == 1; }));
    const quint32 id = server->ConnectionIds().front();
    ASSERT_TRUE(slow.entered.tryAcquire(1, 5000));  // the thread is now inside the notice
    server->Stop();
    EXPECT_TRUE(sink.contains(QStringLiteral("\"[%1] Problem while killing thread.").arg(id)));
    EXPECT_TRUE(server->ConnectionIds().empty());
    slow.letGo.release();
    // It still ends; its disconnect is counted once it does.
    EXPECT_TRUE(p.waitClosed());
    EXPECT_TRUE(waitUntil([&] { return server->CurrentConnections() == 0; }));
}

TEST_F(FilterTest, IpFilterRefusesUnlistedAddresses) {
    Player refused(port);  // from 127.0.0.1, not listed
    EXPECT_EQ(refused.line(), "421 Access denied, IP address was rejected by the server.");
    EXPECT_TRUE(refused.waitClosed());
    Player listed(port, QStringLiteral("127.0.0.2"));
    EXPECT_EQ(listed.line(), "220 ");
}

TEST(IpFilter, Rules) {
    const QString list = QStringLiteral("192.168.1.*;10.0.0.7;");
    EXPECT_TRUE(lum::ipFilterAllows(0, list, QStringLiteral("1.2.3.4")));
    EXPECT_TRUE(lum::ipFilterAllows(1, list, QStringLiteral("192.168.1.44")));
    EXPECT_TRUE(lum::ipFilterAllows(1, list, QStringLiteral("10.0.0.7")));
    EXPECT_FALSE(lum::ipFilterAllows(1, list, QStringLiteral("10.0.0.70")));
    EXPECT_FALSE(lum::ipFilterAllows(1, list, QStringLiteral("192.168.2.1")));
    EXPECT_FALSE(lum::ipFilterAllows(2, list, QStringLiteral("192.168.1.1")));
    EXPECT_TRUE(lum::ipFilterAllows(2, list, QStringLiteral("192.168.2.1")));
    EXPECT_FALSE(lum::ipFilterAllows(1, QString(), QStringLiteral("192.168.2.1")));
}

// A standard client with its low-level calls: login, PWD, MKD, CWD, SIZE and a download.
// (A client that waits for a final reply after a transfer would hang: none is sent.)
TEST_F(ConnectionTest, PythonFtplibLowLevelSession) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) GTEST_SKIP() << "python3 not installed";
    ASSERT_TRUE(writeFile(path("hello.txt"), "hello from LUM"));
    const QString script = QStringLiteral(R"(
import ftplib, sys
f = ftplib.FTP()
print(f.connect('127.0.0.1', %1, timeout=10).strip())
print(f.sendcmd('USER pyuser'))
print(f.sendcmd('PWD'))
print(f.sendcmd('MKD made'))
print(f.sendcmd('CWD made'))
print(f.sendcmd('CWD /'))
print(f.sendcmd('SIZE hello.txt'))
f.sendcmd('TYPE I')
conn = f.transfercmd('RETR hello.txt')
data = b''
while True:
    chunk = conn.recv(4096)
    if not chunk:
        break
    data += chunk
conn.close()
print(data.decode())
print(f.sendcmd('NOOP'))
f.sock.close()
)").arg(port);
    QProcess proc;
    proc.start(python, {QStringLiteral("-c"), script});
    ASSERT_TRUE(waitUntil([&] { return proc.state() == QProcess::NotRunning; }, 20000));
    const QString out = QString::fromUtf8(proc.readAllStandardOutput());
    EXPECT_EQ(proc.exitCode(), 0) << proc.readAllStandardError().toStdString();
    EXPECT_EQ(out, QStringLiteral("220\n"
                                  "230 User successfully logged in group [Home].\n"
                                  "257 \"/\" is current directory.\n"
                                  "250 Directory created successfully.\n"
                                  "250 \"/made\" is current directory.\n"
                                  "250 \"/\" is current directory.\n"
                                  "213 14\n"
                                  "hello from LUM\n"
                                  "200 OK\n"));
}
