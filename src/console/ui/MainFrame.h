#pragma once
// The console's main window: the online list in the middle, the account pane docked left, the
// log pane docked at the bottom, the toolbar with its drop-down menus, the menus and the status
// bar with the server's state. Player commands go through CPlayerCommands to the selection of
// the account tree (or the selected row of the online list).

#include "console/PlayerCommands.h"
#include "media/ImageEditorModel.h"
#include "widgets/FileChooser.h"

#include <QHash>
#include <QPointer>

#include <functional>
#include <QMainWindow>

class QDockWidget;
class QLabel;
class QSettings;
class QToolBar;

namespace lum {

class CAccountView;
class CAppSettings;
class CDlgClientSetup;
class CDlgMPLEditor;
class CDlgRssMessage;
class CRssThread;
class CConsoleModels;
class CLogPane;
class COnlineView;
class ILogSink;
class IOperatorPrompt;
struct PlaylistItem;

// Command ids of the menus and the toolbar.
namespace cmd {
enum {
    StartServer = 32771, StopServer = 32772, Backup = 32964, Restore = 32966,
    AddEditAccount = 32786, NewGroup = 32833, NewUser = 32834, DeleteGroup = 32836,
    Configuration = 32842, StartPlayback = 32778, StopAction = 32779, Reboot = 32780,
    Format = 32784, MessageOff = 32919, VideoOn = 32931, VideoOff = 32932, Mute = 32886,
    Volume1 = 32870, Volume15 = 32884, GroupStatus = 32953, ReadStatus = 32934,
    ReadCapacity = 32935, ReadFiles = 32938, ReadPlaylist = 32939, ProtectMode = 31211,
    ChangePassword = 23958, Language = 32949, Exit = 57665, VolumeMenu = 32908,
    VideoMenu = 32930, OptionsMenu = 32944, StartRss = 32920, ViewToolbar = 59392, ViewStatusbar = 59393,
    ViewLog = 32921, ViewCommander = 32945, PlaylistCommander = 32946,
    // The content windows.
    PlaylistScheduler = 32956, InstantMessage = 32918, Picture = 32962, ScreenLabel = 32991,
    InstantJpeg = 32992, ImageEditor = 32993,
    // Device setup and tickers.
    AutoConfigEditor = 32789, RssEditor = 32979,
};
}  // namespace cmd

struct LanguageEntry {
    QString id;    // profile value ("1033" for the built-in English, else the locale name)
    QString name;  // native name shown in the menu
};

// The control server as the window drives it.
struct ServerCommands {
    std::function<bool()> start;
    std::function<void()> stop;
    std::function<bool()> running;
};

struct MainFrameParts {
    CAppSettings& settings;
    CConsoleModels& models;
    IOperatorPrompt& prompt;
    ServerCommands server;  // empty: the server commands are not offered
    std::function<void()> backup;   // the "&Server" menu's Backup (absent: not offered)
    std::function<void()> restore;  // and Restore
    // "Start RSS Feeds": the group's ticker is built, then command 13 goes to the group.
    std::function<PostResult(const QString& group)> startRssFeeds;
    QString applicationTitle;
    ILogSink* log = nullptr;  // the picture command writes the chosen path to the log
    QString mediaFolder;  // the folder the Playlist Commander lists first (empty: home)
    CRssThread* rss = nullptr;  // the ticker worker the RSS editor works with (absent: no editor)
};

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(MainFrameParts parts, QWidget* parent = nullptr);
    ~CMainFrame() override;

    COnlineView* onlineView() const { return onlineView_; }
    CAccountView* accountView() const { return accountView_; }
    CLogPane* logPane() const { return logPane_; }
    QDockWidget* logDock() const { return logDock_; }
    QDockWidget* accountDock() const { return accountDock_; }
    // The Playlist Commander pane ("MPL"), hidden until opened from "&View" or "&Tools".
    CDlgMPLEditor* commander() const { return commander_; }
    QDockWidget* commanderDock() const { return commanderDock_; }
    QToolBar* toolBar() const { return toolBar_; }
    QMenu* serverMenu() const { return serverMenu_; }
    // The tray icon's menu: the "&Server" menu, Protect Mode included, so that a console
    // hidden in the tray can be locked too.
    QMenu* trayMenu() const { return serverMenu_; }
    QAction* action(int commandId) const { return actions_.value(commandId); }
    QString statusText() const;
    QMenu* toolsMenu() const { return toolsMenu_; }
    // The status bar's fleet figures ("3 of 12 players in Lobby offline").
    void showFleetSummary(const QString& text);
    QString fleetSummary() const;

