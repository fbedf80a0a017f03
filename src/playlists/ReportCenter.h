#pragma once
// What the log pane's report tabs show, fed by the online model's player events:
//   1001 storage file report uploaded  -> "CF Device" tab with the player's storage list
//   1002 deletion done                 -> the deleted entries leave the storage list
//   1004 playlist report uploaded      -> "Playlist" tab
//   1006 playback report uploaded      -> "Playback Report" tab
// and "Delete Selected Files", which writes the delete list and posts command 9.

#include "core/PlayerEvent.h"
#include "playlists/ReportModels.h"

#include <QObject>
#include <QString>

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
};

}  // namespace lum
