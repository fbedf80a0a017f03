#pragma once
// The bottom pane: the "Log Data" tab with the coloured lists (every line; the lines of the
// player clicked last in the online list) and the two report tabs of the operator files.

#include <QWidget>

#include <functional>

class QListView;
class QTabWidget;
class QAbstractItemModel;
class QTableView;
class QAbstractItemModel;

namespace lum {

class CLogLists;
class CLogModel;
class IOperatorPrompt;

class CLogPane : public QWidget {
    Q_OBJECT
public:
    CLogPane(CLogLists& lists, IOperatorPrompt& prompt, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QListView* allView() const { return allView_; }
    QListView* playerView() const { return playerView_; }
    QTableView* deviceView() const { return deviceView_; }
    QTableView* reportView() const { return reportView_; }
    // Shows the storage list and the playlist report; each column takes the width its model's
    // heading gives as PlaylistReportModel::ColumnWidthRole (0 keeps the column hidden until
    // the operator widens it).
    void setReportModels(QAbstractItemModel* storageList, QAbstractItemModel* playlistReport);

    // The report tab is titled "Playback Report" or "Playlist" by what it shows.
    void setReportTitle(const QString& title);
    void showDeviceTab();
    void showReportTab();

    // "Save As...": asks for a file and saves the list (the player's list when it has the focus).
    void saveAs(CLogModel& model);
    // Saves without a dialog (the dialog's choice); used by saveAs and by tests.
    bool saveTo(CLogModel& model, const QString& path);
    // "&Delete" of the "CF Device" tab's menu (offered while its list is not empty).
    void setDeleteFiles(std::function<void()> deleteFiles) { deleteFiles_ = std::move(deleteFiles); }
    // Hook for the pane's "Clear": drops the records not yet processed by the log hub.
    void setDropPending(std::function<void()> dropPending) { dropPending_ = std::move(dropPending); }

public Q_SLOTS:
    void clear();

private:
    QListView* makeList(CLogModel& model);
    void showMenu(QListView* view, CLogModel& model, const QPoint& pos);

    CLogLists& lists_;
    IOperatorPrompt& prompt_;
    QTabWidget* tabs_ = nullptr;
    QListView* allView_ = nullptr;
    QListView* playerView_ = nullptr;
    QTableView* deviceView_ = nullptr;
    QTableView* reportView_ = nullptr;
    std::function<void()> dropPending_;
    std::function<void()> deleteFiles_;
};

}  // namespace lum
