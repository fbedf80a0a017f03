#include "console/ConsoleCore.h"

#include "accounts/UserStore.h"
#include "console/EditorRequests.h"
#include "console/FleetMonitor.h"
#include "console/OnlineModel.h"
#include "console/OperatorService.h"
#include "console/ServerLinks.h"
#include "core/AppProfile.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/HandedRecord.h"
#include "core/LogHub.h"
#include "core/LogTexts.h"
#include "core/OperatorPrompt.h"
#include "media/MediaRequests.h"
#include "media/RssAccounts.h"
#include "media/RssThread.h"
#include "monitor/MonitorEndpoint.h"
#include "playlists/HandedFiles.h"
#include "playlists/HomeGroup.h"
#include "playlists/ReportCenter.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "server/OperatorSocket.h"
#include "server/UserStoreAccounts.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QSettings>

namespace lum {

CConsoleCore::CConsoleCore(QString dataFolder, QString samplesFolder, IOperatorPrompt& prompt,
                           QObject* parent)
    : QObject(parent),
      dataFolder_(std::move(dataFolder)),
      samplesFolder_(std::move(samplesFolder)),
      prompt_(prompt) {}

CConsoleCore::~CConsoleCore() { Shutdown(); }

void CConsoleCore::log(const QString& text) {
    if (logHub_) logHub_->addLog(LogType::ServerEvent, QString(), text);
}

bool CConsoleCore::Init(QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };

    const QString iniPath = joinPath(dataFolder_, kConfigFile);
    const bool hadConfig = QFileInfo::exists(iniPath);
    settings_ = std::make_unique<CAppSettings>(iniPath);
    settings_->Load();
    setAnsiCodepage(codepageForLanguage(settings_->language()));
    if (!hadConfig && !settings_->Save()) return fail(QStringLiteral("cannot write %1").arg(iniPath));

    QDir().mkpath(joinPath(dataFolder_, kLogDir));
    logHub_ = std::make_unique<CLogHub>(dataFolder_, settings_->logLevel());
    logHub_->setLogLevelSource([s = settings_.get()] { return s->logLevel(); });
    // The operator must know that nothing will be logged: a red line in a log nobody keeps is
    // not enough.
    if (!logHub_->open())
        prompt_.message(QString::fromLatin1(log_texts::kCannotOpenFile).arg(logHub_->tracePath()),
                        IOperatorPrompt::Icon::Stop);

    store_ = std::make_unique<CUserStore>(dataFolder_);
    if (!store_->Load()) {
        // The next change rewrites users.dat: the operator must know where the old one is.
        const QString kept = store_->DamagedCopy();
        const QString text =
            kept.isEmpty()
                ? QStringLiteral("The account file %1 was damaged and could not be copied aside; "
                                 "the accounts after the damage were dropped.")
                      .arg(store_->filePath())
                : QStringLiteral("The account file %1 was damaged; it was kept as %2 and the "
                                 "accounts after the damage were dropped.")
                      .arg(store_->filePath(), kept);
        logHub_->addLog(LogType::Error, QString(), text);
        prompt_.message(text, IOperatorPrompt::Icon::Stop);
    }
    // A data folder from before the record of handed files gets one for what users.dat names.
    if (!CHandedRecord(dataFolder_).exists() && !seedHandedRecord(*store_))
        return fail(QStringLiteral("cannot write %1").arg(CHandedRecord(dataFolder_).filePath()));
    const HomeGroupReport home = ensureHomeGroup(*store_, dataFolder_, samplesFolder_);
    for (const QString& dir : home.failedFolders)
        log(QStringLiteral("Cannot create the home directory %1").arg(dir));
    if (!store_->Save()) return fail(QStringLiteral("cannot write %1").arg(store_->filePath()));

    online_ = std::make_unique<COnlineModel>(*store_);
    online_->setLog(logHub_.get());
    accounts_ = std::make_unique<UserStoreAccounts>(*store_);
    observer_ = std::make_unique<ServerObserver>(*online_, *logHub_);
    server_ = std::make_unique<CControlServer>(accounts_.get(), logHub_.get());
    server_->SetObserver(observer_.get());
    server_->SetProgramFolder(dataFolder_);
    connections_ = std::make_unique<ServerConnections>(*server_);
    online_->setConnections(connections_.get());

    // Deleting a group takes its rows with it; account changes reach the rows.
    connect(store_.get(), &CUserStore::groupDeleted, online_.get(), [this](const QString& name) {
        online_->RemoveGroupRows(name);
        CHandedRecord(dataFolder_).removeGroup(name);
    });
    connect(store_.get(), &CUserStore::userDeleted, online_.get(),
            [this](const QString& name, const QString&) { online_->RemoveClient(name); });
    connect(store_.get(), &CUserStore::userUpdated, online_.get(),
            [this](const QString& oldName, const CUser& u) {
                if (oldName != u.name) online_->RenameClient(oldName, u.name);
                online_->UpdateClientInfo(u);
            });
    connect(store_.get(), &CUserStore::groupUpdated, online_.get(),
            [this](const QString& oldName, const CUserGroup& g) {
                if (oldName != g.name) {
                    online_->RenameGroup(oldName, g.name);
                    CHandedRecord(dataFolder_).renameGroup(oldName, g.name);
                }
                online_->RefreshGroups();
            });

