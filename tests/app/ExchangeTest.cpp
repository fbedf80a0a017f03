// The road of a typical exchange with the built programs: lum-server on a data folder of its
// own and free ports, simulated players found by discovery, lumctl as the operator.
#include "accounts/UserStore.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <csignal>
#include <memory>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 30000;

// A TCP and UDP port nobody holds now.
quint16 freePort() {
    for (;;) {
        QTcpServer tcp;
        if (!tcp.listen(QHostAddress::LocalHost, 0)) return 0;
        QUdpSocket udp;
        if (udp.bind(QHostAddress::LocalHost, tcp.serverPort())) return tcp.serverPort();
    }
}

// The first of `count` consecutive free TCP ports.
quint16 freeRange(int count) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        const quint16 base = quint16(QRandomGenerator::global()->bounded(20000, 60000));
        std::vector<std::unique_ptr<QTcpServer>> held;
        bool ok = true;
        for (int i = 0; i < count && ok; ++i) {
            held.push_back(std::make_unique<QTcpServer>());
            ok = held.back()->listen(QHostAddress::LocalHost, quint16(base + i));
        }
        if (ok) return base;
    }
    return 0;
}

// One lum-player-sim process; its output is collected while the test waits.
struct Sim {
    QProcess proc;
    QByteArray out;

    void start(const QStringList& args) {
        proc.setProcessChannelMode(QProcess::MergedChannels);
        proc.start(lumtest::binDir() + "/lum-player-sim", args);
    }
    QByteArray output() {
        // Pull what the pipe holds even when no event loop ran since (lumctl runs blocking).
        for (int i = 0; i < 100 && proc.waitForReadyRead(0); ++i) {
        }
        out += proc.readAll();
        return out;
    }
    int count(const QByteArray& text) { return int(output().count(text)); }
    void stop() {
        if (proc.state() == QProcess::NotRunning) return;
        proc.terminate();
        proc.waitForFinished(kWaitMs);
    }
};

class Exchange : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(lumtest::binDir().isEmpty()) << "LUM_BIN_DIR is not set";
        data = dir.filePath("data");
        ASSERT_TRUE(QDir().mkpath(data + "/Home"));
        port = freePort();
        const quint16 passive = freeRange(8);
        ASSERT_TRUE(port && passive);
        // LOGLEVEL 2: replies and player reports both reach ftptrace.log.
        ASSERT_TRUE(lumtest::writeFile(
            data + "/config.ini",
            QStringLiteral("[Startup]\r\nAUTOACTIVATE=1\r\n[SERVER]\r\nLOGLEVEL=2\r\nPORT=%1\r\n"
                           "PORTSTART=%2\r\nPORTNUM=8\r\n")
                .arg(port)
                .arg(passive)
                .toLatin1()));
        {
            // A second group whose player must not receive what Home receives.
            lum::CUserStore store(data);
            lum::CUserGroup lobby;
            lobby.name = "Lobby";
            ASSERT_EQ(store.AddGroup(lobby), 1);
            lum::CUser lobby1;
            lobby1.name = "lobby1";
            lobby1.group = "Lobby";
            ASSERT_EQ(store.AddUser(lobby1), 1);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.filePath("xdg"));
        env.insert("XDG_RUNTIME_DIR", dir.filePath("run"));
        QDir().mkpath(dir.filePath("run"));
        QFile::setPermissions(dir.filePath("run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                       QFileDevice::ExeOwner);
        server.setProcessEnvironment(env);
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(lumtest::binDir() + "/lum-server", {"--data-dir", data});
        ASSERT_TRUE(server.waitForStarted());
        ASSERT_TRUE(lumtest::waitUntil(
            [&] { return lumctl({"status"}).contains(QByteArray("server\trunning")); }, kWaitMs))
            << server.readAll().toStdString();
    }

    void TearDown() override {
        for (Sim* s : sims) s->stop();
        if (server.state() != QProcess::NotRunning) {
            ::kill(pid_t(server.processId()), SIGTERM);
            server.waitForFinished(kWaitMs);
        }
    }

    // Runs lumctl on this data folder; its output (both channels) and exit code.
    QByteArray lumctl(const QStringList& args, int* exitCode = nullptr) {
        QProcess p;
        p.setProcessEnvironment(server.processEnvironment());
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(lumtest::binDir() + "/lumctl", QStringList{"--data-dir", data} + args);
        if (!p.waitForFinished(kWaitMs)) return {};
        if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return p.readAll();
    }

    // `lumctl players` as rows of cells, keyed by the user column (repeated names kept).
    QMultiMap<QString, QStringList> players() {
        QMultiMap<QString, QStringList> rows;
        const QList<QByteArray> lines = lumctl({"players"}).split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i) {
            if (lines[i].isEmpty()) continue;
            const QStringList cells = QString::fromUtf8(lines[i]).split('\t');
            rows.insert(cells.value(0), cells);
        }
        return rows;
    }
    QString statusOf(const QString& name) { return players().value(name).value(2); }

    Sim* sim(const QStringList& args) {
        auto* s = new Sim;
        owned.emplace_back(s);
        sims.push_back(s);
        s->start(QStringList{"--port", QString::number(port), "--alive", "1", "--timeout", "60",
                             "--restart-ms", "200", "--stay", "600"} + args);
        return s;
    }

    QTemporaryDir dir;
    QString data;
    quint16 port = 0;
    QProcess server;
    std::vector<std::unique_ptr<Sim>> owned;
    std::vector<Sim*> sims;
};

