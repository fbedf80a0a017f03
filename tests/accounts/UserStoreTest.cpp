// users.dat bytes, damaged files and the store's operations on real files.
#include "accounts/UserStore.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;

namespace {

const QByteArray kHeader = QByteArray("\x24") + "ZEB Software Solutions - StoreObject";

// A one-byte-prefixed text, written out by hand so the expectations do not reuse the writer.
QByteArray t(const QByteArray& s) { return char(s.size()) + s; }
QByteArray le32(quint32 v) {
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i) b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}
// A group record up to its account count: empty playlists, auto play on, no RSS, no ticker.
QByteArray groupHead(const QByteArray& name, const QByteArray& home = {}) {
    return t(name) + t(home) + t("") + t("") + le32(1) + le32(0) + t("") + t("");
}
const QByteArray kNoUsers("\x00\x00", 2);

CUser makeUser(const QString& name, const QString& group, const QString& password = {}) {
    CUser u;
    u.name = name;
    u.group = group;
    u.password = password;
    return u;
}

CUserGroup makeGroup(const QString& name) {
    CUserGroup g;
    g.name = name;
    return g;
}

class UserStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder() const { return dir.path(); }
    QString usersFile() const { return dir.path() + "/server data/users.dat"; }
    QByteArray fileBytes() const { return lumtest::readFile(usersFile()); }
    void putFile(const QByteArray& data) {
        QDir().mkpath(dir.path() + "/server data");
        ASSERT_TRUE(lumtest::writeFile(usersFile(), data));
    }
};

TEST_F(UserStoreTest, WritesGroupAndUserRecordsByteForByte) {
    CUserStore store(folder());
    CUserGroup g = makeGroup("Lobby");
    g.currentPlaylist = "/p/EZPlaylist.mpl";
    g.autoPlaylist = "/p/a.mpl";
    g.autoPlay = 0;
    g.autoRss = 1;
    g.tickerFile = "/t.txt";
    g.osdSettings = "osd_settings=1,0,4,2,0,1\r\n";
    ASSERT_EQ(store.AddGroup(g), 1);
    CUser u = makeUser("pl01", "lobby", "1234");  // group name in other case: stored as the group's
    u.description = "front door";
    u.disabled = 1;
    ASSERT_EQ(store.AddUser(u), 1);

    const QByteArray home = (folder() + "/Lobby").toUtf8();
    QByteArray expected = kHeader + t("Lobby") + t(home) + t("/p/EZPlaylist.mpl") + t("/p/a.mpl") +
                          le32(0) + le32(1) + t("/t.txt") + t("osd_settings=1,0,4,2,0,1\r\n") +
                          QByteArray("\x01\x00", 2) + t("pl01") + t("1234") + t("Lobby") +
                          t("front door") + le32(1);
    EXPECT_EQ(fileBytes(), expected);
}

TEST_F(UserStoreTest, LongTextsUseTheEscapedLengthPrefix) {
    CUserStore store(folder());
    CUserGroup g = makeGroup("G");
    g.autoPlaylist = QString(254, 'a');
    g.tickerFile = QString(255, 'b');
    g.osdSettings = QString(0x10000, 'c');  // beyond the 16-bit prefix
    ASSERT_EQ(store.AddGroup(g), 1);

    const QByteArray bytes = fileBytes();
    const QByteArray home = (folder() + "/G").toUtf8();
    QByteArray expected = kHeader + t("G") + t(home) + t("") + QByteArray("\xFE") +
                          QByteArray(254, 'a') + le32(1) + le32(0) +
                          QByteArray("\xFF\xFF\x00", 3) + QByteArray(255, 'b') +
                          QByteArray("\xFF\xFF\xFF", 3) + le32(0x10000) + QByteArray(0x10000, 'c') +
                          QByteArray(2, '\0');
    EXPECT_EQ(bytes, expected);

    CUserStore again(folder());
    ASSERT_EQ(again.Load(), 1);
    ASSERT_EQ(again.Groups().size(), 1);
    EXPECT_EQ(again.Groups()[0].tickerFile, QString(255, 'b'));
    EXPECT_EQ(again.Groups()[0].osdSettings.size(), 0x10000);
}

