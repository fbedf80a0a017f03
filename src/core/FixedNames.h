#pragma once
// The fixed names of the files the console writes into a group's home directory for its
// players. Players fetch them by these names (in any letter case), and the server keeps players
// from changing the ones it owns.

#include <QString>

#include <array>

namespace lum::fixed_names {

inline constexpr const char* kAutoPlaylist = "AutoPlaylist.mpl";      // AutoPlay's playlist
inline constexpr const char* kEzPlaylist = "EZPlaylist.mpl";          // sent by EZ-Play
inline constexpr const char* kSchedule = "playlist.sch";              // "Assign to Group"
inline constexpr const char* kInstantMessage = "instantmessage.txt";  // command 12
inline constexpr const char* kScreenLabel = "ostnmessage.txt";        // command 43
inline constexpr const char* kAutoconfigUpdate = "autoconfig.zeq";    // "Update Client"
inline constexpr const char* kTicker = "rssmsg.txt";                  // the group's ticker text
inline constexpr const char* kTickerAlias = "autorss.txt";            // fetched as the ticker
inline constexpr const char* kInstantPicture = "instant.jpg";         // command 45
inline constexpr const char* kDeleteList = "File2Del.zeb";            // command 9
// What a player fetches as the group's current playlist; also the name of a playlist copied
// beside its media. Players may upload a file of this name: fetching it always gives the
// group's current playlist.
inline constexpr const char* kCurrentPlaylist = "playlist.mpl";

// Files players leave for the console; the MAC text replaces the placeholder.
inline constexpr const char* kStorageReportTemplate = "filereport_XX-XX-XX.zeb";  // command 7
inline constexpr const char* kPlaylistReportTemplate = "playlist_XX-XX-XX.zeb";   // command 35
inline constexpr const char* kMacPlaceholder = "XX-XX-XX";
// The autoconfig file's text form, which players may ask for as well.
inline constexpr const char* kAutoconfigText = "autoconfig.zeb";

// The names players may read but never store, append, delete or rename (nor rename onto).
inline constexpr std::array<const char*, 10> kReadOnlyForPlayers = {
    kAutoPlaylist, kEzPlaylist,   kSchedule,  kInstantMessage, kScreenLabel,
    kAutoconfigUpdate, kTicker,   kTickerAlias, kInstantPicture, kDeleteList,
};

// True when `fileName` (a last path component) is one of the read-only names, in any case.
inline bool isReadOnlyForPlayers(const QString& fileName) {
    for (const char* name : kReadOnlyForPlayers)
        if (fileName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace lum::fixed_names
