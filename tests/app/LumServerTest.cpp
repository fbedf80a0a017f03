// The built lum-server on an empty data folder: what it leaves behind and how it stops.
#include "accounts/UserStore.h"

#include "common/TestSupport.h"
#include "server/ServerTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

class LumServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(lumtest::binDir().isEmpty()) << "LUM_BIN_DIR is not set";
        program = lumtest::binDir() + "/lum-server";
        ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path() + "/xdg");  // keep the real autostart folder out
        proc.setProcessEnvironment(env);
    }

    // Starts the server and waits for the line saying it runs; the collected error output.
    // `extra`: more arguments (tests that need no fixed port pass "--port 0").
    bool startAndWaitUntilUp(const QString& dataDir, const QStringList& extra = {}) {
        proc.setReadChannel(QProcess::StandardError);
        proc.start(program, QStringList{"--data-dir", dataDir} + extra);
        if (!proc.waitForStarted()) return false;
        while (!log.contains("running")) {
            if (!proc.waitForReadyRead(30000)) return false;
            log += proc.readAllStandardError();
        }
        return true;
    }

    int stopWith(int sig) {
        // A process that already ended has no id: kill(0) would stop the whole test run.
        EXPECT_NE(proc.state(), QProcess::NotRunning) << log.toStdString();
        if (proc.state() != QProcess::NotRunning) ::kill(pid_t(proc.processId()), sig);
        EXPECT_TRUE(proc.waitForFinished(30000));
        log += proc.readAllStandardError();
        EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit);
        return proc.exitCode();
    }

    QTemporaryDir dir;
    QString program;
    QProcess proc;
    QByteArray log;
};

TEST_F(LumServerTest, PreparesAnEmptyDataFolderAndStopsOnSigterm) {
    const QString data = dir.path() + "/data";
    ASSERT_TRUE(startAndWaitUntilUp(data, {"--port", "0"})) << log.toStdString();
    EXPECT_EQ(stopWith(SIGTERM), 0) << log.toStdString();
    EXPECT_TRUE(log.contains("stopped"));

    const QByteArray ini = lumtest::readFile(data + "/config.ini");
    EXPECT_TRUE(ini.startsWith("[Startup]\r\nAUTOACTIVATE=1\r\n"));
    EXPECT_TRUE(ini.contains("\r\nPORT=5021\r\n"));
    EXPECT_TRUE(QFileInfo(data + "/Home").isDir());
    EXPECT_TRUE(QFileInfo(data + "/Log").isDir());
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/xdg/autostart/LUM.desktop"));

    lum::CUserStore store(data);
    ASSERT_EQ(store.Load(), 1);
    ASSERT_EQ(store.Groups().size(), 1);
    const lum::CUserGroup home = store.Groups()[0];
    EXPECT_EQ(home.name, "Home");
    EXPECT_EQ(home.autoPlaylist, data + "/Home/AutoPlaylist.mpl");
    EXPECT_EQ(home.autoPlay, 1);
    // The starter auto playlist lists the sample media beside the executable.
    const QByteArray starter = lumtest::readFile(home.autoPlaylist);
    EXPECT_TRUE(starter.startsWith("[configuration]\r\nglobalinterval=5\r\n[file0]\r\npath="));
    EXPECT_TRUE(starter.contains("/Samples/sample1.jpg\r\n")) << starter.toStdString();
}

TEST_F(LumServerTest, KeepsExistingFilesAndStopsOnSigint) {
    const QString data = dir.path() + "/data";
    {
        lum::CUserStore store(data);
        lum::CUserGroup home;
        home.name = "Home";
        lum::CUserGroup shop;
        shop.name = "Shop";
        lum::CUser u;
        u.name = "p1";
        u.group = "Shop";
        shop.users.append(u);
        ASSERT_EQ(store.AddGroup(home), 1);
        ASSERT_EQ(store.AddGroup(shop), 1);
    }
    ASSERT_TRUE(lumtest::writeFile(data + "/config.ini", "[SERVER]\r\nPORT=6000\r\n"));
    const QByteArray before = lumtest::readFile(data + "/server data/users.dat");

    ASSERT_TRUE(startAndWaitUntilUp(data, {"--port", "0"})) << log.toStdString();
    EXPECT_EQ(stopWith(SIGINT), 0) << log.toStdString();
    EXPECT_EQ(lumtest::readFile(data + "/config.ini"), "[SERVER]\r\nPORT=6000\r\n");
    EXPECT_EQ(lumtest::readFile(data + "/server data/users.dat"), before);
    EXPECT_TRUE(QFileInfo(data + "/Shop").isDir());  // every group gets its folder
    EXPECT_TRUE(log.contains("2 groups, 1 accounts")) << log.toStdString();
}

TEST_F(LumServerTest, SaysOnStderrWhenTheLogFileCannotBeOpened) {
    const QString data = dir.path() + "/data";
    QDir().mkpath(data + "/Log/ftptrace.log");  // a folder where the file should be
    ASSERT_TRUE(startAndWaitUntilUp(data, {"--port", "0"})) << log.toStdString();
    EXPECT_EQ(stopWith(SIGTERM), 0);
    EXPECT_TRUE(log.contains(("lum-server: Cannot create or open file: '" + data + "/Log/ftptrace.log'").toUtf8()))
        << log.toStdString();
}