// The 0xFFFE boundary itself is checked on the archive primitives (ArchiveTest).
TEST_F(UserStoreTest, CountEscapesAbove65534AccountsAndReadsBack) {
    CUserStore store(folder());
    CUserGroup big = makeGroup("B");
    for (int i = 0; i < 0xFFFF; ++i) big.users.append(makeUser(QString("b%1").arg(i), "B"));
    ASSERT_EQ(store.AddGroup(big), 1);
    EXPECT_TRUE(fileBytes().startsWith(kHeader + groupHead("B", (folder() + "/B").toUtf8()) +
                                       QByteArray("\xFF\xFF", 2) + le32(0xFFFF)));

    CUserStore again(folder());
    ASSERT_EQ(again.Load(), 1);
    ASSERT_EQ(again.Groups().size(), 1);
    EXPECT_EQ(again.Groups()[0].users.size(), 0xFFFF);
    EXPECT_EQ(again.Groups()[0].users.last().name, "b65534");
    CUser found;
    EXPECT_EQ(again.FindUser("B65534", nullptr, &found, 0), 1);
    EXPECT_EQ(found.group, "B");
}

TEST_F(UserStoreTest, MissingEmptyAndHeaderOnlyFilesLoadEmpty) {
    CUserStore missing(folder());
    EXPECT_EQ(missing.Load(), 1);
    EXPECT_TRUE(missing.Groups().isEmpty());

    for (const QByteArray& content : {QByteArray(), kHeader}) {
        putFile(content);
        CUserStore store(folder());
        EXPECT_EQ(store.Load(), 1);
        EXPECT_TRUE(store.Groups().isEmpty());
    }
    // The store then writes a fresh file with the groups added; nothing was kept aside.
    CUserStore headerOnly(folder());
    ASSERT_EQ(headerOnly.Load(), 1);
    ASSERT_EQ(headerOnly.AddGroup(makeGroup("Home")), 1);
    EXPECT_TRUE(fileBytes().startsWith(kHeader + t("Home")));
    EXPECT_EQ(QDir(folder() + "/server data").entryList(QDir::Files), QStringList{"users.dat"});
}

TEST_F(UserStoreTest, ADamagedFileIsKeptAsideBeforeTheNextSaveReplacesIt) {
    const QByteArray valid = kHeader + groupHead("Home") + QByteArray("\x01\x00", 2) + t("kiosk1") + t("") +
                             t("Home") + t("") + le32(0) + groupHead("Shop") + kNoUsers;
    QByteArray flipped = valid;
    flipped[5] = char(flipped[5] ^ 0x04);  // a few bits of the header
    QByteArray cut = valid.left(valid.size() - 3);
    struct Case {
        const char* what;
        QByteArray bytes;
        int groupsKept;
    };
    for (const Case& c : {Case{"foreign header", flipped, 0}, Case{"cut short", cut, 1}}) {
        SCOPED_TRACE(c.what);
        QDir(folder() + "/server data").removeRecursively();
        putFile(c.bytes);
        CUserStore store(folder());
        EXPECT_EQ(store.Load(), 0);
        EXPECT_EQ(store.Groups().size(), c.groupsKept);
        // A new player registers itself: users.dat is written anew, the original stays aside.
        CUserGroup home = makeGroup("Home");
        store.AddGroup(home);
        ASSERT_EQ(store.FindUser("newcomer", nullptr, nullptr, 1), 1);
        EXPECT_NE(fileBytes(), c.bytes);
        const QStringList kept = QDir(folder() + "/server data")
                                     .entryList({"users.dat.damaged-*"}, QDir::Files);
        ASSERT_EQ(kept.size(), 1) << kept.join(' ').toStdString();
        EXPECT_TRUE(QRegularExpression("^users\\.dat\\.damaged-\\d{8}-\\d{6}$").match(kept[0]).hasMatch())
            << kept[0].toStdString();
        EXPECT_EQ(lumtest::readFile(folder() + "/server data/" + kept[0]), c.bytes);
    }
}

