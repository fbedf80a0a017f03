#pragma once
// The application's long-lived objects and their start and stop order, without a window:
// settings, account store, log hub, online model, control server with its discovery responder,
// ticker worker, report panes and the local operator socket. lum-server runs it as it is; the
// windowed console puts its views on top.

#include <QObject>
#include <QString>

#include <memory>

class QSettings;

namespace lum {

class CAppSettings;
class CControlServer;
class CLogHub;
class COnlineModel;
class COperatorService;
class COperatorSocket;
class CRssThread;
class CUserStore;
class IOperatorPrompt;
class ReportCenter;
class UserStoreAccounts;
class ServerObserver;
class ServerConnections;
class CEditorRequests;
class FleetMonitor;

class CConsoleCore : public QObject {
    Q_OBJECT
public:
    // `samplesFolder`: the sample media the Home group's starter playlist lists.
    CConsoleCore(QString dataFolder, QString samplesFolder, IOperatorPrompt& prompt,
                 QObject* parent = nullptr);
    ~CConsoleCore() override;

    // Start-up: settings (written with defaults when missing), code page, account store, Home
    // group, log file, online model, server objects, ticker worker, operator socket.
    // False with a reason when the program cannot run.
    bool Init(QString* error);
    // Start and stop the control server (and its discovery responder) with the current settings.
    bool StartServer();
    void StopServer();
    bool IsServerRunning() const;
    // Exit: server, ticker worker, operator socket, then the log's closing line.
    void Shutdown();

    QString dataFolder() const { return dataFolder_; }
    CAppSettings& settings() { return *settings_; }
    CUserStore& store() { return *store_; }
    CLogHub& logHub() { return *logHub_; }
    COnlineModel& online() { return *online_; }
    CControlServer& server() { return *server_; }
    CRssThread& rss() { return *rss_; }
    ReportCenter& reports() { return *reports_; }
    FleetMonitor& fleet() { return *fleet_; }
    // The monitoring endpoint's address for this run instead of [MONITOR] LISTEN (set before
    // Init; lum-server --metrics).
    void setMonitorListenOverride(const QString& spec) { monitorOverride_ = spec; }
    IOperatorPrompt& prompt() { return prompt_; }
    // The operator socket's listening name (empty when it could not listen).
    QString operatorSocketName() const;

Q_SIGNALS:
    void serverStateChanged(bool running);

private:
    void log(const QString& text);

    const QString dataFolder_;
    const QString samplesFolder_;
    IOperatorPrompt& prompt_;

    std::unique_ptr<CAppSettings> settings_;
    std::unique_ptr<CUserStore> store_;
    std::unique_ptr<CLogHub> logHub_;
    std::unique_ptr<COnlineModel> online_;
    std::unique_ptr<UserStoreAccounts> accounts_;
    std::unique_ptr<ServerObserver> observer_;
    std::unique_ptr<CControlServer> server_;
    std::unique_ptr<ServerConnections> connections_;
    std::unique_ptr<CRssThread> rss_;
    std::unique_ptr<ReportCenter> reports_;
    std::unique_ptr<COperatorService> service_;
    std::unique_ptr<QSettings> profile_;
    std::unique_ptr<CEditorRequests> editorRequests_;
    std::unique_ptr<FleetMonitor> fleet_;
    std::unique_ptr<COperatorSocket> socket_;
    QString monitorOverride_;
    bool shutDown_ = false;
};

}  // namespace lum
