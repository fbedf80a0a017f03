#include "ScriptedConsole.h"

#include "SimDiscovery.h"
#include "SimPlayer.h"
#include "SimScript.h"

#include "core/LogSink.h"
#include "server/DiscoverySocket.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QUdpSocket>
#include <gtest/gtest.h>

#include <memory>
#include <set>

using lum::sim::CSimPlayer;
using lum::sim::SimPlayerConfig;
using lum::sim::SimStep;
using Kind = lum::sim::SimStep::Kind;
using lumtest::ScriptedConsole;

namespace {

SimStep step(Kind kind, const QString& remote = {}) {
    SimStep s;
    s.kind = kind;
    s.remote = remote;
    return s;
}

SimStep upload(Kind kind, const QString& remote, const QByteArray& data) {
    SimStep s = step(kind, remote);
    s.data = data;
    return s;
}

SimStep fetch(const QString& remote, qint64 rest = -1) {
    SimStep s = step(Kind::Retr, remote);
    s.rest = rest;
    return s;
}

SimStep command(Kind kind, const QString& text) {
    SimStep s = step(kind);
    s.text = text;
    return s;
}

class PlayerSim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(lumtest::writeFile(home.filePath("clip.mpg"), "0123456789"));
        ASSERT_TRUE(lumtest::writeFile(home.filePath("playlist.mpl"), "[Playlist]\r\n"));
        console = std::make_unique<ScriptedConsole>(home.path());
        ASSERT_TRUE(console->listen());
    }

    SimPlayerConfig config(const QString& user, std::vector<SimStep> steps) {
        SimPlayerConfig c;
        c.port = console->port();
        c.user = user;
        c.mac = QStringLiteral("02-00-00-00-00-01");
        c.aliveMs = 0;
        c.timeoutMs = 10000;
        c.steps = std::move(steps);
        return c;
    }

    // Runs the players to their end in this event loop.
    void run(const std::vector<CSimPlayer*>& players) {
        for (CSimPlayer* p : players) p->start();
        ASSERT_TRUE(lumtest::waitUntil(
            [&] {
                for (CSimPlayer* p : players)
                    if (!p->isFinished()) return false;
                return true;
            },
            30000));
    }

    QTemporaryDir home;
    std::unique_ptr<ScriptedConsole> console;
};

}  // namespace

TEST_F(PlayerSim, PassiveScriptListsFetchesRestartsStoresAndAppends) {
    QTemporaryDir save;
    SimPlayerConfig c = config("alice", {step(Kind::List, ""), fetch("clip.mpg"), fetch("clip.mpg", 4),
                                         fetch("clip.mpg", 50), upload(Kind::Stor, "up_{player}.txt", "first"),
                                         upload(Kind::Appe, "up_{player}.txt", "+more"),
                                         step(Kind::Nlst, "")});
    c.saveDir = save.path();
    CSimPlayer p(c);
    QStringList out;
    QObject::connect(&p, &CSimPlayer::output,
                     [&](const QString& name, const QString& line) { out << name + ' ' + line; });
    run({&p});
    ASSERT_TRUE(p.succeeded()) << p.failure().toStdString();
    EXPECT_EQ(p.greeting(), "");
    EXPECT_EQ(p.group(), "Home");
    EXPECT_EQ(console->macs, QStringList{"02-00-00-00-00-01"});

    const auto& r = p.results();
    ASSERT_EQ(r.size(), 7u);
    EXPECT_TRUE(r[0].data.contains("-rwx------ 1 user group             10 Jan 01 2026 clip.mpg\r\n"));
    EXPECT_EQ(r[1].data, QByteArray("0123456789"));
    EXPECT_EQ(r[2].data, QByteArray("456789"));
    EXPECT_EQ(r[3].data, QByteArray("0123456789"));  // offset beyond the size: whole file
    EXPECT_EQ(lumtest::readFile(home.filePath("up_alice.txt")), QByteArray("first+more"));
    EXPECT_EQ(lumtest::readFile(save.filePath("clip.mpg")), QByteArray("0123456789"));
    EXPECT_TRUE(r[6].data.contains("up_alice.txt\r\n"));
    EXPECT_EQ(r[1].replies.mid(1),
              (QStringList{"125 Opening BINARY mode data connection for file transfer.",
                           "213 10"}));

    // What the console saw, in order: REST after PASV (PASV clears it), QUIT at the end.
    const QStringList& seen = console->received;
    const qsizetype rest = seen.indexOf("alice: REST 4");
    ASSERT_GT(rest, 0);
    EXPECT_EQ(seen[rest - 1], "alice: PASV");
    EXPECT_EQ(seen[rest + 1], "alice: RETR clip.mpg");
    EXPECT_EQ(seen.first(), ": USER alice");
    EXPECT_EQ(seen.last(), "alice: QUIT");
    // Output lines carry the player's name.
    EXPECT_TRUE(out.contains("alice < 230 User successfully logged in group [Home]."));
    EXPECT_TRUE(out.contains("alice | clip.mpg"));
    EXPECT_TRUE(out.contains("alice : RETR clip.mpg: 10 bytes"));
}