TEST_F(UserStoreTest, HomeDirectoryIsRecomputedFromTheNameOnLoad) {
    putFile(kHeader + groupHead("Shop", "C:\\old\\place\\Shop") + kNoUsers);
    CUserStore store(folder());
    ASSERT_EQ(store.Load(), 1);
    CUserGroup g;
    ASSERT_EQ(store.FindGroup("SHOP", &g), 1);
    EXPECT_EQ(g.homeDirectory, folder() + "/Shop");
}

TEST_F(UserStoreTest, TruncatedFileKeepsTheGroupsReadBeforeTheDamage) {
    CUserStore writer(folder());
    for (const char* name : {"One", "Two", "Three"}) {
        CUserGroup g = makeGroup(name);
        g.users.append(makeUser(QString(name) + "u", name, "pw"));
        ASSERT_EQ(writer.AddGroup(g), 1);
    }
    const QByteArray full = fileBytes();
    const QByteArray sizeOfOne = CUserStore::Serialize({writer.Groups()[0]});
    const qsizetype endOfOne = sizeOfOne.size();
    const qsizetype endOfTwo = endOfOne + CUserStore::Serialize({writer.Groups()[1]}).size() -
                               kHeader.size();

    for (qsizetype cut = kHeader.size(); cut < full.size(); ++cut) {
        putFile(full.left(cut));
        CUserStore store(folder());
        const int rc = store.Load();
        const int expectedGroups = cut < endOfOne ? 0 : cut < endOfTwo ? 1 : 2;
        const bool onBoundary = cut == kHeader.size() || cut == endOfOne || cut == endOfTwo;
        EXPECT_EQ(rc, onBoundary ? 1 : 0) << "cut at " << cut;
        ASSERT_EQ(store.Groups().size(), expectedGroups) << "cut at " << cut;
        if (expectedGroups > 0) {
            EXPECT_EQ(store.Groups()[0].users[0].name, "Oneu");
        }
    }
}

TEST_F(UserStoreTest, HostileLengthsAndRandomBytesFailCleanly) {
    const QByteArray good = kHeader + groupHead("G") + kNoUsers;
    // A huge text length, a huge escaped count with nothing behind it.
    putFile(good + QByteArray("\xFF\xFF\xFF") + le32(0xFFFFFFF0) + "abc");
    CUserStore a(folder());
    EXPECT_EQ(a.Load(), 0);
    EXPECT_EQ(a.Groups().size(), 1);

    putFile(good + groupHead("H") + QByteArray("\xFF\xFF", 2) + le32(0xFFFFFFFF) + t("u"));
    CUserStore b(folder());
    EXPECT_EQ(b.Load(), 0);
    EXPECT_EQ(b.Groups().size(), 1);

    QRandomGenerator rng(20261206);
    for (int round = 0; round < 300; ++round) {
        QByteArray junk(int(rng.bounded(1, 400)), 0);
        for (char& c : junk) c = char(rng.bounded(256));
        // Half the rounds behind a valid header, so the record reader sees the junk.
        putFile(round % 2 ? good + junk : junk);
        CUserStore store(folder());
        const int rc = store.Load();
        EXPECT_TRUE(rc == 0 || rc == 1);
        if (round % 2) {
            EXPECT_GE(store.Groups().size(), 1);
        }
    }
}

TEST_F(UserStoreTest, SaveReportsAFileThatCannotBeWritten) {
    QDir().mkpath(usersFile());  // a folder where the file should be
    CUserStore store(folder());
    EXPECT_EQ(store.Save(), 0);
    EXPECT_EQ(store.AddGroup(makeGroup("G")), 0);
    EXPECT_TRUE(QFileInfo(usersFile()).isDir());
}

