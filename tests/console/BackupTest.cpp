#include "console/Backup.h"

#include "accounts/UserStore.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Folder {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    void fill(const QByteArray& config, const QByteArray& users, const QByteArray& rss) {
        QDir().mkpath(dir.filePath("server data"));
        lumtest::writeFile(dir.filePath("config.ini"), config);
        lumtest::writeFile(dir.filePath("server data/users.dat"), users);
        lumtest::writeFile(dir.filePath("server data/rssconfig.xml"), rss);
    }
    QByteArray read(const char* name) const { return lumtest::readFile(dir.filePath(name)); }
};

QByteArray u32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    return QByteArray(b, 4);
}

QByteArray field(const QByteArray& text, int size) {
    return text + QByteArray(size - text.size(), '\0');
}

void setU32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }

// Contents restore accepts: an account file and an RSS document that load.
const QByteArray kUsers = lum::CUserStore::Serialize({});
const QByteArray kRss = "<config/>\n";

}  // namespace

TEST(Backup, BytesExactly) {
    Folder f;
    f.fill("[SERVER]\r\n", QByteArray("users\0dat", 9), "<x/>");
    const QDateTime when(QDate(2026, 3, 5), QTime(7, 8, 9));
    const QByteArray expected = QByteArray("ZEB\0", 4) + field("2026-03-05 07:08:09", 20) +
                                u32(3) +
                                field("config.ini", 32) + u32(10) + u32(148) +
                                field("server data\\users.dat", 32) + u32(9) + u32(158) +
                                field("server data\\rssconfig.xml", 32) + u32(4) + u32(167) +
                                "[SERVER]\r\n" + QByteArray("users\0dat", 9) + "<x/>";
    EXPECT_EQ(lum::buildBackup(f.path(), when), expected);

    // A missing source file gets length 0 at the running offset.
    QFile::remove(f.dir.filePath("server data/users.dat"));
    const QByteArray b = lum::buildBackup(f.path(), when);
    EXPECT_EQ(b.mid(28 + 40 + 32, 8), u32(0) + u32(158));
    EXPECT_EQ(b.mid(28 + 80 + 32, 8), u32(4) + u32(158));
}

TEST(Backup, BackupThenRestoreGivesByteIdenticalFiles) {
    Folder src;
    QList<lum::CUserGroup> groups;
    for (int i = 0; i < 300; ++i) {
        lum::CUserGroup g;
        g.name = QStringLiteral("Group %1").arg(i);
        groups << g;
    }
    src.fill("[Startup]\r\nAUTOACTIVATE=1\r\n", lum::CUserStore::Serialize(groups),
             "<?xml version=\"1.0\"?>\n<rss/>\n");
    lumtest::RecordingPrompt prompt;
    const QString bak = src.dir.filePath("zebbackup.bak");
    ASSERT_EQ(lum::backupFiles(bak, src.path(), prompt, QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5))),
              lum::BackupStatus::Done);

    Folder dst;  // an empty program folder: "server data" is created
    prompt.answers = {true};
    bool reloaded = false;
    ASSERT_EQ(lum::restoreFiles(bak, dst.path(), prompt, "LUM", [&] { reloaded = true; }),
              lum::BackupStatus::Done);
    EXPECT_TRUE(reloaded);
    for (const char* name : {"config.ini", "server data/users.dat", "server data/rssconfig.xml"})
        EXPECT_EQ(dst.read(name), src.read(name)) << name;
    ASSERT_EQ(prompt.questions.size(), 1);
    // The date asked about is the one stored in the backup.
    EXPECT_EQ(prompt.questions[0], "Do you want to restore the LUM setting files " + bak +
                                       " backuped at 2025-01-02 03:04:05?");
    EXPECT_EQ(prompt.messages, QStringList{"Please restart LUM"});
}

