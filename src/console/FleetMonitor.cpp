#include "console/FleetMonitor.h"

#include "accounts/UserStore.h"
#include "console/OnlineModel.h"
#include "console/OnlineTexts.h"
#include "core/DataFolder.h"
#include "core/LogSink.h"
#include "monitor/AlertCommand.h"
#include "monitor/MonitorEndpoint.h"
#include "monitor/MonitorTexts.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "server/ServerTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QPointer>
#include <QRegularExpression>
#include <QThread>

namespace lum {

namespace t = monitor_texts;

namespace {

bool isOnline(const CClientRecord& r) {
    return r.status.compare(QLatin1String(online_texts::kStatusOffline), Qt::CaseInsensitive) != 0;
}

QString reportName(PlayerEvent code) {
    switch (code) {
    case PlayerEvent::StorageFiles: return QStringLiteral("storage file report");
    case PlayerEvent::DeleteDone: return QStringLiteral("files deleted");
    case PlayerEvent::Playlist: return QStringLiteral("playlist report");
    case PlayerEvent::PlayReport: return QStringLiteral("play report");
    default: return QString::number(int(code));
    }
}

QString graceText(qint64 ms) {
    if (ms % 60000 == 0) return QStringLiteral("%1 minutes").arg(ms / 60000);
    return QStringLiteral("%1 seconds").arg(double(ms) / 1000.0);
}

}  // namespace

QJsonObject playerJson(const CClientRecord& r) {
    return {{"name", r.name},         {"group", r.group},
            {"status", r.status},     {"online", isOnline(r)},
            {"alerted", r.alerted},   {"ip", r.ipAddress},
            {"mac", r.macAddress},    {"loginTime", r.loginTime},
            {"playlist", r.playlist}, {"description", r.description}};
}

FleetMonitor::FleetMonitor(CAppSettings& settings, CUserStore& store, COnlineModel& online,
                           CControlServer& server, ILogSink& log, QString dataFolder,
                           QObject* parent)
    : QObject(parent),
      settings_(settings),
      store_(store),
      online_(online),
      server_(server),
      log_(log),
      dataFolder_(std::move(dataFolder)),
      alerts_(std::make_unique<OfflineAlerts>()),
      runner_(std::make_unique<AlertCommandRunner>(&log)),
      endpoint_(std::make_unique<MonitorEndpoint>(
          [this] { return metricsExposition(snapshot()); },
          [this] { return QJsonDocument(playersJson()).toJson(QJsonDocument::Compact); })) {
    alerts_->setGraceSource([this] { return settings_.offlineGraceMs(); });
    runner_->setProgramSource([this] { return settings_.offlineCommand(); });

    connect(&online_, &COnlineModel::playerPresence, this,
            [this](const CClientRecord& r, bool on) { onPresence(r, on); });
    connect(&online_, &COnlineModel::playerActivity, this,
            [this](PlayerEvent code, const CClientRecord& r, const QString& text) {
                onActivity(int(code), r, text);
            });
    connect(&online_, &COnlineModel::commandPosted, this,
            [this](const CommandTarget& target, CommandIndex index, const PostResult& result) {
                onCommand(target, int(index), result.targeted, result.delivered);
            });
    connect(alerts_.get(), &OfflineAlerts::alertRaised, this, [this](const OfflinePlayer& p) { onAlert(p); });
    connect(alerts_.get(), &OfflineAlerts::backOnline, this, [this](const OfflinePlayer& p) { onBack(p); });
    // A deleted account is not alerted about; account changes move the group figures.
    connect(&store_, &CUserStore::userDeleted, this, [this](const QString& name) {
        alerts_->forget(name);
        Q_EMIT summaryChanged();
    });
    connect(&store_, &CUserStore::userAdded, this, [this] { Q_EMIT summaryChanged(); });
    connect(&store_, &CUserStore::userUpdated, this, [this] { Q_EMIT summaryChanged(); });
    connect(&store_, &CUserStore::groupUpdated, this, [this] { Q_EMIT summaryChanged(); });
    connect(&store_, &CUserStore::groupDeleted, this, [this] { Q_EMIT summaryChanged(); });
}

FleetMonitor::~FleetMonitor() = default;

void FleetMonitor::publish(FleetEventKind kind, const QString& player, const QString& group,
                           const QString& mac, const QString& text) {
    Q_EMIT fleetEvent(fleetEventJson({QDateTime::currentDateTime(), kind, player, group, mac, text}));
}

void FleetMonitor::onPresence(const CClientRecord& r, bool on) {
    if (on) {
        ++logins_;
        publish(FleetEventKind::Login, r.name, r.group, r.macAddress, r.ipAddress);
        alerts_->playerOnline(r.name, r.group, r.macAddress);
    } else {
        ++logouts_;
        publish(FleetEventKind::Logout, r.name, r.group, r.macAddress, r.ipAddress);
        // Stopping the server logs every player out: those are not alerts.
        if (server_.IsRunning()) alerts_->playerOffline(r.name, r.group, r.macAddress);
    }
    Q_EMIT summaryChanged();
}

void FleetMonitor::onActivity(int code, const CClientRecord& r, const QString& text) {
    if (PlayerEvent(code) == PlayerEvent::Status) {
        publish(FleetEventKind::Status, r.name, r.group, r.macAddress, text);
        return;
    }
    const QString what = reportName(PlayerEvent(code));
    publish(FleetEventKind::Report, r.name, r.group, r.macAddress,
            text.isEmpty() ? what : QStringLiteral("%1: %2").arg(what, text));
}

void FleetMonitor::onCommand(const CommandTarget& target, int index, int targeted, int delivered) {
    if (delivered > 0) commandsByIndex_[index] += quint64(delivered);
    QString player, group, mac;
    switch (target.kind) {
    case CommandTarget::Kind::Group: group = target.name; break;
    case CommandTarget::Kind::Player: player = target.name; break;
    case CommandTarget::Kind::Mac: mac = target.name; break;
    case CommandTarget::Kind::All: break;
    }
    publish(FleetEventKind::Command, player, group, mac,
            QStringLiteral("index %1: targeted %2, delivered %3").arg(index).arg(targeted).arg(delivered));
}

void FleetMonitor::onAlert(const OfflinePlayer& p) {
    const QString seen = p.lastSeen.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    log_.addLog(LogType::Error, p.mac,
                QString::fromLatin1(t::kPlayerOffline)
                    .arg(p.name, graceText(settings_.offlineGraceMs()), p.group, p.mac, seen));
    online_.setAlerted(p.name, true);
    publish(FleetEventKind::Alert, p.name, p.group, p.mac, QStringLiteral("offline since %1").arg(seen));
    runner_->run(p);
    Q_EMIT alertRaised(p);
    Q_EMIT summaryChanged();
}

void FleetMonitor::onBack(const OfflinePlayer& p) {
    log_.addLog(LogType::ServerEvent, p.mac,
                QString::fromLatin1(t::kPlayerBackOnline).arg(p.name, p.group, p.mac));
    online_.setAlerted(p.name, false);
    publish(FleetEventKind::BackOnline, p.name, p.group, p.mac, QStringLiteral("back online"));
    Q_EMIT backOnline(p);
    Q_EMIT summaryChanged();
}

void FleetMonitor::serverStopped() { alerts_->cancelPending(); }

bool FleetMonitor::listen(const QString& spec, QString* error) {
    if (spec.trimmed().isEmpty()) {
        endpoint_->close();
        return true;
    }
    QString why;
    if (!endpoint_->listen(spec, &why)) {
        log_.addLog(LogType::Error, QString(), QString::fromLatin1(t::kMonitorFailed).arg(spec, why));
        if (error) *error = why;
        return false;
    }
    log_.addLog(LogType::ServerEvent, QString(),
                QString::fromLatin1(t::kMonitorListening)
                    .arg(endpoint_->address().toString())
                    .arg(endpoint_->port()));
    return true;
}

std::vector<GroupCounts> FleetMonitor::groupCounts() const {
    std::vector<GroupCounts> out;
    for (const CUserGroup& g : store_.Groups())
        out.push_back({g.name, int(g.users.size()), online_.CountOnline(g.name)});
    return out;
}

std::pair<int, int> FleetMonitor::offlineOf(const QString& group) const {
    int known = 0, online = 0;
    for (const GroupCounts& g : groupCounts()) {
        if (!group.isEmpty() && g.group.compare(group, Qt::CaseInsensitive) != 0) continue;
        known += g.known;
        online += g.online;
    }
    return {std::max(0, known - online), known};
}

QString FleetMonitor::summaryText(const QString& group) const {
    const auto [offline, known] = offlineOf(group);
    return group.isEmpty() ? QString::fromLatin1(t::kFleetSummary).arg(offline).arg(known)
                           : QString::fromLatin1(t::kGroupSummary).arg(offline).arg(known).arg(group);
}

MetricsSnapshot FleetMonitor::snapshot() const {
    MetricsSnapshot m;
    m.serverUp = server_.IsRunning();
    m.version = QStringLiteral(LUM_VERSION);
    m.groups = groupCounts();
    m.connections = server_.CurrentConnections();
    m.logins = logins_;
    m.logouts = logouts_;
    m.bytesSent = server_.TotalBytesSent64();
    m.bytesReceived = server_.TotalBytesReceived64();
    m.alertsRaised = alerts_->alertsRaised();
    m.alertsActive = alerts_->activeAlerts();
    m.commandsByIndex = commandsByIndex_;
    return m;
}

QJsonArray FleetMonitor::playersJson() const {
    QJsonArray list;
    for (const CClientRecord& r : online_.records()) list.append(playerJson(r));
    return list;
}

PlayerDirectory FleetMonitor::playerDirectory() const {
    PlayerDirectory dir;
    auto identify = [this](const QString& name, PlayerIdentity* who) {
        CUserGroup g;
        CUser u;
        if (!store_.FindUser(name, &g, &u, 0)) return false;
        *who = {u.name, g.name};
        return true;
    };
    // Players' own log files name the account and the MAC: "[name]MAC.log". The newest file of
    // a MAC wins (the device changed hands last to that account).
    static const QRegularExpression kPlayerLog(QStringLiteral("^\\[(.+)\\](.+)\\.log$"));
    const QFileInfoList files = QDir(joinPath(dataFolder_, QString::fromLatin1(kLogDir)))
                                    .entryInfoList({QStringLiteral("*.log")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& f : files) {
        const QRegularExpressionMatch m = kPlayerLog.match(f.fileName());
        PlayerIdentity who;
        if (m.hasMatch() && identify(m.captured(1), &who)) dir.insert(normaliseMac(m.captured(2)), who);
    }
    // Who holds the MAC now beats any file.
    for (const CClientRecord& r : online_.records()) {
        if (r.macAddress.isEmpty()) continue;
        dir.insert(normaliseMac(r.macAddress), {r.name, r.group});
    }
    return dir;
}

QString FleetMonitor::playReportPath() const {
    return joinPath(joinPath(dataFolder_, QString::fromLatin1(kLogDir)),
                    QString::fromLatin1(server_texts::kPlayReportFile));
}

void FleetMonitor::playReport(const QJsonObject& request,
                              const std::function<void(const QJsonObject&)>& reply) {
    PlayReportFilter filter;
    for (const auto& [key, date] : {std::pair{"from", &filter.from}, std::pair{"to", &filter.to}}) {
        const QString text = request.value(QLatin1String(key)).toString();
        if (text.isEmpty()) continue;
        *date = QDate::fromString(text, Qt::ISODate);
        if (!date->isValid())
            return reply({{"ok", false}, {"error", QStringLiteral("--%1 needs a date YYYY-MM-DD, not '%2'").arg(key, text)}});
    }
    filter.group = request.value("group").toString();
    filter.player = request.value("player").toString();
    if (!filter.group.isEmpty() && !store_.FindGroup(filter.group, nullptr))
        return reply({{"ok", false}, {"error", QStringLiteral("unknown group '%1'").arg(filter.group)}});

    struct Result {
        std::vector<PlayReportRow> rows;
        PlayReportData data;
    };
    auto result = std::make_shared<Result>();
    QThread* worker = QThread::create([path = playReportPath(), dir = playerDirectory(), filter, result] {
        result->data = readPlayReport(path);
        result->rows = aggregatePlayReport(result->data, filter, dir);
        result->data.counts.clear();
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [result, reply] {
        QJsonArray rows;
        for (const PlayReportRow& r : result->rows)
            rows.append(QJsonObject{{"mac", r.mac},
                                    {"player", r.player},
                                    {"group", r.group},
                                    {"media", r.media},
                                    {"plays", double(r.plays)},
                                    {"first", r.first.toString(Qt::ISODate)},
                                    {"last", r.last.toString(Qt::ISODate)}});
        reply({{"ok", true},
               {"rows", rows},
               {"damagedLines", result->data.damagedLines},
               {"truncated", result->data.truncated}});
    });
    worker->start();
}

}  // namespace lum
