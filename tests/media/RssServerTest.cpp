// The built lum-server runs the ticker worker: a group's channel pointing at a local feed ends
// up in that group's "rssmsg.txt".
#include "accounts/UserStore.h"
#include "media/RssConfig.h"

#include "MediaTestSupport.h"
#include "common/TestSupport.h"

#include <QFileInfo>
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
    proc.start(program, {"--data-dir", data});
    ASSERT_TRUE(proc.waitForStarted());

    const QString ticker = data + "/Lobby/rssmsg.txt";
    const bool written = lumtest::waitUntil([&] { return QFileInfo(ticker).size() > 0; }, 60000);
    ::kill(pid_t(proc.processId()), SIGTERM);
    EXPECT_TRUE(proc.waitForFinished(30000));
    const QByteArray log = proc.readAllStandardError();
    ASSERT_TRUE(written) << log.toStdString();
    EXPECT_EQ(lumtest::readFile(ticker),
              "osd_settings=2,1,4,4,0,1\r\n <<Lobby news \r\n <<Doors open at nine \r\n");
    EXPECT_FALSE(QFileInfo::exists(data + "/Home/rssmsg.txt"));
    EXPECT_TRUE(log.contains("RSS worker started"));
    EXPECT_EQ(proc.exitCode(), 0) << log.toStdString();
}
