#include "console/OnlineModel.h"
#include "console/OperatorService.h"
#include "console/PlayerCommands.h"
#include "console/PlaylistHandover.h"
#include "playlists/PlaylistDocument.h"

#include "accounts/UserStore.h"
#include "core/OperatorPrompt.h"

#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QJsonArray>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <thread>

using namespace lum;

namespace {

class RecordingPrompt : public IOperatorPrompt {
public:
    void message(const QString& text, Icon) override { messages << text; }
    bool askYesNo(const QString& text) override {
        questions << text;
        return answer;
    }
    QStringList messages, questions;
    bool answer = false;
};

// The control server's side as the model sees it: which threads got which commands.
class RecordingConnections : public IPlayerConnections {
public:
    void StopConnection(quint32 id) override { stopped.push_back(id); }
    bool PostThreadCommand(quint32 id, int index, const OperatorCommandArgs& args) override {
        posts.push_back({id, index, args.text, args.macText, args.imageName});
        return live.contains(id);
    }
    struct Post {
        quint32 id;
        int index;
        QString text, mac, image;
    };
    std::vector<quint32> stopped;
    std::vector<Post> posts;
    QSet<quint32> live;
};

class OnlineModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        store = std::make_unique<CUserStore>(dir.path());
        addGroup("Home", 0);
        addGroup("Lobby", 1);
        addUser("p1", "Home", "first");
        addUser("p2", "Lobby", "second");
        addUser("p3", "Lobby", "third");
        model = std::make_unique<COnlineModel>(*store, prompt);
        model->setConnections(&conns);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void addGroup(const QString& name, int autoPlay) {
        CUserGroup g;
        g.name = name;
        g.autoPlay = autoPlay;
        QDir().mkpath(store->homeDirectoryFor(name));
        ASSERT_TRUE(store->AddGroup(g));
    }
    void addUser(const QString& name, const QString& group, const QString& description) {
        CUser u;
        u.name = name;
        u.group = group;
        u.description = description;
        ASSERT_TRUE(store->AddUser(u));
    }
    QString cell(int row, int col) const {
        return model->data(model->index(row, col)).toString();
    }
    void login(quint32 id, const QString& name, const QString& mac) {
        conns.live.insert(id);
        model->ClientLoggedIn(id, name, "127.0.0.1", mac);
    }

    QTemporaryDir dir;
    std::unique_ptr<CUserStore> store;
    RecordingPrompt prompt;
    RecordingConnections conns;
    std::unique_ptr<COnlineModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(OnlineModelTest, LoginShowsRowAndSecondLoginStopsTheOlderConnection) {
    login(11, "P1", "00-00-00-00-00-01");
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("P1"));
    EXPECT_EQ(cell(0, COnlineModel::ColGroup), QString("Home"));
    EXPECT_EQ(cell(0, COnlineModel::ColStatus), QString("Alive"));
    EXPECT_EQ(cell(0, COnlineModel::ColDescription), QString("first"));
    EXPECT_EQ(model->data(model->index(0, 0), COnlineModel::ImageRole).toInt(), 0);

    login(12, "p1", "00-00-00-00-00-02");
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(conns.stopped, std::vector<quint32>{11});
    EXPECT_EQ(model->data(model->index(0, 0), COnlineModel::ConnectionIdRole).toUInt(), 12u);
    EXPECT_EQ(cell(0, COnlineModel::ColMac), QString("00-00-00-00-00-02"));

    model->ClientLoggedOut(12);
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColStatus), QString("Offline"));
    EXPECT_EQ(model->data(model->index(0, 0), COnlineModel::ImageRole).toInt(), 1);

    model->ClientLoggedIn(13, "nobody", "127.0.0.1", "x");
    EXPECT_EQ(model->rowCount(), 1);  // not in the store: nothing added
}

