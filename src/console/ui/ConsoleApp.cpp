#include "console/ui/ConsoleApp.h"

#include "accounts/AccountTexts.h"
#include "accounts/UserStore.h"
#include "accounts/ui/AccountView.h"
#include "console/Backup.h"
#include "console/BackupTexts.h"
#include "console/ConsoleCore.h"
#include "console/ConsoleModels.h"
#include "console/ConsoleTexts.h"
#include "console/FleetMonitor.h"
#include "console/Languages.h"
#include "console/ui/LogPane.h"
#include "console/ui/MainFrame.h"
#include "core/AppProfile.h"
#include "media/ui/DlgMPLEditor.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/LogHub.h"
#include "media/AutoconfigTexts.h"
#include "media/MediaTexts.h"
#include "media/RssThread.h"
#include "media/YuvImage.h"
#include "monitor/MonitorTexts.h"
#include "monitor/ui/PlayReportWindow.h"
#include "playlists/HomeGroup.h"
#include "playlists/ReportCenter.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "widgets/FixedTextProxy.h"
#include "widgets/Icons.h"
#include "widgets/MessageBoxPrompt.h"
#include "widgets/UiTexts.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHostInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTableView>
#include <QTranslator>

namespace lum {

namespace t = console_texts;

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

QList<const char*> operatorMessageTemplates() {
    return {account_texts::kAlreadyExistsReplace, account_texts::kGroupMissing,
            account_texts::kGroupRenameExists,    account_texts::kFolderFailed,
            backup_texts::kAskRestore,           backup_texts::kCannotRestore,
            backup_texts::kPleaseRestart,        t::kSettingsSaveFailed,
            t::kLogCannotCreate,                 media_texts::kCannotConnect,
            media_texts::kCannotSave,            autoconfig_texts::kCannotWrite};
}

CConsoleApp::CConsoleApp() = default;

CConsoleApp::~CConsoleApp() {
    // Exit: the window's positions were stored when it closed. Then the server (its threads
    // report to the models and the log), the ticker, the operator socket and the log's closing
    // line; the window and the models go before the objects they show; tray and language last.
    if (frame_) frame_->hide();
    if (core_) core_->Shutdown();
    frame_.reset();
    models_.reset();
    core_.reset();
    delete tray_;
    tray_ = nullptr;
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
    if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
    qtTranslator_.reset();
}

CAppSettings* CConsoleApp::settings() const { return core_ ? &core_->settings() : nullptr; }
CUserStore* CConsoleApp::store() const { return core_ ? &core_->store() : nullptr; }
CLogHub* CConsoleApp::logHub() const { return core_ ? &core_->logHub() : nullptr; }
CControlServer* CConsoleApp::server() const { return core_ ? &core_->server() : nullptr; }
ReportCenter* CConsoleApp::reports() const { return core_ ? &core_->reports() : nullptr; }

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
        boxPrompt_->setTextFilter([templates = operatorMessageTemplates()](const QString& text) {
            return translateFixedText(text, templates);
        });
        prompt_ = boxPrompt_.get();
    }

    dataDir_ = resolveDataFolder(options.dataDir, options.executableDir);
    if (dataDir_.isEmpty()) return StartResult::Failed;
    const QString iniPath = joinPath(dataDir_, QString::fromLatin1(kConfigFile));
    const QString title = CAppSettings(iniPath).applicationTitle();
    if (boxPrompt_) boxPrompt_->setTitle(title);

    // One console at a time; a second one ends before it touches any file.
    lock_ = std::make_unique<QLockFile>(instanceLockPath(title));
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        prompt_->message(QString::fromLatin1(t::kAlreadyRunning), IOperatorPrompt::Icon::Stop);
        lock_.reset();
        return StartResult::AlreadyRunning;
    }

    // Settings, account store with the Home group, log file, online list, server objects,
    // ticker worker and the operator socket (lumctl drives this console like lum-server).
    const bool hadConfig = QFileInfo::exists(iniPath);
    core_ = std::make_unique<CConsoleCore>(
        dataDir_, samplesFolder(options.executableDir), *prompt_);
    QString error;
    if (!core_->Init(&error)) {
        prompt_->message(error, IOperatorPrompt::Icon::Stop);
        return StartResult::Failed;
    }
    // A fresh config.ini carries the machine's address.
    if (!hadConfig) {
        core_->settings().setLocalIpAddress(localAddress());
        if (!core_->settings().Save()) return StartResult::Failed;
    }
    models_ = std::make_unique<CConsoleModels>(core_->store(), core_->online());
    connect(&core_->logHub(), &CLogHub::recordAdded, models_.get(),
            [this](const CLogRecord& r, const QString& line) { models_->log().addRecord(r.type, r.key, line); });

    chooseLanguage();

    // The main window, its panes filled.
    ServerCommands serverCommands;
    serverCommands.start = [this] { return core_->StartServer(); };
    serverCommands.stop = [this] { core_->StopServer(); };
    serverCommands.running = [this] { return core_->IsServerRunning(); };
    MainFrameParts parts{core_->settings(), *models_, *prompt_, serverCommands,
                         [this] { backup(); }, [this] { restore(); },
                         [this](const QString& group) { return core_->rss().startRssFeeds(group); },
                         title, &core_->logHub(), samplesFolder(options.executableDir)};
    parts.rss = &core_->rss();
    frame_ = std::make_unique<CMainFrame>(parts);
    if (boxPrompt_) boxPrompt_->setParent(frame_.get());
    // lumctl's start and stop show in the status bar as the menu's do.
    connect(core_.get(), &CConsoleCore::serverStateChanged, frame_.get(), &CMainFrame::setServerState);
    const QString samples = samplesFolder(options.executableDir);
    models_->tree().setStarterPlaylistWriter(
        [samples](const QString& path) { writeStarterPlaylist(path, samples); });
    models_->tree().FillTree();
    frame_->logPane()->setDropPending([this] { core_->logHub().dropPending(); });
    frame_->accountView()->setYuvReader([](const QString& path) { return yuvToImage(path); });
    wireReports();
    {
        QList<LanguageEntry> entries;
        for (const LanguageInfo& l : availableLanguages(translationsFolder(options_.executableDir)))
            entries.append({l.id, l.name});
        frame_->setLanguages(entries, languageId_);
        connect(frame_.get(), &CMainFrame::languageChosen, this, &CConsoleApp::onLanguageChosen);
    }
    const bool placed = frame_->restorePlacements(*openAppProfile());

    // The tray icon; its menu is the "&Server" menu.
    createTray();

    wireFleet();

    // Start in the tray only when there is a tray to come back from.
    const bool toTray = core_->settings().startInTray() && tray_;
    if (options.showWindow && !toTray) {
        if (placed) {
            frame_->show();
        } else {
            // Without a window manager "maximised" means nothing; fill the screen anyway.
            if (QScreen* screen = frame_->screen()) frame_->setGeometry(screen->availableGeometry());
            frame_->showMaximized();
        }
    }

    // The control server at start-up when the settings say so.
    if (core_->settings().autoActivate() && options.allowAutoActivate) frame_->startServer();
    return StartResult::Started;
}