TEST_F(UserStoreTest, LookupsIgnoreLetterCase) {
    CUserStore store(folder());
    ASSERT_EQ(store.AddGroup(makeGroup("Home")), 1);
    ASSERT_EQ(store.AddGroup(makeGroup("Shop")), 1);
    ASSERT_EQ(store.AddUser(makeUser("alice", "SHOP", "pw")), 1);

    CUserGroup g;
    CUser u;
    ASSERT_EQ(store.FindUser("ALICE", &g, &u, 0), 1);
    EXPECT_EQ(std::tuple(u.name, u.group, g.name), std::tuple("alice", "Shop", "Shop"));
    EXPECT_EQ(store.FindGroup("home", &g), 1);
    EXPECT_EQ(g.name, "Home");
    EXPECT_EQ(store.FindUser("bob", &g, &u, 0), 0);

    // Names stay unique without regard to case.
    EXPECT_EQ(store.AddGroup(makeGroup("SHOP")), 0);
    EXPECT_EQ(store.AddUser(makeUser("Alice", "Home")), 0);
    EXPECT_EQ(store.Groups().size(), 2);
    // An account whose group does not exist is not added, as before, and that is no failure.
    EXPECT_EQ(store.AddUser(makeUser("carol", "Nowhere")), 1);
    EXPECT_EQ(store.FindUser("carol", nullptr, nullptr, 0), 0);
}

TEST_F(UserStoreTest, FindUserWithCreateRegistersInHomeAndPersists) {
    {
        CUserStore store(folder());
        ASSERT_EQ(store.AddGroup(makeGroup("Shop")), 1);
        ASSERT_EQ(store.AddGroup(makeGroup("Home")), 1);
        CUserGroup g;
        CUser u;
        ASSERT_EQ(store.FindUser("newbie", &g, &u, 1), 1);
        EXPECT_EQ(u, makeUser("newbie", "Home"));
        EXPECT_EQ(std::tuple(g.name, g.homeDirectory), std::tuple("Home", folder() + "/Home"));
        // Found, not registered twice.
        ASSERT_EQ(store.FindUser("NEWBIE", &g, &u, 1), 1);
        EXPECT_EQ(store.Groups()[1].users.size(), 1);
        EXPECT_EQ(store.FindUser("", &g, &u, 1), 0);
    }
    CUserStore reloaded(folder());
    ASSERT_EQ(reloaded.Load(), 1);
    CUserGroup g;
    ASSERT_EQ(reloaded.FindUser("newbie", &g, nullptr, 0), 1);
    EXPECT_EQ(g.name, "Home");
}

TEST_F(UserStoreTest, UpdateGroupRenamesAndKeepsAccountsAddedMeanwhile) {
    CUserStore store(folder());
    CUserGroup shop = makeGroup("Shop");
    shop.users.append(makeUser("a1", "Shop"));
    ASSERT_EQ(store.AddGroup(shop), 1);
    ASSERT_EQ(store.AddGroup(makeGroup("Home")), 1);

    CUserGroup edited;
    ASSERT_EQ(store.FindGroup("shop", &edited), 1);
    ASSERT_EQ(store.AddUser(makeUser("a2", "Shop")), 1);  // a player registered meanwhile
    edited.name = "Mall";
    edited.autoPlaylist = "/x/auto.mpl";
    ASSERT_EQ(store.UpdateGroup("SHOP", edited), 1);

    CUserStore reloaded(folder());
    ASSERT_EQ(reloaded.Load(), 1);
    CUserGroup g;
    ASSERT_EQ(reloaded.FindGroup("Mall", &g), 1);
    EXPECT_EQ(reloaded.FindGroup("Shop", nullptr), 0);
    EXPECT_EQ(std::tuple(g.homeDirectory, g.autoPlaylist), std::tuple(folder() + "/Mall", "/x/auto.mpl"));
    ASSERT_EQ(g.users.size(), 2);
    for (const CUser& u : g.users) EXPECT_EQ(u.group, "Mall");

    // No rename onto another group, and Home keeps its name.
    edited.name = "home";
    EXPECT_EQ(store.UpdateGroup("Mall", edited), 0);
    CUserGroup home;
    ASSERT_EQ(store.FindGroup("Home", &home), 1);
    home.name = "Lobby";
    EXPECT_EQ(store.UpdateGroup("Home", home), 0);
    EXPECT_EQ(store.FindGroup("Home", nullptr), 1);
}

