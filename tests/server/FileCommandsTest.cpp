// Directory and file commands, path confinement and the special names over a real connection.

#include "ServerFixture.h"
#include "core/FixedNames.h"
#include "core/HandedRecord.h"

#include <QDate>
#include <QFile>

using namespace lumtest;

namespace {

class FileCommandsTest : public ServerTest {
protected:
    using Slot = lum::CHandedRecord::Slot;
    // What the console records when it hands files to the Home group.
    void hand(Slot slot, const QStringList& playlists, const QStringList& media) {
        ASSERT_TRUE(lum::CHandedRecord(dir.path()).setHanded("Home", slot, playlists, media));
    }
    QByteArray retr(Player& p, const QByteArray& name, QByteArray* reply = nullptr) {
        const quint16 dataPort = p.pasv();
        QTcpSocket data;
        if (!connectData(data, dataPort)) return "<no data connection>";
        const QByteArray r = p.command("RETR " + name);
        if (reply) *reply = r;
        return readAllFrom(data);
    }
};

}  // namespace

TEST_F(FileCommandsTest, DirectoryCommands) {
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("MKD Sub/Deep/Er"), "250 Directory created successfully.");
    EXPECT_TRUE(QFileInfo(path("Sub/Deep/Er")).isDir());
    EXPECT_EQ(p.command("MKD sub/deep"), "550 Directory already exists.");
    EXPECT_EQ(p.command("CWD SUB"), "250 \"/sub\" is current directory.");
    EXPECT_EQ(p.command("PWD"), "257 \"/sub\" is current directory.");
    EXPECT_EQ(p.command("CWD ./Deep/."), "250 \"/sub/deep\" is current directory.");
    EXPECT_EQ(p.command("CDUP"), "250 \"/sub\" is current directory.");
    EXPECT_EQ(p.command("CWD missing"), "550 \"missing\": Directory not found.");
    EXPECT_EQ(p.command("PWD"), "257 \"/sub\" is current directory.");
    EXPECT_EQ(p.command("RMD deep"), "550 Directory not empty.");
    EXPECT_EQ(p.command("RMD deep/er"), "250 Directory deleted successfully.");
    EXPECT_EQ(p.command("RMD deep/er"), "550 Directory not found.");
    EXPECT_EQ(p.command("XRMD /sub/deep"), "250 Directory deleted successfully.");
    EXPECT_EQ(p.command("CWD /"), "250 \"/\" is current directory.");
    EXPECT_EQ(p.command("RMD /"), "550 Directory not found.");
    EXPECT_TRUE(QFileInfo(home).isDir());
}

TEST_F(FileCommandsTest, FileCommands) {
    QDir().mkpath(path("Sub"));
    ASSERT_TRUE(writeFile(path("Sub/A.txt"), "hello"));
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("SIZE sub/a.TXT"), "213 5");
    EXPECT_EQ(p.command("SIZE nothing"), "550 File not found.");
    EXPECT_EQ(p.command("RNTO x"), "503 Bad sequence of commands.");
    EXPECT_EQ(p.command("RNFR sub/a.txt"), "350 File exists, ready for destination name.");
    EXPECT_EQ(p.command("RNTO sub/b.txt"), "250 File \"/sub/a.txt\" renamed successfully.");
    EXPECT_TRUE(QFileInfo(path("Sub/b.txt")).isFile());
    ASSERT_TRUE(writeFile(path("Sub/c.txt"), "c"));
    EXPECT_EQ(p.command("RNFR sub/b.txt"), "350 File exists, ready for destination name.");
    EXPECT_EQ(p.command("RNTO sub/c.txt"), "550 File already exists.");
    EXPECT_EQ(p.command("RNFR Sub"), "350 Directory exists, ready for destination name.");
    EXPECT_EQ(p.command("RNTO Renamed"), "250 Directory \"/sub\" renamed successfully.");
    EXPECT_TRUE(QFileInfo(path("Renamed/c.txt")).isFile());
    EXPECT_EQ(p.command("RNFR gone"), "550 File/directory not found.");
    EXPECT_EQ(p.command("DELE renamed\\C.TXT"), "250 File \"/renamed/c.txt\" was deleted successfully.");
    EXPECT_EQ(p.command("DELE renamed/c.txt"), "550 File not found.");
    EXPECT_EQ(p.command("REST 100"), "350 Restarting at 100.");
    EXPECT_EQ(p.command("REST 2147483647"), "350 Restarting at 2147483647.");
    EXPECT_EQ(p.command("REST abc"), "350 Restarting at 0.");
    for (const QByteArray big : {"2147483648", "4294967396", "99999999999999999999", "-1"})
        EXPECT_EQ(p.command("REST " + big), "501 Syntax error: Invalid number of parameters.") << big.constData();
}

