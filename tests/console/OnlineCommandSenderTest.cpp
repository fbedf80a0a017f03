// The editors' senders through the real online model: which connection threads get which
// command, and that the operator sees the "No client" notice once.
#include "console/OnlineCommandSender.h"
#include "console/OnlineModel.h"

#include "accounts/UserStore.h"
#include "playlists/MessageFiles.h"
#include "playlists/MessageSender.h"
#include "playlists/ReportCenter.h"

#include "common/ScriptedPrompt.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

using namespace lum;

namespace {

class Connections : public IPlayerConnections {
public:
    void StopConnection(quint32) override {}
    bool PostThreadCommand(quint32 id, int index, const OperatorCommandArgs& args) override {
        posts.push_back({id, index, args.text});
        return live.contains(id);
    }
    struct Post {
        quint32 id;
        int index;
        QString text;
        bool operator==(const Post&) const = default;
    };
    std::vector<Post> posts;
    QSet<quint32> live;
};

struct Fixture {
    QTemporaryDir dir;
    CUserStore store{dir.path()};
    lumtest::ScriptedPrompt prompt;
    Connections conns;
    COnlineModel model{store, prompt};
    COnlineCommandSender sender{model};

    Fixture() {
        model.setConnections(&conns);
        for (const char* g : {"Home", "Shop"}) {
            CUserGroup group;
            group.name = g;
            QDir().mkpath(store.homeDirectoryFor(g));
            store.AddGroup(group);
        }
        for (auto [u, g] : {std::pair{"p1", "Home"}, {"s1", "Shop"}, {"s2", "Shop"}}) {
            CUser user;
            user.name = u;
            user.group = g;
            store.AddUser(user);
        }
    }
    void login(quint32 id, const QString& name, const QString& mac) {
        conns.live.insert(id);
        model.ClientLoggedIn(id, name, "127.0.0.1", mac);
    }
};

}  // namespace

// Message, label and autoconfig through this sender are covered by the lumctl tests.
TEST(OnlineCommandSender, DeleteGoesByTheMacOfTheShownStorageList) {
    Fixture f;
    f.login(2, "s1", "BB");
    f.login(3, "s1", "CC");  // the account logs in again from another device: its record moves
    lumtest::writeFile(f.store.homeDirectoryFor("Shop") + "/filereport_CC.zeb", "a\tFILE\t1\r\n");
    ReportCenter center(f.store, f.sender);
    center.playerEvent(kEventStorageReport, "s1", "CC");
    center.storageList()->setChecked(0, true);
    EXPECT_TRUE(center.deleteSelectedFiles());
    ASSERT_EQ(f.conns.posts.size(), 1u);
    EXPECT_EQ(f.conns.posts[0].index, 9);
    EXPECT_EQ(f.conns.posts[0].id, 3u);
    EXPECT_TRUE(lumtest::readFile(f.store.homeDirectoryFor("Shop") + "/File2Del.zeb")
                    .contains("filename=a\r\n"));

    // Once logged out, the player's MAC no longer finds it.
    f.model.ClientLoggedOut(3);
    EXPECT_EQ(f.sender.onlineUserByMac("CC"), "");
    EXPECT_FALSE(center.deleteSelectedFiles());
    EXPECT_EQ(f.conns.posts.size(), 1u);
}

TEST(OnlineCommandSender, NobodyOnlineShowsTheNoticeOnce) {
    Fixture f;
    InstantMessage m;
    m.text = "hi";
    const SendResult r = sendInstantMessage(m, MessageTarget::root(), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.status, SendResult::NoneReached);
    EXPECT_EQ(f.prompt.messages, QStringList{"No client is online and no client will be effected!"});
    EXPECT_TRUE(f.conns.posts.empty());
}

TEST(OnlineCommandSender, ReportEventsOfTheOnlineModelReachTheReportTabs) {
    Fixture f;
    f.login(2, "s1", "BB");
    f.model.ShowClients("Shop", TargetMode::Group);  // report events come for listed players
    lumtest::writeFile(f.store.homeDirectoryFor("Shop") + "/filereport_BB.zeb", "a\tFILE\t1\r\n");
    ReportCenter center(f.store, f.sender);
    connectReportCenter(f.model, center);
    QList<int> tabs;
    QObject::connect(&center, &ReportCenter::tabRequested, [&](int t) { tabs << t; });
    f.model.ClientEvent(kEventStorageFiles, "BB", {});
    ASSERT_TRUE(lumtest::waitUntil([&] { return !tabs.isEmpty(); }));
    EXPECT_EQ(tabs, QList<int>{ReportCenter::StorageTab});
    EXPECT_EQ(center.storageList()->rowCount(), 1);
    EXPECT_EQ(center.storageMac(), "BB");
}
