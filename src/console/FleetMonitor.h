#pragma once
// Fleet health for the console and lum-server: follows the online model to raise offline
// alerts (log record, list mark, OFFLINECOMMAND) and their "back online", counts logins,
// logouts and commands, turns what happens into events for lumctl's stream, serves the
// monitoring endpoint, sums the group figures, and answers lumctl's play report. Main thread.

#include "console/ClientRecord.h"
#include "monitor/FleetEvent.h"
#include "monitor/Metrics.h"
#include "monitor/OfflineAlerts.h"
#include "monitor/PlayReport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

namespace lum {

class AlertCommandRunner;
class CAppSettings;
class CControlServer;
class COnlineModel;
class CUserStore;
class ILogSink;
class MonitorEndpoint;
struct CommandTarget;

// A player record as lumctl's snapshot and the endpoint's /players give it.
QJsonObject playerJson(const CClientRecord& record);

class FleetMonitor : public QObject {
    Q_OBJECT
public:
    FleetMonitor(CAppSettings& settings, CUserStore& store, COnlineModel& online,
                 CControlServer& server, ILogSink& log, QString dataFolder,
                 QObject* parent = nullptr);
    ~FleetMonitor() override;

    OfflineAlerts& alerts() { return *alerts_; }
    AlertCommandRunner& commands() { return *runner_; }

    // The server stopped: the players it disconnected raise no alert.
    void serverStopped();

    // The monitoring endpoint: on `spec` (see MonitorEndpoint::parseListen); empty closes it.
    // False with a reason (also logged).
    bool listen(const QString& spec, QString* error = nullptr);
    MonitorEndpoint& endpoint() { return *endpoint_; }

    MetricsSnapshot snapshot() const;
    QJsonArray playersJson() const;
    // Accounts and online players per group, in the store's group order.
    std::vector<GroupCounts> groupCounts() const;
    // Offline players and accounts of a group, or of the fleet when `group` is empty.
    std::pair<int, int> offlineOf(const QString& group) const;
    // "3 of 12 players in Lobby offline" (or "3 of 12 players offline" for the fleet).
    QString summaryText(const QString& group) const;

    // Who each MAC address seen in the log belongs to: the online records first, then the
    // players' own log files ("[name]MAC.log") of accounts that still exist.
    PlayerDirectory playerDirectory() const;
    QString playReportPath() const;
    // lumctl's "playreport": {"from", "to", "group", "player"} -> {"rows": [...],
    // "damagedLines": n}. The file is read on a worker thread; `reply` is called later on this
    // thread.
    void playReport(const QJsonObject& request, const std::function<void(const QJsonObject&)>& reply);

Q_SIGNALS:
    // For the event stream (lumctl events).
    void fleetEvent(const QJsonObject& event);
    // For the console's tray.
    void alertRaised(const lum::OfflinePlayer& player);
    void backOnline(const lum::OfflinePlayer& player);
    // A group's figures may have changed (logins, logouts, accounts).
    void summaryChanged();

private:
    void publish(FleetEventKind kind, const QString& player, const QString& group,
                 const QString& mac, const QString& text);
    void onPresence(const CClientRecord& record, bool online);
    void onActivity(int code, const CClientRecord& record, const QString& text);
    void onCommand(const CommandTarget& target, int index, int targeted, int delivered);
    void onAlert(const OfflinePlayer& player);
    void onBack(const OfflinePlayer& player);

    CAppSettings& settings_;
    CUserStore& store_;
    COnlineModel& online_;
    CControlServer& server_;
    ILogSink& log_;
    const QString dataFolder_;
    std::unique_ptr<OfflineAlerts> alerts_;
    std::unique_ptr<AlertCommandRunner> runner_;
    std::unique_ptr<MonitorEndpoint> endpoint_;
    quint64 logins_ = 0;
    quint64 logouts_ = 0;
    std::map<int, quint64> commandsByIndex_;
};

}  // namespace lum