TEST_F(PlayerSim, ActiveModeUsesPortFromTheControlAddress) {
    SimPlayerConfig c = config("bob", {step(Kind::List, ""), fetch("clip.mpg", 8),
                                       upload(Kind::Stor, "b.bin", QByteArray(100000, 'z'))});
    c.passive = false;
    CSimPlayer p(c);
    run({&p});
    ASSERT_TRUE(p.succeeded()) << p.failure().toStdString();
    EXPECT_EQ(p.results()[1].data, QByteArray("89"));
    EXPECT_EQ(lumtest::readFile(home.filePath("b.bin")), QByteArray(100000, 'z'));
    EXPECT_FALSE(console->received.filter("PORT 127,0,0,1,").isEmpty());
    EXPECT_TRUE(console->received.filter("PASV").isEmpty());
}

TEST_F(PlayerSim, PasswordAskedAndRefused) {
    console->passwordCheck = true;
    console->passwords["carol"] = "secret";
    SimPlayerConfig good = config("carol", {fetch("clip.mpg")});
    good.password = "secret";
    SimPlayerConfig bad = config("carol", {fetch("clip.mpg")});
    bad.password = "wrong";
    CSimPlayer p1(good), p2(bad);
    run({&p1, &p2});
    EXPECT_TRUE(p1.succeeded()) << p1.failure().toStdString();
    EXPECT_EQ(p1.group(), "Home");  // "... [Home]" without the full stop
    EXPECT_FALSE(p2.succeeded());
    EXPECT_FALSE(p2.loggedIn());
    EXPECT_EQ(p2.failure(),
              "login refused: 220 Invalid Password, check your password and re-login");
    EXPECT_TRUE(p2.results().empty());
}

TEST_F(PlayerSim, FailedStepsAreCaughtAndTheRestStillRuns) {
    console->sizeLies["clip.mpg"] = "11";  // one byte short on the wire
    console->failAfterOpening << "playlist.mpl";
    CSimPlayer p(config("dave", {fetch("missing.mpg"), fetch("clip.mpg"), fetch("playlist.mpl"),
                                 command(Kind::Command, "XYZ"), command(Kind::Command, "NOOP")}));
    run({&p});
    EXPECT_FALSE(p.succeeded());
    const auto& r = p.results();
    ASSERT_EQ(r.size(), 5u);
    EXPECT_FALSE(r[0].ok);
    EXPECT_EQ(r[0].error, "550 File not found.(missing.mpg)");
    EXPECT_FALSE(r[1].ok);
    EXPECT_EQ(r[1].error, "size 11, received 10");
    EXPECT_FALSE(r[2].ok);
    EXPECT_EQ(r[2].error, "426 Data Connection closed; transfer aborted.");
    EXPECT_FALSE(r[3].ok);
    EXPECT_EQ(r[3].error, "502 Command not implemented - Try HELP.");
    EXPECT_TRUE(r[4].ok);
    EXPECT_EQ(r[4].replies, QStringList{"200 OK"});
    EXPECT_EQ(p.failure(), "550 File not found.(missing.mpg)");
    EXPECT_EQ(console->received.last(), "dave: QUIT");
}

TEST_F(PlayerSim, UnsolicitedLinesAndMultiLineRepliesKeepStepsInStep) {
    console->linesAfterLogin << "639 Auto Command(S1-S3)" << "601 Server ALIVE Ack";
    SimPlayerConfig c = config("erin", {command(Kind::Command, "HELP"), command(Kind::Send, "STATUS 21"),
                                        step(Kind::Stay), command(Kind::Command, "NOOP")});
    c.steps[2].seconds = 2;
    c.aliveMs = 1000;
    c.respond = false;  // the command is only recorded here
    CSimPlayer p(c);
    run({&p});
    ASSERT_TRUE(p.succeeded()) << p.failure().toStdString();
    EXPECT_EQ(p.serverCommands(), QStringList{"639 Auto Command(S1-S3)"});
    EXPECT_GE(p.aliveAcks(), 2);  // the one above and at least one answered ALIVE
    EXPECT_EQ(p.results()[0].replies.size(), 4);
    EXPECT_EQ(p.results()[0].replies.last(), "214 HELP command successful.");
    EXPECT_EQ(p.results()[3].replies, QStringList{"200 OK"});
    EXPECT_TRUE(console->received.contains("erin: STATUS 21"));
    EXPECT_TRUE(console->received.contains("erin: ALIVE"));
}

