// The parts that reach the account store and the online players: message and label senders,
// Assign to Group and the report tabs' events.
#include "accounts/UserStore.h"
#include "playlists/MessageFiles.h"
#include "playlists/MessageSender.h"
#include "playlists/ReportCenter.h"
#include "playlists/Schedule.h"

#include "common/RecordingSender.h"
#include "common/ScriptedPrompt.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QSettings>

#include <gtest/gtest.h>

using lum::MessageTarget;
using lum::SendResult;
using lumtest::RecordingSender;

namespace {

// A program folder with groups "Home" (player p1) and "Shop" (players s1, s2).
struct Fixture {
    QTemporaryDir dir;
    lum::CUserStore store{dir.path()};
    RecordingSender sender;
    lumtest::ScriptedPrompt prompt;

    Fixture() {
        for (const char* g : {"Home", "Shop"}) {
            lum::CUserGroup group;
            group.name = g;
            store.AddGroup(group);
            QDir().mkpath(store.homeDirectoryFor(g));
        }
        addUser("p1", "Home");
        addUser("s1", "Shop");
        addUser("s2", "Shop");
    }
    void addUser(const char* name, const char* group) {
        lum::CUser u;
        u.name = name;
        u.group = group;
        store.AddUser(u);
    }
    QString home(const char* group) const { return store.homeDirectoryFor(group); }
    QString file(const char* group, const char* name) const {
        return home(group) + '/' + name;
    }
};

}  // namespace

// The file's bytes are checked in MessageFilesTest; here: who gets the file and the command.
TEST(Senders, InstantMessageToGroupWritesFileThenPosts) {
    Fixture f;
    f.sender.online = {{"s1", "Shop", "M1"}, {"p1", "Home", "M2"}, {"s2", "shop", "M3"}};
    QSettings profile(f.dir.filePath("profile.ini"), QSettings::IniFormat);
    EXPECT_EQ(lum::loadMessageEncoding(profile), lum::InstantMessage::Ansi);  // nothing stored yet
    lum::InstantMessage m;
    m.text = "Hello";
    m.encoding = lum::InstantMessage::Utf8;
    const SendResult r =
        lum::sendInstantMessage(m, MessageTarget::group("SHOP"), f.store, f.sender, f.prompt, &profile);
    EXPECT_EQ(r.status, SendResult::Sent);
    EXPECT_EQ(r.reached, 2);
    EXPECT_TRUE(QFile::exists(f.file("Shop", "instantmessage.txt")));
    EXPECT_FALSE(QFile::exists(f.file("Home", "instantmessage.txt")));
    ASSERT_EQ(f.sender.sent.size(), 2u);
    EXPECT_EQ(f.sender.sent[0], (RecordingSender::Sent{"s1", 12, ""}));
    EXPECT_EQ(profile.value("MOTIONTEXT/Encoding").toInt(), 1);  // remembered for the next time
    EXPECT_EQ(lum::loadMessageEncoding(profile), lum::InstantMessage::Utf8);
    EXPECT_TRUE(f.prompt.messages.isEmpty());
}

TEST(Senders, InstantMessageRootPlayerTooLongAndNobodyOnline) {
    Fixture f;
    lum::InstantMessage m;
    m.text = "x";
    // Root: every group gets the file; nobody online gives the notice.
    SendResult r = lum::sendInstantMessage(m, MessageTarget::root(), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.status, SendResult::NoneReached);
    EXPECT_EQ(r.written.size(), 2);
    EXPECT_EQ(f.prompt.messages, QStringList{"No client is online and no client will be effected!"});

    // A player: its group's file, the command to that player only.
    f.sender.online = {{"s1", "Shop", "M1"}, {"s2", "Shop", "M3"}};
    r = lum::sendInstantMessage(m, MessageTarget::player("s2"), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.reached, 1);
    EXPECT_EQ(f.sender.sent.back().user, "s2");

    // Too long: the message once per group, the older file stays and still announces itself.
    f.prompt.messages.clear();
    m.text = QString(lum::InstantMessage::kMaxLength, 'y');
    r = lum::sendInstantMessage(m, MessageTarget::root(), f.store, f.sender, f.prompt);
    EXPECT_EQ(f.prompt.messages,
              QStringList(2, "The maximum text length is 20480 bytes!"));
    EXPECT_TRUE(r.written.isEmpty());
    EXPECT_EQ(lumtest::readFile(f.file("Shop", "instantmessage.txt")),
              QByteArray("osd_settings=0,0,0,2,0,0\r\nx"));
    EXPECT_EQ(r.reached, 2);

    // A group without any file gets no command.
    QFile::remove(f.file("Shop", "instantmessage.txt"));
    f.prompt.messages.clear();
    const size_t before = f.sender.sent.size();
    r = lum::sendInstantMessage(m, MessageTarget::group("Shop"), f.store, f.sender, f.prompt);
    EXPECT_EQ(f.sender.sent.size(), before);
    EXPECT_EQ(r.status, SendResult::NoneReached);

    // Unknown names are refused before anything is written.
    f.prompt.messages.clear();
    m.text = "z";
    r = lum::sendInstantMessage(m, MessageTarget::group("Nowhere"), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.status, SendResult::UnknownTarget);
    EXPECT_EQ(f.prompt.messages, QStringList{"Group 'Nowhere' is not found!"});
    r = lum::sendInstantMessage(m, MessageTarget::player("ghost"), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.status, SendResult::UnknownTarget);
    EXPECT_FALSE(QDir(f.dir.filePath("Nowhere")).exists());
    lum::CUserGroup g;
    EXPECT_FALSE(f.store.FindUser("ghost", &g, nullptr, 0));  // not registered by the lookup
}

