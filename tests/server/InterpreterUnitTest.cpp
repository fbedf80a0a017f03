// The command table, line parsing, listing lines and the schedule rule, without sockets.

#include "common/TestSupport.h"
#include "server/CommandTable.h"
#include "server/ControlSocket.h"
#include "server/PathResolver.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace lum;

TEST(CommandTable, OrderAndArgumentFlags) {
    EXPECT_STREQ(commandEntry(0).word, "ABOR");
    EXPECT_STREQ(commandEntry(13).word, "P@SW");
    EXPECT_STREQ(commandEntry(45).word, "ICS_PLAY_REPORT");
    EXPECT_EQ(findCommand("XRMD"), 30);
    EXPECT_EQ(findCommand("xrmd"), -1);  // the caller upper-cases
    EXPECT_EQ(findCommand("RETRX"), -1);
    EXPECT_TRUE(commandEntry(findCommand("RETR")).argumentRequired);
    EXPECT_FALSE(commandEntry(findCommand("LIST")).argumentRequired);
    EXPECT_TRUE(commandEntry(findCommand("ICS_GET_MAC_ADDR")).argumentRequired);
    EXPECT_FALSE(commandEntry(findCommand("STATUS")).argumentRequired);
}

TEST(CommandTable, ParsingSplitsAtTheFirstBlankAndKeepsTheRest) {
    ParsedLine p = parseCommandLine("stor  my file.txt ");
    EXPECT_EQ(p.word, "STOR");
    EXPECT_EQ(p.argument, " my file.txt ");
    p = parseCommandLine("pwd");
    EXPECT_EQ(p.word, "PWD");
    EXPECT_TRUE(p.argument.isEmpty());
    p = parseCommandLine("\xff\xf4\xff\xf2" "abor");
    EXPECT_EQ(p.word, "ABOR");
    p = parseCommandLine(" NOOP");
    EXPECT_TRUE(p.word.isEmpty());
}

TEST(CommandTable, ControlCharacters) {
    EXPECT_FALSE(hasControlCharacter("plain name.txt"));
    EXPECT_FALSE(hasControlCharacter("caf\xe9"));
    EXPECT_TRUE(hasControlCharacter(QByteArray("a\0b", 3)));
    EXPECT_TRUE(hasControlCharacter("a\tb"));
    EXPECT_TRUE(hasControlCharacter("a\x7f"));
}

TEST(CommandTable, HelpLayout) {
    const QByteArray help = helpListing();
    const QList<QByteArray> lines = help.split('\n');
    ASSERT_EQ(lines.size(), 14);  // head, 12 rows of words, tail
    EXPECT_EQ(lines[0], "214-The following commands are recognized:\r");
    EXPECT_EQ(lines[1], "ABOR\tAPPE\tBYE\tCDUP\r");
    EXPECT_EQ(lines[12], "ICS_GET_PREPORT_DONE\tICS_PLAY_REPORT\t\r");
    EXPECT_EQ(lines[13], "214 HELP command successful.");
}

TEST(Listing, LineLayoutAndThe356DayRule) {
    QTemporaryDir dir;
    const QString f = dir.path() + QStringLiteral("/a.bin");
    ASSERT_TRUE(lumtest::writeFile(f, QByteArray(1234, 'x')));
    const QDateTime modified(QDate(2024, 3, 5), QTime(7, 8, 9));
    {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    const QFileInfo fi(f);
    EXPECT_EQ(listingLine(fi, false, modified.addDays(356)),
              "-rwx------ 1 user group           1234 Mar 05 07:08 a.bin\r\n");
    EXPECT_EQ(listingLine(fi, false, modified.addDays(357)),
              "-rwx------ 1 user group           1234 Mar 05 2024 a.bin\r\n");
    EXPECT_EQ(listingLine(fi, true, modified), "a.bin\r\n");
    EXPECT_TRUE(listingLine(QFileInfo(dir.path()), false, modified).startsWith("drwx------ 1 user group              0 "));
}

TEST(Schedule, DueLines) {
    QTemporaryDir dir;
    const QString sch = dir.path() + QStringLiteral("/playlist.sch");
    // 20 February 2013 was a Wednesday.
    ASSERT_TRUE(lumtest::writeFile(sch,
        "C:/m/a.mpl,20130115,20130310,1111111\r\n"
        "C:/m/b.mpl,20121215,20130105,1111111\r\n"
        "C:/m/c.mpl,20130101,20131231,111111\r\n"
        "C:/m/d.mpl,20130101,20131231,0001000\r\n"));
    EXPECT_EQ(PlaylistDueNow(sch, QDate(2013, 2, 20)), QStringLiteral("C:/m/a.mpl"));
    EXPECT_EQ(PlaylistDueNow(sch, QDate(2013, 3, 20)), QStringLiteral("C:/m/d.mpl"));
    EXPECT_EQ(PlaylistDueNow(sch, QDate(2013, 1, 1)), QStringLiteral("C:/m/b.mpl"));
    EXPECT_EQ(PlaylistDueNow(sch, QDate(2013, 3, 21)), QString());  // Thursday: nothing
    EXPECT_EQ(PlaylistDueNow(dir.path() + QStringLiteral("/none.sch"), QDate(2013, 1, 1)), QString());
    // Weekday position 0 is Sunday.
    ASSERT_TRUE(lumtest::writeFile(sch, "s.mpl,20130101,20131231,1000000\r\n"));
    EXPECT_EQ(PlaylistDueNow(sch, QDate(2013, 2, 24)), QStringLiteral("s.mpl"));
    EXPECT_EQ(PlaylistDueNow(sch, QDate(2013, 2, 25)), QString());
}

class ResolverTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir.path() + QStringLiteral("/Home");
        QDir().mkpath(home + QStringLiteral("/Sub/Deep"));
        lumtest::writeFile(home + QStringLiteral("/Sub/File.TXT"), "f");
        PlayerGroupInfo g;
        g.name = QStringLiteral("Home");
        g.homeDirectory = home;
        r.setGroup(g);
    }
    QTemporaryDir dir;
    QString home;
    PathResolver r{QString()};
};

