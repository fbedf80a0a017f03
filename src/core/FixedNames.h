#pragma once
// Names of the files the console writes into a group's home directory (or the program folder)
// for its players, and of the files players leave there. The server's path resolution, the
// playlists, the message and media code share them; players ask for them by these names.

namespace lum::fixed_names {

inline constexpr const char* kGroupPlaylistFile = "playlist.mpl";  // how players ask for it
inline constexpr const char* kAutoPlaylistFile = "AutoPlaylist.mpl";
inline constexpr const char* kEzPlaylistFile = "EZPlaylist.mpl";
inline constexpr const char* kScheduleFile = "playlist.sch";
inline constexpr const char* kInstantMessageFile = "instantmessage.txt";
inline constexpr const char* kLabelFile = "ostnmessage.txt";
inline constexpr const char* kAutoconfigFile = "autoconfig.zeq";
inline constexpr const char* kAutoconfigTextFile = "autoconfig.zeb";
inline constexpr const char* kTickerFile = "rssmsg.txt";
inline constexpr const char* kAutoRssFile = "autorss.txt";     // players' name for the ticker
inline constexpr const char* kInstantPictureFile = "instant.jpg";  // in the program folder
inline constexpr const char* kDeleteListFile = "File2Del.zeb";

// Reports players upload; the MAC text replaces the placeholder.
inline constexpr const char* kStorageReportTemplate = "filereport_XX-XX-XX.zeb";
inline constexpr const char* kPlaylistReportTemplate = "playlist_XX-XX-XX.zeb";
inline constexpr const char* kMacPlaceholder = "XX-XX-XX";

}  // namespace lum::fixed_names
