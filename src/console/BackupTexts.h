#pragma once
// Texts of the settings backup and restore, exactly as operators know them.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::backup_texts {

inline constexpr const char* kIllegalFile = QT_TRANSLATE_NOOP("lum", "Illegal File!");
// %1 the backup path, %2 the date text stored in the backup.
inline constexpr const char* kAskRestore =
    QT_TRANSLATE_NOOP("lum", "Do you want to restore the LUM setting files %1 backuped at %2?");
inline constexpr const char* kPleaseRestart = QT_TRANSLATE_NOOP("lum", "Please restart %1");
inline constexpr const char* kCannotRestore = QT_TRANSLATE_NOOP("lum", "Can not restore %1!");
inline constexpr const char* kCannotBackup = QT_TRANSLATE_NOOP("lum", "Can not save file!\n");
inline constexpr const char* kFilter = QT_TRANSLATE_NOOP("lum", "LUM Backup Files (*.bak)");
inline constexpr const char* kDefaultName = "zebbackup";
inline constexpr const char* kDefaultExtension = "bak";

}  // namespace lum::backup_texts
