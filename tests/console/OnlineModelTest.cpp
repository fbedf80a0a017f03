#include "console/OnlineModel.h"
#include "console/OperatorService.h"
#include "console/PlayerCommands.h"
#include "console/PlaylistHandover.h"
#include "core/LogSink.h"
#include "playlists/PlaylistDocument.h"
#include "playlists/ReportCenter.h"

#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QJsonArray>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <thread>

using namespace lum;

namespace {

using Sent = std::vector<std::pair<quint32, CommandIndex>>;
constexpr const char* kNoClient = "No client is online and no client will be effected!";

class OnlineModelTest : public ::testing::Test, public lumtest::OnlinePlayers {
protected:
    void SetUp() override {
        lumtest::addGroup(store, "Home");
        lumtest::addGroup(store, "Lobby", 1);
        lumtest::addUser(store, "p1", "Home", "first");
        lumtest::addUser(store, "p2", "Lobby", "second");
        lumtest::addUser(store, "p3", "Lobby", "third");
        tester = std::make_unique<QAbstractItemModelTester>(
            &online, QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    QString cell(int row, int col) const { return online.data(online.index(row, col)).toString(); }
    PostResult send(const CommandTarget& t, CommandIndex index) { return online.send(t, index); }
    void givePlaylist(const QString& group) {
        CUserGroup g;
        ASSERT_TRUE(store.FindGroup(group, &g));
        g.currentPlaylist = g.homeDirectory + "/EZPlaylist.mpl";
        ASSERT_TRUE(lumtest::writeFile(g.currentPlaylist, "[configuration]\r\n"));
        ASSERT_TRUE(store.UpdateGroup(group, g));
    }

    lumtest::RecordingPrompt prompt;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(OnlineModelTest, LoginShowsRowAndSecondLoginStopsTheOlderConnection) {
    login(11, "P1", "00-00-00-00-00-01");
    ASSERT_EQ(online.rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("P1"));
    EXPECT_EQ(cell(0, COnlineModel::ColGroup), QString("Home"));
    EXPECT_EQ(cell(0, COnlineModel::ColStatus), QString("Alive"));
    EXPECT_EQ(cell(0, COnlineModel::ColDescription), QString("first"));
    EXPECT_EQ(online.data(online.index(0, 0), COnlineModel::ImageRole).toInt(), 0);

    login(12, "p1", "00-00-00-00-00-02");
    EXPECT_EQ(online.rowCount(), 1);
    EXPECT_EQ(connections.stopped, std::vector<quint32>{11});
    EXPECT_EQ(online.data(online.index(0, 0), COnlineModel::ConnectionIdRole).toUInt(), 12u);
    EXPECT_EQ(cell(0, COnlineModel::ColMac), QString("00-00-00-00-00-02"));

    online.ClientLoggedOut(12);
    EXPECT_EQ(online.rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColStatus), QString("Offline"));
    EXPECT_EQ(online.data(online.index(0, 0), COnlineModel::ImageRole).toInt(), 1);

    login(13, "nobody", "x");
    EXPECT_EQ(online.rowCount(), 1);  // not in the store: nothing added
}

// Stopping the older connection serves the event loop: whatever changes the records meanwhile
// must not be overwritten through a stale pointer.
TEST_F(OnlineModelTest, RecordsChangedWhileTheOlderConnectionStopsStayIntact) {
    login(1, "p1", "m1");
    login(2, "p2", "m2");
    connections.onStop = [this](quint32) { online.RemoveClient("p1"); };
    login(3, "p1", "m3");
    const std::vector<CClientRecord> records = online.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, QString("p2"));
    EXPECT_EQ(records[0].connectionId, 2u);
    EXPECT_EQ(records[0].macAddress, QString("m2"));
    EXPECT_EQ(records[1].name, QString("p1"));
    EXPECT_EQ(records[1].connectionId, 3u);
}

TEST_F(OnlineModelTest, SelectionFiltersRowsAndGroupColumnShowsAutoPlay) {
    login(1, "p1", "m1");
    login(2, "p2", "m2");
    login(3, "p3", "m3");
    EXPECT_EQ(online.rowCount(), 3);
    EXPECT_EQ(cell(1, COnlineModel::ColGroup), QString("Lobby(AutoPlay)"));
    online.ShowClients(CommandTarget::group("lobby"));
    EXPECT_EQ(online.rowCount(), 2);
    online.ShowClients(CommandTarget::player("p3"));
    ASSERT_EQ(online.rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("p3"));
    // A login outside the selection adds no row.
    login(4, "p1", "m1");
    EXPECT_EQ(online.rowCount(), 1);
    online.ShowClients(CommandTarget::all());
    EXPECT_EQ(online.rowCount(), 3);
}

// Account changes keep the selection as it stands: a renamed group stays shown under its new
// name, and moving another account leaves a selected player's row alone.
TEST_F(OnlineModelTest, RenamesAndMovesKeepTheSelection) {
    login(2, "p2", "m2");
    online.ShowClients(CommandTarget::group("Lobby"));
    CUserGroup lobby;
    ASSERT_TRUE(store.FindGroup("Lobby", &lobby));
    lobby.name = "Hall";
    ASSERT_TRUE(store.UpdateGroup("Lobby", lobby));
    online.RenameGroup("Lobby", "Hall");  // as the store's change notice does
    login(3, "p3", "m3");  // a later login of the renamed group shows
    EXPECT_EQ(online.filter().name, QString("Hall"));
    EXPECT_EQ(online.rowCount(), 2);

    login(1, "p1", "m1");
    online.ShowClients(CommandTarget::player("p1"));
    CUser p3;
    ASSERT_TRUE(store.FindUser("p3", nullptr, &p3, 0));
    p3.group = "Home";
    online.UpdateClientInfo(p3);
    ASSERT_EQ(online.rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("p1"));
}

TEST_F(OnlineModelTest, SendingReachesOnlinePlayersOnly) {
    EXPECT_EQ(send(CommandTarget::group("Lobby"), CommandIndex::StartPlay).targeted, 0);
    login(1, "p1", "m1");
    login(2, "p2", "aa-bb");
    login(3, "p3", "m3");
    connections.ended.insert(3);  // p3's thread has ended: silently not delivered
    PostResult r = send(CommandTarget::group("LOBBY"), CommandIndex::StartPlay);
    EXPECT_EQ(r.targeted, 2);
    EXPECT_EQ(r.delivered, 1);

    // A logged-out player is not a target; the MAC target ignores letter case.
    online.ClientLoggedOut(1);
    connections.posts.clear();
    EXPECT_EQ(send(CommandTarget::all(), CommandIndex::Reboot).targeted, 2);
    EXPECT_EQ(send(CommandTarget::player("P1"), CommandIndex::Reboot).targeted, 0);
    EXPECT_EQ(send(CommandTarget::mac("AA-BB"), CommandIndex::SetMac).targeted, 1);
    EXPECT_EQ(connections.posts.back().id, 2u);
    EXPECT_EQ(connections.posts.back().args.macText, QString("aa-bb"));
    EXPECT_EQ(online.onlinePlayerByMac("AA-bb"), QString("p2"));
    EXPECT_EQ(online.onlinePlayerByMac("m1"), QString());
}

// Indices 3 and 12 announce a file: whoever sends them, a player whose group lacks it is left
// out (index 3 stops there and the operator hears why).
TEST_F(OnlineModelTest, FileAnnouncingCommandsNeedTheirFilesForEveryCaller) {
    login(1, "p1", "m1");
    login(2, "p2", "m2");
    COperatorService service(store, online, {});
    const QJsonObject all{{"all", true}};
    QJsonObject reply = service.handle({{"verb", "send"}, {"index", 3}, {"target", all}});
    EXPECT_TRUE(connections.posts.empty());
    EXPECT_EQ(reply["messages"].toArray().at(0).toString(),
              QString("The playlist file is not find!\r Please generate it in Playlist Commander."));
    reply = service.handle({{"verb", "send"}, {"index", 12}, {"target", all}});
    EXPECT_TRUE(connections.posts.empty());
    EXPECT_EQ(reply["messages"].toArray().at(0).toString(), QString(kNoClient));

    givePlaylist("Home");
    givePlaylist("Lobby");
    ASSERT_TRUE(lumtest::writeFile(home("Lobby") + "/instantmessage.txt", "osd_settings=0,0,0,2,0,0\r\nx"));
    service.handle({{"verb", "send"}, {"index", 3}, {"target", all}});
    service.handle({{"verb", "send"}, {"index", 12}, {"target", all}});
    EXPECT_EQ(connections.sent(), (Sent{{1, CommandIndex::SendPlaylist},
                                        {2, CommandIndex::SendPlaylist},
                                        {2, CommandIndex::InstantMessage}}));
}

TEST_F(OnlineModelTest, SendingFromAnotherThreadIsQueuedToTheModelsThread) {
    login(2, "p2", "m2");
    PostResult r;
    std::thread t([&] { r = online.send(CommandTarget::group("Lobby"), CommandIndex::UpdateRss); });
    t.join();  // the thread never waited for the model
    EXPECT_TRUE(r.queued);
    EXPECT_TRUE(connections.posts.empty());
    ASSERT_TRUE(lumtest::waitUntil([&] { return !connections.posts.empty(); }));
    EXPECT_EQ(connections.sent(), (Sent{{2, CommandIndex::UpdateRss}}));
}

TEST_F(OnlineModelTest, EventsUpdateStatusAndReachReportsOnlyForListedPlayers) {
    login(1, "p1", "AA-BB");
    QSignalSpy reports(&online, &COnlineModel::reportEvent);
    online.ClientEvent(PlayerEvent::Status, "aa-bb", "S3:Playing clip01.mpg");
    EXPECT_EQ(cell(0, COnlineModel::ColStatus), QString("S3:Playing clip01.mpg"));
    online.ClientEvent(PlayerEvent::StorageFiles, "AA-BB", "p1");
    online.ClientEvent(PlayerEvent::StorageFiles, "unknown", "p9");
    ASSERT_EQ(reports.count(), 2);  // the status change and the listed player's report
    EXPECT_EQ(reports.at(1).at(1).toString(), QString("p1"));
    online.ShowClients(CommandTarget::group("Lobby"));
    online.ClientEvent(PlayerEvent::Playlist, "AA-BB", "p1");
    EXPECT_EQ(reports.count(), 2);  // not listed now
}

// A deleted account's player would otherwise stay connected, unlisted and beyond every command.
TEST_F(OnlineModelTest, DeletingAGroupRemovesItsRowsAndEndsItsConnections) {
    struct : ILogSink {
        void addLog(LogType, const QString&, const QString& text) override { lines << text; }
        QStringList lines;
    } log;
    online.setLog(&log);
    login(2, "p2", "m2");
    login(3, "p3", "m3");
    login(1, "p1", "m1");
    online.ClientLoggedOut(3);
    online.RemoveGroupRows("lobby");
    ASSERT_EQ(online.rowCount(), 1);
    EXPECT_EQ(cell(0, COnlineModel::ColUser), QString("p1"));
    EXPECT_EQ(connections.stopped, std::vector<quint32>{2});  // p3 had gone already
    EXPECT_EQ(online.CountOnline("Lobby"), 0);
    EXPECT_EQ(online.CountOnline("home"), 1);
    EXPECT_EQ(log.lines, QStringList{"[p2] The account was deleted: its control connection is ended."});
}

TEST_F(OnlineModelTest, CallsFromConnectionThreadsAreAppliedOnTheMainThread) {
    std::thread t([this] {
        for (quint32 id = 1; id <= 3; ++id)
            online.ClientLoggedIn(id, QString("p%1").arg(id), "10.0.0.1", QString("m%1").arg(id));
        online.ClientEvent(PlayerEvent::Status, "m2", "S2:Downloading");
    });
    t.join();  // the thread never waited for us
    EXPECT_EQ(online.rowCount(), 0);
    ASSERT_TRUE(lumtest::waitUntil([&] { return cell(1, COnlineModel::ColStatus) == "S2:Downloading"; }));
    EXPECT_EQ(online.rowCount(), 3);
}

TEST_F(OnlineModelTest, PlayerCommandsAskFirstMapVolumeAndTellWhenNobodyIsReached) {
    login(1, "p1", "m1");
    CPlayerCommands cmds(online, prompt);
    EXPECT_EQ(cmds.reboot(CommandTarget::all()).targeted, 0);
    EXPECT_EQ(prompt.questions, QStringList{"Are you sure to reboot the players ?"});
    prompt.answers = {true};
    EXPECT_EQ(cmds.format(CommandTarget::player("p1")).delivered, 1);
    EXPECT_EQ(connections.posts.back().index, CommandIndex::FormatStorage);
    cmds.volume(CommandTarget::group("Home"), 15);
    EXPECT_EQ(int(connections.posts.back().index), 32);
    const auto before = connections.posts.size();
    EXPECT_EQ(cmds.volume(CommandTarget::all(), 16).targeted, 0);
    EXPECT_EQ(connections.posts.size(), before);
    EXPECT_TRUE(prompt.messages.isEmpty());
    cmds.play(CommandTarget::group("Lobby"));
    EXPECT_EQ(prompt.messages, QStringList{kNoClient});
    cmds.send(CommandTarget::group("Lobby"), CommandIndex::UpdateRss);
    EXPECT_EQ(prompt.messages.size(), 1);  // command 14 never tells
}

TEST_F(OnlineModelTest, OperatorServiceAnswersRequests) {
    login(1, "p1", "m1");
    bool running = false;
    COperatorService svc(store, online,
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
    EXPECT_TRUE(connections.posts.empty());
    reboot = svc.handle({{"verb", "reboot"}, {"target", p1}, {"yes", true}});
    EXPECT_EQ(reboot["delivered"].toInt(), 1);
    EXPECT_EQ(connections.posts.back().index, CommandIndex::Reboot);

    auto nobody = svc.handle({{"verb", "play"}, {"target", QJsonObject{{"group", "Lobby"}}}});
    EXPECT_EQ(nobody["messages"].toArray().at(0).toString(), QString(kNoClient));
    svc.handle({{"verb", "video"}, {"on", true}, {"target", QJsonObject{{"all", true}}}});
    EXPECT_EQ(connections.posts.back().index, CommandIndex::VideoOn);
    svc.handle({{"verb", "send"}, {"index", 44}, {"text", "hello"}, {"target", QJsonObject{{"mac", "M1"}}}});
    EXPECT_EQ(connections.posts.back().args.text, QString("hello"));
    svc.handle({{"verb", "capacity"}, {"target", QJsonObject{{"mac", "m1"}}}});
    EXPECT_EQ(connections.posts.back().index, CommandIndex::StorageInfo);

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
    online.ClientLoggedOut(3);
    CPlaylistDocument doc;
    PlaylistRow row;
    row.item.setPathAndName("/media/a.jpg");
    doc.appendRow(row);

    auto r = EzPlay(store, online, prompt, CommandTarget::group("lobby"), doc);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    CUserGroup g;
    ASSERT_TRUE(store.FindGroup("Lobby", &g));
    EXPECT_EQ(r.playlistPath, g.homeDirectory + "/EZPlaylist.mpl");
    EXPECT_TRUE(QFileInfo::exists(r.playlistPath));
    EXPECT_EQ(g.currentPlaylist, r.playlistPath);
    EXPECT_EQ(g.autoPlay, 0);
    EXPECT_EQ(r.posted.targeted, 1);  // p3 is offline
    EXPECT_EQ(connections.sent(), (Sent{{2, CommandIndex::AutoCommand}}));
    EXPECT_EQ(cell(0, COnlineModel::ColPlaylist), QString("EZPlaylist.mpl"));
    EXPECT_EQ(cell(0, COnlineModel::ColGroup), QString("Lobby"));  // AutoPlay cleared

    // A player entry stores under its group's home directory.
    EXPECT_TRUE(EzPlay(store, online, prompt, CommandTarget::player("P2"), doc).ok);

    r = AutoPlay(store, prompt, CommandTarget::player("p2"), doc);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(prompt.messages.last(), QString("Autoplay must select Group name, not Device only."));
    r = AutoPlay(store, prompt, CommandTarget::group("Lobby"), doc);
    ASSERT_TRUE(r.ok);
    ASSERT_TRUE(store.FindGroup("Lobby", &g));
    EXPECT_EQ(g.autoPlaylist, g.homeDirectory + "/AutoPlaylist.mpl");
    EXPECT_EQ(g.autoPlay, 1);
    EXPECT_EQ(prompt.messages.last(),
              QString("AutoPlay function will be executed after players restart or power up next time"));

    // An empty playlist never becomes a power-up playlist; nothing is written or changed.
    const int shown = prompt.messages.size();
    QFile::remove(g.autoPlaylist);
    CPlaylistDocument empty;
    r = AutoPlay(store, prompt, CommandTarget::group("Lobby"), empty);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QString("the playlist holds no item"));
    EXPECT_FALSE(QFileInfo::exists(g.autoPlaylist));
    EXPECT_EQ(prompt.messages.size(), shown);
    // lumctl's autoplay says why.
    const QString file = dir.filePath("empty.mpl");
    ASSERT_TRUE(empty.Save(file));
    COperatorService svc(store, online, {});
    const QJsonObject reply = svc.handle(
        {{"verb", "autoplay"}, {"file", file}, {"target", QJsonObject{{"group", "Lobby"}}}});
    EXPECT_FALSE(reply["ok"].toBool());
    EXPECT_EQ(reply["error"].toString(), QString("the playlist holds no item"));
}

TEST_F(OnlineModelTest, DeleteGoesByTheMacOfTheShownStorageList) {
    lumtest::addGroup(store, "Shop");
    lumtest::addUser(store, "s1", "Shop");
    login(2, "s1", "BB");
    login(3, "s1", "CC");  // the account logs in again from another device: its record moves
    lumtest::writeFile(home("Shop") + "/filereport_CC.zeb", "a\tFILE\t1\r\n");
    ReportCenter center(store, online);
    center.playerEvent(PlayerEvent::StorageFiles, "s1", "CC");
    center.storageList()->setChecked(0, true);
    EXPECT_TRUE(center.deleteSelectedFiles());
    EXPECT_EQ(connections.sent(), (Sent{{3, CommandIndex::DeleteFiles}}));
    EXPECT_TRUE(lumtest::readFile(home("Shop") + "/File2Del.zeb").contains("filename=a\r\n"));

    // Once logged out, the player's MAC no longer finds it.
    online.ClientLoggedOut(3);
    EXPECT_FALSE(center.deleteSelectedFiles());
    EXPECT_EQ(connections.posts.size(), 1u);
}
