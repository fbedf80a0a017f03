// Offline alerts and the command they run, with grace times of milliseconds.
#include "monitor/AlertCommand.h"
#include "monitor/OfflineAlerts.h"

#include "common/TestSupport.h"
#include "server/ServerTestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::waitUntil;

namespace {

struct Alerts {
    OfflineAlerts alerts;
    qint64 graceMs = 50;
    QStringList raised, back;
    Alerts() {
        alerts.setGraceSource([this] { return graceMs; });
        QObject::connect(&alerts, &OfflineAlerts::alertRaised, &alerts,
                         [this](const OfflinePlayer& p) { raised << p.name; });
        QObject::connect(&alerts, &OfflineAlerts::backOnline, &alerts,
                         [this](const OfflinePlayer& p) { back << p.name; });
    }
};

}  // namespace

TEST(OfflineAlerts, OnePlayerOfflinePastTheGraceRaisesOneAlertAndOneReturn) {
    Alerts a;
    a.alerts.playerOnline("lobby1", "Lobby", "00-11-22-33-44-55");
    a.alerts.playerOffline("LOBBY1", "Lobby", "00-11-22-33-44-55");  // names without case
    a.alerts.playerOffline("lobby1", "Lobby", "00-11-22-33-44-55");  // a repeated logout
    ASSERT_TRUE(waitUntil([&] { return !a.raised.isEmpty(); }));
    // Another player's alert comes after every timer of the first one has run.
    a.alerts.playerOnline("other", "Home", "");
    a.alerts.playerOffline("other", "Home", "");
    ASSERT_TRUE(waitUntil([&] { return a.raised.size() == 2; }));
    EXPECT_EQ(a.raised, (QStringList{"LOBBY1", "other"}));
    EXPECT_EQ(a.alerts.alertsRaised(), 2u);
    EXPECT_EQ(a.alerts.activeAlerts(), 2);
    EXPECT_TRUE(a.alerts.isAlerted("lobby1"));

    a.alerts.playerOnline("lobby1", "Lobby", "00-11-22-33-44-55");
    a.alerts.playerOnline("lobby1", "Lobby", "00-11-22-33-44-55");
    EXPECT_EQ(a.back, QStringList{"lobby1"});
    EXPECT_EQ(a.alerts.activeAlerts(), 1);
}

TEST(OfflineAlerts, NoAlertForReturnWithinGraceUnknownPlayersCancelledOrOff) {
    Alerts a;
    a.alerts.playerOnline("quick", "Home", "");
    a.alerts.playerOffline("quick", "Home", "");
    a.alerts.playerOnline("quick", "Home", "");  // back inside the grace time
    // Never seen online since start (a restart): not followed.
    a.alerts.playerOffline("stranger", "Home", "");
    // Taken offline by a server stop.
    a.alerts.playerOnline("stopped", "Home", "");
    a.alerts.playerOffline("stopped", "Home", "");
    a.alerts.cancelPending();
    // Deleted account.
    a.alerts.playerOnline("gone", "Home", "");
    a.alerts.playerOffline("gone", "Home", "");
    a.alerts.forget("gone");
    // Alerts off at the time of the logout.
    a.alerts.playerOnline("off", "Home", "");
    a.graceMs = 0;
    a.alerts.playerOffline("off", "Home", "");
    EXPECT_FALSE(a.alerts.isPending("off"));
    a.graceMs = 50;

    // The sentinel goes offline last: once it is alerted, every earlier timer has run.
    a.alerts.playerOnline("sentinel", "Home", "");
    a.alerts.playerOffline("sentinel", "Home", "");
    ASSERT_TRUE(waitUntil([&] { return !a.raised.isEmpty(); }));
    EXPECT_EQ(a.raised, QStringList{"sentinel"});
    EXPECT_TRUE(a.back.isEmpty());
}

TEST(OfflineAlerts, AnOfflinePeriodAfterAReturnIsAlertedAgain) {
    Alerts a;
    a.alerts.playerOnline("p", "Home", "");
    for (int period = 1; period <= 2; ++period) {
        a.alerts.playerOffline("p", "Home", "");
        ASSERT_TRUE(waitUntil([&] { return a.raised.size() == period; }));
        a.alerts.playerOnline("p", "Home", "");
    }
    EXPECT_EQ(a.back.size(), 2);
}

// ---- the command -------------------------------------------------------------------------

