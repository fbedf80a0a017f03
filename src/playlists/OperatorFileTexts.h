#pragma once
// Texts the schedule, message, label and report code shows or writes, exactly as the operators
// and players know them.

namespace lum::operator_file_texts {

// Schedules
inline constexpr const char* kCannotSaveFile = "Can not save file!\n";
inline constexpr const char* kAutoPlayNextStart =
    "AutoPlay function will be executed after players restart or power up next time";

// Instant messages and labels
inline constexpr const char* kMessageTooLong = "The maximum text length is 20480 bytes!";
inline constexpr const char* kDigitsOnly = "Only digital number(000-999) is allowed!";


// Report view columns
inline constexpr const char* kColFileName = "File Name";
inline constexpr const char* kColFileKind = "File/Directory";
inline constexpr const char* kColSize = "Size(Byte)";
inline constexpr const char* kColSeq = "Seq.";
inline constexpr const char* kColFilePath = "File Path";
inline constexpr const char* kColDuration = "Duration/Times";
inline constexpr const char* kColFrom = "From hhmm";
inline constexpr const char* kColTo = "To hhmm";
inline constexpr const char* kColTimesPlayed = "Times Played";
inline constexpr const char* kTabLog = "Log Data";
inline constexpr const char* kTabStorage = "CF Device";
inline constexpr const char* kTabPlaylist = "Playlist";
inline constexpr const char* kTabPlaybackReport = "Playback Report";

// Schedule columns and day names (Thursday is "Thr")
inline constexpr const char* kColPlaylist = "Playlist";
inline constexpr const char* kColStartDate = "Start Date";
inline constexpr const char* kColStopDate = "Stop Date";
inline constexpr const char* kColWeekday = "Weekday";
inline constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thr", "Fri", "Sat"};

// Label line columns
inline constexpr const char* kColLine = "Line";
inline constexpr const char* kColText = "Text";

}  // namespace lum::operator_file_texts