TEST_F(FileCommandsTest, ConfinementKeepsEveryNameInsideHome) {
    const QString outside = dir.path() + QStringLiteral("/outside");
    QDir().mkpath(outside);
    ASSERT_TRUE(writeFile(outside + QStringLiteral("/secret.txt"), "secret"));
    ASSERT_TRUE(QFile::link(outside, path("link")));
    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("CWD ../.."), "250 \"/\" is current directory.");
    EXPECT_EQ(p.command("SIZE ../outside/secret.txt"), "550 File not found.");
    EXPECT_EQ(p.command("SIZE ..\\outside\\secret.txt"), "550 File not found.");
    EXPECT_EQ(p.command("SIZE " + (outside + "/secret.txt").toUtf8()), "550 File not found.");
    EXPECT_EQ(p.command("SIZE /link/secret.txt"), "550 File not found.");
    EXPECT_EQ(p.command("SIZE LINK/secret.txt"), "550 File not found.");
    EXPECT_EQ(p.command("CWD link"), "550 \"link\": Directory not found.");
    EXPECT_EQ(p.command("DELE link/secret.txt"), "550 File not found.");
    EXPECT_EQ(p.command("MKD link/new"), "450 Internal error creating the directory.");
    EXPECT_EQ(p.command("RETR ../outside/secret.txt"), "550 File not found.(../outside/secret.txt)");
    EXPECT_EQ(p.command("STOR link/escape.txt"), "450 Can't access file.");
    EXPECT_FALSE(QFileInfo::exists(outside + QStringLiteral("/escape.txt")));
    EXPECT_TRUE(QFileInfo(outside + QStringLiteral("/secret.txt")).isFile());
}

