// The operator socket's event subscription against a client that stops reading: the server
// never waits for it, keeps a bounded backlog, and tells it how many events it missed.
#include "server/OperatorSocket.h"

#include "common/TestSupport.h"

#include <QJsonDocument>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::waitUntil;

namespace {

// A plain Unix socket: nothing buffers on the client's side but the kernel.
int connectRaw(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray p = QFile::encodeName(path);
    std::memcpy(addr.sun_path, p.constData(), size_t(std::min<qsizetype>(p.size(), sizeof addr.sun_path - 1)));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

// Reads what is there now (the server's event loop runs meanwhile); false at the end of stream.
bool readSome(int fd, QByteArray* into) {
    char buf[65536];
    QCoreApplication::processEvents();
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) into->append(buf, n);
    return n != 0;
}

}  // namespace

TEST(EventStream, AStuckSubscriberNeverHoldsTheServerAndLearnsWhatItMissed) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("server data"));
    int requests = 0;
    COperatorSocket socket([&](const QJsonObject&, const COperatorSocket::Reply& reply) {
        ++requests;
        reply({{"ok", true}});
    });
    ASSERT_TRUE(socket.listen(dir.path()));
    const int fd = connectRaw(socket.serverName());
    ASSERT_GE(fd, 0);
    const QByteArray request = "{\"verb\":\"events\"}\n{\"verb\":\"status\"}\n";
    ASSERT_EQ(::write(fd, request.constData(), size_t(request.size())), request.size());
    ASSERT_TRUE(waitUntil([&] { return socket.subscriberCount() == 1; }));

    // Far more than the backlog while the client reads nothing.
    const QString filler(900, QLatin1Char('x'));
    const int published = 6000;
    for (int i = 0; i < published; ++i) {
        socket.publish({{"event", "status"}, {"n", i}, {"text", filler}});
        if (i % 100 == 0) QCoreApplication::processEvents();
    }
    // Now it reads: everything that was kept, then, with the next event, the count it missed.
    QByteArray got;
    waitUntil([&] {
        readSome(fd, &got);
        return false;
    }, 500);
    socket.publish({{"event", "status"}, {"n", published}});
    ASSERT_TRUE(waitUntil([&] {
        readSome(fd, &got);
        return got.contains("\"n\":" + QByteArray::number(published));
    }, 10000));

    const QList<QByteArray> lines = got.trimmed().split('\n');
    EXPECT_EQ(lines[0], "{\"ok\":true,\"stream\":\"events\"}");
    qint64 received = 0, missed = 0;
    int last = -1;
    for (const QByteArray& l : lines.mid(1)) {
        const QJsonObject e = QJsonDocument::fromJson(l).object();
        ASSERT_FALSE(e.isEmpty()) << l.left(80).toStdString();
        if (e["event"] == "dropped") {
            missed += e["count"].toInteger();
            continue;
        }
        EXPECT_GT(e["n"].toInt(), last);  // in order, none twice
        last = e["n"].toInt();
        ++received;
    }
    EXPECT_GT(missed, 0);
    EXPECT_LT(received, published / 2);  // the backlog was bounded (about 1 MiB of 5)
    EXPECT_EQ(received + missed, published + 1);
    EXPECT_EQ(requests, 0);  // a subscriber's further lines are not requests

    // Closing the socket ends the stream.
    socket.close();
    ASSERT_TRUE(waitUntil([&] { return !readSome(fd, &got); }, 10000));
    ::close(fd);
}
