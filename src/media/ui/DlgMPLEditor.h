#pragma once
// The Playlist Commander's window: the browsing side (local folders, a web item, an FTP site,
// or the files on a player) with its file list and filters, and the playlist grid with its
// buttons. A thin view over PlaylistCommander (src/playlists): the rules live there; this class
// shows them, asks for files, names and drives, and runs the slow work (FTP, web lengths,
// copies) off the user-interface thread.

#include "media/FtpPublisher.h"
#include "media/WebItem.h"
#include "playlists/PlaylistCommander.h"
#include "playlists/RemovableCopy.h"
#include "widgets/CopyProgress.h"
#include "widgets/FileChooser.h"

#include <QComboBox>
#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QThread;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace lum {

class CCopyProgress;
class ICommandSender;
class IOperatorPrompt;

// What the Commander needs of the console around it.
struct CommanderServices {
    QString programFolder;  // "TMPPLSTFTP.mpl" and "server data/sites.dat" live there
    QString startFolder;    // the local folder listed first
    std::function<QStringList()> groups;                   // the group table, in order
    std::function<std::vector<ListedPlayer>()> players;    // the online list
    // EZ-Play and AutoPlay of the console; they tell the operator what happened.
    std::function<void(const CommandTarget&, CPlaylistDocument&)> ezPlay;
    std::function<void(const CommandTarget&, CPlaylistDocument&)> autoPlay;
    // "Player Files" asks the chosen player for its storage report through it.
    ICommandSender* sender = nullptr;
    // The main window's status text ("Copying... path(row/count)", cleared at the end).
    std::function<void(const QString&)> showStatus;
    // The removable volumes "Copy All..." offers (empty: the mounted ones, removableVolumes()).
    std::function<std::vector<RemovableVolume>()> volumes;
};

// The image editor that prepares the zone images: given the window and the zone list, it edits
// the list in place and returns true when the operator confirmed.
using ImageEditorHook = std::function<bool(QWidget* parent, std::vector<PlaylistItem>& zoneItems)>;

// The "Select Group/Device" list: refilled each time it drops down.
class CTargetCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

// "Save Playlist to FTP": the remote name, "playlist" at first and selected; OK only while the
// name is not empty.
class CSavePlaylistToFtpDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSavePlaylistToFtpDialog(QWidget* parent = nullptr);
    QString name() const;
    QLineEdit* nameField() const { return name_; }
    QPushButton* okButton() const { return ok_; }

private:
    QLineEdit* name_ = nullptr;
    QPushButton* ok_ = nullptr;
};

class CDlgMPLEditor : public QWidget {
    Q_OBJECT
public:
    CDlgMPLEditor(CommanderServices services, IOperatorPrompt& prompt, QWidget* parent = nullptr);
    ~CDlgMPLEditor() override;

    PlaylistCommander& commander() { return *commander_; }
    QString title() const { return commander_->title(); }

    // "Imag Zone..." opens the image editor through this hook; without one the button stays
    // disabled with the tooltip "The image editor is not available".
    void setImageEditorHook(ImageEditorHook hook);
    // How Open and Save choose their file (the desktop's file dialog unless set).
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

    // Lists a local folder on the "Local Directory" tab (and shows it in the folder tree).
    void showFolder(const QString& folder);
    // A web address handed over by another window: appended with the length its server gives.
    void addWebAddress(const QString& address);
    // A player's storage report (event 1001): taken, and listed as the file list, while
    // "Player Files" is on and the report is the chosen player's.
    bool takeStorageReport(const QString& player, const QString& mac, const QString& reportPath);
    bool playerFilesMode() const;

