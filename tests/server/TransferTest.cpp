// Passive and active transfers, REST, APPE, listings and the outcome counters.

#include "ServerFixture.h"

#include <QFile>
#include <QRegularExpression>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace lumtest;

namespace {

class TransferTest : public ServerTest {
protected:
    void configure() override { server->SetSendPause(0); }

    QByteArray retr(Player& p, const QByteArray& name) {
        QTcpSocket data;
        if (!connectData(data, p.pasv())) return "<no data connection>";
        EXPECT_EQ(p.command("RETR " + name), "125 Opening BINARY mode data connection for file transfer.");
        return readAllFrom(data);
    }
    void upload(Player& p, const QByteArray& command, const QByteArray& bytes) {
        QTcpSocket data;
        ASSERT_TRUE(connectData(data, p.pasv()));
        EXPECT_EQ(p.command(command), "125 Opening BINARY mode data connection for file transfer.");
        data.write(bytes);
        data.flush();
        waitUntil([&] { return data.bytesToWrite() == 0; });
        data.disconnectFromHost();
        waitUntil([&] { return data.state() == QAbstractSocket::UnconnectedState; });
    }
    QByteArray list(Player& p, const QByteArray& command) {
        QTcpSocket data;
        if (!connectData(data, p.pasv())) return "<no data connection>";
        EXPECT_EQ(p.command(command), "125 Opening ASCII mode data connection for directory list.");
        return readAllFrom(data);
    }
    static QByteArray pattern(int n) {
        QByteArray b;
        for (int i = 0; i < n; ++i) b += char('a' + i % 26);
        return b;
    }
};

}  // namespace

TEST_F(TransferTest, PassiveReplyArithmeticAndRange) {
    Player p(port);
    p.login("bob");
    const QByteArray r = p.command("P@SW");
    const QRegularExpression re(QStringLiteral("^227 Entering Passive Mode \\(127,0,0,1,(\\d+),(\\d+)\\)\\.$"));
    const auto m = re.match(QString::fromLatin1(r));
    ASSERT_TRUE(m.hasMatch()) << r.constData();
    const int dataPort = m.captured(1).toInt() * 256 + m.captured(2).toInt();
    const quint32 start = server->Config().passiveStart;
    EXPECT_GE(dataPort, int(start));
    EXPECT_LT(dataPort, int(start + 10));
}

TEST_F(TransferTest, DownloadsWithRestartOffset) {
    ASSERT_TRUE(writeFile(path("big.bin"), pattern(10000)));
    ASSERT_TRUE(writeFile(path("small.bin"), pattern(50)));
    ASSERT_TRUE(writeFile(path("k.bin"), pattern(1000)));
    Player p(port);
    p.login("bob");
    EXPECT_EQ(retr(p, "big.bin"), pattern(10000));  // several 4096-byte pieces
    // After a completed download the data host is gone.
    EXPECT_EQ(p.command("RETR big.bin"), "125 Opening BINARY mode data connection for file transfer.");
    EXPECT_EQ(p.line(), "425 Can't open data connection.");

    // REST before PASV is lost; after PASV it applies.
    EXPECT_EQ(p.command("REST 100"), "350 Restarting at 100.");
    EXPECT_EQ(retr(p, "k.bin"), pattern(1000));
    {
        QTcpSocket data;
        ASSERT_TRUE(connectData(data, p.pasv()));
        p.command("REST 100");
        p.command("RETR k.bin");
        EXPECT_EQ(readAllFrom(data), pattern(1000).mid(100));
    }
    {
        QTcpSocket data;  // an offset beyond the size sends the whole file
        ASSERT_TRUE(connectData(data, p.pasv()));
        p.command("REST 100");
        p.command("RETR small.bin");
        EXPECT_EQ(readAllFrom(data), pattern(50));
    }
    EXPECT_EQ(p.command("RETR none.bin"), "550 File not found.(none.bin)");
    EXPECT_TRUE(waitUntil([&] { return server->FilesSent() == 4; }));
    EXPECT_TRUE(waitUntil([&] { return server->TotalBytesSent() > 10000 + 1000 + 900 + 50; }));
}

TEST_F(TransferTest, ActiveDownloadToTheAnnouncedPort) {
    ASSERT_TRUE(writeFile(path("a.bin"), pattern(5000)));
    QTcpServer listener;
    ASSERT_TRUE(listener.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0));
    const quint16 lp = listener.serverPort();
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command(QStringLiteral("PORT 127,0,0,1,%1,%2").arg(lp / 256).arg(lp % 256).toLatin1()),
              "200 Port command successful.");
    EXPECT_EQ(p.command("REST 4000"), "350 Restarting at 4000.");
    p.sendLine("RETR a.bin");
    ASSERT_TRUE(waitUntil([&] { return listener.hasPendingConnections(); }));
    QTcpSocket* data = listener.nextPendingConnection();
    EXPECT_EQ(p.line(), "125 Opening BINARY mode data connection for file transfer.");
    EXPECT_EQ(readAllFrom(*data), pattern(5000).mid(4000));
}

