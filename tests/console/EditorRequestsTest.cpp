// lumctl's operator-file commands end to end: the real lumctl talks to a real operator socket
// whose handler is CEditorRequests over the online model.
#include "console/EditorRequests.h"
#include "server/OperatorSocket.h"

#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QJsonArray>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

using namespace lum;

namespace {

using Sent = std::vector<std::pair<quint32, CommandIndex>>;

class EditorRequestsTest : public ::testing::Test, public lumtest::OnlinePlayers {
protected:
    void SetUp() override {
        for (const char* g : {"Home", "Shop"}) ASSERT_TRUE(lumtest::addGroup(store, g));
        for (auto [u, g] : {std::pair{"p1", "Home"}, {"p2", "Home"}, {"s1", "Shop"}})
            ASSERT_TRUE(lumtest::addUser(store, u, g));
        ASSERT_TRUE(socket.listen(dir.path()));
    }

    struct Run {
        int exitCode = -1;
        QString out, err;
    };
    Run lumctl(QStringList args) {
        QProcess p;
        args << "--data-dir" << dir.path();
        p.start(lumtest::binDir() + "/lumctl", args);
        Run r;
        if (!p.waitForStarted(5000)) return r;
        // The socket answers on this thread: keep its events flowing while lumctl runs.
        lumtest::waitUntil([&] { return p.state() == QProcess::NotRunning; }, 30000);
        r.exitCode = p.exitCode();
        r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
        r.err = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }
    QSettings profile{dir.filePath(QStringLiteral("profile.ini")), QSettings::IniFormat};
    CEditorRequests requests{store, online, dir.path(), &profile};
    COperatorSocket socket{[this](const QJsonObject& req, const COperatorSocket::Reply& reply) {
        if (auto r = requests.handle(req)) return reply(*r);
        reply(QJsonObject{{"ok", false}, {"error", "not handled here"}});
    }};
};

}  // namespace

