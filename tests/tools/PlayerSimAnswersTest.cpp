// The simulated player's answers to operator command lines, against the scripted console.
#include "ScriptedConsole.h"

#include "SimPlayer.h"

#include "common/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

#include <memory>

using lum::sim::CSimPlayer;
using lum::sim::SimPlayerConfig;
using lum::sim::SimStep;
using lumtest::ScriptedConsole;

namespace {

class PlayerAnswers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid() && elsewhere.isValid() && save.isValid());
        ASSERT_TRUE(lumtest::writeFile(home.filePath("a.jpg"), "AAAA"));
        ASSERT_TRUE(lumtest::writeFile(home.filePath("b.mpg"), QByteArray(9000, 'b')));
        // The group's playlist lies outside the home directory; its media are named by full
        // local paths, a remote item and the ticker marker are no files to fetch.
        playlist = "[configuration]\r\nglobalinterval=5\r\n"
                   "[file0]\r\npath=" + home.filePath("a.jpg").toUtf8() + "\r\nsize=4\r\nperiod=5\r\n"
                   "[file1]\r\nhost=http://example.invalid\r\npath=/clip.mpg\r\nsize=1\r\n"
                   "[file2]\r\npath=C:\\media\\b.mpg\r\nsize=9000\r\n"
                   "[file3]\r\npath=ScrollText.End\r\nsize=0\r\n"
                   "[file4]\r\npath=" + home.filePath("A.JPG").toUtf8() + "\r\nsize=4\r\n";
        ASSERT_TRUE(lumtest::writeFile(elsewhere.filePath("EZPlaylist.mpl"), playlist));
        console = std::make_unique<ScriptedConsole>(home.path());
        console->playlistFile = elsewhere.filePath("EZPlaylist.mpl");
        ASSERT_TRUE(console->listen());
    }

    // A player that logs in and stays, answering what the console sends.
    std::unique_ptr<CSimPlayer> stayingPlayer(const QString& user) {
        SimPlayerConfig c;
        c.port = console->port();
        c.user = user;
        c.mac = QStringLiteral("02-00-00-00-00-07");
        c.aliveMs = 0;
        c.timeoutMs = 10000;
        c.restartMs = 50;
        c.saveDir = save.filePath(user);
        SimStep stay;
        stay.kind = SimStep::Kind::Stay;
        stay.seconds = 120;
        c.steps = {stay};
        auto p = std::make_unique<CSimPlayer>(c);
        p->start();
        return p;
    }

    // The player's lines as the console received them, without the user prefix.
    QStringList linesOf(const QString& user) const {
        QStringList out;
        const QString prefix = user + ": ";
        for (const QString& l : console->received)
            if (l.startsWith(prefix)) out << l.mid(prefix.size());
        return out;
    }

    bool sawLine(const QString& user, const QString& line) {
        return lumtest::waitUntil([&] { return linesOf(user).contains(line); }, 15000);
    }

    QTemporaryDir home, elsewhere, save;
    QByteArray playlist;
    std::unique_ptr<ScriptedConsole> console;
};

}  // namespace

TEST_F(PlayerAnswers, AutoCommandFetchesThePlaylistAndItsMediaReportingEachStage) {
    auto p = stayingPlayer("alice");
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->loggedIn(); }));
    ASSERT_TRUE(console->command("alice", "639 Auto Command(S1-S3)"));
    ASSERT_TRUE(sawLine("alice", "STATUS 21")) << console->received.join('\n').toStdString();

    QStringList seen = linesOf("alice");
    seen.removeIf([](const QString& l) {
        return l == "PASV" || l == "NOOP" || l.startsWith("USER") || l.startsWith("ICS_GET_MAC");
    });
    EXPECT_EQ(seen, (QStringList{"STATUS 24", "RETR playlist.mpl", "SIZE playlist.mpl", "STATUS 18",
                                 "RETR a.jpg", "SIZE a.jpg", "RETR b.mpg", "SIZE b.mpg", "STATUS 23",
                                 "ICS_DOWNLOAD_DONE", "STATUS 21"}));
    EXPECT_TRUE(p->receivedLines().contains("Download Done"));
    EXPECT_EQ(p->playlistMedia(), (QStringList{"a.jpg", "b.mpg"}));
    EXPECT_EQ(lumtest::readFile(save.filePath("alice/playlist.mpl")), playlist);
    EXPECT_EQ(lumtest::readFile(save.filePath("alice/b.mpg")), QByteArray(9000, 'b'));
    EXPECT_EQ(p->storage().value("b.mpg"), 9000);
    EXPECT_TRUE(p->answerFailures().isEmpty());
    EXPECT_FALSE(p->isFinished());  // the stay goes on after the answer

    // 603 the same way; a medium the console cannot serve ends the answer with STATUS 13.
    ASSERT_TRUE(QFile::remove(home.filePath("b.mpg")));
    ASSERT_TRUE(console->command("alice", "603 Send playlist to client"));
    ASSERT_TRUE(sawLine("alice", "STATUS 13"));
    EXPECT_EQ(linesOf("alice").count("STATUS 23"), 1);
    EXPECT_EQ(p->answerFailures(),
              QStringList{"603 Send playlist to client: 550 File not found.(b.mpg)"});

    // 640: the console ends the connection; the player is off, the failed answer counts.
    ASSERT_TRUE(console->command("alice", "640 Shutdown Client", true));
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->isFinished(); }));
    EXPECT_FALSE(p->succeeded());
    EXPECT_EQ(p->serverCommands(), (QStringList{"639 Auto Command(S1-S3)",
                                                "603 Send playlist to client", "640 Shutdown Client"}));
}

