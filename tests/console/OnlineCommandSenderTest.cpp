// The editors' senders through the real online model: which connection threads get which
// command, and that the operator sees the "No client" notice once.
#include "console/OnlineCommandSender.h"
#include "console/OnlineModel.h"

#include "accounts/UserStore.h"
#include "media/Autoconfig.h"
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

TEST(OnlineCommandSender, SendersReachTheModelsTargets) {
    Fixture f;
    f.login(1, "p1", "AA");
    f.login(2, "s1", "BB");
    f.login(3, "s2", "CC");

    InstantMessage m;
    m.text = "hi";
    SendResult r = sendInstantMessage(m, MessageTarget::group("shop"), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.reached, 2);
    EXPECT_EQ(f.conns.posts, (std::vector<Connections::Post>{{2, 12, ""}, {3, 12, ""}}));

    f.conns.posts.clear();
    ScreenLabel l;
    l.lines = {"x"};
    r = sendScreenLabel(l, MessageTarget::player("S2"), f.store, f.sender, f.prompt);
    EXPECT_EQ(f.conns.posts, (std::vector<Connections::Post>{{3, 43, "osd_settings=0,0,0,0\rx\r"}}));

    f.conns.posts.clear();
    f.prompt.answers = {true};
    AutoconfigSettings s;
    s.setTargetTab(AutoconfigSettings::GroupTab);
    EXPECT_EQ(updateAutoconfig(s, "Home", f.store, f.sender, f.prompt), AutoconfigUpdate::Updated);
    EXPECT_EQ(f.conns.posts, (std::vector<Connections::Post>{{1, 42, ""}}));
    EXPECT_TRUE(f.prompt.messages.isEmpty());

    // Delete Selected Files goes by the MAC of the shown storage list.
    f.conns.posts.clear();
    lumtest::writeFile(f.store.homeDirectoryFor("Shop") + "/filereport_CC.zeb", "a\tFILE\t1\r\n");
    ReportCenter center(f.store, f.sender);
    center.playerEvent(kEventStorageReport, "s2", "CC");
    center.storageList()->setChecked(0, true);
    EXPECT_TRUE(center.deleteSelectedFiles());
    EXPECT_EQ(f.conns.posts, (std::vector<Connections::Post>{{3, 9, ""}}));

    // Once logged out, the player's MAC no longer finds it.
    f.model.ClientLoggedOut(3);
    EXPECT_EQ(f.sender.onlineUserByMac("CC"), "");
    EXPECT_FALSE(center.deleteSelectedFiles());
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
