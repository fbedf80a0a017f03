#pragma once
// Texts the playlist subsystem shows to the operator, exactly as the console has always shown
// them (typos included: players' operators know them by heart).

namespace lum::playlist_texts {

inline constexpr const char* kTimeFormat = "Time must be in HHMM or HH:MM format!";
inline constexpr const char* kStopNeedsStart = "If set stop time, must set start time,too!";
inline constexpr const char* kInvalidTime = "Invaid Time!";
inline constexpr const char* kOnlyOneSchedule = "Only one .sch file is allowed!";
inline constexpr const char* kOnlyNumeric = "Only accpet numeric number!";
// Status text while media are copied beside a playlist: source path, row, row count.
inline constexpr const char* kCopyingStatus = "Copying... %1(%2/%3)";
inline constexpr const char* kCommanderCaption = "Playlist Commander";
inline constexpr const char* kTitleSeparator = "  ---   ";

}  // namespace lum::playlist_texts