TEST_F(PlayerAnswers, ReportsStorageTextStatusAndANewMac) {
    console->macToHandOut = "00-11-22-33-44-FE";
    auto p = stayingPlayer("bob");
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->loggedIn(); }));
    // Nothing fetched yet: an empty storage report and an empty playlist report.
    ASSERT_TRUE(console->command("bob", "637 Get Playlist from client"));
    ASSERT_TRUE(sawLine("bob", "ICS_GET_PLAYLIST_DONE 0"));
    EXPECT_TRUE(QFileInfo::exists(home.filePath("playlist_02-00-00-00-00-07.zeb")));
    EXPECT_EQ(lumtest::readFile(home.filePath("playlist_02-00-00-00-00-07.zeb")), QByteArray());

    ASSERT_TRUE(console->command("bob", "639 Auto Command(S1-S3)"));
    ASSERT_TRUE(sawLine("bob", "STATUS 21"));
    for (const char* line : {"607 Send a get storage file info message to client",
                             "637 Get Playlist from client", "636 Playback Report",
                             "602 Get client status", "618 Check the status of client"})
        ASSERT_TRUE(console->command("bob", line));
    ASSERT_TRUE(sawLine("bob", "ICS_GET_PREPORT_DONE 0"));
    ASSERT_TRUE(lumtest::waitUntil([&] { return linesOf("bob").count("STATUS 14") == 2; }));

    EXPECT_EQ(lumtest::readFile(home.filePath("filereport_02-00-00-00-00-07.zeb")),
              QByteArray("a.jpg\tFile\t4\r\nb.mpg\tFile\t9000\r\nplaylist.mpl\tFile\t") +
                  QByteArray::number(playlist.size()) + "\r\n");
    EXPECT_EQ(lumtest::readFile(home.filePath("playlist_02-00-00-00-00-07.zeb")), playlist);
    const QStringList seen = linesOf("bob");
    const qsizetype report = seen.indexOf("ICS_GET_STORAGE_FILE_INFO_DONE 0");
    ASSERT_GT(report, 0);
    EXPECT_TRUE(seen[report - 1].startsWith("NOOP"));  // the upload's sync came first
    const qsizetype plays = seen.indexOf("ICS_PLAY_REPORT a.jpg,1");
    ASSERT_GT(plays, 0);
    EXPECT_EQ(seen.mid(plays, 3), (QStringList{"ICS_PLAY_REPORT a.jpg,1", "ICS_PLAY_REPORT b.mpg,1",
                                               "ICS_GET_PREPORT_DONE 0"}));
    EXPECT_EQ(p->receivedLines().count("Done"), 4);  // two playlist reports, files, playback

    // 606: the storage text; the console hands out a MAC, later reports carry it.
    ASSERT_TRUE(console->command("bob", "606 Send a get storage information message to client"));
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->mac() == "00-11-22-33-44-FE"; }));
    const qint64 usedKb = (4 + 9000 + playlist.size() + 1023) / 1024;
    EXPECT_TRUE(linesOf("bob").contains(
        QStringLiteral("ICS_GET_STORAGE_INFO_DONE Total:1048576KB Used:%1KB Files:3").arg(usedKb)));
    ASSERT_TRUE(console->command("bob", "643 not-a-mac"));
    ASSERT_TRUE(console->command("bob", "607 Send a get storage file info message to client"));
    ASSERT_TRUE(lumtest::waitUntil(
        [&] { return QFileInfo::exists(home.filePath("filereport_00-11-22-33-44-FE.zeb")); }));
    EXPECT_EQ(p->mac(), "00-11-22-33-44-FE");

    ASSERT_TRUE(console->command("bob", "640 Shutdown Client", true));
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->isFinished(); }));
    EXPECT_TRUE(p->succeeded()) << p->failure().toStdString();
}

