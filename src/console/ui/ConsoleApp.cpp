#include "console/ui/ConsoleApp.h"

#include "accounts/UserStore.h"
#include "accounts/ui/AccountView.h"
#include "console/ConsoleModels.h"
#include "console/ConsoleTexts.h"
#include "console/Languages.h"
#include "console/Backup.h"
#include "console/BackupTexts.h"
#include "console/EditorRequests.h"
#include "console/OnlineCommandPoster.h"
#include "console/OnlineCommandSender.h"
#include "console/OperatorService.h"
#include "console/ServerBridge.h"
#include "console/ui/LogPane.h"
#include "console/ui/MainFrame.h"
#include "core/Codepage.h"
#include "core/LogHub.h"
#include "core/DataFolder.h"
#include "server/AppSettings.h"
#include "media/MediaRequests.h"
#include "media/RssAccounts.h"
#include "media/RssThread.h"
#include "media/YuvImage.h"
#include "playlists/HomeGroup.h"
#include "playlists/ReportCenter.h"
#include "server/ControlServer.h"
#include "server/OperatorSocket.h"
#include "server/UserStoreAccounts.h"
#include "widgets/Icons.h"
#include "widgets/MessageBoxPrompt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTabWidget>
#include <QTableView>
#include <QFileInfo>
#include <QHostInfo>
#include <QLocale>
#include <QLockFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTranslator>

namespace lum {

namespace t = consoletexts;

QImage yuvToImage(const QString& path) {
    RgbPlanes planes;
    if (!readYuv(path, &planes)) return {};
    QImage image(planes.width, planes.height, QImage::Format_RGB888);
    for (int y = 0; y < planes.height; ++y) {
        uchar* line = image.scanLine(y);
        const int row = y * planes.width;
        for (int x = 0; x < planes.width; ++x) {
            line[3 * x] = uchar(planes.r[row + x]);
            line[3 * x + 1] = uchar(planes.g[row + x]);
            line[3 * x + 2] = uchar(planes.b[row + x]);
        }
    }
    return image;
}

CConsoleApp::CConsoleApp() = default;

CConsoleApp::~CConsoleApp() {
    // Exit order: settings, control server, log file, tray icon, language support. The
    // window goes first here because it refers to all of them.
    if (frame_) frame_->hide();
    // The server goes first: its connection threads report to the models and the log.
    if (server_) server_->Stop();
    frame_.reset();
    if (models_) models_->online().setConnections(nullptr);
    server_.reset();
    connections_.reset();
    observer_.reset();
    playerAccounts_.reset();
    operatorSocket_.reset();
    if (rss_) rss_->stop();
    rss_.reset();
    service_.reset();
    editorRequests_.reset();
    reports_.reset();
    sender_.reset();
    settings_.reset();
    logHub_.reset();  // writes "*** END OF APPLICATION ***"
    models_.reset();
    store_.reset();
    delete tray_;
    tray_ = nullptr;
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
}

QString CConsoleApp::instanceLockPath(const QString& applicationTitle) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    QString name = applicationTitle;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(dir).filePath(name + QStringLiteral(".lock"));
}

QString CConsoleApp::localAddress() {
    const QHostInfo info = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress& a : info.addresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) return a.toString();
    return QString::fromLatin1(t::kHostLookupFailed);
}