TEST(Senders, ScreenLabelWritesFileAndPostsLabelMessage) {
    Fixture f;
    f.sender.online = {{"s1", "Shop", "M1"}, {"p1", "Home", "M2"}};
    lum::ScreenLabel l;
    l.lines = {"A", "", "C"};
    l.setDuration(false, 0, 10);
    SendResult r = lum::sendScreenLabel(l, MessageTarget::group("Shop"), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.status, SendResult::Sent);
    EXPECT_TRUE(QFile::exists(f.file("Shop", "ostnmessage.txt")));
    ASSERT_EQ(f.sender.sent.size(), 1u);
    EXPECT_EQ(f.sender.sent[0], (RecordingSender::Sent{"s1", 43, "osd_settings=0,10,0,0\rA\r \rC\r"}));

    l.numberOnly = true;
    l.number = "12x";
    r = lum::sendScreenLabel(l, MessageTarget::group("Shop"), f.store, f.sender, f.prompt);
    EXPECT_EQ(r.status, SendResult::Refused);
    EXPECT_EQ(f.sender.sent.size(), 1u);
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
    lum::ReportCenter center(f.store, f.sender);
    QList<int> tabs;
    QObject::connect(&center, &lum::ReportCenter::tabRequested, [&](int t) { tabs << t; });
    const QString mac = "00-11-22-33-44-55";
    lumtest::writeFile(f.file("Shop", "filereport_00-11-22-33-44-55.zeb"),
                       "a.jpg\tFILE\t1\r\nb.jpg\tFILE\t2\r\nc.jpg\tFILE\t3\r\n");
    center.playerEvent(lum::kEventStorageReport, "s1", mac);
    EXPECT_EQ(tabs, QList<int>{lum::ReportCenter::StorageTab});
    EXPECT_EQ(center.storageMac(), mac);
    ASSERT_EQ(center.storageList()->rowCount(), 3);

    // Not online: nothing written, nothing sent.
    center.storageList()->setChecked(0, true);
    center.storageList()->setChecked(2, true);
    EXPECT_FALSE(center.deleteSelectedFiles());
    EXPECT_FALSE(QFile::exists(f.file("Shop", "File2Del.zeb")));

    f.sender.online = {{"s2", "Shop", "other"}, {"s1", "Shop", mac}};
    EXPECT_TRUE(center.deleteSelectedFiles());
    EXPECT_EQ(lumtest::readFile(f.file("Shop", "File2Del.zeb")),
              QByteArray("[file0]\r\nfilename=a.jpg\r\n[file1]\r\nfilename=c.jpg\r\n"));
    ASSERT_EQ(f.sender.sent.size(), 1u);
    EXPECT_EQ(f.sender.sent[0], (RecordingSender::Sent{"s1", 9, ""}));

    center.playerEvent(lum::kEventDeletionDone, "s1", mac);
    ASSERT_EQ(center.storageList()->rowCount(), 1);
    EXPECT_EQ(center.storageList()->rows()[0].name, "b.jpg");

    // Nothing ticked: the old list goes, none is written, the command is still sent.
    EXPECT_TRUE(center.deleteSelectedFiles());
    EXPECT_FALSE(QFile::exists(f.file("Shop", "File2Del.zeb")));
    EXPECT_EQ(f.sender.sent.size(), 2u);

    // Playlist report falls back to the group's playlist.mpl.
    lumtest::writeFile(f.file("Shop", "playlist.mpl"), "[file0]\r\npath=/x/y.jpg\r\n");
    center.playerEvent(lum::kEventPlaybackReport, "S1", mac);
    EXPECT_EQ(tabs.last(), lum::ReportCenter::PlaylistTab);
    ASSERT_EQ(center.playlistReport()->rowCount(), 1);
    lumtest::writeFile(f.file("Shop", "playlist_00-11-22-33-44-55.zeb"),
                       "[file0]\r\npath=/a\r\n[file1]\r\npath=/b\r\n");
    center.playerEvent(lum::kEventPlaylistReport, "s1", mac);
    EXPECT_EQ(center.playlistReport()->rowCount(), 2);

    // An unknown player's report reads as missing.
    center.playerEvent(lum::kEventStorageReport, "ghost", mac);
    EXPECT_EQ(center.storageList()->rowCount(), 0);
    EXPECT_FALSE(center.deleteSelectedFiles());
}
