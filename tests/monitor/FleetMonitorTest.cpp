// The console's fleet monitor over the real online model: events in order with their fields,
// the counters, alerts only for players the running server lost, group figures, and who a MAC
// address of the play report belongs to.
#include "console/FleetMonitor.h"
#include "core/DataFolder.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"

#include "common/OnlinePlayers.h"
#include "common/TestSupport.h"
#include "server/ServerTestSupport.h"

#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::waitUntil;

namespace {

class FleetMonitorTest : public ::testing::Test, public lumtest::OnlinePlayers {
protected:
    void SetUp() override {
        lumtest::addGroup(store, "Home");
        lumtest::addGroup(store, "Lobby");
        for (const char* n : {"l1", "l2", "l3"}) lumtest::addUser(store, n, "Lobby");
        lumtest::addUser(store, "h1", "Home");
        settings.setOfflineGraceOverrideMs(30);
        QObject::connect(&fleet, &FleetMonitor::fleetEvent, &fleet,
                         [this](const QJsonObject& e) { events.append(e); });
    }
    QStringList eventSummary() const {
        QStringList out;
        for (const QJsonObject& e : events)
            out << QStringList{e["event"].toString(), e["player"].toString(), e["group"].toString(),
                               e["mac"].toString(), e["text"].toString()}
                       .join('|');
        return out;
    }

    lumtest::CollectingSink log;
    CAppSettings settings{dir.filePath("config.ini")};
    CControlServer server{nullptr, &log};
    FleetMonitor fleet{settings, store, online, server, log, dir.path()};
    QList<QJsonObject> events;
};

}  // namespace

TEST_F(FleetMonitorTest, EventsFollowWhatHappensInOrderAndTheCountersAddUp) {
    login(7, "l1", "00-00-00-00-00-07");
    online.ClientEvent(PlayerEvent::Status, "00-00-00-00-00-07", "S3:Playing clip.mpg");
    online.ClientEvent(PlayerEvent::PlayReport, "00-00-00-00-00-07", "0,1");
    online.ClientEvent(PlayerEvent::Status, "FF-FF-FF-FF-FF-FF", "nobody");  // no record: no event
    online.send(CommandTarget::group("Lobby"), CommandIndex::Mute);
    online.send(CommandTarget::player("l2"), CommandIndex::Mute);  // offline: reaches nobody
    online.ClientLoggedOut(7);

    EXPECT_EQ(eventSummary(), (QStringList{
                                  "login|l1|Lobby|00-00-00-00-00-07|127.0.0.1",
                                  "status|l1|Lobby|00-00-00-00-00-07|S3:Playing clip.mpg",
                                  "report|l1|Lobby|00-00-00-00-00-07|play report: 0,1",
                                  "command||Lobby||index 17: targeted 1, delivered 1",
                                  "command|l2|||index 17: targeted 0, delivered 0",
                                  "logout|l1|Lobby|00-00-00-00-00-07|127.0.0.1",
                              }));
    for (const QJsonObject& e : events) EXPECT_TRUE(QDateTime::fromString(e["time"].toString(), Qt::ISODateWithMs).isValid());
    const MetricsSnapshot m = fleet.snapshot();
    EXPECT_EQ(m.logins, 1u);
    EXPECT_EQ(m.logouts, 1u);
    EXPECT_EQ(m.commandsByIndex, (std::map<int, quint64>{{17, 1}}));
    EXPECT_FALSE(m.serverUp);
    // The server was not running: its logouts are no alerts.
    EXPECT_FALSE(fleet.alerts().isPending("l1"));
}

