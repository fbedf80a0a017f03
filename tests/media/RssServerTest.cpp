// The built lum-server runs the ticker worker: a group's channel pointing at a local feed ends
// up in that group's "rssmsg.txt".
#include "accounts/UserStore.h"
#include "media/RssConfig.h"

#include "MediaTestSupport.h"
#include "common/TestSupport.h"
#include "server/ServerTestSupport.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <csignal>

#include <gtest/gtest.h>

TEST(LumServerRss, WritesTheGroupTickerFromALocalFeed) {
    const QString program = lumtest::binDir() + "/lum-server";
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QTemporaryDir dir;
    const QString data = dir.filePath("data");

    lumtest::TestHttpServer http;
    http.set("/lobby.xml", {"<rss><channel><title>Lobby news</title>"
                            "<item><title>Doors open at nine</title></item></channel></rss>"});
    {
        lum::CUserStore store(data);
        lum::CUserGroup home, lobby;
        home.name = "Home";
        lobby.name = "Lobby";
        lum::CUser kiosk;
        kiosk.name = "kiosk";
        kiosk.group = "Lobby";
        lobby.users.append(kiosk);
        ASSERT_EQ(store.AddGroup(home), 1);
        ASSERT_EQ(store.AddGroup(lobby), 1);
        lum::RssConfig config = lum::RssConfig::createDefault({});
        config.setSettings({2, 1, 4, 0, 1, 1});
        config.addChannel("Lobby", {"Lobby", http.url("/lobby.xml"), "lobbyfeed", true, false});
        ASSERT_TRUE(config.save(data + "/server data/rssconfig.xml"));
    }

    QProcess proc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.filePath("xdg"));
    proc.setProcessEnvironment(env);
    proc.start(program, {"--data-dir", data, "--port", "0"});
    ASSERT_TRUE(proc.waitForStarted());

    const QString ticker = data + "/Lobby/rssmsg.txt";
    QByteArray log;
    const bool written = lumtest::waitUntil([&] {
        log += proc.readAllStandardError();
        return QFileInfo(ticker).size() > 0 && log.contains("running");
    }, 60000);
    const QByteArray expected =
        "osd_settings=2,1,4,4,0,1\r\n <<Lobby news \r\n <<Doors open at nine \r\n";

    // With auto RSS on, a player of the group fetches its ticker as "autorss.txt".
    const int at = log.indexOf("listening on port ");
    ASSERT_GE(at, 0) << log.toStdString();
    const quint16 port = quint16(log.mid(at + 18, log.indexOf('\n', at) - at - 18).trimmed().toUInt());
    {
        lumtest::Player p(port);
        ASSERT_EQ(p.login("kiosk"), "230 User successfully logged in group [Lobby].");
        QTcpSocket s;
        ASSERT_TRUE(lumtest::connectData(s, p.pasv()));
        p.sendLine("RETR autorss.txt");
        EXPECT_TRUE(p.line().startsWith("1"));
        EXPECT_EQ(lumtest::readAllFrom(s), expected);
    }

    ::kill(pid_t(proc.processId()), SIGTERM);
    EXPECT_TRUE(proc.waitForFinished(30000));
    log += proc.readAllStandardError();
    ASSERT_TRUE(written) << log.toStdString();
    EXPECT_EQ(lumtest::readFile(ticker), expected);
    EXPECT_FALSE(QFileInfo::exists(data + "/Home/rssmsg.txt"));
    EXPECT_TRUE(log.contains("RSS worker started"));
    EXPECT_EQ(proc.exitCode(), 0) << log.toStdString();
}

TEST(LumctlConvertYuv, WritesTheZoneImageArithmetic) {
    const QString program = lumtest::binDir() + "/lumctl";
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    QTemporaryDir dir;
    QImage white(2, 2, QImage::Format_RGB32), blue(2, 2, QImage::Format_RGB32);
    white.fill(Qt::white);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(white.save(dir.filePath("white.bmp")));
    ASSERT_TRUE(blue.save(dir.filePath("blue.bmp")));

    auto run = [&](const QStringList& args) {
        QProcess p;
        p.start(program, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        return p.exitCode();
    };
    EXPECT_EQ(run({"convert-yuv", dir.filePath("white.bmp"), dir.filePath("w.yuv")}), 0);
    EXPECT_EQ(lumtest::readFile(dir.filePath("w.yuv")),
              QByteArray("%YUVV1.0\x00\x02\x00\x02\x00\x00\x00\x00\x7F\x7F\x7F\x7F\x00\x00", 22));
    EXPECT_EQ(run({"convert-yuv", dir.filePath("blue.bmp"), dir.filePath("b.yuv"), "--size", "2x2"}), 0);
    EXPECT_EQ(lumtest::readFile(dir.filePath("b.yuv")).mid(16), QByteArray("\x9C\x9C\x9C\x9C\x7F\xEB", 6));
    EXPECT_EQ(run({"convert-yuv", dir.filePath("blue.bmp"), dir.filePath("x.yuv"), "--size", "2by2"}), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.yuv")));
}