TEST_F(TransferTest, PortChecks) {
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("PORT 127,0,0,2,40,1"), "504 Command not implemented for that parameter.");
    EXPECT_EQ(p.command("PORT 10,0,0,1,40,1"), "504 Command not implemented for that parameter.");
    EXPECT_EQ(p.command("PORT 127,0,0,1,40"), "501 Syntax error: Invalid number of parameters.");
    EXPECT_EQ(p.command("PORT 127,0,0,1,300,1"), "501 Syntax error: Invalid number of parameters.");
    EXPECT_EQ(p.command("PORT 127,0,0,x,4,1"), "501 Syntax error: Invalid number of parameters.");
    // No transfer was set up by the refused commands.
    EXPECT_EQ(p.command("LIST"), "125 Opening ASCII mode data connection for directory list.");
    EXPECT_EQ(p.line(), "425 Can't open data connection.");
}

TEST_F(TransferTest, APlayerThatNeverConnectsGetsTheSocketFailure) {
    server->SetDataConnectTimeout(200);
    ASSERT_TRUE(writeFile(path("f.txt"), "payload"));
    Player p(port);
    p.login("bob");
    p.pasv();
    EXPECT_EQ(p.command("RETR f.txt"), "125 Opening BINARY mode data connection for file transfer.");
    EXPECT_EQ(p.line(), "421 Failed to create data connection socket.");
    EXPECT_EQ(p.command("NOOP"), "200 OK");
}

TEST_F(TransferTest, ForeignPassiveConnectionIsDropped) {
    ASSERT_TRUE(writeFile(path("f.txt"), "payload"));
    Player p(port);
    p.login("bob");
    const quint16 dp = p.pasv();
    // The server may drop the intruder before this side sees it connected: watch the signal,
    // not the state.
    QTcpSocket intruder;
    bool accepted = false;
    QObject::connect(&intruder, &QTcpSocket::connected, [&] { accepted = true; });
    intruder.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0);
    intruder.connectToHost(QHostAddress(QStringLiteral("127.0.0.1")), dp);
    EXPECT_TRUE(waitUntil(
        [&] { return accepted && intruder.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_TRUE(intruder.readAll().isEmpty());
    QTcpSocket data;
    ASSERT_TRUE(connectData(data, dp));
    p.command("RETR f.txt");
    EXPECT_EQ(readAllFrom(data), "payload");
}

TEST_F(TransferTest, UploadsStoreAndAppend) {
    ASSERT_TRUE(writeFile(path("up.txt"), "old content that is long"));
    QDir().mkpath(path("Sub"));
    Player p(port);
    p.login("bob");
    p.command("CWD sub");
    upload(p, "STOR up.txt", "new");  // lands in the home directory, whatever the current one
    EXPECT_TRUE(waitUntil([&] { return readFile(path("up.txt")) == "new"; }));
    upload(p, "APPE up.txt", "+more");
    EXPECT_TRUE(waitUntil([&] { return readFile(path("up.txt")) == "new+more"; }));
    upload(p, "STOR sub/n.txt", "in sub");
    EXPECT_TRUE(waitUntil([&] { return readFile(path("Sub/n.txt")) == "in sub"; }));
    upload(p, "APPE fresh.txt", "x");
    EXPECT_TRUE(waitUntil([&] { return readFile(path("fresh.txt")) == "x"; }));
    // The name as sent, dots included; still inside the home directory.
    upload(p, "STOR .x", "dot");
    EXPECT_TRUE(waitUntil([&] { return readFile(path(".x")) == "dot"; }));
    EXPECT_FALSE(QFile::exists(path("x")));
    EXPECT_TRUE(waitUntil([&] { return server->FilesReceived() == 5; }));
    EXPECT_TRUE(waitUntil([&] { return server->TotalBytesReceived() >= 3 + 5 + 6 + 1 + 3; }));
}

TEST_F(TransferTest, ListingFormats) {
    QDir().mkpath(path("Dir"));
    ASSERT_TRUE(writeFile(path("f1234.bin"), pattern(1234)));
    ASSERT_TRUE(writeFile(path("old.txt"), "x"));
    {
        QFile f(path("old.txt"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-400), QFileDevice::FileModificationTime));
    }
    Player p(port);
    p.login("bob");
    const QStringList lines = QString::fromLatin1(list(p, "LIST")).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    const QRegularExpression recent(QStringLiteral(
        "^-rwx------ 1 user group           1234 [A-Z][a-z]{2} \\d\\d \\d\\d:\\d\\d f1234\\.bin$"));
    const QRegularExpression old(QStringLiteral(
        "^-rwx------ 1 user group              1 [A-Z][a-z]{2} \\d\\d \\d{4} old\\.txt$"));
    const QRegularExpression dirLine(QStringLiteral("^drwx------ 1 user group              0 .* Dir$"));
    int matched = 0;
    for (const QString& l : lines)
        matched += recent.match(l).hasMatch() + old.match(l).hasMatch() + dirLine.match(l).hasMatch();
    EXPECT_EQ(matched, 3) << lines.join(QLatin1Char('|')).toStdString();

    const QByteArray names = list(p, "NLST");
    EXPECT_TRUE(names.contains("f1234.bin\r\n") && names.contains("Dir\r\n") && names.contains("old.txt\r\n"));
    // One file listed by its own name, or entries by a pattern.
    EXPECT_EQ(list(p, "NLST old.txt"), "old.txt\r\n");
    EXPECT_EQ(list(p, "NLST *.TXT"), "old.txt\r\n");
    EXPECT_EQ(list(p, "NLST /f?234.*"), "f1234.bin\r\n");
    // An empty directory: the data connection opens and closes with nothing.
    EXPECT_EQ(list(p, "LIST dir"), "");
    EXPECT_EQ(p.command("LIST nowhere"), "550 \"nowhere\": Directory not found.");
}

TEST_F(TransferTest, AborAndPlayerClosingTheDataConnection) {
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("ABOR"), "226 ABOR command successful.");
    p.pasv();
    EXPECT_EQ(p.command("ABOR"), "226 ABOR command successful.");  // listening, not transferring

    // A slow download the player breaks off.
    server->SetSendPause(0);
    ASSERT_TRUE(writeFile(path("huge.bin"), QByteArray(8 * 1024 * 1024, 'z')));
    Player q(port);
    q.login("carl");
    QTcpSocket data;
    ASSERT_TRUE(connectData(data, q.pasv()));
    data.setReadBufferSize(4096);
    q.command("RETR huge.bin");
    waitUntil([&] { return data.bytesAvailable() > 0; });
    data.abort();
    // A closed connection or a reset, depending on what the system saw first.
    const QByteArray l = q.line();
    EXPECT_TRUE(l == "DataSocket Connection closed" || l == "426 Data Connection closed; transfer aborted.")
        << l.constData();
    EXPECT_EQ(q.command("NOOP"), "200 OK");
    EXPECT_TRUE(waitUntil([&] { return server->ReceivesAborted() + server->SendsAborted() == 1; }));
}

