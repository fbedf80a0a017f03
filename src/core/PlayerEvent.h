#pragma once
// Events a player's connection hands to the online list, with the player's MAC text: reports
// that arrived (the report panes show them) and status changes.

namespace lum {

enum class PlayerEvent : int {
    StorageInfo = 1000,   // ICS_GET_STORAGE_INFO_DONE
    StorageFiles = 1001,  // ICS_GET_STORAGE_FILE_INFO_DONE: "filereport_XX-XX-XX.zeb" uploaded
    DeleteDone = 1002,    // ICS_GET_DELETE_FILE_DONE
    Version = 1003,       // ICS_GET_VERSION
    Playlist = 1004,      // ICS_GET_PLAYLIST_DONE: "playlist_XX-XX-XX.zeb" uploaded
    Status = 1005,        // CHANGE_STATUS: the Status column's new text
    PlayReport = 1006,    // ICS_GET_PREPORT_DONE
};

}  // namespace lum
