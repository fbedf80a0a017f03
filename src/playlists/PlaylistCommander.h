#pragma once
// The Playlist Commander without its window: the playlist document with its grid model, the
// file list of the browsing side with its filters, and every rule the buttons follow (adding
// after the selected row, the one schedule, moves, deletes, full screen, the pseudo-items,
// Clear and New, Multi Zone, open and save). The window (CDlgMPLEditor) only shows it and
// forwards clicks; "lumctl playlist make" builds playlists through the same object.

#include "core/CommandSender.h"
#include "playlists/MediaFiles.h"
#include "playlists/PlaylistGridModel.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>
#include <vector>

namespace lum {

class IOperatorPrompt;

// An entry of the "Select Group/Device" list.
struct TargetEntry {
    QString text;           // a group name, or "--  " and a player name
    bool isPlayer = false;  // the entry's item data: 0 group, 1 player
    bool operator==(const TargetEntry&) const = default;
};

// A player as the online list shows it.
struct ListedPlayer {
    QString name;
    QString group;
    QString status;
};

// The list as it is refilled when it drops down: each group in table order, then one entry per
// listed player of that group (group compared without regard to case) whose status is not
// "offline" (any case), in list order.
std::vector<TargetEntry> groupDeviceEntries(const QStringList& groups,
                                            const std::vector<ListedPlayer>& players);
// The command target of an entry: the player after the first four characters of a player
// entry, else the group; nothing for an empty text.
std::optional<CommandTarget> targetOfEntry(const QString& text);

class PlaylistCommander : public QObject {
    Q_OBJECT
public:
    explicit PlaylistCommander(IOperatorPrompt& prompt, QObject* parent = nullptr);

    CPlaylistDocument& document() { return doc_; }
    const CPlaylistDocument& document() const { return doc_; }
    PlaylistGridModel* grid() { return &grid_; }
    SourceListModel* sources() { return &sources_; }
    int rowCount() const { return doc_.rowCount(); }
    QString title() const { return doc_.title(); }

    // --- adding ------------------------------------------------------------------------
    // Inserts `item` after grid row `afterRow` (at the end when no row is given) and returns
    // its row; -1 when refused: a second schedule ("Only one .sch file is allowed!").
    int addItem(const PlaylistItem& item, int afterRow = -1);
    // Several items in order, each after the one added before it (so they keep their order),
    // starting after `afterRow` (at the end when no row is given); `host` (an FTP item's host
    // text) goes into each. Returns the rows added.
    QList<int> addItems(const std::vector<PlaylistItem>& items, int afterRow, const QString& host = {});
    // ">": the given rows of the file list.
    QList<int> addSources(const QList<int>& sourceRows, int afterRow, const QString& host = {});
    // ">>": every row of the file list.
    QList<int> addAllSources(int afterRow, const QString& host = {});
    // "Add TV-feed" after the row (or at the end) and "Scroll.Text.Off" at the end.
    int addTvFeed(int afterRow);
    int addScrollTextOff();

    // --- rows ----------------------------------------------------------------------------
    // "Del": the rows go with their items; deleting the schedule item clears its flag.
    void deleteRows(QList<int> rows);
    // The arrow buttons: every selected row one place up (down), in order; the move stops at a
    // selected row that is already first (last). Returns where the selected rows are now.
    QList<int> moveUp(QList<int> rows);
    QList<int> moveDown(QList<int> rows);
    // "FullScrn": toggles the rows that may be full screen (see fullScreenAllowed).
    void toggleFullScreen(const QList<int>& rows);
    // "Clear": both lists, default settings, the schedule flag, the caption and the path.
    void clear();
    // File "New": the main list only; the zone list and the settings stay.
    void newFile();

    // --- Multi Zone ----------------------------------------------------------------------
    void setMultiZone(bool on);
    bool multiZone() const { return doc_.multiZone(); }

    // --- settings ------------------------------------------------------------------------
    const PlaylistSettings& settings() const { return doc_.settings(); }
    void setSettings(const PlaylistSettings& settings) { doc_.settings() = settings; }

    // --- the file list -------------------------------------------------------------------
    bool playlistFilter() const { return filter_ == FileTypeFilter::PlaylistsAndSchedules; }
    bool zoneFilter() const { return filter_ == FileTypeFilter::ZoneImages; }
    FileTypeFilter filter() const { return filter_; }
    // Ticking "mpl/sch" unticks "yuv", empties the grid and the main list and forgets the
    // current path; ticking "yuv" unticks "mpl/sch" and forgets the path. Toggling "mpl/sch"
    // restores the caption. The caller lists the folder again (relist).
    void setPlaylistFilter(bool ticked);
    void setZoneFilter(bool ticked);
    // Lists a local folder (remembered) under the filter.
    void listFolder(const QString& folder);
    QString folder() const { return folder_; }
    void relist();
    // The entries of a player's storage report as the file list.
    void listPlayerStorage(const QString& reportPath);

    // --- file ----------------------------------------------------------------------------
    // Open: the playlist replaces both lists and the settings; false (and told) when the
    // file cannot be read.
    bool open(const QString& path);
    // Save's checks: the main list is not empty and the times are valid ("Invaid Time!" after
    // the specific message otherwise).
    bool readyToSave();
    // Writes the playlist (no copying); false (and told) when it cannot be written.
    bool save(const QString& path);

Q_SIGNALS:
    void titleChanged(const QString& title);
    void multiZoneChanged(bool on);
    void filterChanged();

private:
    void titleMayHaveChanged();

    IOperatorPrompt& prompt_;
    CPlaylistDocument doc_;
    PlaylistGridModel grid_;
    SourceListModel sources_;
    FileTypeFilter filter_ = FileTypeFilter::All;
    QString folder_;
    QString shownTitle_;
};

}  // namespace lum