TEST_F(FileCommandsTest, SpecialNamesServeWhatTheConsoleHandedToTheGroup) {
    // The current playlist lives outside the home directory and lists a media file there.
    const QString media = dir.path() + QStringLiteral("/media");
    QDir().mkpath(media);
    ASSERT_TRUE(writeFile(media + QStringLiteral("/clip.jpg"), "JPEGDATA"));
    ASSERT_TRUE(writeFile(media + QStringLiteral("/other.jpg"), "OTHER"));
    const QString current = media + QStringLiteral("/EZPlaylist.mpl");
    ASSERT_TRUE(writeFile(current, "[file0]\r\npath=" + (media + "/clip.jpg").toUtf8() + "\r\n"));
    lum::PlayerGroupInfo g;
    g.name = QStringLiteral("Home");
    g.homeDirectory = home;
    g.autoPlay = false;
    g.autoPlaylist = path(QStringLiteral("AutoPlaylist.mpl"));
    ASSERT_TRUE(writeFile(g.autoPlaylist, "AUTO"));
    accounts.updateGroup(g);
    g.currentPlaylist = current;

    Player p(port);
    p.login("bob");
    EXPECT_EQ(p.command("SIZE playlist.mpl"), "550 File not found.");  // no current playlist yet
    accounts.updateGroup(g);
    hand(Slot::Current, {current}, {media + "/clip.jpg"});
    EXPECT_TRUE(retr(p, "PLAYLIST.MPL").startsWith("[file0]"));
    EXPECT_EQ(retr(p, (media + "/clip.jpg").toUtf8()), "JPEGDATA");
    EXPECT_EQ(p.command("SIZE " + (media + "/other.jpg").toUtf8()), "550 File not found.");
    EXPECT_EQ(p.command("SIZE AutoPlaylist.mpl"), "550 File not found.");  // AutoPlay off
    EXPECT_EQ(p.command("DELE playlist.mpl"), "550 File not found.");      // reading only
    EXPECT_TRUE(QFileInfo(current).isFile());

    g.autoPlay = true;
    accounts.updateGroup(g);
    EXPECT_EQ(p.command("SIZE AutoPlaylist.mpl"), "550 File not found.");  // never handed
    hand(Slot::Auto, {g.autoPlaylist}, {});
    EXPECT_EQ(retr(p, "autoplaylist.mpl"), "AUTO");

    // An auto playlist that is a schedule serves the handed playlist due today; a relative
    // path in it hangs from the home directory, whatever the player's current directory.
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    const QString past = QDate::currentDate().addDays(-30).toString(QStringLiteral("yyyyMMdd"));
    const QString yesterday = QDate::currentDate().addDays(-1).toString(QStringLiteral("yyyyMMdd"));
    ASSERT_TRUE(writeFile(media + QStringLiteral("/due.mpl"), "DUE"));
    ASSERT_TRUE(writeFile(media + QStringLiteral("/old.mpl"), "OLD"));
    g.autoPlaylist = path(QStringLiteral("playlist.sch"));
    auto schedule = [&](const QString& duePlaylist) {
        return writeFile(g.autoPlaylist, (media + "/old.mpl," + past + "," + yesterday +
                                          ",1111111\r\n" + duePlaylist + "," + past + "," + today +
                                          ",1111111\r\n").toUtf8());
    };
    ASSERT_TRUE(schedule(media + "/due.mpl"));
    accounts.updateGroup(g);
    hand(Slot::Auto, {g.autoPlaylist, media + "/old.mpl", media + "/due.mpl"}, {});
    EXPECT_EQ(retr(p, "AutoPlaylist.mpl"), "DUE");
    QDir().mkpath(path("sub"));
    ASSERT_TRUE(writeFile(path("week.mpl"), "HOME WEEK"));
    ASSERT_TRUE(writeFile(path("sub/week.mpl"), "SUB WEEK"));
    ASSERT_TRUE(schedule(QStringLiteral("week.mpl")));
    hand(Slot::Auto, {g.autoPlaylist, path("week.mpl")}, {});
    EXPECT_EQ(p.command("CWD sub"), "250 \"/sub\" is current directory.");
    EXPECT_EQ(retr(p, "AutoPlaylist.mpl"), "HOME WEEK");
    // A due playlist the console did not hand is not served.
    ASSERT_TRUE(schedule(media + "/other.jpg"));
    EXPECT_EQ(p.command("SIZE AutoPlaylist.mpl"), "550 File not found.");

    ASSERT_TRUE(writeFile(path("instantmessage.txt"), "MSG"));
    EXPECT_EQ(retr(p, "InstantMessage.txt"), "MSG");
    EXPECT_EQ(p.command("SIZE autorss.txt"), "550 File not found.");  // feed service off
}

TEST_F(FileCommandsTest, APlaylistAPlayerWroteNeverOpensFilesOutsideItsFolder) {
    // A data folder whose auto playlist a player could overwrite before: the record holds the
    // playlist itself, not what a player listed in it.
    const QString secret = dir.path() + QStringLiteral("/server data/users.dat");
    ASSERT_TRUE(writeFile(secret, "ACCOUNTS"));
    lum::PlayerGroupInfo g;
    g.name = QStringLiteral("Home");
    g.autoPlay = true;
    g.autoPlaylist = path(QStringLiteral("AutoPlaylist.mpl"));
    ASSERT_TRUE(writeFile(g.autoPlaylist, "[file0]\r\npath=" + secret.toUtf8() +
                                              "\r\n[file1]\r\npath=/etc/passwd\r\n"));
    accounts.updateGroup(g);
    hand(Slot::Auto, {g.autoPlaylist}, {});
    Player p(port);
    p.login("bob");
    EXPECT_TRUE(retr(p, "AutoPlaylist.mpl").startsWith("[file0]"));
    for (const QString& outside : {secret, QStringLiteral("/etc/passwd")}) {
        EXPECT_EQ(p.command("SIZE " + outside.toUtf8()), "550 File not found.");
        EXPECT_EQ(p.command("RETR " + outside.toUtf8()), "550 File not found.(" + outside.toUtf8() + ")");
    }
}