    // The target of player commands: root = all, group = that group, account = that player.
    CommandTarget currentTarget() const;
    bool playerCommandsEnabled() const;
    bool rowCommandsEnabled() const;

    // "ICS Server is online/offline" and the two indicator pictures.
    void setServerState(bool online);

    // Window positions ("MainFrm", "LOG", "MPL").
    void savePlacements(QSettings& settings) const;
    // Applies the saved frame and log pane positions; false when the frame is to be shown
    // maximised (nothing usable saved, or saved maximised).
    bool restorePlacements(QSettings& settings);

    // The content windows (schedules, messages, labels, pictures, zone images).
    // What the Playlist Commander's "Imag Zone..." calls: the Image Editor on its zone items.
    std::function<bool(QWidget* parent, std::vector<PlaylistItem>& zoneItems)> imageEditorHook();
    // The Image Editor on its own: on a playlist file's zone list, saved back on OK.
    bool editPlaylistZones(const QString& playlistPath);
    // Sends a chosen picture to the tree's selection (copied to "instant.jpg" first); the
    // picture command also logs the path and keeps the choice for its next opening.
    PostResult sendPicture(const InstantPictureChoice& choice, bool logPath);
    InstantPictureChoice pictureChoice() const { return picture_; }
    // The file choosers of the windows opened from here (tests answer them).
    void setFileChooser(FileChooser chooser);

    void setLanguages(const QList<LanguageEntry>& languages, const QString& currentId);
    // Ticks the menu's entry of that language (chosen in the menu or the settings dialog).
    void checkLanguage(const QString& id);

public Q_SLOTS:
    void updateActions();
    // Shows the Playlist Commander pane and brings it forward.
    void showCommander();
    void startServer();
    void stopServer();
    void protectMode();
    void startRssFeeds();
    void showGroupPictures();
    void changePassword();
    void openSettings();
    void openScheduler();
    void openInstantMessage();
    void openScreenLabel();
    void openPictureCommand();
    void openInstantJpeg();
    void openImageEditor();
    // "AutoConfig File Editor" and "RSS Editor": the modeless windows, created on demand.
    CDlgClientSetup* openClientSetup();
    CDlgRssMessage* openRssEditor();

Q_SIGNALS:
    void languageChosen(const QString& id);
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* addCommand(int id, const QString& text, std::function<void()> handler);
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void createContentActions();
    template <class Dialog>
    Dialog* openWindow(Dialog* dlg);
    void createCommanderPane();
    void addDeviceSetupCommands(QMenu* tools);
    QString firstSelectedPlayer() const;
    void playerCommand(PostResult (CPlayerCommands::*fn)(const CommandTarget&));
    void rowCommand(PostResult (CPlayerCommands::*fn)(const CommandTarget&));

    MainFrameParts parts_;
    CPlayerCommands commands_;
    COnlineView* onlineView_ = nullptr;
    CAccountView* accountView_ = nullptr;
    CLogPane* logPane_ = nullptr;
    QDockWidget* accountDock_ = nullptr;
    QDockWidget* logDock_ = nullptr;
    CDlgMPLEditor* commander_ = nullptr;
    QDockWidget* commanderDock_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* serverMenu_ = nullptr;
    QMenu* volumeMenu_ = nullptr;
    QMenu* videoMenu_ = nullptr;
    QMenu* optionMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QMenu* controlMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    FileChooser chooser_ = chooseWithFileDialog;
    InstantPictureChoice picture_;  // the picture command's last choice
    QPointer<QAction> rootStart_;  // the tree root's "Start" and "Stop"
    QPointer<QAction> rootStop_;
    QLabel* message_ = nullptr;
    QLabel* indicator1_ = nullptr;
    QLabel* indicator2_ = nullptr;
    QLabel* fleetSummary_ = nullptr;
    QPointer<CDlgClientSetup> clientSetup_;
    QPointer<CDlgRssMessage> rssEditor_;
    QHash<int, QAction*> actions_;
    QList<QAction*> playerActions_;
    QList<QAction*> rowActions_;
};

}  // namespace lum