TEST_F(ResolverTest, NormalisingAndDots) {
    EXPECT_EQ(PathResolver::normalise(QStringLiteral("a\\\\b//c/")), QStringLiteral("a/b/c"));
    QString local;
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("/Sub/./Deep"), kDirList, &local), kResolveFound);
    EXPECT_EQ(r.ToVirtualPath(local), QStringLiteral("/sub/deep"));
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("...sub../deep"), kDirList, &local), kResolveFound);
    EXPECT_EQ(local, home + QStringLiteral("/Sub/Deep"));
    EXPECT_EQ(r.ResolveDirectory(QString(), kDirList, &local), kResolveFound);
    EXPECT_EQ(r.ToVirtualPath(local), QStringLiteral("/"));
    EXPECT_EQ(r.ResolveDirectory(QString(), kDirCreate, &local), kResolveDirNotFound);
}

TEST_F(ResolverTest, RelativeToTheCurrentDirectoryAndCaseRule) {
    r.setCurrentDirectory(QStringLiteral("/sub"));
    QString local;
    EXPECT_EQ(r.ResolveFile(QStringLiteral("file.txt"), kFileRead, &local), kResolveFound);
    EXPECT_EQ(local, home + QStringLiteral("/Sub/File.TXT"));
    EXPECT_EQ(r.ResolveFile(QStringLiteral("deep"), kFileRead, &local), kResolveFileNotFound);  // a directory
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral(".."), kDirList, &local), kResolveFound);
    EXPECT_EQ(local, home);
    // Two entries differing only in case: the name is ambiguous unless spelled exactly.
    lumtest::writeFile(home + QStringLiteral("/Sub/file.txt"), "g");
    EXPECT_EQ(r.ResolveFile(QStringLiteral("FILE.txt"), kFileRead, &local), kResolveFileNotFound);
    EXPECT_EQ(r.ResolveFile(QStringLiteral("file.txt"), kFileRead, &local), kResolveFound);
}

TEST_F(ResolverTest, MissingComponentsGiveTheFullPathForCreation) {
    QString local;
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("sub/new/newer"), kDirCreate, &local), kResolveDirNotFound);
    EXPECT_EQ(local, home + QStringLiteral("/Sub/new/newer"));
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("new/../sub"), kDirList, &local), kResolveFound);
    EXPECT_EQ(r.ResolveFile(QStringLiteral("Sub/missing/x.txt"), kFileRename, &local), kResolveFileNotFound);
    EXPECT_EQ(local, home + QStringLiteral("/Sub/missing/x.txt"));
}

TEST_F(ResolverTest, UploadsLandInTheHomeDirectory) {
    r.setCurrentDirectory(QStringLiteral("/sub/deep"));
    QString local;
    EXPECT_EQ(r.ResolveFile(QStringLiteral("sub\\new.txt"), kFileWrite, &local), kResolveFound);
    EXPECT_EQ(local, home + QStringLiteral("/Sub/new.txt"));
    EXPECT_EQ(r.ResolveFile(QStringLiteral("SUB/FILE.txt"), kFileWrite, &local), kResolveFound);
    EXPECT_EQ(local, home + QStringLiteral("/Sub/File.TXT"));  // replaces the existing spelling
    EXPECT_EQ(r.ResolveFile(QStringLiteral("../../x.txt"), kFileWrite, &local), kResolveFound);
    EXPECT_EQ(local, home + QStringLiteral("/x.txt"));
}

TEST_F(ResolverTest, SymlinksAreResolvedBeforeTheConfinementCheck) {
    const QString outside = dir.path() + QStringLiteral("/out");
    QDir().mkpath(outside);
    lumtest::writeFile(outside + QStringLiteral("/s.txt"), "s");
    ASSERT_TRUE(QFile::link(outside, home + QStringLiteral("/ln")));
    ASSERT_TRUE(QFile::link(home + QStringLiteral("/Sub"), home + QStringLiteral("/inner")));
    QString local;
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("ln"), kDirList, &local), kResolveDirNotFound);
    EXPECT_TRUE(local.isEmpty());
    EXPECT_EQ(r.ResolveFile(QStringLiteral("ln/s.txt"), kFileRead, &local), kResolveFileNotFound);
    EXPECT_EQ(r.ResolveFile(QStringLiteral("ln/new.txt"), kFileWrite, &local), kResolveFileNotFound);
    // A link that stays inside is fine.
    EXPECT_EQ(r.ResolveFile(QStringLiteral("inner/File.TXT"), kFileRead, &local), kResolveFound);
}

TEST_F(ResolverTest, TheHomeDirectoryIsNeitherRemovedNorRenamed) {
    QString local;
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("/"), kDirRemove, &local), kResolveDirNotFound);
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral(".."), kDirRename, &local), kResolveDirNotFound);
    EXPECT_EQ(r.ResolveDirectory(QStringLiteral("sub"), kDirRemove, &local), kResolveFound);
}