TEST_F(FileCommandsTest, FilesTheConsoleWritesArePlayersToReadOnly) {
    Player p(port);
    p.login("bob");
    ASSERT_TRUE(writeFile(path("mine.txt"), "MINE"));
    for (const char* name : lum::fixed_names::kReadOnlyForPlayers) {
        SCOPED_TRACE(name);
        const QByteArray n(name);
        // Absent: not even created by a player (an upload or a folder would stand in the way).
        EXPECT_EQ(p.command("STOR " + n), "450 Can't access file.");
        EXPECT_EQ(p.command("MKD " + n.toUpper()), "450 Internal error creating the directory.");
        EXPECT_EQ(p.command("RNFR mine.txt"), "350 File exists, ready for destination name.");
        EXPECT_EQ(p.command("RNTO " + n), "450 Can't access file.");
        EXPECT_FALSE(QFileInfo::exists(path(name)));
        // Present: neither replaced, extended, deleted nor renamed.
        ASSERT_TRUE(writeFile(path(name), "CONSOLE"));
        for (const QByteArray& cmd : {QByteArray("STOR "), QByteArray("APPE "), QByteArray("DELE "),
                                      QByteArray("RNFR ")})
            EXPECT_EQ(p.command(cmd + n.toLower()), "450 Can't access file.") << cmd.constData();
        EXPECT_EQ(lumtest::readFile(path(name)), "CONSOLE");
    }
    // The same names in a sub folder are the player's own.
    EXPECT_EQ(p.command("MKD sub"), "250 Directory created successfully.");
    EXPECT_EQ(p.command("RNFR mine.txt"), "350 File exists, ready for destination name.");
    EXPECT_EQ(p.command("RNTO sub/File2Del.zeb"), "250 File \"/mine.txt\" renamed successfully.");
}

TEST_F(FileCommandsTest, UploadsNeverFollowALinkOutOfTheFolder) {
    const QString outside = dir.path() + QStringLiteral("/outside");
    QDir().mkpath(outside);
    // Dangling: the target does not exist yet, and writing through it would create it.
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("/planted.txt"), path("dangling.txt")));
    ASSERT_TRUE(QFile::link(outside + QStringLiteral("/new/deep.txt"), path("deeper.txt")));
    Player p(port);
    p.login("bob");
    for (const QByteArray& name : {QByteArray("dangling.txt"), QByteArray("DEEPER.TXT")}) {
        for (const QByteArray& cmd : {QByteArray("STOR "), QByteArray("APPE ")}) {
            const quint16 dataPort = p.pasv();
            QTcpSocket data;
            connectData(data, dataPort);
            EXPECT_EQ(p.command(cmd + name), "450 Can't access file.") << (cmd + name).constData();
        }
    }
    EXPECT_TRUE(QDir(outside).isEmpty());
}

class RssOnTest : public FileCommandsTest {
protected:
    void configure() override { server->SetRssActive([] { return true; }); }
};

TEST_F(RssOnTest, AutoRssServesTheTickerFileWhileTheServiceIsOn) {
    ASSERT_TRUE(writeFile(path("rssmsg.txt"), "osd_settings=1,0,4,2,0,1\r\nnews"));
    Player p(port);
    p.login("bob");
    EXPECT_EQ(retr(p, "AUTORSS.TXT"), "osd_settings=1,0,4,2,0,1\r\nnews");
    EXPECT_EQ(retr(p, "rssmsg.txt"), "osd_settings=1,0,4,2,0,1\r\nnews");
}
