// Hostile players and damaged files against the running lum-server: each case is one way in
// that was found open, tried the way an attacker on the same network would.
#include "RunningServer.h"

#include "accounts/UserStore.h"
#include "console/Backup.h"
#include "server/OperatorSocket.h"

#include <QDate>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QTcpServer>
#include <QTcpSocket>

using namespace lumtest;

namespace {

class Attack : public RunningServerTest {
protected:
    QString secret() const { return dir.path() + "/secret.txt"; }
    void prepare() override { ASSERT_TRUE(writeFile(secret(), "SECRET")); }
};

// users.dat bytes: a one-byte-prefixed text and the record of a group holding one account.
QByteArray text(const QByteArray& s) { return char(s.size()) + s; }
QByteArray groupWithAccount(const QByteArray& group, const QByteArray& account,
                            const QByteArray& current = {}, const QByteArray& autoPlaylist = {}) {
    const QByteArray one("\x01\x00\x00\x00", 4), zero(4, '\0');
    return text(group) + text("") + text(current) + text(autoPlaylist) + one + zero + text("") +
           text("") + QByteArray("\x01\x00", 2) + text(account) + text("") + text(group) +
           text("") + zero;
}
const QByteArray kStoreHeader = text("ZEB Software Solutions - StoreObject");

// An rssconfig.xml whose elements nest `depth` levels.
QByteArray deepRssConfig(int depth) {
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<config>";
    for (int i = 1; i < depth; ++i) x += "<g>";
    for (int i = 1; i < depth; ++i) x += "</g>";
    return x + "</config>\n";
}

// A feed that answers only when told to.
class HeldFeed : public QTcpServer {
public:
    HeldFeed() {
        listen(QHostAddress(QStringLiteral("127.0.0.1")), 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = nextPendingConnection()) clients_ << s;
        });
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/feed.xml").arg(serverPort()); }
    bool asked() const { return !clients_.isEmpty(); }
    void answer() {
        const QByteArray body = "<rss><channel><title>Late news</title></channel></rss>";
        for (QTcpSocket* s : clients_) {
            s->write("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nConnection: close\r\n"
                     "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body);
            s->disconnectFromHost();
        }
    }

private:
    QList<QTcpSocket*> clients_;
};

}  // namespace

