#pragma once
// Texts the operator sees about sending a command to players.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::command_texts {

inline constexpr const char* kNoClient =
    QT_TRANSLATE_NOOP("lum", "No client is online and no client will be effected!");
inline constexpr const char* kNoPlaylist =
    QT_TRANSLATE_NOOP("lum", "The playlist file is not find!\r"
                             " Please generate it in Playlist Commander.");

// A target the store does not know.
inline constexpr const char* kUnknownGroup = "Group '%1' is not found!";
inline constexpr const char* kUnknownClient = "Client '%1' is not found!";

}  // namespace lum::command_texts
