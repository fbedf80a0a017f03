#pragma once
// What the log pane's report tabs show, fed by the online model's player events:
//   1001 storage file report uploaded  -> "CF Device" tab with the player's storage list
//   1002 deletion done                 -> the deleted entries leave the storage list
//   1004 playlist report uploaded      -> "Playlist" tab
//   1006 playback report uploaded      -> "Playback Report" tab
// and "Delete Selected Files", which writes the delete list and posts command 9.
// While the Playlist Commander lists a player's files, a storage report it takes goes to it
// instead of the "CF Device" tab (setStorageForward).

#include "core/PlayerEvent.h"
#include "playlists/ReportModels.h"

#include <QObject>
#include <QString>

#include <functional>

namespace lum {

class CUserStore;
class ICommandSender;

class ReportCenter : public QObject {
    Q_OBJECT
public:
    enum Tab { LogTab = 0, StorageTab = 1, PlaylistTab = 2 };

    ReportCenter(CUserStore& store, ICommandSender& sender, QObject* parent = nullptr);

    StorageListModel* storageList() { return &storage_; }
    PlaylistReportModel* playlistReport() { return &playlist_; }
    // MAC text of the player whose storage list is shown.
    QString storageMac() const { return storageMac_; }

    // Given the player, its MAC text and the path of its storage report: true when it takes the
    // report (the storage list and the tab stay as they are). Empty: every report shows here.
    using StorageForward =
        std::function<bool(const QString& player, const QString& mac, const QString& reportPath)>;
    void setStorageForward(StorageForward forward) { forward_ = std::move(forward); }

    // A player event from the online model; other events are ignored.
    void playerEvent(PlayerEvent event, const QString& player, const QString& mac);

    // "&Delete" on the storage list. Nothing happens when the list is empty or the player is
    // not online; otherwise the delete list of the ticked rows replaces the older one (none is
    // written when no row is ticked) and command 9 goes to the player. True when posted.
    bool deleteSelectedFiles();

    // The report folder of a player: its group's home directory; empty when unknown.
    QString playerFolder(const QString& player) const;

Q_SIGNALS:
    void tabRequested(int tab);

private:
    CUserStore& store_;
    ICommandSender& sender_;
    StorageListModel storage_;
    PlaylistReportModel playlist_;
    QString storageMac_;
    StorageForward forward_;
};

}  // namespace lum