TEST_F(PlayerSim, ManyPlayersAtOnceWithOwnNamesAndMacs) {
    lum::sim::SimRunOptions o;
    QString error;
    ASSERT_TRUE(lum::sim::parseArguments({"--count", "25", "--port", QString::number(console->port()),
                                          "--mac", "02-00-00-00-00-F0", "--alive", "0",
                                          "--fetch", "clip.mpg"},
                                         &o, &error))
        << error.toStdString();
    console->maxConnections = 24;  // the 25th is refused as a full console refuses it
    std::vector<std::unique_ptr<CSimPlayer>> owned;
    std::vector<CSimPlayer*> players;
    for (auto& c : lum::sim::makePlayers(o)) {
        owned.push_back(std::make_unique<CSimPlayer>(c));
        players.push_back(owned.back().get());
    }
    run(players);
    int ok = 0;
    std::set<QString> names;
    for (CSimPlayer* p : players) {
        ok += p->succeeded();
        names.insert(p->name());
        if (!p->succeeded()) {
            EXPECT_EQ(p->failure(),
                      "refused: 421 Too many users are connected, please try again later.");
        }
    }
    EXPECT_EQ(ok, 24);
    EXPECT_EQ(names.size(), 25u);
    EXPECT_EQ(console->macs.size(), 24);
    EXPECT_EQ(std::set<QString>(console->macs.begin(), console->macs.end()).size(), 24u);
    EXPECT_TRUE(console->macs.contains("02-00-00-00-01-00"));  // the carry from F0 + 16
    EXPECT_EQ(players.front()->name(), "player001");
}

