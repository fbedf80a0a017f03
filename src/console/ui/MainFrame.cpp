#include "console/ui/MainFrame.h"

#include "accounts/AccountTreeModel.h"
#include "accounts/UserStore.h"
#include "accounts/ui/AccountView.h"
#include "console/ConsoleModels.h"
#include "console/ConsoleTexts.h"
#include "console/Languages.h"
#include "console/PlaylistHandover.h"
#include "media/ui/DlgMPLEditor.h"
#include "console/ui/LogPane.h"
#include "console/ui/OnlineView.h"
#include "console/ui/PasswordDialogs.h"
#include "console/ui/WindowPlacement.h"
#include "core/AppProfile.h"
#include "core/LogSink.h"
#include "core/OperatorPrompt.h"
#include "media/ui/DlgImageEditor.h"
#include "media/ui/DlgInstantJpeg.h"
#include "media/ui/MediaWindowTexts.h"
#include "playlists/OperatorFileTexts.h"
#include "media/ui/DlgClientSetup.h"
#include "media/ui/DlgRssMessage.h"
#include "playlists/PlaylistDocument.h"
#include "playlists/ui/DlgInstantMessage.h"
#include "playlists/ui/DlgPlaylistScheduler.h"
#include "playlists/ui/DlgScreenLabel.h"
#include "server/AppSettings.h"
#include "server/ui/SettingsDialog.h"
#include "widgets/Icons.h"
#include "widgets/UiTexts.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QToolButton>

namespace lum {

namespace t = console_texts;

namespace {
QString L(const char* s) { return uiText(s); }
constexpr int kDefaultLogWidth = 200;
constexpr int kDefaultLogHeight = 100;
constexpr int kDefaultCommanderSize = 200;
// showCmd of a pane that was closed: it stays closed at the next start.
constexpr int kHiddenShowCmd = 0;
}  // namespace

CMainFrame::CMainFrame(MainFrameParts parts, QWidget* parent)
    : QMainWindow(parent), parts_(std::move(parts)),
      commands_(parts_.models.online(), parts_.prompt) {
    setObjectName(QStringLiteral("MainFrm"));
    setWindowTitle(parts_.applicationTitle);
    setWindowIcon(icons::application());
    setMinimumSize(1150, 500);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);

    CConsoleModels& m = parts_.models;
    onlineView_ = new COnlineView(&m.online(), COnlineModel::ImageRole, COnlineModel::MacRole, this);
    onlineView_->setTranslatedColumns({COnlineModel::ColStatus});
    onlineView_->setAccessibleName(tr("Online players"));
    setCentralWidget(onlineView_);

    accountView_ = new CAccountView(m.store(), m.tree(), parts_.prompt);
    accountDock_ = new QDockWidget(this);
    accountDock_->setObjectName(QStringLiteral("AccountBar"));
    accountDock_->setWindowTitle(tr("Account"));
    accountView_->tree()->setAccessibleName(accountDock_->windowTitle());
    accountDock_->setWidget(accountView_);
    accountDock_->setFeatures(QDockWidget::DockWidgetMovable);
    addDockWidget(Qt::LeftDockWidgetArea, accountDock_);

    logPane_ = new CLogPane(m.log(), parts_.prompt);
    logDock_ = new QDockWidget(this);
    logDock_->setObjectName(QStringLiteral("LogBar"));
    logDock_->setWindowTitle(L(t::kLogTabData));
    logDock_->setWidget(logPane_);
    logDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    addDockWidget(Qt::BottomDockWidgetArea, logDock_);
    resizeDocks({logDock_}, {kDefaultLogHeight}, Qt::Vertical);
    resizeDocks({accountDock_}, {kDefaultLogWidth + 60}, Qt::Horizontal);

    buildStatusBar();
    createCommanderPane();
    buildMenus();
    createContentActions();
    buildToolBar();
    // The tree root's menu: "Start" and "Stop" of the server, "New Group", "E&xit".
    QList<QAction*> rootActions;
    if (parts_.server.start) {
        rootStart_ = new QAction(tr("Start"), this);
        rootStop_ = new QAction(tr("Stop"), this);
        connect(rootStart_, &QAction::triggered, this, &CMainFrame::startServer);
        connect(rootStop_, &QAction::triggered, this, &CMainFrame::stopServer);
        rootActions << rootStart_ << rootStop_;
    }
    rootActions << action(cmd::NewGroup) << nullptr << action(cmd::Exit);
    accountView_->setRootActions(rootActions);