// The operator socket lies in the data folder. Its group may use it only when the folder keeps
// others out (the packaged service's /var/lib/lum is 0750 for the group lum).
TEST_F(LumServerTest, OperatorSocketOpensToTheGroupOfAClosedDataFolder) {
    for (const auto& [folderMode, groupMayConnect] :
         {std::pair{0750, true}, std::pair{0755, false}, std::pair{0700, false}}) {
        SCOPED_TRACE(folderMode);
        const QString data = dir.path() + QStringLiteral("/data%1").arg(folderMode, 0, 8);
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_EQ(::chmod(QFile::encodeName(data).constData(), mode_t(folderMode)), 0);
        log.clear();
        ASSERT_TRUE(startAndWaitUntilUp(data, {"--port", "0"})) << log.toStdString();
        const QByteArray socket = QFile::encodeName(data + "/server data/operator.sock");
        EXPECT_TRUE(log.contains("operator socket " + socket)) << log.toStdString();
        struct stat st = {};
        ASSERT_EQ(::stat(socket.constData(), &st), 0);
        EXPECT_TRUE(S_ISSOCK(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, groupMayConnect ? 0770u : 0700u);
        EXPECT_EQ(stopWith(SIGTERM), 0) << log.toStdString();
        EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(socket)));  // gone with the server
    }
}

TEST_F(LumServerTest, HelpAndVersion) {
    proc.start(program, {"--version"});
    ASSERT_TRUE(proc.waitForFinished(30000));
    EXPECT_EQ(proc.exitCode(), 0);
    EXPECT_TRUE(proc.readAllStandardOutput().contains(LUM_VERSION));

    proc.start(program, {"--help"});
    ASSERT_TRUE(proc.waitForFinished(30000));
    EXPECT_EQ(proc.exitCode(), 0);
    EXPECT_TRUE(proc.readAllStandardOutput().contains("--data-dir"));
}

// A port nobody listens on right now.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
    return probe.serverPort();
}

TEST_F(LumServerTest, ServesPlayersAndEndsTheirConnectionsOnSigterm) {
    const QString data = dir.path() + "/data";
    const quint16 port = freePort();
    QDir().mkpath(data);
    ASSERT_TRUE(lumtest::writeFile(data + "/config.ini",
                                   QStringLiteral("[SERVER]\r\nPORT=%1\r\nPORTSTART=%2\r\n")
                                       .arg(port).arg(lumtest::randomPassiveStart()).toLatin1()));
    ASSERT_TRUE(startAndWaitUntilUp(data)) << log.toStdString();
    lumtest::Player a(port), b(port);
    EXPECT_EQ(a.login("p1"), "230 User successfully logged in group [Home].");
    EXPECT_EQ(b.login("p2"), "230 User successfully logged in group [Home].");
    EXPECT_EQ(a.command("MKD fromplayer"), "250 Directory created successfully.");
    EXPECT_TRUE(QFileInfo(data + "/Home/fromplayer").isDir());
    EXPECT_EQ(stopWith(SIGTERM), 0) << log.toStdString();
    EXPECT_TRUE(a.waitClosed());
    EXPECT_TRUE(b.waitClosed());
    EXPECT_TRUE(log.contains("Thread successfully stopped.")) << log.toStdString();
    EXPECT_TRUE(log.contains("stopped"));
    // The new players were registered in users.dat.
    lum::CUserStore store(data);
    ASSERT_EQ(store.Load(), 1);
    EXPECT_TRUE(store.FindUser("p2", nullptr, nullptr, 0));
}

TEST_F(LumServerTest, HundredSimulatedPlayersLogInAndTheNextIsRefused) {
    const QString sim = lumtest::binDir() + "/lum-player-sim";
    if (!QFileInfo(sim).isExecutable()) GTEST_SKIP() << "lum-player-sim not built";
    const QString data = dir.path() + "/data";
    const quint16 port = freePort();
    QDir().mkpath(data);
    // All from one host: its share of the places and of new names is lifted for the test.
    ASSERT_TRUE(lumtest::writeFile(
        data + "/config.ini",
        QStringLiteral("[SERVER]\r\nPORT=%1\r\nPORTSTART=%2\r\nMAXPERADDRESS=200\r\n")
            .arg(port).arg(lumtest::randomPassiveStart()).toLatin1()));
    ASSERT_TRUE(startAndWaitUntilUp(data)) << log.toStdString();
    QProcess players;
    players.setProcessChannelMode(QProcess::MergedChannels);
    players.start(sim, {"--port", QString::number(port), "--count", "101", "--stay", "2", "-q"});
    ASSERT_TRUE(players.waitForFinished(60000));
    const QByteArray out = players.readAll();
    EXPECT_TRUE(out.contains("100 of 101 players succeeded")) << out.toStdString();
    EXPECT_EQ(out.count("421 Too many users are connected, please try again later."), 2)  // line + summary
        << out.toStdString();
    EXPECT_EQ(stopWith(SIGTERM), 0);
}

TEST_F(LumServerTest, ExitsWithAClearMessageWhenThePortIsTaken) {
    const QString data = dir.path() + "/data";
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::AnyIPv4, 0));
    QDir().mkpath(data);
    ASSERT_TRUE(lumtest::writeFile(data + "/config.ini",
                                   QStringLiteral("[SERVER]\r\nPORT=%1\r\n").arg(holder.serverPort()).toLatin1()));
    proc.start(program, {"--data-dir", data});
    ASSERT_TRUE(proc.waitForFinished(30000));
    EXPECT_EQ(proc.exitCode(), 2);
    const QByteArray err = proc.readAllStandardError();
    EXPECT_TRUE(err.contains(QStringLiteral("cannot listen on TCP port %1").arg(holder.serverPort()).toLatin1()))
        << err.toStdString();
    EXPECT_FALSE(err.contains("running"));
}

}  // namespace