TEST_F(UserStoreTest, UpdateUserInPlaceOrMovedToAnotherGroup) {
    CUserStore store(folder());
    ASSERT_EQ(store.AddGroup(makeGroup("Home")), 1);
    ASSERT_EQ(store.AddGroup(makeGroup("Shop")), 1);
    for (const char* n : {"u1", "u2", "u3"}) ASSERT_EQ(store.AddUser(makeUser(n, "Home")), 1);

    CUser u = makeUser("u2x", "Home", "9999");
    ASSERT_EQ(store.UpdateUser("U2", u), 1);
    QList<CUserGroup> groups = store.Groups();
    ASSERT_EQ(groups[0].users.size(), 3);
    EXPECT_EQ(groups[0].users[1], u);  // replaced in place

    u.group = "shop";
    ASSERT_EQ(store.UpdateUser("u2x", u), 1);
    groups = store.Groups();
    EXPECT_EQ(groups[0].users.size(), 2);
    ASSERT_EQ(groups[1].users.size(), 1);
    EXPECT_EQ(groups[1].users[0].group, "Shop");

    EXPECT_EQ(store.UpdateUser("u1", makeUser("U3", "Home")), 0);  // name of another account
    EXPECT_EQ(store.UpdateUser("u1", makeUser("u1", "Nowhere")), 0);
    EXPECT_EQ(store.UpdateUser("ghost", makeUser("ghost", "Home")), 0);
    EXPECT_EQ(store.FindUser("u1", nullptr, nullptr, 0), 1);
}

TEST_F(UserStoreTest, DeleteUserAndDeleteGroupWithItsFolder) {
    CUserStore store(folder());
    ASSERT_EQ(store.AddGroup(makeGroup("Home")), 1);
    CUserGroup shop = makeGroup("Shop");
    shop.users.append(makeUser("s1", "Shop"));
    ASSERT_EQ(store.AddGroup(shop), 1);
    ASSERT_EQ(store.AddUser(makeUser("h1", "Home")), 1);
    QDir().mkpath(folder() + "/Shop/sub");
    ASSERT_TRUE(lumtest::writeFile(folder() + "/Shop/sub/f.jpg", "x"));
    QDir().mkpath(folder() + "/Home");

    ASSERT_EQ(store.DeleteUser("H1"), 1);
    EXPECT_EQ(store.FindUser("h1", nullptr, nullptr, 0), 0);
    EXPECT_EQ(store.DeleteUser("h1"), 0);

    ASSERT_EQ(store.DeleteGroup("shop"), 1);
    EXPECT_FALSE(QFileInfo::exists(folder() + "/Shop"));
    EXPECT_EQ(store.FindUser("s1", nullptr, nullptr, 0), 0);
    EXPECT_EQ(store.DeleteGroup("HOME"), 0);
    EXPECT_TRUE(QFileInfo(folder() + "/Home").isDir());

    CUserStore reloaded(folder());
    ASSERT_EQ(reloaded.Load(), 1);
    ASSERT_EQ(reloaded.Groups().size(), 1);
    EXPECT_TRUE(reloaded.Groups()[0].users.isEmpty());
}

TEST_F(UserStoreTest, GroupNamesTheDialogWouldRefuseMakeTheFileDamaged) {
    // A group's name is its home folder: "" would make the data folder itself a group's home,
    // "../../x" a folder outside it. Such a file is damaged from that record on.
    for (const QByteArray& bad : {QByteArray(), QByteArray("."), QByteArray(".."),
                                  QByteArray("../../x"), QByteArray("x/../.."), QByteArray("a\\b"),
                                  QByteArray(" Padded"), QByteArray("tab\there"), QByteArray("FIRST")}) {
        SCOPED_TRACE(bad.toStdString());
        QDir(folder() + "/server data").removeRecursively();
        putFile(kHeader + groupHead("First") + kNoUsers + groupHead(bad) + kNoUsers +
                groupHead("Last") + kNoUsers);
        CUserStore store(folder());
        EXPECT_EQ(store.Load(), 0);
        EXPECT_EQ(store.GroupNames(), QStringList{"First"});
        EXPECT_FALSE(store.DamagedCopy().isEmpty());
    }
    // Nor can such a group be added or renamed to.
    CUserStore store(folder());
    EXPECT_EQ(store.AddGroup(makeGroup("../../x")), 0);
    ASSERT_EQ(store.AddGroup(makeGroup("Shop")), 1);
    EXPECT_EQ(store.UpdateGroup("Shop", makeGroup("")), 0);
    EXPECT_EQ(store.GroupNames(), QStringList{"Shop"});
}

}  // namespace
