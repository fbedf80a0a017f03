#pragma once
// Texts of the settings backup and restore, exactly as operators know them.

namespace lum::backup_texts {

inline constexpr const char* kIllegalFile = "Illegal File!";
// %1 the backup path, %2 the date text stored in the backup.
inline constexpr const char* kAskRestore =
    "Do you want to restore the LUM setting files %1 backuped at %2?";
inline constexpr const char* kPleaseRestart = "Please restart %1";
inline constexpr const char* kCannotRestore = "Can not restore %1!";
inline constexpr const char* kCannotBackup = "Can not save file!\n";
inline constexpr const char* kFilter = "LUM Backup Files (*.bak)";
inline constexpr const char* kDefaultName = "zebbackup";
inline constexpr const char* kDefaultExtension = "bak";

}  // namespace lum::backup_texts