TEST(Backup, NoAnswerWritesNothing) {
    Folder src;
    src.fill("a", kUsers, kRss);
    lumtest::RecordingPrompt prompt;
    const QString bak = src.dir.filePath("x.bak");
    ASSERT_EQ(lum::backupFiles(bak, src.path(), prompt), lum::BackupStatus::Done);
    Folder dst;
    EXPECT_EQ(lum::restoreFiles(bak, dst.path(), prompt, "LUM"), lum::BackupStatus::Cancelled);
    EXPECT_FALSE(QFile::exists(dst.dir.filePath("config.ini")));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST(Backup, HostileBackupsRefusedWithoutWriting) {
    Folder src;
    src.fill("config", "users", "rss");
    const QByteArray good = lum::buildBackup(src.path(), QDateTime::currentDateTime());
    ASSERT_EQ(lum::parseBackup(good, nullptr), lum::BackupParse::Ok);

    struct Case {
        const char* what;
        QByteArray bytes;
    };
    std::vector<Case> cases;
    QByteArray b = good;
    b[2] = 'X';
    cases.push_back({"wrong magic", b});
    cases.push_back({"short header", good.left(20)});
    cases.push_back({"table cut", good.left(100)});
    b = good;
    setU32(b, 24, 0x7fffffff);
    cases.push_back({"huge count", b});
    b = good;
    b.replace(28, 10, field("..\\evil", 10));
    cases.push_back({"unknown name", b});
    b = good;
    b.replace(28 + 40, 32, field("/etc/passwd", 32));
    cases.push_back({"absolute name", b});
    b = good;
    b.replace(28 + 40, 32, field("config.ini", 32));
    cases.push_back({"name twice", b});
    b = good;
    b.replace(28, 32, QByteArray(32, 'c'));
    cases.push_back({"name without NUL", b});
    b = good;
    setU32(b, 28 + 80 + 32, 4);  // length past the end
    cases.push_back({"length past end", b});
    b = good;
    setU32(b, 28 + 32 + 4, 0xfffffff0);  // offset past the end, length + offset wraps 32 bits
    setU32(b, 28 + 32, 0x20);
    cases.push_back({"offset wraps", b});
    b = good;
    setU32(b, 28 + 32 + 4, 4);  // content inside the header
    cases.push_back({"offset into header", b});

    for (const Case& c : cases) {
        Folder dst;
        const QString bak = dst.dir.filePath("h.bak");
        lumtest::writeFile(bak, c.bytes);
        lumtest::RecordingPrompt prompt;
        prompt.answers = {true};
        EXPECT_EQ(lum::restoreFiles(bak, dst.path(), prompt, "LUM"),
                  lum::BackupStatus::IllegalFile)
            << c.what;
        EXPECT_EQ(prompt.messages, QStringList{"Illegal File!"}) << c.what;
        EXPECT_TRUE(prompt.questions.isEmpty()) << c.what;
        EXPECT_EQ(QDir(dst.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                  QStringList{"h.bak"})
            << c.what;
    }
}

TEST(Backup, EitherSeparatorAcceptedAndUnwritableTargetStops) {
    Folder src;
    src.fill("config", kUsers, kRss);
    QByteArray b = lum::buildBackup(src.path(), QDateTime::currentDateTime());
    b.replace(28 + 40, 32, field("Server Data/Users.dat", 32));
    Folder dst;
    const QString bak = dst.dir.filePath("s.bak");
    lumtest::writeFile(bak, b);
    lumtest::RecordingPrompt prompt;
    prompt.answers = {true};
    ASSERT_EQ(lum::restoreFiles(bak, dst.path(), prompt, "LUM"), lum::BackupStatus::Done);
    EXPECT_EQ(dst.read("server data/users.dat"), kUsers);

    // "server data" is a file: the second entry cannot be written, the first stays written.
    Folder blocked;
    lumtest::writeFile(blocked.dir.filePath("server data"), "x");
    prompt.answers = {true};
    prompt.messages.clear();
    EXPECT_EQ(lum::restoreFiles(bak, blocked.path(), prompt, "LUM"),
              lum::BackupStatus::CannotWrite);
    EXPECT_EQ(blocked.read("config.ini"), QByteArray("config"));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Can not restore "));
}

TEST(Backup, StoreIsSavedBeforeBackupAndReplacedByRestore) {
    Folder f;
    lum::CUserStore store(f.path());
    lum::CUserGroup shop;
    shop.name = "Shop";
    store.AddGroup(shop);
    lum::CUser u;
    u.name = "s1";
    u.group = "Shop";
    store.AddUser(u);
    lumtest::writeFile(f.dir.filePath("config.ini"), "[SERVER]\r\nPORT=5021\r\n");
    lumtest::RecordingPrompt prompt;
    const QString bak = f.dir.filePath("zebbackup.bak");
    // users.dat is made current first, even when it was removed behind the store's back.
    QFile::remove(store.filePath());
    ASSERT_EQ(lum::backupSettings(bak, f.path(), &store, prompt), lum::BackupStatus::Done);
    const QByteArray users = lumtest::readFile(store.filePath());
    ASSERT_FALSE(users.isEmpty());

    // Changes after the backup are undone by the restore, in the file and in the store.
    lum::CUserGroup extra;
    extra.name = "Extra";
    store.AddGroup(extra);
    u.name = "s2";
    store.AddUser(u);
    lumtest::writeFile(f.dir.filePath("config.ini"), "changed");
    prompt.answers = {true};
    ASSERT_EQ(lum::restoreSettings(bak, f.path(), &store, prompt), lum::BackupStatus::Done);
    EXPECT_EQ(lumtest::readFile(store.filePath()), users);
    EXPECT_EQ(f.read("config.ini"), QByteArray("[SERVER]\r\nPORT=5021\r\n"));
    EXPECT_EQ(store.GroupNames(), QStringList{"Shop"});
    EXPECT_TRUE(store.FindUser("s1", nullptr, nullptr, 0));
    EXPECT_FALSE(store.FindUser("s2", nullptr, nullptr, 0));
}