CConsoleApp::StartResult CConsoleApp::start(const Options& options) {
    options_ = options;
    if (options.prompt) {
        prompt_ = options.prompt;
    } else {
        boxPrompt_ = std::make_unique<CMessageBoxPrompt>();
        prompt_ = boxPrompt_.get();
    }

    // 1. Settings from config.ini in the data folder.
    dataDir_ = resolveDataFolder(options.dataDir, options.executableDir);
    if (dataDir_.isEmpty()) return StartResult::Failed;
    const QString iniPath = joinPath(dataDir_, QString::fromLatin1(kConfigFile));
    settings_ = std::make_unique<CAppSettings>(iniPath);
    settings_->Load();
    if (boxPrompt_) boxPrompt_->setTitle(settings_->applicationTitle());

    // 2. One console at a time; a second one ends without touching any file.
    lock_ = std::make_unique<QLockFile>(instanceLockPath(settings_->applicationTitle()));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        prompt_->message(QString::fromLatin1(t::kAlreadyRunning), IOperatorPrompt::Icon::Stop);
        lock_.reset();
        return StartResult::AlreadyRunning;
    }

    // 3. A fresh config.ini carries the machine's address.
    if (!QFileInfo::exists(iniPath)) {
        settings_->setLocalIpAddress(localAddress());
        if (!settings_->Save()) return StartResult::Failed;
    }
    setAnsiCodepage(codepageForLanguage(settings_->language()));

    // The account store ("server data/users.dat") and the panes' models.
    QDir().mkpath(joinPath(dataDir_, QString::fromLatin1(kServerDataDir)));
    store_ = std::make_unique<CUserStore>(dataDir_);
    store_->Load();
    models_ = std::make_unique<CConsoleModels>(*store_, *prompt_);

    // The log entry point (files opened at step 11) and the control server with its ways to
    // the account store and the online list.
    logHub_ = std::make_unique<CLogHub>(dataDir_, settings_->logLevel());
    playerAccounts_ = std::make_unique<UserStoreAccounts>(*store_);
    server_ = std::make_unique<CControlServer>(playerAccounts_.get(), logHub_.get());
    observer_ = std::make_unique<COnlineObserver>(models_->online());
    connections_ = std::make_unique<CServerConnections>(*server_);
    server_->SetObserver(observer_.get());
    server_->SetRssActive([this] { return rss_ && rss_->autoRss(); });
    models_->online().setConnections(connections_.get());

    // 7. Interface language.
    chooseLanguage();

    // 9. Main window.
    ServerCommands serverCommands;
    serverCommands.start = [this] { return startServer(); };
    serverCommands.stop = [this] { server_->Stop(); };
    serverCommands.running = [this] { return server_->IsRunning(); };
    MainFrameParts parts{*settings_, *models_, *prompt_, serverCommands, [this] { backup(); },
                         [this] { restore(); },
                         [this](const QString& group) { if (rss_) rss_->startRssFeeds(group); },
                         settings_->applicationTitle()};
    frame_ = std::make_unique<CMainFrame>(parts);
    if (boxPrompt_) boxPrompt_->setParent(frame_.get());
    const QString samples = joinPath(options_.executableDir, QStringLiteral("Samples"));
    ensureHomeGroup(*store_, dataDir_, samples);
    models_->tree().setStarterPlaylistWriter(
        [samples](const QString& path) { writeStarterPlaylist(path, samples); });
    models_->tree().FillTree();
    {
        QList<LanguageEntry> entries;
        for (const LanguageInfo& l : availableLanguages(options_.executableDir))
            entries.append({l.id, l.name});
        frame_->setLanguages(entries, languageId_);
        connect(frame_.get(), &CMainFrame::languageChosen, this, &CConsoleApp::onLanguageChosen);
    }
    QSettings profile;
    const bool placed = frame_->restorePlacements(profile);

    // The log pane's report tabs follow the players' report events.
    sender_ = std::make_unique<COnlineCommandSender>(models_->online());
    reports_ = std::make_unique<ReportCenter>(*store_, *sender_);
    connectReportCenter(models_->online(), *reports_);
    CLogPane* pane = frame_->logPane();
    pane->deviceView()->setModel(reports_->storageList());
    pane->reportView()->setModel(reports_->playlistReport());
    pane->setDeleteFiles([this] { reports_->deleteSelectedFiles(); });
    connect(reports_.get(), &ReportCenter::tabRequested, pane, [this, pane](int tab) {
        pane->setReportTitle(reports_->playlistReport()->tabLabel());
        pane->tabs()->setCurrentIndex(tab);
    });
    // A player that leaves takes its file and report lists with it.
    connect(&models_->online(), &COnlineModel::playerLoggedOut, reports_.get(), [this] {
        reports_->storageList()->clear();
        reports_->playlistReport()->clear();
    });

    // Zone images (".yuv") in the account pane's picture boxes.
    frame_->accountView()->setYuvReader([](const QString& path) { return yuvToImage(path); });

    // The local operator socket: lumctl drives this console like lum-server.
    poster_ = std::make_unique<COnlineCommandPoster>(models_->online());
    // lumctl's start and stop go through the window, so its status bar follows.
    ServerControl control;
    control.start = [this] {
        frame_->startServer();
        return server_->IsRunning();
    };
    control.stop = [this] { frame_->stopServer(); };
    control.status = [this] { return serverStatusJson(*server_); };
    service_ = std::make_unique<COperatorService>(*store_, models_->online(), control);
    editorRequests_ = std::make_unique<CEditorRequests>(*store_, *sender_, dataDir_);
    operatorSocket_ = std::make_unique<COperatorSocket>([this](const QJsonObject& request) {
        QJsonObject reply;
        const MediaServices media{dataDir_, rss_.get(), poster_.get(),
                                  [this] { return store_->GroupNames(); }};
        if (handleMediaRequest(request, media, &reply)) return reply;
        if (std::optional<QJsonObject> r = editorRequests_->handle(request)) return *r;
        return service_->handle(request);
    });
    operatorSocket_->listen(dataDir_);

    // 10. Tray icon; its menu is the "&Server" menu.
    createTray();

    // 11. The log: "Log/ftptrace.log" and the player files, shown in the log pane.
    connect(logHub_.get(), &CLogHub::recordAdded, models_.get(),
            [this](const CLogRecord& r, const QString& line) { models_->log().addRecord(r.type, r.key, line); });
    frame_->logPane()->setDropPending([this] { logHub_->dropPending(); });
    logHub_->open();

    // 12. Start in the tray only when there is a tray to come back from.
    const bool toTray = settings_->startInTray() && tray_;
    if (options.showWindow && !toTray) {
        if (placed) frame_->show();
        else {
            // Without a window manager "maximised" means nothing; fill the screen anyway.
            if (QScreen* screen = frame_->screen()) frame_->setGeometry(screen->availableGeometry());
            frame_->showMaximized();
        }
    }

    // 13. The control server at start-up when the settings say so.
    if (settings_->autoActivate() && options.allowAutoActivate) frame_->startServer();

    // 14. The ticker worker: refreshes the RSS channels and rebuilds the groups' tickers.
    rss_ = std::make_unique<CRssThread>(dataDir_, rssGroupsOf(*store_), poster_.get());
    connectRssGroupUpkeep(*store_, *rss_);
    rss_->start();
    return StartResult::Started;
}