TEST_F(Attack, APlayerReadsOnlyWhatTheConsoleHandedOutsideItsFolder) {
    Player p(port);
    loginPlayer(p, "p1", "02-00-00-00-00-01");
    const QByteArray users = (data + "/server data/users.dat").toUtf8();
    const QByteArray config = (data + "/config.ini").toUtf8();
    const QByteArray outside[] = {secret().toUtf8(), users, config};
    QByteArray listing;
    for (int i = 0; i < 3; ++i)
        listing += "[file" + QByteArray::number(i) + "]\r\npath=" + outside[i] + "\r\n";
    // The auto playlist the console wrote is not the player's to replace...
    EXPECT_EQ(upload(p, "STOR AutoPlaylist.mpl", listing), "450 Can't access file.");
    // ...and even where one lies in the folder (written by a player before), what it lists
    // stays out of reach.
    ASSERT_TRUE(writeFile(data + "/Home/AutoPlaylist.mpl", listing));
    for (const QByteArray& path : outside)
        EXPECT_EQ(p.command("RETR " + path), "550 File not found.(" + path + ")");

    // A schedule: what the console assigned is served; a schedule line a player wrote is not.
    const QString week = dir.path() + "/week.mpl";
    const QString clip = dir.path() + "/clip.jpg";
    ASSERT_TRUE(writeFile(clip, "CLIP"));
    ASSERT_TRUE(writeFile(week, ("[file0]\r\npath=" + clip + "\r\n").toUtf8()));
    const QString today = QDate::currentDate().toString("yyyyMMdd");
    const QByteArray line = "," + today.toUtf8() + "," + today.toUtf8() + ",1111111\r\n";
    ASSERT_TRUE(writeFile(dir.path() + "/week.sch", week.toUtf8() + line));
    QByteArray out;
    ASSERT_EQ(lumctl({"schedule", "assign", "--group", "Home", dir.path() + "/week.sch"}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(fetch(p, "AutoPlaylist.mpl"), lumtest::readFile(week));
    EXPECT_EQ(fetch(p, clip.toUtf8()), "CLIP");
    EXPECT_EQ(upload(p, "STOR playlist.sch", secret().toUtf8() + line), "450 Can't access file.");
    ASSERT_TRUE(writeFile(data + "/Home/playlist.sch", secret().toUtf8() + line));
    EXPECT_EQ(p.command("RETR AutoPlaylist.mpl"), "550 File not found.(AutoPlaylist.mpl)");
}

TEST_F(Attack, TheStarterPlaylistsSampleMediaIsHandedToHome) {
    Player p(port);
    p.login("p1");
    const QByteArray starter = fetch(p, "AutoPlaylist.mpl");
    const int at = starter.indexOf("path=");
    ASSERT_GE(at, 0) << starter.toStdString();
    const QByteArray sample = starter.mid(at + 5, starter.indexOf('\r', at) - at - 5);
    EXPECT_EQ(fetch(p, sample), lumtest::readFile(QString::fromUtf8(sample)));
}

class OlderDataFolder : public Attack {
protected:
    void prepare() override {
        Attack::prepare();
        QDir().mkpath(data + "/server data");
        QDir().mkpath(data + "/Home");
        ASSERT_TRUE(writeFile(clip(), "CLIP"));
        ASSERT_TRUE(writeFile(week(), ("[file0]\r\npath=" + clip() + "\r\n").toUtf8()));
        // The auto playlist lies in the group's folder, where a player could replace it.
        ASSERT_TRUE(writeFile(data + "/Home/AutoPlaylist.mpl",
                              ("[file0]\r\npath=" + secret() + "\r\n").toUtf8()));
        ASSERT_TRUE(writeFile(data + "/server data/users.dat",
                              kStoreHeader + groupWithAccount("Home", "p1", week().toUtf8(),
                                                              (data + "/Home/AutoPlaylist.mpl").toUtf8())));
    }
    QString clip() const { return dir.path() + "/clip.jpg"; }
    QString week() const { return dir.path() + "/week.mpl"; }
};

TEST_F(OlderDataFolder, ItsPlaylistsAreRecordedButNotWhatTheyList) {
    EXPECT_TRUE(QFileInfo::exists(data + "/server data/handed.json"));
    Player p(port);
    loginPlayer(p, "p1", "02-00-00-00-00-05");
    EXPECT_EQ(fetch(p, "playlist.mpl"), lumtest::readFile(week()));
    EXPECT_TRUE(fetch(p, "AutoPlaylist.mpl").contains(secret().toUtf8()));
    for (const QString& listed : {secret(), clip()})
        EXPECT_EQ(p.command("RETR " + listed.toUtf8()), "550 File not found.(" + listed.toUtf8() + ")");
    // Handed over anew, the playlist's media is served again.
    QByteArray out;
    ASSERT_EQ(lumctl({"ezplay", "--group", "Home", week()}, &out), 0) << out.toStdString();
    EXPECT_EQ(p.line(), "639 Auto Command(S1-S3)");
    EXPECT_EQ(fetch(p, clip().toUtf8()), "CLIP");
}

TEST_F(Attack, HugeReportsAndPlaylistsDoNotStallTheServer) {
    Player p(port);
    loginPlayer(p, "p1", "02-00-00-00-00-02");
    QByteArray report;
    for (int i = 0; i < 20000; ++i)
        report += "[file" + QByteArray::number(i) + "]\r\npath=/m/" + QByteArray::number(i) +
                  ".mpg\r\nperiod=10\r\n";
    ASSERT_EQ(upload(p, "STOR playlist_02-00-00-00-00-02.zeb", report),
              "125 Opening BINARY mode data connection for file transfer.");
    p.sendLine("ICS_GET_PLAYLIST_DONE 0");
    EXPECT_EQ(p.line(), "Done");
    // The console reads the report on its main thread, where every new login is counted.
    Player late(port);
    EXPECT_EQ(late.line(30000), "220 ");
    EXPECT_EQ(late.command("USER p2"), "230 User successfully logged in group [Home].");

    // An operator's playlist of the same size goes out within lumctl's patience.
    const QString clip = dir.path() + "/clip.jpg";
    ASSERT_TRUE(writeFile(clip, "CLIP"));
    QByteArray big;
    for (int i = 0; i < 20000; ++i)
        big += "[file" + QByteArray::number(i) + "]\r\npath=" + clip.toUtf8() + "\r\nsize=4\r\n";
    ASSERT_TRUE(writeFile(dir.path() + "/big.mpl", big));
    QByteArray out;
    EXPECT_EQ(lumctl({"ezplay", "--group", "Home", dir.path() + "/big.mpl"}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(p.line(30000), "639 Auto Command(S1-S3)");
    EXPECT_EQ(fetch(p, clip.toUtf8()), "CLIP");
}

TEST_F(Attack, ARequesterThatLeavesDuringASlowFetchCannotCrashTheServer) {
    HeldFeed feed;
    QLocalSocket client;
    client.connectToServer(lum::COperatorSocket::socketNameFor(data));
    ASSERT_TRUE(client.waitForConnected(5000));
    const QJsonObject request{
        {"verb", "rss"}, {"action", "add"}, {"group", "Home"}, {"url", feed.url()}};
    client.write(QJsonDocument(request).toJson(QJsonDocument::Compact) + '\n');
    client.flush();
    ASSERT_TRUE(waitUntil([&] { return feed.asked(); }, 10000));
    client.disconnectFromServer();  // as lumctl does when it stops waiting
    waitUntil([&] { return client.state() == QLocalSocket::UnconnectedState; });
    feed.answer();
    // The late reply goes nowhere; the feed is still added and the server serves on.
    EXPECT_TRUE(waitUntil([&] {
        return lumtest::readFile(data + "/server data/rssconfig.xml").contains(feed.url().toUtf8());
    }, 20000));
    QByteArray out;
    EXPECT_EQ(lumctl({"players"}, &out), 0) << out.toStdString();
    EXPECT_TRUE(serverRuns()) << serverLog().toStdString();
}

TEST_F(Attack, PlayCountsAndItemNamesCannotBreakTheReportFile) {
    Player p(port);
    loginPlayer(p, "p1", "02-00-00-00-00-03");
    for (const QByteArray report : {"x,2147483647", "x,2147483647", "[sect],1", "a=b,2", ",3"})
        p.sendLine("ICS_PLAY_REPORT " + report);
    p.sendLine("ICS_PLAY_REPORT done,1");
    const QString path = data + "/Log/PlayReport.txt";
    ASSERT_TRUE(waitUntil([&] { return lumtest::readFile(path).contains("done="); }, 10000));
    const QByteArray section = "[02-00-00-00-00-03@" +
                               QDate::currentDate().toString("yy-MM-dd").toLatin1() + "]\r\n";
    EXPECT_EQ(lumtest::readFile(path),
              section + "x=2147483647\r\n_sect_=1\r\na_b=2\r\ndone=1\r\n");
    EXPECT_TRUE(serverRuns());
}

class DeepRssConfiguration : public Attack {
protected:
    void prepare() override {
        Attack::prepare();
        QDir().mkpath(data + "/server data");
        ASSERT_TRUE(writeFile(path(), deep));
    }
    QString path() const { return data + "/server data/rssconfig.xml"; }
    const QByteArray deep = deepRssConfig(3000);
};

TEST_F(DeepRssConfiguration, IsNeitherLoadedSavedNorRestored) {
    EXPECT_TRUE(waitUntil([&] { return serverLog().contains("RSS configuration refused"); }, 10000))
        << log.toStdString();
    // Adding a feed loads the document and saves it pretty-printed, one indent per level.
    HeldFeed feed;
    QProcess add;
    add.setProcessChannelMode(QProcess::MergedChannels);
    add.setProcessEnvironment(server.processEnvironment());
    add.start(binDir() + "/lumctl",
              {"--data-dir", data, "rss", "add", "--group", "Home", "--url", feed.url()});
    waitUntil([&] {
        if (feed.asked()) feed.answer();
        return add.state() == QProcess::NotRunning;
    }, 40000);
    const QByteArray out = add.readAll();
    EXPECT_NE(add.exitCode(), 0);
    EXPECT_TRUE(out.contains("nested deeper than 8 levels")) << out.toStdString();
    EXPECT_EQ(lumtest::readFile(path()), deep);

    // Restoring a backup that carries such a document is refused as a whole.
    QTemporaryDir other;
    QDir().mkpath(other.path() + "/server data");
    ASSERT_TRUE(writeFile(other.path() + "/server data/rssconfig.xml", deepRssConfig(100)));
    ASSERT_TRUE(writeFile(dir.path() + "/deep.bak", lum::buildBackup(other.path(), QDateTime::currentDateTime())));
    const QByteArray users = lumtest::readFile(data + "/server data/users.dat");
    QByteArray reply;
    EXPECT_NE(lumctl({"restore", dir.path() + "/deep.bak", "--yes"}, &reply), 0);
    EXPECT_TRUE(reply.contains("Illegal File!")) << reply.toStdString();
    EXPECT_EQ(lumtest::readFile(data + "/server data/users.dat"), users);
    EXPECT_EQ(lumtest::readFile(path()), deep);
}

TEST_F(Attack, UploadsDoNotFollowALinkOutOfTheFolder) {
    QDir().mkpath(dir.path() + "/outside");
    ASSERT_TRUE(QFile::link(dir.path() + "/outside/planted.txt", data + "/Home/upload.txt"));
    Player p(port);
    p.login("p1");
    EXPECT_EQ(upload(p, "STOR upload.txt", "PLANTED"), "450 Can't access file.");
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/outside/planted.txt"));
}

TEST_F(Attack, ACrowdOfMacTextsCannotFillTheLogFolder) {
    Player p(port);
    p.login("p1");
    for (int i = 0; i < 200; ++i) {
        p.sendLine("ICS_GET_MAC_ADDR junk" + QByteArray::number(i));
        p.sendLine("STATUS 99 junk");
    }
    p.sendLine("ICS_GET_MAC_ADDR 02-00-00-00-00-04");
    p.sendLine("STATUS 99 real");
    const QString own = data + "/Log/[p1]02-00-00-00-00-04.log";
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(own); }, 20000));
    EXPECT_EQ(QDir(data + "/Log").entryList({"[[]p1]*"}, QDir::Files),
              QStringList{"[p1]02-00-00-00-00-04.log"});
}

TEST_F(Attack, NewNamesFromOneHostComeAtABoundedRate) {
    int accepted = 0;
    for (int i = 0; i < 25; ++i) {
        Player p(port);
        accepted += p.login("flood" + QByteArray::number(i)) ==
                    "230 User successfully logged in group [Home].";
        p.sendLine("QUIT");
        p.waitClosed();
    }
    EXPECT_EQ(accepted, 20);
    EXPECT_TRUE(waitUntil([&] {
        return serverLog().contains(
            "New account flood20 from 127.0.0.1 refused: too many new names from this address.");
    })) << log.toStdString();
    // Known names still log in from there.
    Player known(port);
    EXPECT_EQ(known.login("flood3"), "230 User successfully logged in group [Home].");
}

class ClosedRegistration : public Attack {
protected:
    QByteArray extraConfig() const override { return "AUTOREGISTER=0\r\n"; }
};

TEST_F(ClosedRegistration, UnknownNamesAreRefused) {
    Player p(port);
    EXPECT_EQ(p.login("stranger"), "220 Invalid User, you've been kicked out");
    EXPECT_TRUE(p.waitClosed());
    lum::CUserStore store(data);
    store.Load();
    EXPECT_FALSE(store.FindUser("stranger", nullptr, nullptr, 0));
}

class HostileAccountFile : public Attack {
protected:
    void prepare() override {
        Attack::prepare();
        QDir().mkpath(data + "/server data");
        // A group named "" would make the data folder a player's home; "../x" a folder beside it.
        original = kStoreHeader + groupWithAccount("../x", "climber") + groupWithAccount("", "evil");
        ASSERT_TRUE(writeFile(data + "/server data/users.dat", original));
    }
    QByteArray original;
};

TEST_F(HostileAccountFile, GroupNamesThatLeaveTheFolderRefuseTheFileAndItIsKeptAside) {
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/x"));
    EXPECT_TRUE(waitUntil([&] { return serverLog().contains("was damaged; it was kept as"); }))
        << log.toStdString();
    const QStringList kept =
        QDir(data + "/server data").entryList({"users.dat.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(lumtest::readFile(data + "/server data/" + kept[0]), original);

    Player p(port);
    EXPECT_EQ(p.login("evil"), "230 User successfully logged in group [Home].");
    EXPECT_EQ(p.command("SIZE /server data/users.dat"), "550 File not found.");
    EXPECT_EQ(upload(p, "STOR config.ini", "[SERVER]\r\nPORT=1\r\n"),
              "125 Opening BINARY mode data connection for file transfer.");
    EXPECT_FALSE(lumtest::readFile(data + "/config.ini").contains("PORT=1\r\n"));

    // A backup that carries such a file is refused as a whole.
    QTemporaryDir other;
    QDir().mkpath(other.path() + "/server data");
    ASSERT_TRUE(writeFile(other.path() + "/server data/users.dat", original));
    ASSERT_TRUE(writeFile(dir.path() + "/hostile.bak", lum::buildBackup(other.path(), QDateTime::currentDateTime())));
    const QByteArray users = lumtest::readFile(data + "/server data/users.dat");
    QByteArray out;
    EXPECT_NE(lumctl({"restore", dir.path() + "/hostile.bak", "--yes"}, &out), 0);
    EXPECT_TRUE(out.contains("Illegal File!")) << out.toStdString();
    EXPECT_EQ(lumtest::readFile(data + "/server data/users.dat"), users);
}

class DamagedAccountFile : public Attack {
protected:
    void prepare() override {
        Attack::prepare();
        QDir().mkpath(data + "/server data");
        original = kStoreHeader + groupWithAccount("Home", "kiosk1") + groupWithAccount("Shop", "till");
        original[7] = char(original[7] ^ 0x10);  // a flipped bit in the header
        ASSERT_TRUE(writeFile(data + "/server data/users.dat", original));
    }
    QByteArray original;
};

TEST_F(DamagedAccountFile, IsKeptAsideBeforeTheFirstRegistrationReplacesIt) {
    Player p(port);
    EXPECT_EQ(p.login("newcomer"), "230 User successfully logged in group [Home].");
    const QStringList kept =
        QDir(data + "/server data").entryList({"users.dat.damaged-*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(lumtest::readFile(data + "/server data/" + kept[0]), original);
    EXPECT_TRUE(waitUntil([&] { return serverLog().contains(kept[0].toUtf8()); })) << log.toStdString();
}
