#pragma once
// Fixed texts of the online list and its senders.

namespace lum::online {

inline constexpr const char* kServerFilter = "Server";
inline constexpr const char* kStatusAlive = "Alive";
inline constexpr const char* kStatusOffline = "Offline";
inline constexpr const char* kAutoPlay = "AutoPlay";
inline constexpr const char* kNoClient = "No client is online and no client will be effected!";
inline constexpr const char* kNoPlaylist =
    "The playlist file is not find!\r Please generate it in Playlist Commander.";
inline constexpr const char* kInstantMessageFile = "instantmessage.txt";

inline constexpr const char* kColumnHeadings[] = {"User",       "Group",       "Status",
                                                  "IP Address", "MAC Address", "Login Time",
                                                  "Playlist",   "Description"};

}  // namespace lum::online