    rss_ = std::make_unique<CRssThread>(dataFolder_, rssGroupsOf(*store_), online_.get());
    connectRssGroupUpkeep(*store_, *rss_);
    connect(rss_.get(), &CRssThread::configurationRefused, this, [this](const QString& why) {
        logHub_->addLog(LogType::Error, QString(), QStringLiteral("RSS configuration refused: %1").arg(why));
    });
    // Path resolution serves "autorss.txt" only while the ticker is on.
    server_->SetRssActive([rss = rss_.get()] { return rss->autoRss(); });
    rss_->start();

    reports_ = std::make_unique<ReportCenter>(*store_, *online_);
    connect(online_.get(), &COnlineModel::reportEvent, reports_.get(),
            [reports = reports_.get()](PlayerEvent code, const QString& player, const QString& mac) {
                reports->playerEvent(code, player, mac);
            });

    fleet_ = std::make_unique<FleetMonitor>(*settings_, *store_, *online_, *server_, *logHub_,
                                            dataFolder_);
    service_ = std::make_unique<COperatorService>(
        *store_, *online_,
        ServerControl{[this] { return StartServer(); }, [this] { StopServer(); },
                      [this] {
                          const CControlServer& s = *server_;
                          const MetricsSnapshot m = fleet_->snapshot();
                          return QJsonObject{{"running", s.IsRunning()},
                                             {"version", m.version},
                                             {"logins", double(m.logins)},
                                             {"logouts", double(m.logouts)},
                                             {"alertsRaised", double(m.alertsRaised)},
                                             {"alertsActive", m.alertsActive},
                                             {"eventSubscribers", socket_ ? socket_->subscriberCount() : 0},
                                             {"port", int(s.IsRunning() ? s.ListeningPort() : s.Port())},
                                             {"connections", s.CurrentConnections()},
                                             {"totalConnections", s.TotalConnections()},
                                             {"bytesSent", qint64(s.TotalBytesSent())},
                                             {"bytesReceived", qint64(s.TotalBytesReceived())},
                                             {"filesSent", s.FilesSent()},
                                             {"filesReceived", s.FilesReceived()},
                                             {"sendsAborted", s.SendsAborted()},
                                             {"receivesAborted", s.ReceivesAborted()}};
                      }});
    profile_ = openAppProfile();
    editorRequests_ =
        std::make_unique<CEditorRequests>(*store_, *online_, dataFolder_, profile_.get());
    socket_ = std::make_unique<COperatorSocket>(
        [this](const QJsonObject& request, const COperatorSocket::Reply& reply) {
            if (auto answer = editorRequests_->handle(request)) return reply(*answer);
            const MediaServices services{dataFolder_, rss_.get(), online_.get(),
                                         [this] { return store_->GroupNames(); }};
            if (handleMediaRequest(request, services, reply)) return;
            if (request.value("verb").toString() == QLatin1String("playreport"))
                return fleet_->playReport(request, reply);
            reply(service_->handle(request));
        });
    QString socketError;
    if (!socket_->listen(dataFolder_, &socketError))
        return fail(QStringLiteral("operator socket: %1").arg(socketError));
    connect(fleet_.get(), &FleetMonitor::fleetEvent, socket_.get(), &COperatorSocket::publish);
    // A monitoring endpoint that cannot listen is logged; the console runs on without it.
    fleet_->listen(monitorOverride_.isEmpty() ? settings_->monitorListen() : monitorOverride_);
    return true;
}

bool CConsoleCore::StartServer() {
    if (!server_ || server_->IsRunning()) return false;
    server_->ApplySettings(*settings_);
    logHub_->setLogLevel(settings_->logLevel());
    if (!server_->Start()) return false;
    Q_EMIT serverStateChanged(true);
    return true;
}

void CConsoleCore::StopServer() {
    if (!server_ || !server_->IsRunning()) return;
    server_->Stop();
    // The players the operator disconnected are not offline alerts.
    if (fleet_) fleet_->serverStopped();
    Q_EMIT serverStateChanged(false);
}

bool CConsoleCore::IsServerRunning() const { return server_ && server_->IsRunning(); }

QString CConsoleCore::operatorSocketName() const { return socket_ ? socket_->serverName() : QString(); }

void CConsoleCore::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (socket_) socket_->close();
    if (fleet_) fleet_->endpoint().close();
    StopServer();
    if (rss_) rss_->stop();
    if (logHub_) logHub_->close();
}

}  // namespace lum