void CConsoleApp::wireReports() {
    ReportCenter& reports = core_->reports();
    CLogPane* pane = frame_->logPane();
    // The headings show in the operator's language; the models keep theirs.
    auto* device = new CFixedTextProxy(pane);
    device->setSourceModel(reports.storageList());
    auto* playlist = new CFixedTextProxy(pane);
    playlist->setSourceModel(reports.playlistReport());
    pane->setReportModels(device, playlist);
    pane->setDeleteFiles([this] { core_->reports().deleteSelectedFiles(); });
    connect(&reports, &ReportCenter::tabRequested, pane, [&reports, pane](int tab) {
        pane->setReportTitle(reports.playlistReport()->tabLabel());
        pane->tabs()->setCurrentIndex(tab);
    });
    // While the Playlist Commander lists a player's files, that player's storage report is its.
    reports.setStorageForward([commander = QPointer<CDlgMPLEditor>(frame_->commander())](
                                  const QString& player, const QString& mac, const QString& report) {
        return commander && commander->takeStorageReport(player, mac, report);
    });
    // A player that leaves takes its file and report lists with it.
    connect(&core_->online(), &COnlineModel::playerLoggedOut, &reports, [&reports] {
        reports.storageList()->clear();
        reports.playlistReport()->clear();
    });
}

