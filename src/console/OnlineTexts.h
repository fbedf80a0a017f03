#pragma once
// Fixed texts of the online list and its senders.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::online {

inline constexpr const char* kServerFilter = "Server";
inline constexpr const char* kStatusAlive = QT_TRANSLATE_NOOP("lum", "Alive");
inline constexpr const char* kStatusOffline = QT_TRANSLATE_NOOP("lum", "Offline");
inline constexpr const char* kAutoPlay = "AutoPlay";
inline constexpr const char* kNoClient =
    QT_TRANSLATE_NOOP("lum", "No client is online and no client will be effected!");
inline constexpr const char* kNoPlaylist =
    QT_TRANSLATE_NOOP("lum", "The playlist file is not find!\r"
                             " Please generate it in Playlist Commander.");

inline constexpr const char* kColumnHeadings[] = {
    QT_TRANSLATE_NOOP("lum", "User"),
    QT_TRANSLATE_NOOP("lum", "Group"),
    QT_TRANSLATE_NOOP("lum", "Status"),
    QT_TRANSLATE_NOOP("lum", "IP Address"),
    QT_TRANSLATE_NOOP("lum", "MAC Address"),
    QT_TRANSLATE_NOOP("lum", "Login Time"),
    QT_TRANSLATE_NOOP("lum", "Playlist"),
    QT_TRANSLATE_NOOP("lum", "Description"),
};

}  // namespace lum::online
