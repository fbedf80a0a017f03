// lumctl's operator-file commands end to end: the real lumctl talks to a real operator socket
// whose handler is CEditorRequests over the online model.
#include "console/EditorRequests.h"
#include "console/OnlineCommandSender.h"
#include "console/OnlineModel.h"

#include "accounts/UserStore.h"
#include "server/OperatorSocket.h"

#include "common/ScriptedPrompt.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

using namespace lum;

namespace {

class Connections : public IPlayerConnections {
public:
    void StopConnection(quint32) override {}
    bool PostThreadCommand(quint32 id, int index, const OperatorCommandArgs& args) override {
        posts.push_back({id, index, args.text});
        return true;
    }
    struct Post {
        quint32 id;
        int index;
        QString text;
        bool operator==(const Post&) const = default;
    };
    std::vector<Post> posts;
};

class EditorRequestsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* g : {"Home", "Shop"}) {
            CUserGroup group;
            group.name = g;
            QDir().mkpath(store.homeDirectoryFor(g));
            ASSERT_TRUE(store.AddGroup(group));
        }
        for (auto [u, g] : {std::pair{"p1", "Home"}, {"p2", "Home"}, {"s1", "Shop"}}) {
            CUser user;
            user.name = u;
            user.group = g;
            ASSERT_TRUE(store.AddUser(user));
        }
        model.setConnections(&conns);
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
    QString home(const char* g) const { return store.homeDirectoryFor(g); }

    QTemporaryDir dir;
    CUserStore store{dir.path()};
    lumtest::ScriptedPrompt prompt;
    Connections conns;
    COnlineModel model{store, prompt};
    COnlineCommandSender sender{model};
    CEditorRequests requests{store, sender, dir.path()};
    COperatorSocket socket{[this](const QJsonObject& req, const COperatorSocket::Reply& reply) {
        if (auto r = requests.handle(req)) return reply(*r);
        reply(QJsonObject{{"ok", false}, {"error", "not handled here"}});
    }};
};

}  // namespace

TEST_F(EditorRequestsTest, MessageToGroupWritesFileAndReachesItsPlayers) {
    model.ClientLoggedIn(1, "p1", "127.0.0.1", "AA");
    model.ClientLoggedIn(2, "s1", "127.0.0.1", "BB");
    model.ClientLoggedIn(3, "p2", "127.0.0.1", "CC");
    const Run r = lumctl({"message", "--group", "Home", "--text", "Doors close at 6",
                          "--bg", "2", "--speed", "slow", "--clock", "on"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("targeted 2")) << r.out.toStdString();
    EXPECT_EQ(lumtest::readFile(home("Home") + "/instantmessage.txt"),
              QByteArray("osd_settings=2,0,0,1,0,1\r\nDoors close at 6"));
    EXPECT_FALSE(QFile::exists(home("Shop") + "/instantmessage.txt"));
    EXPECT_EQ(conns.posts, (std::vector<Connections::Post>{{1, 12, ""}, {3, 12, ""}}));
    EXPECT_TRUE(prompt.messages.isEmpty());  // the console's own prompt is not used

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
    model.ClientLoggedIn(2, "s1", "127.0.0.1", "BB");
    Run r = lumctl({"label", "--group", "Shop", "--line", "Sale", "--line", "", "--line", "Today",
                    "--colour", "4", "--seconds", "75", "--centre"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(conns.posts.back(), (Connections::Post{2, 43, "osd_settings=4,75,1,0\rSale\r \rToday\r"}));
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
    EXPECT_EQ(conns.posts.back(), (Connections::Post{2, 42, ""}));

    // Requests of other subsystems are left to their handler.
    EXPECT_FALSE(requests.handle(QJsonObject{{"verb", "players"}}).has_value());
}