TEST_F(PlayerAnswers, RebootReconnectsAndTheStayGoesOn) {
    auto p = stayingPlayer("carol");
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->loggedIn(); }));
    ASSERT_TRUE(console->command("carol", "610 Send a reboot command to client"));
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->restarts() == 1 && p->loggedIn(); }, 15000));
    ASSERT_TRUE(lumtest::waitUntil([&] { return console->connectedCount() == 1; }));
    EXPECT_EQ(console->connections, 2);
    EXPECT_EQ(linesOf("carol").count("STATUS 27"), 1);
    EXPECT_EQ(console->macs, (QStringList{"02-00-00-00-00-07", "02-00-00-00-00-07"}));
    EXPECT_FALSE(p->isFinished());

    // The new connection answers as the old one did.
    ASSERT_TRUE(console->command("carol", "602 Get client status"));
    ASSERT_TRUE(sawLine("carol", "STATUS 14"));
    EXPECT_EQ(console->received.last(), "carol: STATUS 14");
    ASSERT_TRUE(console->command("carol", "640 Shutdown Client", true));
    ASSERT_TRUE(lumtest::waitUntil([&] { return p->isFinished(); }));
    EXPECT_TRUE(p->succeeded()) << p->failure().toStdString();
    EXPECT_TRUE(p->results().empty());  // the stay never ended
}

TEST_F(PlayerAnswers, HoldWaitsAfterEachStatusUntilReleased) {
    SimPlayerConfig c;
    c.port = console->port();
    c.user = "dave";
    c.aliveMs = 0;
    c.timeoutMs = 10000;
    c.holdAfterStatus = true;
    SimStep stay;
    stay.kind = SimStep::Kind::Stay;
    stay.seconds = 60;
    c.steps = {stay};
    CSimPlayer p(c);
    p.start();
    ASSERT_TRUE(lumtest::waitUntil([&] { return p.loggedIn(); }));
    ASSERT_TRUE(console->command("dave", "639 Auto Command(S1-S3)"));
    ASSERT_TRUE(lumtest::waitUntil([&] { return p.isHolding(); }));
    ASSERT_TRUE(sawLine("dave", "STATUS 24"));
    // While it holds nothing more is sent.
    lumtest::waitUntil([] { return false; }, 200);
    EXPECT_EQ(linesOf("dave").last(), "STATUS 24");

    p.release();
    ASSERT_TRUE(lumtest::waitUntil([&] { return p.isHolding() && linesOf("dave").last() == "STATUS 18"; }));
    EXPECT_TRUE(linesOf("dave").contains("RETR playlist.mpl"));
    EXPECT_FALSE(linesOf("dave").contains("RETR a.jpg"));
    p.stopHolding();
    ASSERT_TRUE(sawLine("dave", "STATUS 21"));
    EXPECT_FALSE(p.isHolding());
    EXPECT_TRUE(p.answerFailures().isEmpty());
}

TEST_F(PlayerAnswers, PlainFtpModeTakesStandardReplies) {
    console->standardFtp = true;
    SimPlayerConfig c;
    c.port = console->port();
    c.user = "anonymous";
    c.mac = "02-00-00-00-00-01";
    c.aliveMs = 20;  // not sent to such a server
    c.timeoutMs = 10000;
    c.plainFtp = true;
    c.keepData = false;
    SimStep get;
    get.kind = SimStep::Kind::Retr;
    get.remote = "b.mpg";
    SimStep pause;
    pause.kind = SimStep::Kind::Stay;
    pause.seconds = 1;
    SimStep put;
    put.kind = SimStep::Kind::Stor;
    put.remote = "up.bin";
    put.data = "xyz";
    c.steps = {get, pause, put};
    CSimPlayer p(c);
    p.start();
    ASSERT_TRUE(lumtest::waitUntil([&] { return p.isFinished(); }, 15000));
    ASSERT_TRUE(p.succeeded()) << p.failure().toStdString();
    EXPECT_EQ(p.results()[0].bytes, 9000);
    EXPECT_TRUE(p.results()[0].data.isEmpty());  // counted, not kept
    EXPECT_EQ(lumtest::readFile(home.filePath("up.bin")), QByteArray("xyz"));
    EXPECT_EQ(p.results().size(), 3u);
    EXPECT_TRUE(console->macs.isEmpty());
    EXPECT_FALSE(linesOf("anonymous").contains("ALIVE"));
    EXPECT_EQ(linesOf("anonymous").first(), "TYPE I");
}