    connect(accountView_, &CAccountView::showClients, this, [this](const CommandTarget& filter) {
        parts_.models.online().ShowClients(filter);
        updateActions();
    });
    connect(accountView_, &CAccountView::statusMessage, message_, &QLabel::setText);
    connect(accountView_, &CAccountView::selectionChanged, this, &CMainFrame::updateActions);
    connect(accountView_, &CAccountView::selectionChanged, this, &CMainFrame::showGroupPictures);
    connect(onlineView_, &COnlineView::macClicked, this,
            [this](const QString& mac) { parts_.models.log().SetClientFilter(mac); });
    connect(onlineView_, &COnlineView::selectionChangedRows, this, &CMainFrame::updateActions);
    COnlineModel& online = m.online();
    for (auto sig : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&online, sig, this, &CMainFrame::updateActions);
    connect(&online, &QAbstractItemModel::modelReset, this, &CMainFrame::updateActions);
    connect(&online, &QAbstractItemModel::dataChanged, this, &CMainFrame::updateActions);
    connect(&m.tree(), &QAbstractItemModel::dataChanged, this, &CMainFrame::updateActions);

    setServerState(parts_.server.running && parts_.server.running());
    updateActions();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::addCommand(int id, const QString& text, std::function<void()> handler) {
    auto* a = new QAction(text, this);
    a->setData(id);
    if (handler) connect(a, &QAction::triggered, this, [h = std::move(handler)] { h(); });
    actions_.insert(id, a);
    return a;
}

void CMainFrame::playerCommand(PostResult (CPlayerCommands::*fn)(const CommandTarget&)) {
    (commands_.*fn)(currentTarget());
}

void CMainFrame::rowCommand(PostResult (CPlayerCommands::*fn)(const CommandTarget&)) {
    const QString player = firstSelectedPlayer();
    if (!player.isEmpty()) (commands_.*fn)(CommandTarget::player(player));
}

void CMainFrame::buildMenus() {
    // "&Server": start, stop, Backup, Protect Mode (inserted at position 3), Restore, Exit.
    serverMenu_ = menuBar()->addMenu(tr("&Server"));
    if (parts_.server.start) {
        serverMenu_->addAction(addCommand(cmd::StartServer, tr("Start Control Server"), [this] { startServer(); }));
        serverMenu_->addAction(addCommand(cmd::StopServer, tr("Stop Control Server"), [this] { stopServer(); }));
    }
    if (parts_.backup) serverMenu_->addAction(addCommand(cmd::Backup, tr("Backup"), parts_.backup));
    QAction* protect = addCommand(cmd::ProtectMode, tr("Protect Mode"), [this] { protectMode(); });
    // F11 while the window has the focus (no system-wide hot key here).
    protect->setShortcut(QKeySequence(Qt::Key_F11));
    protect->setShortcutContext(Qt::WindowShortcut);
    serverMenu_->addAction(protect);
    addAction(protect);
    if (parts_.restore) serverMenu_->addAction(addCommand(cmd::Restore, tr("Restore"), parts_.restore));
    serverMenu_->addSeparator();
    serverMenu_->addAction(addCommand(cmd::Exit, tr("E&xit"), [this] { close(); }));

    QMenu* account = menuBar()->addMenu(tr("&Account"));
    account->addAction(addCommand(cmd::AddEditAccount, tr("Add/Edit Account..."),
                                  [this] { accountView_->openAccountManagement(); }));
    account->addAction(addCommand(cmd::NewGroup, tr("New Group"), [this] { accountView_->newGroup(); }));
    account->addAction(addCommand(cmd::NewUser, tr("New User"), [this] { accountView_->newAccount(); }));
    account->addAction(addCommand(cmd::DeleteGroup, tr("Delete Group"), [this] { accountView_->deleteGroup(); }));

    // The player commands; the toolbar's drop-down menus share these actions.
    volumeMenu_ = new QMenu(tr("Volume"), this);
    volumeMenu_->addAction(addCommand(cmd::Mute, tr("Mute"), [this] { playerCommand(&CPlayerCommands::mute); }));
    for (int n = 1; n <= 15; ++n) {
        QAction* a = addCommand(cmd::Volume1 + n - 1, tr("Volume%1").arg(n),
                                [this, n] { commands_.volume(currentTarget(), n); });
        volumeMenu_->addAction(a);
    }
    videoMenu_ = new QMenu(tr("Video"), this);
    videoMenu_->addAction(addCommand(cmd::VideoOn, tr("Turn on video output"),
                                     [this] { playerCommand(&CPlayerCommands::videoOn); }));
    videoMenu_->addAction(addCommand(cmd::VideoOff, tr("Turn off video output"),
                                     [this] { playerCommand(&CPlayerCommands::videoOff); }));
    QAction* play = addCommand(cmd::StartPlayback, tr("Start Playback"), [this] { playerCommand(&CPlayerCommands::play); });
    play->setIconText(tr("Play"));
    play->setIcon(icons::tile(QStringLiteral("\u25B6"), QColor(0, 140, 60)));
    QAction* stop = addCommand(cmd::StopAction, tr("Stop Action"), [this] { playerCommand(&CPlayerCommands::stop); });
    stop->setIconText(tr("Stop"));
    stop->setIcon(icons::tile(QStringLiteral("\u25A0"), QColor(180, 40, 40)));
    QAction* reboot = addCommand(cmd::Reboot, tr("Reboot Client"), [this] { playerCommand(&CPlayerCommands::reboot); });
    QAction* format = addCommand(cmd::Format, tr("Format Storage"), [this] { playerCommand(&CPlayerCommands::format); });
    QAction* msgOff = addCommand(cmd::MessageOff, tr("Stop Scrolling (MSG Off)"),
                                 [this] { playerCommand(&CPlayerCommands::messageOff); });
    msgOff->setIconText(tr("MSG Off"));
    msgOff->setIcon(icons::tile(QStringLiteral("M"), QColor(120, 120, 120)));
    QAction* rss = nullptr;
    if (parts_.startRssFeeds) {
        rss = addCommand(cmd::StartRss, tr("Start RSS Feeds"), [this] { startRssFeeds(); });
        rss->setIconText(tr("RSS"));
        rss->setIcon(icons::tile(QStringLiteral("RSS"), QColor(220, 120, 0)));
    }
    QAction* groupStatus = addCommand(cmd::GroupStatus, tr("Get Group Status"),
                                      [this] { playerCommand(&CPlayerCommands::groupStatus); });
    optionMenu_ = new QMenu(tr("Options"), this);
    optionMenu_->addAction(reboot);
    optionMenu_->addAction(format);
    optionMenu_->addAction(groupStatus);

    QAction* readStatus = addCommand(cmd::ReadStatus, tr("Read Current Status"),
                                     [this] { rowCommand(&CPlayerCommands::readStatus); });
    readStatus->setIconText(tr("Status"));
    readStatus->setIcon(icons::tile(QStringLiteral("S"), QColor(40, 110, 170)));
    QAction* readCap = addCommand(cmd::ReadCapacity, tr("Read CF Capacity"),
                                  [this] { rowCommand(&CPlayerCommands::readCapacity); });
    readCap->setIconText(tr("Property"));
    readCap->setIcon(icons::tile(QStringLiteral("P"), QColor(40, 110, 170)));
    QAction* readFiles = addCommand(cmd::ReadFiles, tr("Read CF Files"),
                                    [this] { rowCommand(&CPlayerCommands::readFiles); });
    readFiles->setIconText(tr("CF Data"));
    readFiles->setIcon(icons::tile(QStringLiteral("CF"), QColor(40, 110, 170)));
    QAction* readPl = addCommand(cmd::ReadPlaylist, tr("Read CF Playlist"),
                                 [this] { rowCommand(&CPlayerCommands::readPlaylist); });
    readPl->setIconText(tr("Playlist"));
    readPl->setIcon(icons::tile(QStringLiteral("PL"), QColor(40, 110, 170)));

    QMenu* control = controlMenu_ = menuBar()->addMenu(tr("&Control"));
    control->addAction(play);
    control->addAction(stop);
    control->addAction(reboot);
    control->addAction(format);
    if (rss) control->addAction(rss);
    control->addAction(msgOff);
    control->addMenu(videoMenu_);
    control->addMenu(volumeMenu_);
    control->addAction(groupStatus);
    control->addSeparator();
    control->addAction(readStatus);
    control->addAction(readCap);
    control->addAction(readFiles);
    control->addAction(readPl);

    // The drop-down buttons of the toolbar.
    QAction* volume = addCommand(cmd::VolumeMenu, tr("Volume"), nullptr);
    volume->setMenu(volumeMenu_);
    volume->setIcon(icons::tile(QStringLiteral("V"), QColor(150, 100, 20)));
    QAction* video = addCommand(cmd::VideoMenu, tr("Video"), nullptr);
    video->setMenu(videoMenu_);
    video->setIcon(icons::tile(QStringLiteral("TV"), QColor(150, 100, 20)));
    QAction* options = addCommand(cmd::OptionsMenu, tr("Options"), nullptr);
    options->setMenu(optionMenu_);
    options->setIcon(icons::tile(QStringLiteral("O"), QColor(150, 100, 20)));

    playerActions_ = {play, stop, reboot, format, msgOff, volume, video, options, groupStatus,
                      action(cmd::VideoOn), action(cmd::VideoOff), action(cmd::Mute)};
    for (int n = 0; n < 15; ++n) playerActions_ << action(cmd::Volume1 + n);
    if (rss) playerActions_ << rss;
    rowActions_ = {readStatus, readCap, readFiles, readPl};

    // "&Tools": the configuration, then "Change Password" inserted at position 3.
    QMenu* tools = toolsMenu_ = menuBar()->addMenu(tr("&Tools"));
    tools->addAction(addCommand(cmd::Configuration, tr("Configuration of System"), [this] { openSettings(); }));
    addDeviceSetupCommands(tools);
    tools->addAction(addCommand(cmd::ChangePassword, tr("Change Password"), [this] { changePassword(); }));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    toolBar_ = new QToolBar(this);  // filled by buildToolBar
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    QAction* vt = toolBar_->toggleViewAction();
    vt->setText(tr("&Toolbar"));
    actions_.insert(cmd::ViewToolbar, vt);
    view->addAction(vt);
    QAction* vs = addCommand(cmd::ViewStatusbar, tr("&Statusbar"), nullptr);
    vs->setCheckable(true);
    vs->setChecked(true);
    connect(vs, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    view->addAction(vs);
    QAction* vl = logDock_->toggleViewAction();
    vl->setText(tr("&LogWindow"));
    actions_.insert(cmd::ViewLog, vl);
    view->addAction(vl);
    QAction* vc = commanderDock_->toggleViewAction();
    vc->setText(tr("&MPL Commander"));
    vc->setData(int(cmd::ViewCommander));
    actions_.insert(cmd::ViewCommander, vc);
    view->addAction(vc);
    tools->addAction(addCommand(cmd::PlaylistCommander, tr("Playlist Commander"), [this] { showCommander(); }));

    languageMenu_ = menuBar()->addMenu(tr("&Language"));
}

void CMainFrame::buildToolBar() {
    toolBar_->setWindowTitle(tr("Toolbar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setMovable(false);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    QAction* account = action(cmd::AddEditAccount);
    account->setIconText(tr("Account"));
    account->setIcon(icons::tile(QStringLiteral("A"), QColor(30, 90, 160)));
    toolBar_->addAction(account);
    if (QAction* rssEdit = action(cmd::RssEditor)) toolBar_->addAction(rssEdit);
    toolBar_->addSeparator();
    for (int id : {cmd::StartPlayback, cmd::StopAction, cmd::InstantMessage, cmd::StartRss,
                   cmd::MessageOff, cmd::VolumeMenu, cmd::VideoMenu, cmd::Picture, cmd::OptionsMenu})
        if (QAction* a = action(id)) toolBar_->addAction(a);
    for (int id : {cmd::VolumeMenu, cmd::VideoMenu, cmd::OptionsMenu})
        if (auto* b = qobject_cast<QToolButton*>(toolBar_->widgetForAction(action(id))))
            b->setPopupMode(QToolButton::InstantPopup);
    toolBar_->addSeparator();
    for (int id : {cmd::ReadStatus, cmd::ReadCapacity, cmd::ReadFiles, cmd::ReadPlaylist})
        toolBar_->addAction(action(id));
}

void CMainFrame::buildStatusBar() {
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("StatusMessage"));
    indicator1_ = new QLabel(this);
    indicator2_ = new QLabel(this);
    indicator1_->setObjectName(QStringLiteral("Indicator31213"));
    indicator2_->setObjectName(QStringLiteral("Indicator31214"));
    statusBar()->addWidget(message_, 1);
    fleetSummary_ = new QLabel(this);
    fleetSummary_->setObjectName(QStringLiteral("FleetSummary"));
    statusBar()->addPermanentWidget(fleetSummary_);
    statusBar()->addPermanentWidget(indicator1_);
    statusBar()->addPermanentWidget(indicator2_);
}

QString CMainFrame::statusText() const { return message_->text(); }

void CMainFrame::showFleetSummary(const QString& text) {
    fleetSummary_->setText(text);
    fleetSummary_->setAccessibleName(text);
}

QString CMainFrame::fleetSummary() const { return fleetSummary_->text(); }

void CMainFrame::setServerState(bool online) {
    message_->setText(L(online ? t::kServerOnline : t::kServerOffline));
    indicator1_->setPixmap(icons::serverState(online, 0).pixmap(16, 16));
    indicator2_->setPixmap(icons::serverState(online, 1).pixmap(16, 16));
    indicator1_->setToolTip(message_->text());
    indicator2_->setToolTip(message_->text());
    updateActions();
}

void CMainFrame::startServer() {
    if (!parts_.server.start) return;
    parts_.server.start();
    setServerState(parts_.server.running && parts_.server.running());
}

void CMainFrame::stopServer() {
    if (!parts_.server.stop) return;
    parts_.server.stop();
    setServerState(parts_.server.running && parts_.server.running());
}

CommandTarget CMainFrame::currentTarget() const { return accountView_->selectedTarget(); }

bool CMainFrame::playerCommandsEnabled() const {
    switch (accountView_->selectedKind()) {
    case CAccountTreeModel::KindAccount: return accountView_->selectedIsOnlinePlayer();
    case CAccountTreeModel::KindGroup:
        return parts_.models.online().CountOnline(accountView_->GetSelectedName()) > 0;
    case CAccountTreeModel::KindRoot: return parts_.models.online().rowCount() > 0;
    default: return false;
    }
}

bool CMainFrame::rowCommandsEnabled() const { return onlineView_->hasSelectedRow(); }

QString CMainFrame::firstSelectedPlayer() const {
    const QList<int> rows = onlineView_->selectedSourceRows();
    if (rows.isEmpty()) return {};
    const CClientRecord* r = parts_.models.online().recordAtRow(rows.first());
    return r ? r->name : QString();
}

void CMainFrame::updateActions() {
    const bool players = playerCommandsEnabled();
    for (QAction* a : playerActions_)
        if (a) a->setEnabled(players);
    const bool rows = rowCommandsEnabled();
    for (QAction* a : rowActions_) a->setEnabled(rows);
    const bool running = parts_.server.running && parts_.server.running();
    for (QAction* a : {action(cmd::StartServer), rootStart_.data()})
        if (a) a->setEnabled(!running);
    for (QAction* a : {action(cmd::StopServer), rootStop_.data()})
        if (a) a->setEnabled(running);
}

void CMainFrame::showGroupPictures() {
    // The zone pictures of the selected group's current playlist (a player's: its group's),
    // the first in the upper box, the second in the lower.
    accountView_->clearPictures();
    CUserGroup group;
    const QString name = accountView_->selectedGroup();
    if (name.isEmpty() || !parts_.models.store().FindGroup(name, &group) ||
        group.currentPlaylist.isEmpty())
        return;
    CPlaylistDocument playlist;
    if (!playlist.Load(group.currentPlaylist)) return;
    int box = 1;
    for (const PlaylistItem& item : playlist.zoneItems()) {
        if (box < 0) break;
        if (accountView_->ShowPicture(item.pathText(), box)) --box;
    }
}

void CMainFrame::startRssFeeds() {
    if (!parts_.startRssFeeds) return;
    // The group chosen in the tree: the group itself, a player's group, or every group.
    switch (accountView_->selectedKind()) {
    case CAccountTreeModel::KindGroup:
    case CAccountTreeModel::KindAccount:
        tellOperator(parts_.prompt, CommandIndex::RssMessage,
                     parts_.startRssFeeds(accountView_->selectedGroup()));
        break;
    default: {
        PostResult all;
        for (const QString& g : parts_.models.store().GroupNames())
            all.targeted += parts_.startRssFeeds(g).targeted;
        tellOperator(parts_.prompt, CommandIndex::RssMessage, all);
        break;
    }
    }
}

void CMainFrame::protectMode() {
    // The tray offers the "&Server" menu outside this window: locked as well until the
    // password is typed.
    serverMenu_->setEnabled(false);
    CResumeDialog dlg([this] { return parts_.settings.password(); }, this);
    dlg.exec();
    serverMenu_->setEnabled(true);
}

void CMainFrame::changePassword() {
    CChangePasswordDialog dlg(parts_.settings, parts_.prompt, this);
    dlg.exec();
}

void CMainFrame::openSettings() {
    const int language = parts_.settings.language();
    CSettingsDialog dlg(parts_.settings, parts_.prompt, this);
    dlg.exec();
    // The dialog's "Application Language" and the "&Language" menu are one setting.
    if (parts_.settings.language() != language)
        Q_EMIT languageChosen(languageIdForIndex(parts_.settings.language()));
}

// --- device setup and tickers: the Client Setup Utility and the RSS editor ---------------------

namespace {

// A modeless window brought up centred on the main window (forward again when already open).
void showCentred(QWidget* window, QWidget* on, bool created) {
    if (created) {
        if (window->layout()) window->layout()->activate();  // its own size, before it shows
        QRect r = window->frameGeometry();
        r.moveCenter(on->frameGeometry().center());
        window->move(r.topLeft());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void CMainFrame::addDeviceSetupCommands(QMenu* tools) {
    QAction* setup = addCommand(cmd::AutoConfigEditor, tr("&Client Setup Utility..."), [this] { openClientSetup(); });
    setup->setStatusTip(tr("AutoConfig File Editor"));
    tools->addAction(setup);
    if (!parts_.rss) return;
    QAction* rss = addCommand(cmd::RssEditor, tr("RSS Editor"), [this] { openRssEditor(); });
    rss->setIconText(tr("RSS Edit"));
    rss->setIcon(icons::tile(QStringLiteral("RE"), QColor(220, 120, 0)));
    tools->addAction(rss);
}

CDlgClientSetup* CMainFrame::openClientSetup() {
    const bool create = !clientSetup_;
    if (create) {
        COnlineModel& online = parts_.models.online();
        ClientSetupParts p{parts_.models.store(), online, parts_.prompt, [&online] {
                               std::vector<PlayerStatus> players;
                               for (const CClientRecord& r : online.records()) players.push_back({r.name, r.status});
                               return players;
                           }};
        clientSetup_ = new CDlgClientSetup(std::move(p), this);
        clientSetup_->setAttribute(Qt::WA_DeleteOnClose);
        clientSetup_->setFileChooser(chooser_);
    }
    showCentred(clientSetup_, this, create);
    return clientSetup_;
}

CDlgRssMessage* CMainFrame::openRssEditor() {
    if (!parts_.rss) return nullptr;
    const bool create = !rssEditor_;
    if (create) {
        CUserStore& store = parts_.models.store();
        rssEditor_ = new CDlgRssMessage({*parts_.rss, parts_.prompt, [&store] { return store.GroupNames(); }}, this);
        rssEditor_->setAttribute(Qt::WA_DeleteOnClose);
    }
    showCentred(rssEditor_, this, create);
    return rssEditor_;
}

void CMainFrame::checkLanguage(const QString& id) {
    for (QAction* a : languageMenu_->actions()) a->setChecked(a->data().toString() == id);
}

void CMainFrame::setLanguages(const QList<LanguageEntry>& languages, const QString& currentId) {
    languageMenu_->clear();
    auto* group = new QActionGroup(languageMenu_);
    for (const LanguageEntry& l : languages) {
        QAction* a = languageMenu_->addAction(l.name);
        a->setCheckable(true);
        a->setChecked(l.id == currentId);
        a->setData(l.id);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, id = l.id] { Q_EMIT languageChosen(id); });
    }
}

void CMainFrame::savePlacements(QSettings& settings) const {
    writePlacement(settings, QStringLiteral("MainFrm"), placementOf(this));
    writePlacement(settings, QStringLiteral("LOG"), placementOf(logDock_));
    WindowPlacement mpl = placementOf(commanderDock_);
    if (commanderDock_->isHidden()) mpl.showCmd = kHiddenShowCmd;
    writePlacement(settings, QStringLiteral("MPL"), mpl);
}

bool CMainFrame::restorePlacements(QSettings& settings) {
    const WindowPlacement log = readPlacement(settings, QStringLiteral("LOG"));
    if (log.right > log.left && log.bottom > log.top)
        resizeDocks({logDock_}, {log.bottom - log.top}, Qt::Vertical);
    const WindowPlacement mpl = readPlacement(settings, QStringLiteral("MPL"));
    if (mpl.right > mpl.left && mpl.bottom > mpl.top) {
        if (mpl.showCmd != kHiddenShowCmd) commanderDock_->show();
        resizeDocks({commanderDock_}, {mpl.bottom - mpl.top}, Qt::Vertical);
        resizeDocks({commanderDock_}, {mpl.right - mpl.left}, Qt::Horizontal);
    }
    const WindowPlacement frame = readPlacement(settings, QStringLiteral("MainFrm"));
    if (!frame.usable()) return false;
    setGeometry(frame.normalRect());
    return true;
}

// ---- the Playlist Commander pane

void CMainFrame::createCommanderPane() {
    CConsoleModels& m = parts_.models;
    CommanderServices services;
    services.programFolder = m.store().programFolder();
    services.startFolder = parts_.mediaFolder;
    services.groups = [this] { return parts_.models.store().GroupNames(); };
    services.players = [this] {
        std::vector<ListedPlayer> players;
        for (const CClientRecord& r : parts_.models.online().records())
            players.push_back({r.name, r.group, r.status});
        return players;
    };
    services.ezPlay = [this](const CommandTarget& target, CPlaylistDocument& doc) {
        EzPlay(parts_.models.store(), parts_.models.online(), parts_.prompt, target, doc);
    };
    services.autoPlay = [this](const CommandTarget& target, CPlaylistDocument& doc) {
        AutoPlay(parts_.models.store(), parts_.prompt, target, doc);
    };
    services.sender = &m.online();
    services.showStatus = [this](const QString& text) { message_->setText(text); };
    commander_ = new CDlgMPLEditor(std::move(services), parts_.prompt);
    commander_->setFileChooser(chooser_);
    commander_->setImageEditorHook(imageEditorHook());
    commanderDock_ = new QDockWidget(this);
    commanderDock_->setObjectName(QStringLiteral("MplBar"));
    commanderDock_->setWindowTitle(commander_->title());
    commanderDock_->setWidget(commander_);
    commanderDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable |
                                QDockWidget::DockWidgetFloatable);
    connect(commander_, &CDlgMPLEditor::titleChanged, commanderDock_, &QDockWidget::setWindowTitle);
    addDockWidget(Qt::BottomDockWidgetArea, commanderDock_);
    // At the bottom, beside the log pane.
    splitDockWidget(logDock_, commanderDock_, Qt::Horizontal);
    resizeDocks({commanderDock_}, {kDefaultCommanderSize}, Qt::Vertical);
    resizeDocks({commanderDock_}, {kDefaultCommanderSize}, Qt::Horizontal);
    commanderDock_->hide();
}

void CMainFrame::setFileChooser(FileChooser chooser) {
    chooser_ = std::move(chooser);
    if (commander_) commander_->setFileChooser(chooser_);
}

void CMainFrame::showCommander() {
    commanderDock_->show();
    commanderDock_->raise();
    commander_->activateWindow();
    commander_->setFocus();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    savePlacements(*openAppProfile());
    Q_EMIT closing();
    event->accept();
}

// --- The content windows --------------------------------------------------------------------

void CMainFrame::createContentActions() {
    QAction* scheduler = addCommand(cmd::PlaylistScheduler, tr("Playlist Scheduler"),
                                    [this] { openScheduler(); });
    QAction* editor = addCommand(cmd::ImageEditor, uiText(media_window_texts::kImageEditorCommand),
                                 [this] { openImageEditor(); });
    QAction* message = addCommand(cmd::InstantMessage, tr("Instant Message Tool"),
                                  [this] { openInstantMessage(); });
    message->setIconText(tr("MSG"));
    message->setIcon(icons::tile(QStringLiteral("MSG"), QColor(0, 120, 160)));
    QAction* label = addCommand(cmd::ScreenLabel, tr("On Screen Label..."),
                                [this] { openScreenLabel(); });
    QAction* picture = addCommand(cmd::Picture, tr("Send Picture..."), [this] { openPictureCommand(); });
    picture->setIconText(tr("Pictavo"));
    picture->setIcon(icons::tile(QStringLiteral("JPG"), QColor(120, 60, 150)));
    QAction* jpeg = addCommand(cmd::InstantJpeg, tr("Instant JPEG..."), [this] { openInstantJpeg(); });

    // "&Tools": a separator and "Playlist Scheduler" right after "Change Password", then the
    // Image Editor and the instant picture.
    QAction* after = nullptr;
    const QList<QAction*> tools = toolsMenu_->actions();
    const qsizetype at = tools.indexOf(action(cmd::ChangePassword));
    if (at >= 0 && at + 1 < tools.size()) after = tools[at + 1];
    toolsMenu_->insertSeparator(after);
    toolsMenu_->insertAction(after, scheduler);
    toolsMenu_->insertAction(after, editor);
    toolsMenu_->insertAction(after, jpeg);

    // "&Control": the senders beside the other player commands.
    QAction* before = action(cmd::MessageOff);
    controlMenu_->insertAction(before, message);
    controlMenu_->insertAction(before, label);
    controlMenu_->insertAction(before, picture);

    playerActions_ << message << label << picture << jpeg;
}

template <class Dialog>
Dialog* CMainFrame::openWindow(Dialog* dlg) {
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setFileChooser(chooser_);
    dlg->open();
    return dlg;
}

void CMainFrame::openScheduler() {
    openWindow(new CDlgPlaylistScheduler(parts_.models.store(), parts_.prompt, this));
}

void CMainFrame::openInstantMessage() {
    openWindow(new CDlgInstantMessage(currentTarget(), parts_.models.store(),
                                      parts_.models.online(), parts_.prompt, this));
}

void CMainFrame::openScreenLabel() {
    openWindow(new CDlgScreenLabel(currentTarget(), parts_.models.store(), parts_.models.online(),
                                   parts_.prompt, this));
}

void CMainFrame::openPictureCommand() {
    auto* dlg = openWindow(new CDlgInstantJpeg(true, this));
    dlg->setChoice(picture_);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        picture_ = dlg->choice();
        sendPicture(picture_, true);
    });
}

void CMainFrame::openInstantJpeg() {
    auto* dlg = openWindow(new CDlgInstantJpeg(false, this));
    connect(dlg, &QDialog::accepted, this, [this, dlg] { sendPicture(dlg->choice(), false); });
}

PostResult CMainFrame::sendPicture(const InstantPictureChoice& choice, bool logPath) {
    if (!choice.canSend()) return {};
    if (logPath && parts_.log) parts_.log->addLog(LogType::ServerEvent, QString(), choice.path);
    const std::optional<PostResult> posted =
        sendInstantPicture(choice.path, parts_.models.store().programFolder(),
                           choice.displaySeconds(), currentTarget(), parts_.models.online());
    if (!posted) {
        parts_.prompt.message(QString::fromLatin1(media_window_texts::kCannotCopyPicture),
                              IOperatorPrompt::Icon::Stop);
        return {};
    }
    accountView_->ShowPicture(choice.path, 1);
    tellOperator(parts_.prompt, CommandIndex::Picture, *posted);
    return *posted;
}

std::function<bool(QWidget*, std::vector<PlaylistItem>&)> CMainFrame::imageEditorHook() {
    return [this](QWidget* parent, std::vector<PlaylistItem>& zoneItems) {
        return runImageEditor(parent, zoneItems, parts_.models.store().programFolder(), chooser_);
    };
}

void CMainFrame::openImageEditor() {
    FileChoice c;
    c.filter = QString::fromLatin1(media_window_texts::kPlaylistFilter);
    const QStringList chosen = chooser_(this, c);
    if (!chosen.isEmpty()) editPlaylistZones(chosen.first());
}

bool CMainFrame::editPlaylistZones(const QString& playlistPath) {
    CPlaylistDocument playlist;
    if (!playlist.Load(playlistPath)) {
        parts_.prompt.message(QString::fromLatin1(media_window_texts::kCannotReadPlaylist).arg(playlistPath),
                              IOperatorPrompt::Icon::Stop);
        return false;
    }
    if (!imageEditorHook()(this, playlist.zoneItems())) return false;
    // Zone images play only with "Multi Zone" on, as loading such a playlist sets it.
    if (!playlist.zoneItems().empty()) playlist.setMultiZone(true);
    if (playlist.Save(playlistPath, &parts_.prompt)) return true;
    parts_.prompt.message(QString::fromLatin1(operator_file_texts::kCannotSaveFile),
                          IOperatorPrompt::Icon::Stop);
    return false;
}

}  // namespace lum
