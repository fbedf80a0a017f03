#pragma once
// Fixed texts of the online list.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::online_texts {

inline constexpr const char* kStatusAlive = QT_TRANSLATE_NOOP("lum", "Alive");
inline constexpr const char* kStatusOffline = QT_TRANSLATE_NOOP("lum", "Offline");
inline constexpr const char* kAutoPlay = "AutoPlay";
// Log text (logs stay English).
inline constexpr const char* kDeletedAccountDisconnected =
    "[%1] The account was deleted: its control connection is ended.";

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

}  // namespace lum::online_texts