    // The controls, for the main window, tests and screen readers' robots.
    QTableView* grid() const { return grid_; }
    QTableView* fileList() const { return fileList_; }
    QTableView* ftpFileList() const { return ftpList_; }
    QTreeWidget* ftpFolders() const { return ftpTree_; }
    QTabWidget* tabs() const { return tabs_; }
    CTargetCombo* targetList() const { return target_; }
    QPushButton* button(const char* label) const;  // by its untranslated label
    QCheckBox* playlistFilterBox() const { return mplBox_; }
    QCheckBox* zoneFilterBox() const { return yuvBox_; }
    QCheckBox* multiZoneBox() const { return multiZone_; }
    QToolButton* playerFilesButton() const { return playerFiles_; }
    QToolButton* fileMenuButton() const { return fileMenu_; }
    QComboBox* ftpSiteList() const { return siteList_; }
    QLineEdit* urlField() const { return url_; }
    QLineEdit* webFileNameField() const { return webName_; }
    FtpPublisher* publisher() const { return publisher_.get(); }
    CCopyProgress* copyRun() const { return copy_.data(); }
    bool webQueryRunning() const { return webQueries_ > 0; }

Q_SIGNALS:
    void titleChanged(const QString& title);
    // A web length query or an FTP job ended (tests wait on it).
    void backgroundWorkDone();
    // "Copy All..." is about to start copying.
    void copyStarting(lum::CCopyProgress* run);

private:
    enum Tab { LocalTab, HttpTab, FtpTab };

    QWidget* buildBrowsingSide();
    QWidget* buildPlaylistSide();
    QPushButton* addButton(const char* label, void (CDlgMPLEditor::*slot)());
    int selectedGridRow() const;
    QList<int> selectedGridRows() const;
    void selectGridRows(const QList<int>& rows);
    void updateButtons();

    // Buttons
    void add();
    void addAll();
    void addFromTab(bool all);
    void addWebItem();
    void openPlaylist();
    void savePlaylist();
    void editSettings();
    void imageZone();
    void fullScreen();
    void addTvFeed();
    void scrollTextOff();
    void deleteRows();
    void clearAll();
    void newFile();
    void moveUp();
    void moveDown();
    void refillTargets();
    void autoPlay();
    void ezPlay();
    void copyAll();
    void uploadPlaylist();
    void setPlayerFiles(bool on);
    void filtersChanged();

    // FTP
    FtpPublisher& ftp();
    void reloadSites();
    void connectSite();
    void openSiteManager();
    void connectWith(const CFtpSite& site);
    void ftpListed(bool ok);
    QTreeWidgetItem* ftpFolderItem(const QString& path);
    void ftpBusy(bool busy);
    void queryLength(const WebItemResult& item, bool append, int afterRow);

    CommanderServices services_;
    IOperatorPrompt& prompt_;
    std::unique_ptr<PlaylistCommander> commander_;
    ImageEditorHook imageEditor_;
    FileChooser chooser_ = chooseWithFileDialog;
    std::unique_ptr<FtpPublisher> publisher_;
    std::unique_ptr<FtpProfile> ftpProfile_;
    FtpConnectParams ftpParams_;
    SourceListModel ftpSources_;
    QPointer<CCopyProgress> copy_;
    QList<QPointer<QThread>> webThreads_;  // length queries; waited for when the window goes
    int webQueries_ = 0;
    int busyCursors_ = 0;
    QString playerFilesOf_;  // the player whose files are listed in "Player Files" mode

    QTabWidget* tabs_ = nullptr;
    QTreeView* folders_ = nullptr;
    QFileSystemModel* folderModel_ = nullptr;
    QTableView* fileList_ = nullptr;
    QToolButton* playerFiles_ = nullptr;
    QLineEdit* url_ = nullptr;
    QLineEdit* webName_ = nullptr;
    QComboBox* siteList_ = nullptr;
    QTreeWidget* ftpTree_ = nullptr;
    QTableView* ftpList_ = nullptr;
    QCheckBox* mplBox_ = nullptr;
    QCheckBox* yuvBox_ = nullptr;
    QTableView* grid_ = nullptr;
    QCheckBox* multiZone_ = nullptr;
    QToolButton* fileMenu_ = nullptr;
    CTargetCombo* target_ = nullptr;
    QList<QPushButton*> buttons_;
};

}  // namespace lum