namespace {

struct Runner {
    QTemporaryDir dir;
    lumtest::CollectingSink log;
    AlertCommandRunner runner{&log};
    QString program;
    std::vector<std::tuple<QString, int, bool>> finished;

    Runner() {
        runner.setProgramSource([this] { return program; });
        QObject::connect(&runner, &AlertCommandRunner::finished, &runner,
                         [this](const QString& p, int code, bool killed) { finished.emplace_back(p, code, killed); });
    }
    // A shell script in the temporary folder (the runner itself never uses a shell).
    QString script(const QString& name, const QByteArray& body) {
        const QString path = dir.filePath(name);
        lumtest::writeFile(path, "#!/bin/sh\n" + body);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    OfflinePlayer player(const QString& name = "lobby 1") const {
        return {name, "Lobby \"A\"", "00-11-22-33-44-55", QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9))};
    }
};

}  // namespace

TEST(AlertCommand, GetsFourArgumentsWithoutAShellAndLogsExitCodeAndOutput) {
    Runner r;
    const QString out = r.dir.filePath("args.txt");
    r.program = r.script("notify.sh", "for a in \"$@\"; do printf '<%s>' \"$a\"; done > '" +
                                          out.toUtf8() + "'\necho first line\necho second >&2\nexit 3\n");
    // Blanks, quotes and a $ stay one argument each: nothing is interpreted by a shell.
    OfflinePlayer p = r.player("lobby $HOME; rm");
    r.runner.run(p);
    ASSERT_TRUE(waitUntil([&] { return !r.finished.empty(); }, 30000));
    EXPECT_EQ(lumtest::readFile(out), "<lobby $HOME; rm><Lobby \"A\"><00-11-22-33-44-55><2024-05-06 07:08:09>");
    EXPECT_EQ(r.finished[0], std::make_tuple(QString("lobby $HOME; rm"), 3, false));
    const auto entries = r.log.entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].type, LogType::Error);  // a non-zero exit
    EXPECT_EQ(entries[0].key, "00-11-22-33-44-55");
    EXPECT_EQ(entries[0].text,
              "[lobby $HOME; rm] Offline command exited with code 3: first line | second");
}

TEST(AlertCommand, AHungCommandIsKilledAndAMissingOneIsReported) {
    Runner r;
    r.runner.setTimeoutMs(300);
    r.program = r.script("hang.sh", "exec sleep 600\n");
    r.runner.run(r.player("hung"));
    ASSERT_TRUE(waitUntil([&] { return !r.finished.empty(); }, 30000));
    EXPECT_EQ(r.finished[0], std::make_tuple(QString("hung"), -1, true));
    EXPECT_TRUE(r.log.contains("[hung] Offline command did not end within 0.3 seconds and was killed."));

    r.program = r.dir.filePath("no-such-program");
    r.runner.run(r.player("missing"));
    ASSERT_TRUE(waitUntil([&] { return r.finished.size() == 2; }, 30000));
    EXPECT_EQ(std::get<1>(r.finished[1]), -1);
    EXPECT_TRUE(r.log.anyContains("[missing] Offline command " + r.program + " could not run"));
    EXPECT_EQ(r.runner.runningCount(), 0);

    // No program set: nothing runs, nothing is logged.
    r.program.clear();
    const size_t logged = r.log.entries().size();
    r.runner.run(r.player("quiet"));
    EXPECT_EQ(r.runner.runningCount(), 0);
    EXPECT_EQ(r.log.entries().size(), logged);
}

TEST(AlertCommand, ManyAlertsAtOnceRunAFewAtATimeAndAllFinish) {
    Runner r;
    r.program = r.script("ok.sh", "exit 0\n");
    int mostAtOnce = 0;
    QObject::connect(&r.runner, &AlertCommandRunner::finished, &r.runner, [&] {
        mostAtOnce = std::max(mostAtOnce, r.runner.runningCount() + 1);
    });
    for (int i = 0; i < 12; ++i) r.runner.run(r.player(QString("p%1").arg(i)));
    EXPECT_LE(r.runner.runningCount(), AlertCommandRunner::kMaxRunning);
    ASSERT_TRUE(waitUntil([&] { return r.finished.size() == 12; }, 60000));
    EXPECT_LE(mostAtOnce, AlertCommandRunner::kMaxRunning);
    EXPECT_EQ(r.log.entries().size(), 12u);
    EXPECT_EQ(r.log.entries()[0].type, LogType::ServerEvent);
}
