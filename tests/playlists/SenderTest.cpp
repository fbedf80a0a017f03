// The parts that reach the account store and the online players: message and label senders,
// Assign to Group and the report tabs' events.
#include "playlists/MessageFiles.h"
#include "playlists/MessageSender.h"
#include "playlists/ReportCenter.h"
#include "playlists/Schedule.h"

#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QSettings>

#include <gtest/gtest.h>

using lum::CommandIndex;
using lum::CommandTarget;
using lum::SendResult;

namespace {

// A program folder with groups "Home" (player p1) and "Shop" (players s1, s2), the online
// model as the sender.
struct Fixture : lumtest::OnlinePlayers {
    lumtest::RecordingPrompt prompt;

    Fixture() {
        lumtest::addGroup(store, "Home");
        lumtest::addGroup(store, "Shop");
        lumtest::addUser(store, "p1", "Home");
        lumtest::addUser(store, "s1", "Shop");
        lumtest::addUser(store, "s2", "Shop");
    }
    QString file(const char* group, const char* name) const { return home(group) + '/' + name; }
    std::vector<std::pair<quint32, CommandIndex>> sent() const { return connections.sent(); }
};

using Sent = std::vector<std::pair<quint32, CommandIndex>>;

}  // namespace

// The file's bytes are checked in MessageFilesTest; here: who gets the file and the command.
TEST(Senders, InstantMessageToGroupWritesFileThenPosts) {
    Fixture f;
    f.login(1, "s1", "M1");
    f.login(2, "p1", "M2");
    f.login(3, "s2", "M3");
    QSettings profile(f.dir.filePath("profile.ini"), QSettings::IniFormat);
    EXPECT_EQ(lum::loadMessageEncoding(profile), lum::InstantMessage::Ansi);  // nothing stored yet
    lum::InstantMessage m;
    m.text = "Hello";
    m.encoding = lum::InstantMessage::Utf8;
    const SendResult r =
        lum::sendInstantMessage(m, CommandTarget::group("SHOP"), f.store, f.online, f.prompt, &profile);
    EXPECT_EQ(r.status, SendResult::Sent);
    EXPECT_EQ(r.reached, 2);
    EXPECT_TRUE(QFile::exists(f.file("Shop", "instantmessage.txt")));
    EXPECT_FALSE(QFile::exists(f.file("Home", "instantmessage.txt")));
    EXPECT_EQ(f.sent(), (Sent{{1, CommandIndex::InstantMessage}, {3, CommandIndex::InstantMessage}}));
    EXPECT_EQ(profile.value("MOTIONTEXT/Encoding").toInt(), 1);  // remembered for the next time
    EXPECT_EQ(lum::loadMessageEncoding(profile), lum::InstantMessage::Utf8);
    EXPECT_TRUE(f.prompt.messages.isEmpty());
}

TEST(Senders, InstantMessageRootPlayerTooLongAndNobodyOnline) {
    Fixture f;
    lum::InstantMessage m;
    m.text = "x";
    // Root: every group gets the file; nobody online gives the notice.
    SendResult r = lum::sendInstantMessage(m, CommandTarget::all(), f.store, f.online, f.prompt);
    EXPECT_EQ(r.status, SendResult::NoneReached);
    EXPECT_EQ(r.written.size(), 2);
    EXPECT_EQ(f.prompt.messages, QStringList{"No client is online and no client will be effected!"});

    // A player: its group's file, the command to that player only.
    f.login(1, "s1", "M1");
    f.login(3, "s2", "M3");
    r = lum::sendInstantMessage(m, CommandTarget::player("s2"), f.store, f.online, f.prompt);
    EXPECT_EQ(r.reached, 1);
    EXPECT_EQ(f.sent(), (Sent{{3, CommandIndex::InstantMessage}}));

    // Too long: the message once per group, the older file stays and still announces itself.
    f.prompt.messages.clear();
    m.text = QString(lum::InstantMessage::kMaxLength, 'y');
    r = lum::sendInstantMessage(m, CommandTarget::all(), f.store, f.online, f.prompt);
    EXPECT_EQ(f.prompt.messages,
              QStringList(2, "The maximum text length is 20480 bytes!"));
    EXPECT_TRUE(r.written.isEmpty());
    EXPECT_EQ(lumtest::readFile(f.file("Shop", "instantmessage.txt")),
              QByteArray("osd_settings=0,0,0,2,0,0\r\nx"));
    EXPECT_EQ(r.reached, 2);

    // A group without any file gets no command.
    QFile::remove(f.file("Shop", "instantmessage.txt"));
    f.prompt.messages.clear();
    const size_t before = f.connections.posts.size();
    r = lum::sendInstantMessage(m, CommandTarget::group("Shop"), f.store, f.online, f.prompt);
    EXPECT_EQ(f.connections.posts.size(), before);
    EXPECT_EQ(r.status, SendResult::NoneReached);

    // Unknown names are refused before anything is written.
    f.prompt.messages.clear();
    m.text = "z";
    r = lum::sendInstantMessage(m, CommandTarget::group("Nowhere"), f.store, f.online, f.prompt);
    EXPECT_EQ(r.status, SendResult::UnknownTarget);
    EXPECT_EQ(f.prompt.messages, QStringList{"Group 'Nowhere' is not found!"});
    r = lum::sendInstantMessage(m, CommandTarget::player("ghost"), f.store, f.online, f.prompt);
    EXPECT_EQ(r.status, SendResult::UnknownTarget);
    EXPECT_FALSE(QDir(f.dir.filePath("Nowhere")).exists());
    lum::CUserGroup g;
    EXPECT_FALSE(f.store.FindUser("ghost", &g, nullptr, 0));  // not registered by the lookup
}

