#pragma once
// A playlist (".mpl") as the Playlist Commander edits it, without any window: the main list with
// the grid cells of each row, the zone list, the playlist-wide settings, and the file's writer
// and reader. The editor window shows and edits this document; AutoPlay, EZ-Play, "Copy All..."
// and the FTP upload save it.

#include "playlists/PlaylistItem.h"
#include "playlists/RemovableCopy.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace lum {

class IOperatorPrompt;
class IniFile;

// Editable cells of one grid row, as the operator typed them.
struct PlaylistCells {
    QString duration;    // "Duration/Times"
    QString fromTime;    // "From hhmm"
    QString toTime;      // "To hhmm"
    QString transition;  // "Transition": a transition table text or empty
    bool reload = false;
    bool dlOnly = false;
};

// One row of the main list: the item and its cells travel together (moves, inserts, deletes).
struct PlaylistRow {
    PlaylistItem item;
    PlaylistCells cells;
};

struct PlaylistSettings {
    int globalInterval = 5;  // picture play time, seconds
    bool useGlobalTransition = false;
    int globalTransition = 0;  // index into kGlobalTransitionNames
    bool mute = false;
    bool downloadSchedule = false;
    int downloadHour = 0;
    int downloadMinute = 0;
    // The delete-files choice is kept as three flags, as the file carries them: a file may set
    // both `format` and `delexpt`, and saving it again must keep both.
    bool format = false;             // choice 1
    bool deleteNotInPlaylist = false; // choice 2 (`delexpt`)
    bool deleteInPlaylist = false;    // choice 3 (`fileaction=DEL` on items)

    // 0..3 as the settings window shows it (the first flag set wins).
    int deleteFilesChoice() const;
    // Sets exactly the flag of `choice` (0 clears all).
    void setDeleteFilesChoice(int choice);
};

// The status line while "Copy All..." copies `source`: "Copying... path(row/count)".
QString copyingStatusText(const QString& source, int step, int steps);

class CPlaylistDocument {
public:
    explicit CPlaylistDocument(const QString& caption = QString());

    // --- main list -----------------------------------------------------------------------
    const std::vector<PlaylistRow>& rows() const { return rows_; }
    std::vector<PlaylistRow>& rows() { return rows_; }
    int rowCount() const { return int(rows_.size()); }
    // Inserts at `index` (appends when out of range); returns the row index used. A schedule
    // item marks the playlist as holding one.
    int insertRow(int index, const PlaylistRow& row);
    int appendRow(const PlaylistRow& row) { return insertRow(rowCount(), row); }
    // Removes a row; removing the schedule item clears the schedule flag.
    bool removeRow(int index);
    // Moves a row one place; false at the edge.
    bool moveRowUp(int index);
    bool moveRowDown(int index);
    // File "New": the main list only (with it goes the schedule item, and so its flag).
    void clearRows();
    // "Clear": both lists, default settings, schedule flag, title and current path.
    void clearAll();

    // --- zone list -----------------------------------------------------------------------
    const std::vector<PlaylistItem>& zoneItems() const { return zone_; }
    std::vector<PlaylistItem>& zoneItems() { return zone_; }

    // --- settings and flags --------------------------------------------------------------
    PlaylistSettings& settings() { return settings_; }
    const PlaylistSettings& settings() const { return settings_; }
    bool multiZone() const { return multiZone_; }
    void setMultiZone(bool on) { multiZone_ = on; }
    // The playlist holds its one nested schedule (".sch") item.
    bool hasSchedule() const { return hasSchedule_; }
    void setHasSchedule(bool on) { hasSchedule_ = on; }

    QString caption() const { return caption_; }
    QString title() const { return title_; }
    QString currentPath() const { return currentPath_; }
    void setCurrentPath(const QString& path) { currentPath_ = path; }
    // The title becomes the caption again.
    void resetTitle() { title_ = caption_; }

    // --- time cells ----------------------------------------------------------------------
    // Checks every row's From/To cells; tells the operator the first fault through `prompt`
    // (may be null) and returns false.
    bool validateTimes(IOperatorPrompt* prompt) const;

    // --- file ----------------------------------------------------------------------------
    // Writes the playlist to `path` (replacing any file there). Returns false when the times
    // are invalid (nothing written; the operator was told through `prompt`, which may be null)
    // or when the file cannot be written.
    bool Save(const QString& path, IOperatorPrompt* prompt = nullptr);
    // The bytes Save writes (no validation).
    QByteArray toBytes() const;
    // "Copy All...": every local media item (zone items first when Multi Zone is on, then the
    // grid rows) copied into `folder` under its copy name (zone images under their zone names),
    // then "playlist.mpl" written there. One progress step per grid row. Validate the times
    // first; the plan does not.
    CopyPlan copyAllPlan(const QString& folder) const;

    // Reads an existing playlist, replacing both lists and the settings the file holds.
    // False (document unchanged) when the file cannot be read.
    bool Load(const QString& path);
    void loadFromBytes(const QByteArray& bytes, const QString& path);

private:
    void buildIni(IniFile& ini) const;
    void writeItem(IniFile& ini, int n, const PlaylistItem& item, const PlaylistCells* cells) const;

    std::vector<PlaylistRow> rows_;
    std::vector<PlaylistItem> zone_;
    PlaylistSettings settings_;
    bool multiZone_ = false;
    bool hasSchedule_ = false;
    QString caption_;
    QString title_;
    QString currentPath_;
};

}  // namespace lum