void CConsoleApp::wireFleet() {
    namespace mt = monitor_texts;
    FleetMonitor& fleet = core_->fleet();
    auto notify = [this](const char* title, const QString& text, bool warning) {
        notices_.append(text);
        if (tray_)
            tray_->showMessage(uiText(title), text,
                               warning ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information);
    };
    connect(&fleet, &FleetMonitor::alertRaised, this, [notify](const OfflinePlayer& p) {
        notify(mt::kNoticeOfflineTitle,
               uiText(mt::kNoticeOffline).arg(p.name, p.group,
                                              p.lastSeen.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
               true);
    });
    connect(&fleet, &FleetMonitor::backOnline, this, [notify](const OfflinePlayer& p) {
        notify(mt::kNoticeBackTitle, uiText(mt::kNoticeBack).arg(p.name, p.group), false);
    });

    // The selected group's figures (the player's group for a player, the fleet for the root).
    auto summary = [this] {
        const CommandTarget target = frame_->currentTarget();
        QString group;
        if (target.kind == CommandTarget::Kind::Group) {
            group = target.name;
        } else if (target.kind == CommandTarget::Kind::Player) {
            CUserGroup g;
            if (core_->store().FindUser(target.name, &g, nullptr, 0)) group = g.name;
        }
        const auto [offline, known] = core_->fleet().offlineOf(group);
        frame_->showFleetSummary(group.isEmpty()
                                     ? uiText(mt::kFleetSummary).arg(offline).arg(known)
                                     : uiText(mt::kGroupSummary).arg(offline).arg(known).arg(group));
    };
    connect(&fleet, &FleetMonitor::summaryChanged, frame_.get(), summary);
    connect(frame_->accountView(), &CAccountView::selectionChanged, frame_.get(), summary);
    summary();

    // "&Tools" > "Play Report": reads Log/PlayReport.txt with who each MAC belongs to now.
    QAction* report = frame_->toolsMenu()->addAction(uiText(mt::kPlayReportTitle));
    report->setObjectName(QStringLiteral("PlayReportAction"));
    connect(report, &QAction::triggered, this, [this] {
        auto* window = new CPlayReportWindow(
            core_->fleet().playReportPath(), [this] { return core_->fleet().playerDirectory(); },
            core_->store().GroupNames(), frame_.get());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    });
}

void CConsoleApp::chooseLanguage() {
    const QString profileId =
        openAppProfile()->value(QStringLiteral("LanguageId"), QString::fromLatin1(kBuiltInLanguageId)).toString();
    const LanguageInfo lang =
        lum::chooseLanguage(availableLanguages(translationsFolder(options_.executableDir)),
                            profileId, QLocale::system().uiLanguages());
    languageId_ = lang.id;
    // The settings dialog shows the language the console runs in, and files take its code page.
    const int index = languageIndexForId(lang.id);
    if (core_->settings().language() != index) {
        core_->settings().setLanguage(index);
        core_->settings().Save();
        setAnsiCodepage(codepageForLanguage(index));
    }
    if (!lang.qmPath.isEmpty()) {
        translator_ = std::make_unique<QTranslator>();
        if (translator_->load(lang.qmPath)) QCoreApplication::installTranslator(translator_.get());
        else translator_.reset();
        // OK, Cancel, Yes, No and the file dialogs come from Qt's translation when installed.
        qtTranslator_ = std::make_unique<QTranslator>();
        if (translator_ && qtTranslator_->load(QStringLiteral("qtbase_") + lang.id,
                                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtTranslator_.get());
        else qtTranslator_.reset();
    }
}

void CConsoleApp::onLanguageChosen(const QString& id) {
    openAppProfile()->setValue(QStringLiteral("LanguageId"), id);
    core_->settings().setLanguage(languageIndexForId(id));
    core_->settings().Save();
    frame_->checkLanguage(id);
    // The notice comes in the newly chosen language when its translation has it.
    QString text = QString::fromLatin1(t::kPleaseRestart);
    for (const LanguageInfo& l : availableLanguages(translationsFolder(options_.executableDir))) {
        if (l.id != id || l.qmPath.isEmpty()) continue;
        QTranslator tr;
        if (tr.load(l.qmPath)) {
            const QString translated = tr.translate("lum", t::kPleaseRestart);
            if (!translated.isEmpty()) text = translated;
        }
    }
    text = text.arg(core_->settings().applicationTitle());
    // Already in the chosen language: the boxes would put it back into the running one.
    if (prompt_ == boxPrompt_.get()) boxPrompt_->messageAsIs(text, IOperatorPrompt::Icon::Information);
    else prompt_->message(text, IOperatorPrompt::Icon::Information);
}

void CConsoleApp::backup() {
    namespace b = backup_texts;
    QFileDialog dlg(frame_.get());
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QString::fromLatin1(b::kDefaultExtension));
    dlg.setNameFilter(uiText(b::kFilter));
    dlg.selectFile(QString::fromLatin1(b::kDefaultName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    backupSettings(dlg.selectedFiles().constFirst(), dataDir_, &core_->store(), *prompt_);
}

void CConsoleApp::restore() {
    namespace b = backup_texts;
    QFileDialog dlg(frame_.get());
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(QString::fromLatin1(b::kDefaultExtension));
    dlg.setNameFilter(uiText(b::kFilter));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    restoreSettings(dlg.selectedFiles().constFirst(), dataDir_, &core_->store(), *prompt_,
                    core_->settings().applicationTitle());
}

void CConsoleApp::createTray() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray_ = new QSystemTrayIcon(icons::application());
    tray_->setToolTip(core_->settings().applicationTitle());
    tray_->setContextMenu(frame_->trayMenu());
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