TEST_F(OnlineModelTest, SelectionFiltersRowsAndGroupColumnShowsAutoPlay) {
    login(1, "p1", "m1");
    login(2, "p2", "m2");
    login(3, "p3", "m3");
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(cell(1, COnlineModel::ColGroup), QString("Lobby(AutoPlay)"));
    model->ShowClients("lobby", TargetMode::Group);
    EXPECT_EQ(model->rowCount(), 2);
    model->ShowClients("p3", TargetMode::Player);
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("p3"));
    // A login outside the selection adds no row.
    login(4, "p1", "m1");
    EXPECT_EQ(model->rowCount(), 1);
    model->ShowClients("Server", TargetMode::All);
    EXPECT_EQ(model->rowCount(), 3);
}

TEST_F(OnlineModelTest, PostingTargetsAndTheNobodyMessage) {
    auto r = model->PostToClients("Lobby", kCmdStartPlay, TargetMode::Group);
    EXPECT_EQ(r.targeted, 0);
    EXPECT_EQ(prompt.messages, QStringList{"No client is online and no client will be effected!"});
    model->PostToClients("", kCmdUpdateRss, TargetMode::All);
    EXPECT_EQ(prompt.messages.size(), 1);  // command 14 never shows it

    login(1, "p1", "m1");
    login(2, "p2", "m2");
    login(3, "p3", "m3");
    conns.live.remove(3);  // p3's thread has ended: silently not delivered
    r = model->PostToClients("LOBBY", kCmdStartPlay, TargetMode::Group);
    EXPECT_EQ(r.targeted, 2);
    EXPECT_EQ(r.delivered, 1);
    conns.posts.clear();
    r = model->PostToClients("P2", kCmdSetMac, TargetMode::Player);
    ASSERT_EQ(conns.posts.size(), 1u);
    EXPECT_EQ(conns.posts[0].id, 2u);
    EXPECT_EQ(conns.posts[0].mac, QString("m2"));
    conns.posts.clear();
    model->PostToClients({}, kCmdReboot, TargetMode::All);
    EXPECT_EQ(conns.posts.size(), 3u);
}

TEST_F(OnlineModelTest, FileGuardedSendersNeedTheirFiles) {
    login(2, "p2", "m2");
    auto r = model->SendPlaylist("Lobby", TargetMode::Group);
    EXPECT_EQ(r.targeted, 0);
    EXPECT_TRUE(prompt.messages.contains(
        "The playlist file is not find!\r Please generate it in Playlist Commander."));
    EXPECT_FALSE(prompt.messages.contains("No client is online and no client will be effected!"));

    CUserGroup g;
    ASSERT_TRUE(store->FindGroup("Lobby", &g));
    g.currentPlaylist = g.homeDirectory + "/EZPlaylist.mpl";
    ASSERT_TRUE(lumtest::writeFile(g.currentPlaylist, "[configuration]\r\n"));
    ASSERT_TRUE(store->UpdateGroup("Lobby", g));
    EXPECT_EQ(model->SendPlaylist("Lobby", TargetMode::Group).delivered, 1);

    conns.posts.clear();
    model->SendPicture("p2", TargetMode::Player, "instant.jpg", 9);
    ASSERT_EQ(conns.posts.size(), 1u);
    EXPECT_EQ(conns.posts[0].index, kCmdPicture);
    EXPECT_EQ(conns.posts[0].image, QString("instant.jpg"));
}

TEST_F(OnlineModelTest, EventsUpdateStatusAndReachReportsOnlyForListedPlayers) {
    login(1, "p1", "AA-BB");
    QSignalSpy reports(model.get(), &COnlineModel::reportEvent);
    model->ClientEvent(kEventStatus, "aa-bb", "S3:Playing clip01.mpg");
    EXPECT_EQ(cell(0, COnlineModel::ColStatus), QString("S3:Playing clip01.mpg"));
    model->ClientEvent(kEventStorageFiles, "AA-BB", "p1");
    model->ClientEvent(kEventStorageFiles, "unknown", "p9");
    EXPECT_EQ(reports.count(), 2);  // the status change and the listed player's report
    model->ShowClients("Lobby", TargetMode::Group);
    model->ClientEvent(kEventPlaylist, "AA-BB", "p1");
    EXPECT_EQ(reports.count(), 2);  // not listed now
}

