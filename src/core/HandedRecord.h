#pragma once
// The console's own record of the files it handed to each player group: the playlists and
// schedules it sent (EZ-Play, AutoPlay, schedule assignment) and every media file they listed,
// and the instant picture. Players may read exactly these files outside their group's folder;
// a playlist lying in a group folder, which a player may have overwritten, never widens that.
//
// The record lives in "server data/handed.json", which no player can reach, and is rewritten
// whole and atomically at each hand-over. Each hand-over kind has its own slot per group, so a
// new EZ-Play replaces what the last EZ-Play handed and leaves the auto playlist's files alone.
// Paths are kept canonical (symbolic links resolved) as they were at the hand-over.
//
// Any thread may call it; writes are serialised within the process, and reads come from a
// cache that each write (and any change of the file from outside) renews.

#include <QSet>
#include <QString>
#include <QStringList>

namespace lum {

inline constexpr const char* kHandedRecordFile = "handed.json";

class CHandedRecord {
public:
    enum class Slot {
        Current,  // EZ-Play: the group's current playlist
        Auto,     // AutoPlay or schedule assignment: the group's auto playlist
        Instant,  // the instant picture
    };

    // What one group may read outside its folder, canonical.
    struct Entries {
        QSet<QString> playlists;  // playlists and schedules
        QSet<QString> files;      // media, and the playlists too
    };

    // `programFolder`: the data folder; the record is in its "server data" folder.
    explicit CHandedRecord(const QString& programFolder);

    QString filePath() const { return path_; }
    bool exists() const;

    // Replaces what `group` was handed under `slot`. False when the record cannot be written.
    bool setHanded(const QString& group, Slot slot, const QStringList& playlists,
                   const QStringList& media);
    // The same for every group (the instant picture is one file for all of them).
    bool setHandedToAll(Slot slot, const QStringList& media);
    // Keeps a group's entries under its new name; drops those of a deleted group.
    bool renameGroup(const QString& oldName, const QString& newName);
    bool removeGroup(const QString& name);
    // Writes an empty record when there is none yet.
    bool create();

    // Everything `group` was handed (its own slots and those for every group).
    Entries handedTo(const QString& group) const;

    // The form paths are kept in: links resolved for an existing file; otherwise the cleaned
    // absolute path. "\" separates like "/".
    static QString canonical(const QString& path);

private:
    QString path_;
};

}  // namespace lum