void CConsoleApp::chooseLanguage() {
    QSettings profile;
    const QString profileId =
        profile.value(QStringLiteral("LanguageId"), QString::fromLatin1(kBuiltInLanguageId)).toString();
    const LanguageInfo lang = lum::chooseLanguage(availableLanguages(options_.executableDir),
                                                  profileId, QLocale::system().uiLanguages());
    languageId_ = lang.id;
    if (!lang.qmPath.isEmpty()) {
        translator_ = std::make_unique<QTranslator>();
        if (translator_->load(lang.qmPath)) QCoreApplication::installTranslator(translator_.get());
        else translator_.reset();
    }
}

void CConsoleApp::onLanguageChosen(const QString& id) {
    QSettings profile;
    profile.setValue(QStringLiteral("LanguageId"), id);
    // The notice comes in the newly chosen language when its translation has it.
    QString text = QString::fromLatin1(t::kPleaseRestart);
    for (const LanguageInfo& l : availableLanguages(options_.executableDir)) {
        if (l.id != id || l.qmPath.isEmpty()) continue;
        QTranslator tr;
        if (tr.load(l.qmPath)) {
            const QString translated = tr.translate("lum", t::kPleaseRestart);
            if (!translated.isEmpty()) text = translated;
        }
    }
    prompt_->message(text.arg(settings_->applicationTitle()), IOperatorPrompt::Icon::Information);
}

bool CConsoleApp::startServer() {
    // The start copies the current settings into the server, as the operator may have changed
    // them in the configuration dialog since.
    server_->ApplySettings(*settings_);
    server_->SetProgramFolder(dataDir_);
    logHub_->setLogLevel(settings_->logLevel());
    return server_->Start();
}

void CConsoleApp::backup() {
    namespace b = backup_texts;
    QFileDialog dlg(frame_.get());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QString::fromLatin1(b::kDefaultExtension));
    dlg.setNameFilter(QString::fromLatin1(b::kFilter));
    dlg.selectFile(QString::fromLatin1(b::kDefaultName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    backupSettings(dlg.selectedFiles().constFirst(), dataDir_, store_.get(), *prompt_);
}

void CConsoleApp::restore() {
    namespace b = backup_texts;
    QFileDialog dlg(frame_.get());
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QString::fromLatin1(b::kDefaultExtension));
    dlg.setNameFilter(QString::fromLatin1(b::kFilter));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    restoreSettings(dlg.selectedFiles().constFirst(), dataDir_, store_.get(), *prompt_,
                    settings_->applicationTitle());
}

void CConsoleApp::createTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray_ = new QSystemTrayIcon(icons::application());
    tray_->setToolTip(settings_->applicationTitle());
    tray_->setContextMenu(frame_->serverMenu());
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r != QSystemTrayIcon::DoubleClick || !frame_) return;
        if (frame_->isMinimized()) frame_->showNormal();
        else frame_->show();
        frame_->raise();
        frame_->activateWindow();
    });
    tray_->show();
}

}  // namespace lum