TEST_F(OnlineModelTest, DeletingAGroupRemovesAllItsRows) {
    login(2, "p2", "m2");
    login(3, "p3", "m3");
    login(1, "p1", "m1");
    model->RemoveGroupRows("lobby");
    ASSERT_EQ(model->rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("p1"));
    EXPECT_EQ(model->CountOnline("Lobby"), 0);
    EXPECT_EQ(model->CountOnline("home"), 1);
}

TEST_F(OnlineModelTest, CallsFromConnectionThreadsAreAppliedOnTheMainThread) {
    std::thread t([this] {
        for (quint32 id = 1; id <= 3; ++id)
            model->ClientLoggedIn(id, QString("p%1").arg(id), "10.0.0.1", QString("m%1").arg(id));
        model->ClientEvent(kEventStatus, "m2", "S2:Downloading");
    });
    t.join();  // the thread never waited for us
    EXPECT_EQ(model->rowCount(), 0);
    ASSERT_TRUE(lumtest::waitUntil([&] { return model->rowCount() == 3; }));
    lumtest::waitUntil([&] { return cell(1, COnlineModel::ColStatus) == "S2:Downloading"; });
    EXPECT_EQ(cell(1, COnlineModel::ColStatus), QString("S2:Downloading"));
}

TEST_F(OnlineModelTest, PlayerCommandsAskFirstAndMapVolume) {
    login(1, "p1", "m1");
    CPlayerCommands cmds(*model, prompt);
    EXPECT_EQ(cmds.reboot(CommandTarget::all()).targeted, 0);
    EXPECT_EQ(prompt.questions, QStringList{"Are you sure to reboot the players ?"});
    prompt.answer = true;
    EXPECT_EQ(cmds.format(CommandTarget::player("p1")).delivered, 1);
    EXPECT_EQ(conns.posts.back().index, kCmdFormatStorage);
    cmds.volume(CommandTarget::group("Home"), 15);
    EXPECT_EQ(conns.posts.back().index, 32);
    const auto before = conns.posts.size();
    EXPECT_EQ(cmds.volume(CommandTarget::all(), 16).targeted, 0);
    EXPECT_EQ(conns.posts.size(), before);
}