TEST(Senders, ScreenLabelWritesFileAndPostsLabelMessage) {
    Fixture f;
    f.login(1, "s1", "M1");
    f.login(2, "p1", "M2");
    lum::ScreenLabel l;
    l.lines = {"A", "", "C"};
    l.setDuration(false, 0, 10);
    SendResult r = lum::sendScreenLabel(l, CommandTarget::group("Shop"), f.store, f.online, f.prompt);
    EXPECT_EQ(r.status, SendResult::Sent);
    EXPECT_TRUE(QFile::exists(f.file("Shop", "ostnmessage.txt")));
    EXPECT_EQ(f.sent(), (Sent{{1, CommandIndex::Label}}));
    EXPECT_EQ(f.connections.posts[0].args.text, "osd_settings=0,10,0,0\rA\r \rC\r");

    l.numberOnly = true;
    l.number = "12x";
    r = lum::sendScreenLabel(l, CommandTarget::group("Shop"), f.store, f.online, f.prompt);
    EXPECT_EQ(r.status, SendResult::Refused);
    EXPECT_EQ(f.connections.posts.size(), 1u);
    EXPECT_EQ(f.prompt.messages, QStringList{"Only digital number(000-999) is allowed!"});
}

TEST(Senders, AssignScheduleToGroup) {
    Fixture f;
    lum::ScheduleModel model;
    EXPECT_FALSE(model.assignToGroup("Shop", f.store, f.prompt));  // empty list: nothing
    lum::ScheduleModel::Fields fields;
    fields.playlist = "/m/a.mpl";
    fields.start = QDate(2013, 3, 1);
    fields.stop = QDate(2013, 3, 31);
    fields.days[1] = true;
    model.add(fields);
    EXPECT_FALSE(model.assignToGroup("", f.store, f.prompt));
    EXPECT_TRUE(f.prompt.messages.isEmpty());

    lum::CUserGroup shop;
    f.store.FindGroup("Shop", &shop);
    shop.autoPlay = 0;
    f.store.UpdateGroup("Shop", shop);

    ASSERT_TRUE(model.assignToGroup("shop", f.store, f.prompt));
    const QString path = f.file("Shop", "playlist.sch");
    EXPECT_EQ(lumtest::readFile(path), QByteArray("/m/a.mpl,20130301,20130331,0100000\r\n"));
    EXPECT_EQ(f.prompt.messages,
              QStringList{"AutoPlay function will be executed after players restart or power up next time"});

    // The group table is stored: a fresh store reads the auto playlist back.
    lum::CUserStore again(f.dir.path());
    again.Load();
    lum::CUserGroup g;
    ASSERT_TRUE(again.FindGroup("Shop", &g));
    EXPECT_EQ(g.autoPlaylist, path);
    EXPECT_EQ(g.autoPlay, 1);
    EXPECT_EQ(g.users.size(), 2);

    f.prompt.messages.clear();
    EXPECT_FALSE(model.assignToGroup("Nowhere", f.store, f.prompt));
    EXPECT_EQ(f.prompt.messages, QStringList{"Group 'Nowhere' is not found!"});
}