TEST_F(FleetMonitorTest, APlayerLostByTheRunningServerIsAlertedLoggedAndMarked) {
    server.SetPort(0);
    ASSERT_TRUE(server.Start());
    login(7, "l1", "00-00-00-00-00-07");
    online.ClientLoggedOut(7);
    ASSERT_TRUE(waitUntil([&] { return online.records()[0].alerted; }));
    EXPECT_TRUE(QRegularExpression("^alert\\|l1\\|Lobby\\|00-00-00-00-00-07\\|offline since "
                                   "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(eventSummary().last())
                    .hasMatch())
        << eventSummary().last().toStdString();
    bool logged = false;
    for (const auto& e : log.entries())
        logged |= e.type == LogType::Error && e.key == "00-00-00-00-00-07" &&
                  e.text.startsWith("[l1] Player offline for more than 0.03 seconds: group Lobby, MAC 00-00-00-00-00-07, last seen ");
    EXPECT_TRUE(logged);
    EXPECT_EQ(fleet.snapshot().alertsActive, 1);

    login(8, "l1", "00-00-00-00-00-07");
    EXPECT_FALSE(online.records()[0].alerted);
    EXPECT_EQ(eventSummary().mid(eventSummary().size() - 2),
              (QStringList{"login|l1|Lobby|00-00-00-00-00-07|127.0.0.1",
                           "back-online|l1|Lobby|00-00-00-00-00-07|back online"}));
    EXPECT_TRUE(log.contains("[l1] Player back online: group Lobby, MAC 00-00-00-00-00-07."));

    // Stopping the server disconnects; nobody is alerted for that.
    online.ClientLoggedOut(8);
    server.Stop();
    fleet.serverStopped();
    EXPECT_FALSE(fleet.alerts().isPending("l1"));
}

TEST_F(FleetMonitorTest, GroupFiguresCountAccountsAndWhoIsOnline) {
    login(1, "l1", "00-00-00-00-00-01");
    login(2, "l2", "00-00-00-00-00-02");
    login(3, "h1", "00-00-00-00-00-03");
    online.ClientLoggedOut(2);
    EXPECT_EQ(fleet.summaryText("Lobby"), "2 of 3 players in Lobby offline");
    EXPECT_EQ(fleet.summaryText("lobby"), "2 of 3 players in lobby offline");
    EXPECT_EQ(fleet.summaryText("Home"), "0 of 1 players in Home offline");
    EXPECT_EQ(fleet.summaryText({}), "2 of 4 players offline");
    const MetricsSnapshot m = fleet.snapshot();
    ASSERT_EQ(m.groups.size(), 2u);
    for (const GroupCounts& g : m.groups) {
        if (g.group == "Lobby") EXPECT_EQ(std::make_pair(g.known, g.online), std::make_pair(3, 1));
        else EXPECT_EQ(std::make_pair(g.known, g.online), std::make_pair(1, 1));
    }
}

TEST_F(FleetMonitorTest, MacAddressesAreNamedByTheOnlineListThenByThePlayersLogFiles) {
    const QString logDir = joinPath(dir.path(), "Log");
    QDir().mkpath(logDir);
    for (const char* f : {"[l1]00-11-22-33-44-55.log", "[17]00-11-22-33-44-66.log",
                          "[ghost]00-11-22-33-44-77.log", "[h1]aa-bb-cc-dd-ee-ff.log", "ftptrace.log",
                          "[l2]00-00-00-00-00-09.log"})
        ASSERT_TRUE(lumtest::writeFile(joinPath(logDir, f), "x\n"));
    login(9, "l3", "00-00-00-00-00-09");  // now holds the MAC that l2's file names

    const PlayerDirectory d = fleet.playerDirectory();
    EXPECT_EQ(d.size(), 3);
    EXPECT_EQ(d.value("00-11-22-33-44-55").name, "l1");
    EXPECT_EQ(d.value("00-11-22-33-44-55").group, "Lobby");
    EXPECT_EQ(d.value("AA-BB-CC-DD-EE-FF").name, "h1");
    EXPECT_EQ(d.value("00-00-00-00-00-09").name, "l3");
    EXPECT_FALSE(d.contains("00-11-22-33-44-66"));  // a connection number, not an account
    EXPECT_FALSE(d.contains("00-11-22-33-44-77"));  // no such account
}
