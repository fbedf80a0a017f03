#pragma once
// Recording a hand-over in the console's record of handed files (core/HandedRecord.h): the
// playlist or schedule the console has just written for a group, and what it names.

#include "core/HandedRecord.h"

#include <QString>
#include <QStringList>

namespace lum {

class CUserStore;

// The files a hand-over of `playlistPath` gives a group: the playlist (or schedule) itself and
// the playlists it names (a schedule's lines, a playlist's nested schedule, one level each; a
// relative path is taken from the group's home directory), then the media those playlists list.
struct HandedSet {
    QStringList playlists;
    QStringList media;
};
HandedSet handedSetOf(const QString& playlistPath, const QString& homeDirectory);

// Records the hand-over of `playlistPath` to `group` under `slot` (replacing that slot's older
// entries). Call it right after the console wrote the file. False when the record cannot be
// written.
bool recordHandedPlaylist(const QString& programFolder, const QString& group,
                          const QString& homeDirectory, CHandedRecord::Slot slot,
                          const QString& playlistPath);

// A data folder from before the record: records each group's current and auto playlist files
// by their paths in the account store, but not what they list (a playlist in a group folder may
// have been written by a player). Media outside the group folders is served again once the
// operator hands the playlists over anew. Does nothing when a record exists; true when one
// exists afterwards.
bool seedHandedRecord(CUserStore& store);

}  // namespace lum
