#pragma once
// Texts the playlist subsystem shows to the operator, exactly as the console has always shown
// them (typos included: players' operators know them by heart).

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

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

// The Commander's grid headings, in column order.
inline constexpr const char* kGridHeadings[] = {
    QT_TRANSLATE_NOOP("lum", "Seq."),
    QT_TRANSLATE_NOOP("lum", "File Name"),
    QT_TRANSLATE_NOOP("lum", "File Path"),
    QT_TRANSLATE_NOOP("lum", "Duration/Times"),
    QT_TRANSLATE_NOOP("lum", "From hhmm"),
    QT_TRANSLATE_NOOP("lum", "To hhmm"),
    QT_TRANSLATE_NOOP("lum", "Transition"),
    QT_TRANSLATE_NOOP("lum", "Reload"),
    QT_TRANSLATE_NOOP("lum", "D/L Only"),
};
// The file list of the browsing side.
inline constexpr const char* kFileListHeadings[] = {
    QT_TRANSLATE_NOOP("lum", "File Name"),
    QT_TRANSLATE_NOOP("lum", "Type"),
    QT_TRANSLATE_NOOP("lum", "Size(Byte)"),
};
// The Group/Device list: a player entry is this prefix and the player's name.
inline constexpr const char* kPlayerEntryPrefix = "--  ";

// Added: a playlist that cannot be read or written says so (the file names follow).
inline constexpr const char* kCannotOpen = QT_TRANSLATE_NOOP("lum", "Can not open file!\n");
inline constexpr const char* kCannotSave = QT_TRANSLATE_NOOP("lum", "Can not save file!\n");

// The operator's errors of "lumctl playlist make" (the window shows the texts above).
inline constexpr const char* kNotMediaFile = "%1 is not a media file a player plays";
inline constexpr const char* kMissingMediaFile = "%1 does not exist";
inline constexpr const char* kUnknownTransition = "unknown transition '%1'";
inline constexpr const char* kEmptyPlaylist = "the playlist holds no item";

}  // namespace lum::playlist_texts