TEST_F(TransferTest, AnIdlePassiveListenerGivesItsPortBack) {
    server->SetPassiveRange(server->Config().passiveStart, 1);
    server->SetPassiveIdleTimeout(300);
    Player hog(port), other(port);
    hog.login("hog");
    other.login("other");
    ASSERT_NE(hog.pasv(), 0);  // the one port of the range, and the hog never connects
    EXPECT_EQ(other.command("PASV"), "421 Failed to create data connection socket.");
    EXPECT_TRUE(waitUntil([&] { return other.command("PASV").startsWith("227 "); }, 10000));
    // The hog's data connection is gone: a transfer fails rather than waits.
    server->SetDataConnectTimeout(200);
    EXPECT_EQ(hog.command("LIST"), "125 Opening ASCII mode data connection for directory list.");
    EXPECT_EQ(hog.line(), "421 Failed to create data connection socket.");
}

TEST_F(TransferTest, AnUploadStillArrivingWhenThePlayerGoesOnIsStoredWhole) {
    // A player closes the data connection and goes on at once: the end of the upload may
    // still sit unread in the server's socket buffers then, and must not be cut off.
    const QByteArray bytes = pattern(4 * 1024 * 1024 + 17);
    ASSERT_TRUE(writeFile(path("small.txt"), "small"));
    // QUIT, the player closing its control connection, or its next transfer at once.
    for (const QByteArray& leave : {QByteArray("QUIT"), QByteArray(), QByteArray("RETR")}) {
        Player p(port);
        p.login("bob");
        const quint16 dataPort = p.pasv();
        // A plain blocking socket: its send returns as soon as the kernel holds the bytes.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(dataPort);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
        EXPECT_EQ(p.command("STOR big.bin"), "125 Opening BINARY mode data connection for file transfer.");
        for (qsizetype sent = 0; sent < bytes.size();) {
            const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), 0);
            ASSERT_GT(n, 0);
            sent += n;
        }
        ::close(fd);
        if (leave == "RETR") {
            EXPECT_EQ(retr(p, "small.txt"), "small");
        } else if (!leave.isEmpty()) {
            p.sendLine(leave);
        } else {
            p.socket().abort();
        }
        EXPECT_TRUE(waitUntil([&] { return readFile(path("big.bin")).size() == bytes.size(); }, 30000))
            << leave.constData() << ": " << readFile(path("big.bin")).size() << " of " << bytes.size();
        EXPECT_EQ(readFile(path("big.bin")), bytes);
        QFile::remove(path("big.bin"));
    }
}