TEST_F(Exchange, DiscoveryLoginEzPlayDownloadAndReboot) {
    // Media in the group's folder, the playlist anywhere: the players fetch by file name.
    const QByteArray a(50000, 'a'), b(300000, 'b');
    ASSERT_TRUE(lumtest::writeFile(data + "/Home/a.jpg", a));
    ASSERT_TRUE(lumtest::writeFile(data + "/Home/b.mpg", b));
    const QString mpl = dir.filePath("show.mpl");
    ASSERT_TRUE(lumtest::writeFile(
        mpl, "[configuration]\r\nglobalinterval=5\r\n[file0]\r\npath=" + (data + "/Home/a.jpg").toUtf8() +
                 "\r\nsize=50000\r\nperiod=5\r\n[file1]\r\npath=" + (data + "/Home/b.mpg").toUtf8() +
                 "\r\nsize=300000\r\n"));

    // Two Home players that find the server by discovery and hold after each status report,
    // so that each status can be seen in the online list before the next one replaces it.
    Sim* home = sim({"--discover", "--name", "kiosk%d", "--count", "2", "--mac", "02-00-00-00-00-01",
                     "--hold", "--save-dir", dir.filePath("kiosks")});
    Sim* lobby = sim({"--name", "lobby1", "--mac", "02-00-00-00-00-0A"});
    ASSERT_TRUE(lumtest::waitUntil([&] { return players().size() == 3; }, kWaitMs))
        << home->output().toStdString();
    EXPECT_TRUE(home->output().contains("discovery: server at 127.0.0.1\n"));

    const QStringList k1 = players().value("kiosk1");
    ASSERT_EQ(k1.size(), 8);
    EXPECT_EQ(k1[1], "Home");
    EXPECT_EQ(k1[3], "127.0.0.1");
    EXPECT_EQ(k1[4], "02-00-00-00-00-01");
    EXPECT_FALSE(k1[5].isEmpty());  // login time
    EXPECT_EQ(players().value("lobby1").value(1), "Lobby");
    ASSERT_TRUE(lumtest::waitUntil([&] { return home->count("kiosk2 < 601 Server ALIVE Ack") > 0; }, kWaitMs));

    int rc = -1;
    const QByteArray ez = lumctl({"ezplay", "--group", "Home", mpl}, &rc);
    ASSERT_EQ(rc, 0) << ez.toStdString();
    EXPECT_TRUE(ez.contains("targeted 2, delivered 2")) << ez.toStdString();

    // Each stage: both players hold after their status report; the list shows it; go on.
    const struct {
        const char* status;
    } stages[] = {{"S2:Downloading"}, {"S2:Downloading"}, {"S2:D/L done"}, {"S3:Playing"}};
    int held = 0;
    for (const auto& stage : stages) {
        ++held;
        ASSERT_TRUE(lumtest::waitUntil([&] { return home->count(" : holding") == 2 * held; }, kWaitMs))
            << home->output().toStdString();
        ASSERT_TRUE(lumtest::waitUntil(
            [&] { return statusOf("kiosk1") == stage.status && statusOf("kiosk2") == stage.status; },
            kWaitMs))
            << stage.status << '\n' << lumctl({"players"}).toStdString();
        home->proc.write("\n");
    }
    EXPECT_EQ(lumtest::readFile(dir.filePath("kiosks/kiosk2/b.mpg")), b);
    EXPECT_EQ(lumtest::readFile(dir.filePath("kiosks/kiosk1/a.jpg")), a);
    EXPECT_EQ(lumtest::readFile(dir.filePath("kiosks/kiosk1/playlist.mpl")),
              lumtest::readFile(data + "/Home/EZPlaylist.mpl"));
    EXPECT_EQ(home->count("< 639 Auto Command(S1-S3)"), 2);
    EXPECT_EQ(lobby->count("< 639"), 0);
    EXPECT_EQ(players().value("kiosk1").value(6), "EZPlaylist.mpl");
    home->proc.closeWriteChannel();  // no more holding

    // The log: replies and reports in ftptrace.log, each player's own file named by its MAC.
    ASSERT_TRUE(lumtest::waitUntil([&] {
        return lumtest::readFile(data + "/Log/[kiosk2]02-00-00-00-00-02.log").contains("Playback Started");
    }, kWaitMs));
    const QByteArray trace = lumtest::readFile(data + "/Log/ftptrace.log");
    for (const char* line : {"[kiosk1] 639 Auto Command(S1-S3)", "[kiosk1] Start downloading...",
                             "[kiosk1] Succeeded in downloading files", "[kiosk1] Download Done",
                             "[kiosk1] Playback Started"})
        EXPECT_TRUE(trace.contains(line)) << line;
    const QByteArray own = lumtest::readFile(data + "/Log/[kiosk1]02-00-00-00-00-01.log");
    EXPECT_TRUE(own.contains("[kiosk1] Succeeded in downloading files"));
    EXPECT_FALSE(own.contains("[kiosk2]"));

    // The same account logs in again from elsewhere: the first connection is stopped, one row.
    Sim* again = sim({"--name", "kiosk1", "--mac", "02-00-00-00-00-09"});
    ASSERT_TRUE(lumtest::waitUntil([&] { return home->count("kiosk1 ! connection closed by the console") == 1; },
                                   kWaitMs));
    ASSERT_TRUE(lumtest::waitUntil([&] { return players().value("kiosk1").value(4) == "02-00-00-00-00-09"; },
                                   kWaitMs));
    EXPECT_EQ(players().count("kiosk1"), 1);
    EXPECT_EQ(players().size(), 3);

    // Reboot asks first; with --yes it reaches exactly the Home players, who come back.
    const QByteArray refused = lumctl({"reboot", "--group", "Home"}, &rc);
    EXPECT_NE(rc, 0);
    EXPECT_TRUE(refused.contains("Are you sure to reboot the players ?")) << refused.toStdString();
    EXPECT_EQ(home->count("< 610"), 0);

    const QByteArray reboot = lumctl({"reboot", "--group", "Home", "--yes"}, &rc);
    EXPECT_EQ(rc, 0) << reboot.toStdString();
    EXPECT_TRUE(reboot.contains("targeted 2, delivered 2")) << reboot.toStdString();
    ASSERT_TRUE(lumtest::waitUntil([&] { return home->count("kiosk2 < 610 Send a reboot command to client") == 1 &&
                                                again->count("kiosk1 < 610 Send a reboot command to client") == 1; },
                                   kWaitMs));
    // Lines to one player keep their order: once lobby1 has this 602, a 610 would have come.
    ASSERT_EQ(lumctl({"send", "2", "--group", "Lobby"}, &rc).contains("delivered 1"), true);
    ASSERT_TRUE(lumtest::waitUntil([&] { return lobby->count("lobby1 < 602 Get client status") == 1; }, kWaitMs));
    EXPECT_EQ(lobby->count("< 610"), 0);
    EXPECT_TRUE(lumctl({"status"}).contains("server\trunning"));

    // Both come back on new connections after STATUS 27.
    ASSERT_TRUE(lumtest::waitUntil([&] {
        return again->count("kiosk1 < 230 ") == 2 && home->count("kiosk2 < 230 ") == 2;
    }, kWaitMs));
    ASSERT_TRUE(lumtest::waitUntil([&] { return players().size() == 3; }, kWaitMs));
    EXPECT_TRUE(lumtest::readFile(data + "/Log/ftptrace.log").contains("[kiosk2] Client is restarting..."));
}

}  // namespace