TEST(PlayerSimScript, ArgumentsNamesAndMacs) {
    lum::sim::SimRunOptions o;
    QString error;
    ASSERT_TRUE(lum::sim::parseArguments(
        {"--list", "", "--rest", "5", "--fetch", "a.mpg", "--fetch", "b.mpg", "--cmd", "PWD",
         "--stay", "3", "--active", "--name", "box-%d", "--timeout", "4", "--discover"},
        &o, &error))
        << error.toStdString();
    ASSERT_EQ(o.steps.size(), 5u);
    EXPECT_EQ(o.steps[0].kind, Kind::List);
    EXPECT_EQ(o.steps[1].rest, 5);
    EXPECT_EQ(o.steps[1].remote, "a.mpg");
    EXPECT_EQ(o.steps[2].rest, -1);  // REST applies to one fetch only
    EXPECT_EQ(o.steps[3].text, "PWD");
    EXPECT_EQ(o.steps[4].seconds, 3);
    EXPECT_FALSE(o.passive);
    EXPECT_TRUE(o.discover);
    EXPECT_EQ(o.timeoutMs, 4000);

    for (const QStringList& bad :
         {QStringList{"--port", "70000"}, QStringList{"--count"}, QStringList{"--rest", "4"},
          QStringList{"--mac", "00-11-22"}, QStringList{"--upload", "/no/such/file"},
          QStringList{"--cmd", "NOOP\r\nDELE x"}, QStringList{"--bogus"}}) {
        EXPECT_FALSE(lum::sim::parseArguments(bad, &o, &error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }

    EXPECT_EQ(lum::sim::playerName("player%03d", 7, 10), "player007");
    EXPECT_EQ(lum::sim::playerName("box-%d", 12, 20), "box-12");
    EXPECT_EQ(lum::sim::playerName("solo", 1, 1), "solo");
    EXPECT_EQ(lum::sim::playerName("kiosk", 3, 5), "kiosk3");

    QString mac;
    ASSERT_TRUE(lum::sim::macForIndex("00:11:22:33:44:fe", 1, &mac));
    EXPECT_EQ(mac, "00-11-22-33-44-FE");
    ASSERT_TRUE(lum::sim::macForIndex("00-11-22-33-44-FE", 3, &mac));
    EXPECT_EQ(mac, "00-11-22-33-45-00");
    ASSERT_TRUE(lum::sim::macForIndex("FF-FF-FF-FF-FF-FF", 2, &mac));
    EXPECT_EQ(mac, "00-00-00-00-00-00");
    EXPECT_FALSE(lum::sim::macForIndex("00-11-22-33-44-GG", 1, &mac));
}

TEST(PlayerSimDiscovery, FindsTheResponderByItsEcho) {
    struct NullSink : lum::ILogSink {
        void addLog(lum::LogType, const QString&, const QString&) override {}
    } sink;
    lum::CDiscoverySocket responder(&sink);
    ASSERT_TRUE(responder.create(0, QHostAddress::LocalHost));
    lum::sim::CSimDiscovery discovery;
    ASSERT_TRUE(discovery.start(QHostAddress::LocalHost, responder.localPort(), "LUMServer", 5, 500));
    ASSERT_TRUE(lumtest::waitUntil([&] { return discovery.isDone(); }));
    EXPECT_EQ(discovery.server(), QHostAddress(QHostAddress::LocalHost));

    // Nobody listening: it gives up after its tries.
    QUdpSocket closed;
    ASSERT_TRUE(closed.bind(QHostAddress::LocalHost, 0));
    const quint16 deadPort = closed.localPort();
    closed.close();
    lum::sim::CSimDiscovery none;
    bool failed = false;
    QObject::connect(&none, &lum::sim::CSimDiscovery::failed, [&] { failed = true; });
    ASSERT_TRUE(none.start(QHostAddress::LocalHost, deadPort, "LUMServer", 2, 50));
    ASSERT_TRUE(lumtest::waitUntil([&] { return none.isDone(); }));
    EXPECT_TRUE(failed);
    EXPECT_TRUE(none.server().isNull());
}

TEST_F(PlayerSim, CommandLineToolExitCodes) {
    QString bin = lumtest::binDir();
    if (bin.isEmpty()) bin = QCoreApplication::applicationDirPath() + "/../../bin";  // run by hand
    const QString exe = QDir(bin).filePath("lum-player-sim");
    ASSERT_TRUE(QFileInfo(exe).isExecutable()) << exe.toStdString();
    const QString upload = home.filePath("local.txt");
    ASSERT_TRUE(lumtest::writeFile(upload, "from disk"));
    auto runTool = [&](const QStringList& args, QByteArray* out) {
        QProcess proc;
        proc.start(exe, args);
        EXPECT_TRUE(proc.waitForStarted());
        // The console runs in this event loop, so wait by processing events.
        EXPECT_TRUE(lumtest::waitUntil([&] { return proc.state() == QProcess::NotRunning; }, 30000));
        *out = proc.readAllStandardOutput() + proc.readAllStandardError();
        return proc.exitCode();
    };
    const QString port = QString::number(console->port());
    QByteArray out;
    EXPECT_EQ(runTool({"--port", port, "--count", "2", "--fetch", "clip.mpg", "--upload",
                       upload + "=sent_{player}.txt"},
                      &out),
              0)
        << out.toStdString();
    EXPECT_TRUE(out.contains("player001 < 220 \n"));
    EXPECT_TRUE(out.contains("player002 : RETR clip.mpg: 10 bytes"));
    EXPECT_TRUE(out.contains("2 of 2 players succeeded"));
    EXPECT_EQ(lumtest::readFile(home.filePath("sent_player002.txt")), QByteArray("from disk"));

    EXPECT_EQ(runTool({"--port", port, "--name", "x", "--fetch", "nothing.mpg"}, &out), 1);
    EXPECT_TRUE(out.contains("x ! 550 File not found.(nothing.mpg)"));
    EXPECT_TRUE(out.contains("0 of 1 players succeeded"));

    // --measure: JSON lines only, one per timing point, and the moment all were logged in.
    EXPECT_EQ(runTool({"--port", port, "--count", "2", "--measure", "--alive-ms", "100", "--stay", "1",
                       "--fetch", "clip.mpg"},
                      &out),
              0)
        << out.toStdString();
    int alive = 0, steps = 0, all = 0;
    for (const QByteArray& line : out.split('\n')) {
        if (!line.startsWith('{')) continue;
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        ASSERT_FALSE(o.isEmpty()) << line.toStdString();
        const QString ev = o["ev"].toString();
        alive += ev == "alive" && o["ms"].toDouble() >= 0;
        if (ev == "step" && o["kind"] == "RETR") {
            ++steps;
            EXPECT_EQ(o["bytes"].toInt(), 10);
            EXPECT_GE(o["end"].toDouble(), o["start"].toDouble());
        }
        all += ev == "all_logged_in" && o["players"].toInt() == 2;
    }
    EXPECT_GE(alive, 2);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(all, 1);
    EXPECT_FALSE(out.contains("player001 <"));  // the line-by-line output is off

    EXPECT_EQ(runTool({"--port", "0"}, &out), 2);
    EXPECT_TRUE(out.contains("--port: bad number '0'"));
}