TEST_F(EditorRequestsTest, MessageToGroupWritesFileAndReachesItsPlayers) {
    login(1, "p1", "AA");
    login(2, "s1", "BB");
    login(3, "p2", "CC");
    const Run r = lumctl({"message", "--group", "Home", "--text", "Doors close at 6",
                          "--bg", "2", "--speed", "slow", "--clock", "on"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("targeted 2")) << r.out.toStdString();
    EXPECT_EQ(lumtest::readFile(home("Home") + "/instantmessage.txt"),
              QByteArray("osd_settings=2,0,0,1,0,1\r\nDoors close at 6"));
    EXPECT_FALSE(QFile::exists(home("Shop") + "/instantmessage.txt"));
    EXPECT_EQ(connections.sent(),
              (Sent{{1, CommandIndex::InstantMessage}, {3, CommandIndex::InstantMessage}}));

    // Bad values are refused before anything is written.
    const Run bad = lumctl({"message", "--group", "Shop", "--text", "x", "--bg", "9"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains("bg must be a whole number from 0 to 7")) << bad.err.toStdString();
    EXPECT_FALSE(QFile::exists(home("Shop") + "/instantmessage.txt"));
    const Run none = lumctl({"message", "--player", "ghost", "--text", "x"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.contains("Client 'ghost' is not found!"));
    EXPECT_TRUE(none.err.contains("message not sent"));
}

// The remembered encoding is the default, and either choice can be given again.
TEST_F(EditorRequestsTest, MessageEncodingIsRememberedAndCanReturnToAnsi) {
    login(1, "s1", "BB");
    const QString utf8 = QString::fromUtf8("Caf\xC3\xA9");
    auto send = [&](QStringList extra) {
        const Run r = lumctl(QStringList{"message", "--group", "Shop", "--text", utf8} + extra);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return lumtest::readFile(home("Shop") + "/instantmessage.txt");
    };
    EXPECT_TRUE(send({"--encoding", "utf8"}).endsWith("Caf\xC3\xA9"));
    EXPECT_TRUE(send({}).endsWith("Caf\xC3\xA9"));  // remembered
    EXPECT_TRUE(send({"--encoding", "ansi"}).endsWith("Caf\xE9"));
    EXPECT_TRUE(send({}).endsWith("Caf\xE9"));
    const Run bad = lumctl({"message", "--group", "Shop", "--text", "x", "--encoding", "latin"});
    EXPECT_EQ(bad.exitCode, 1);
}

TEST_F(EditorRequestsTest, BackupThenRestoreThroughLumctl) {
    lumtest::writeFile(dir.filePath("config.ini"), "[SERVER]\r\nPORT=5021\r\n");
    QDir().mkpath(dir.filePath("server data"));
    lumtest::writeFile(dir.filePath("server data/rssconfig.xml"), "<rss/>");
    const QString bak = dir.filePath("zebbackup.bak");
    Run r = lumctl({"backup", bak});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray users = lumtest::readFile(store.filePath());

    lumtest::writeFile(dir.filePath("config.ini"), "changed");
    lumtest::writeFile(dir.filePath("server data/rssconfig.xml"), "changed");
    CUserGroup extra;
    extra.name = "Extra";
    store.AddGroup(extra);

    r = lumctl({"restore", bak});  // no --yes: the question is answered No
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(lumtest::readFile(dir.filePath("config.ini")), QByteArray("changed"));

    r = lumctl({"restore", bak, "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Please restart LUM"));
    EXPECT_EQ(lumtest::readFile(dir.filePath("config.ini")), QByteArray("[SERVER]\r\nPORT=5021\r\n"));
    EXPECT_EQ(lumtest::readFile(dir.filePath("server data/rssconfig.xml")), QByteArray("<rss/>"));
    EXPECT_EQ(lumtest::readFile(store.filePath()), users);
    EXPECT_EQ(store.GroupNames(), QStringList({"Home", "Shop"}));
}

TEST_F(EditorRequestsTest, LabelScheduleAndAutoconfigRequests) {
    login(2, "s1", "BB");
    Run r = lumctl({"label", "--group", "Shop", "--line", "Sale", "--line", "", "--line", "Today",
                    "--colour", "4", "--seconds", "75", "--centre"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(connections.sent(), (Sent{{2, CommandIndex::Label}}));
    EXPECT_EQ(connections.posts.back().args.text, "osd_settings=4,75,1,0\rSale\r \rToday\r");
    EXPECT_TRUE(lumtest::readFile(home("Shop") + "/ostnmessage.txt").contains("SETTING=4,75,1,0"));

    r = lumctl({"label", "--group", "Shop", "--number", "12a"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("Only digital number(000-999) is allowed!"));

    const QString sch = dir.filePath("plan.sch");
    lumtest::writeFile(sch, "/m/a.mpl,20130301,20130331,0111110\r\n");
    r = lumctl({"schedule", "assign", "--group", "Shop", sch});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    CUserGroup shop;
    ASSERT_TRUE(store.FindGroup("Shop", &shop));
    EXPECT_EQ(shop.autoPlaylist, home("Shop") + "/playlist.sch");
    EXPECT_EQ(lumtest::readFile(shop.autoPlaylist), lumtest::readFile(sch));

    const QString zeb = dir.filePath("autoconfig.zeb");
    lumtest::writeFile(zeb, "[Server]\r\nservername=10.1.1.1\r\nusername=s1\r\n");
    r = lumctl({"autoconfig", "update", "--player", "s1", zeb});  // without --yes: declined
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(home("Shop") + "/autoconfig.zeq"));
    r = lumctl({"autoconfig", "update", "--player", "s1", zeb, "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray zeq = lumtest::readFile(home("Shop") + "/autoconfig.zeq");
    EXPECT_TRUE(zeq.startsWith("[Server]\r\nservername=10.1.1.1\r\nserverport=5021\r\nusername=s1\r\n"));
    EXPECT_EQ(connections.sent().back(), (std::pair<quint32, CommandIndex>{2, CommandIndex::AutoConfig}));

    // Requests of other subsystems are left to their handler.
    EXPECT_FALSE(requests.handle(QJsonObject{{"verb", "players"}}).has_value());
}