TEST(Senders, ReportEventsAndDeleteSelectedFiles) {
    Fixture f;
    lum::ReportCenter center(f.store, f.online);
    QList<int> tabs;
    QObject::connect(&center, &lum::ReportCenter::tabRequested, [&](int t) { tabs << t; });
    const QString mac = "00-11-22-33-44-55";
    lumtest::writeFile(f.file("Shop", "filereport_00-11-22-33-44-55.zeb"),
                       "a.jpg\tFILE\t1\r\nb.jpg\tFILE\t2\r\nc.jpg\tFILE\t3\r\n");
    center.playerEvent(lum::PlayerEvent::StorageFiles, "s1", mac);
    EXPECT_EQ(tabs, QList<int>{lum::ReportCenter::StorageTab});
    EXPECT_EQ(center.storageMac(), mac);
    ASSERT_EQ(center.storageList()->rowCount(), 3);

    // Not online: nothing written, nothing sent.
    center.storageList()->setChecked(0, true);
    center.storageList()->setChecked(2, true);
    EXPECT_FALSE(center.deleteSelectedFiles());
    EXPECT_FALSE(QFile::exists(f.file("Shop", "File2Del.zeb")));

    f.login(1, "s2", "other");
    f.login(2, "s1", mac.toLower());  // the MAC is found without regard to case
    EXPECT_TRUE(center.deleteSelectedFiles());
    EXPECT_EQ(lumtest::readFile(f.file("Shop", "File2Del.zeb")),
              QByteArray("[file0]\r\nfilename=a.jpg\r\n[file1]\r\nfilename=c.jpg\r\n"));
    EXPECT_EQ(f.sent(), (Sent{{2, CommandIndex::DeleteFiles}}));

    center.playerEvent(lum::PlayerEvent::DeleteDone, "s1", mac);
    ASSERT_EQ(center.storageList()->rowCount(), 1);
    EXPECT_EQ(center.storageList()->rows()[0].name, "b.jpg");

    // Nothing ticked: the old list goes, none is written, the command is still sent.
    EXPECT_TRUE(center.deleteSelectedFiles());
    EXPECT_FALSE(QFile::exists(f.file("Shop", "File2Del.zeb")));
    EXPECT_EQ(f.connections.posts.size(), 2u);

    // Playlist report falls back to the group's playlist.mpl.
    lumtest::writeFile(f.file("Shop", "playlist.mpl"), "[file0]\r\npath=/x/y.jpg\r\n");
    center.playerEvent(lum::PlayerEvent::PlayReport, "S1", mac);
    EXPECT_EQ(tabs.last(), lum::ReportCenter::PlaylistTab);
    ASSERT_EQ(center.playlistReport()->rowCount(), 1);
    lumtest::writeFile(f.file("Shop", "playlist_00-11-22-33-44-55.zeb"),
                       "[file0]\r\npath=/a\r\n[file1]\r\npath=/b\r\n");
    center.playerEvent(lum::PlayerEvent::Playlist, "s1", mac);
    EXPECT_EQ(center.playlistReport()->rowCount(), 2);

    // An unknown player's report reads as missing.
    center.playerEvent(lum::PlayerEvent::StorageFiles, "ghost", mac);
    EXPECT_EQ(center.storageList()->rowCount(), 0);
    EXPECT_FALSE(center.deleteSelectedFiles());
}

TEST(Senders, StorageReportsGoToTheCommanderWhileItTakesThem) {
    Fixture f;
    lum::ReportCenter center(f.store, f.online);
    QList<int> tabs;
    QObject::connect(&center, &lum::ReportCenter::tabRequested, [&](int t) { tabs << t; });
    const QString mac = "00-11-22-33-44-55";
    lumtest::writeFile(f.file("Shop", "filereport_00-11-22-33-44-55.zeb"), "a.jpg\tFILE\t1\r\n");
    QStringList forwarded;
    center.setStorageForward([&](const QString& player, const QString& m, const QString& report) {
        if (player.compare("s1", Qt::CaseInsensitive) != 0) return false;
        forwarded << player + ' ' + m + ' ' + report;
        return true;
    });
    center.playerEvent(lum::PlayerEvent::StorageFiles, "s1", mac);
    EXPECT_EQ(forwarded, QStringList{"s1 " + mac + ' ' + f.file("Shop", "filereport_00-11-22-33-44-55.zeb")});
    EXPECT_TRUE(tabs.isEmpty());
    EXPECT_EQ(center.storageList()->rowCount(), 0);
    EXPECT_TRUE(center.storageMac().isEmpty());

    // Another player's report is not taken: it shows in the log pane as before.
    center.playerEvent(lum::PlayerEvent::StorageFiles, "s2", mac);
    EXPECT_EQ(forwarded.size(), 1);
    EXPECT_EQ(tabs, QList<int>{lum::ReportCenter::StorageTab});
    EXPECT_EQ(center.storageList()->rowCount(), 1);

    center.setStorageForward({});
    center.playerEvent(lum::PlayerEvent::StorageFiles, "s1", mac);
    EXPECT_EQ(forwarded.size(), 1);
    EXPECT_EQ(tabs.size(), 2);
}