TEST_F(OnlineModelTest, OperatorServiceAnswersRequests) {
    login(1, "p1", "m1");
    bool running = false;
    COperatorService svc(*store, *model,
                         {[&] { return running = true; }, [&] { running = false; },
                          [&] { return QJsonObject{{"running", running}, {"port", 5021}}; }});
    auto players = svc.handle({{"verb", "players"}, {"group", "home"}});
    ASSERT_TRUE(players["ok"].toBool());
    ASSERT_EQ(players["players"].toArray().size(), 1);
    EXPECT_EQ(players["players"].toArray().at(0).toObject()["name"].toString(), QString("p1"));
    EXPECT_EQ(svc.handle({{"verb", "players"}, {"group", "Lobby"}})["players"].toArray().size(), 0);
    EXPECT_TRUE(svc.handle({{"verb", "server"}, {"action", "start"}})["running"].toBool());
    EXPECT_EQ(svc.handle({{"verb", "status"}})["port"].toInt(), 5021);

    const QJsonObject p1{{"player", "p1"}};
    auto reboot = svc.handle({{"verb", "reboot"}, {"target", p1}});
    EXPECT_FALSE(reboot["ok"].toBool());  // refused with the question
    EXPECT_EQ(reboot["question"].toString(), QString("Are you sure to reboot the players ?"));
    EXPECT_TRUE(conns.posts.empty());
    reboot = svc.handle({{"verb", "reboot"}, {"target", p1}, {"yes", true}});
    EXPECT_EQ(reboot["delivered"].toInt(), 1);
    EXPECT_EQ(conns.posts.back().index, kCmdReboot);

    auto nobody = svc.handle({{"verb", "play"}, {"target", QJsonObject{{"group", "Lobby"}}}});
    EXPECT_EQ(nobody["messages"].toArray().at(0).toString(),
              QString("No client is online and no client will be effected!"));
    svc.handle({{"verb", "video"}, {"on", true}, {"target", QJsonObject{{"all", true}}}});
    EXPECT_EQ(conns.posts.back().index, kCmdVideoOn);
    svc.handle({{"verb", "send"}, {"index", 44}, {"text", "hello"}, {"target", p1}});
    EXPECT_EQ(conns.posts.back().text, QString("hello"));

    // Refusals with clear errors.
    EXPECT_FALSE(svc.handle({{"verb", "play"}})["ok"].toBool());  // no target
    EXPECT_EQ(svc.handle({{"verb", "play"}, {"target", QJsonObject{{"group", "Nope"}}}})["error"].toString(),
              QString("unknown group 'Nope'"));
    EXPECT_FALSE(svc.handle({{"verb", "capacity"}, {"target", QJsonObject{{"all", true}}}})["ok"].toBool());
    EXPECT_FALSE(svc.handle({{"verb", "volume"}, {"level", 0}, {"target", p1}})["ok"].toBool());
    EXPECT_FALSE(svc.handle({{"verb", "send"}, {"index", 300}, {"target", p1}})["ok"].toBool());
    EXPECT_FALSE(svc.handle({{"verb", "bogus"}})["ok"].toBool());

    auto accounts = svc.handle({{"verb", "accounts"}});
    EXPECT_EQ(accounts["groups"].toArray().size(), 2);
}

TEST_F(OnlineModelTest, EzPlayStoresSendsAndAutoPlayMakesThePowerUpPlaylist) {
    login(2, "p2", "m2");
    login(3, "p3", "m3");
    model->ClientLoggedOut(3);
    CPlaylistDocument doc;
    PlaylistRow row;
    row.item.setPathAndName("/media/a.jpg");
    doc.appendRow(row);

    auto r = EzPlay(*store, *model, prompt, TargetMode::Group, "lobby", doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    CUserGroup g;
    ASSERT_TRUE(store->FindGroup("Lobby", &g));
    EXPECT_EQ(r.playlistPath, g.homeDirectory + "/EZPlaylist.mpl");
    EXPECT_TRUE(QFileInfo::exists(r.playlistPath));
    EXPECT_EQ(g.currentPlaylist, r.playlistPath);
    EXPECT_EQ(g.autoPlay, 0);
    EXPECT_EQ(r.posted.targeted, 1);  // p3 is offline
    EXPECT_EQ(conns.posts.back().index, kCmdAutoCommand);
    EXPECT_EQ(conns.posts.back().id, 2u);
    EXPECT_EQ(cell(0, COnlineModel::ColPlaylist), QString("EZPlaylist.mpl"));
    EXPECT_EQ(cell(0, COnlineModel::ColGroup), QString("Lobby"));  // AutoPlay cleared

    // A player entry stores under its group's home directory.
    EXPECT_TRUE(EzPlay(*store, *model, prompt, TargetMode::Player, "P2", doc).ok);

    r = AutoPlay(*store, prompt, TargetMode::Player, "p2", doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(prompt.messages.last(), QString("Autoplay must select Group name, not Device only."));
    r = AutoPlay(*store, prompt, TargetMode::Group, "Lobby", doc);
    ASSERT_TRUE(r.ok);
    ASSERT_TRUE(store->FindGroup("Lobby", &g));
    EXPECT_EQ(g.autoPlaylist, g.homeDirectory + "/AutoPlaylist.mpl");
    EXPECT_EQ(g.autoPlay, 1);
    EXPECT_EQ(prompt.messages.last(),
              QString("AutoPlay function will be executed after players restart or power up next time"));
}
