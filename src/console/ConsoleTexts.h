#pragma once
// Texts the console shell shows the operator, exactly as the console has them.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::console_texts {

// Log pane
inline constexpr const char* kLogTabData = QT_TRANSLATE_NOOP("lum", "Log Data");
inline constexpr const char* kLogTabDevice = QT_TRANSLATE_NOOP("lum", "CF Device");
inline constexpr const char* kLogTabReport = QT_TRANSLATE_NOOP("lum", "Playback Report");
inline constexpr const char* kLogClear = QT_TRANSLATE_NOOP("lum", "Clear");
inline constexpr const char* kLogSaveAs = QT_TRANSLATE_NOOP("lum", "Save As...");
inline constexpr const char* kLogDelete = QT_TRANSLATE_NOOP("lum", "&Delete");
inline constexpr const char* kLogSaved =
    QT_TRANSLATE_NOOP("lum", "Success to save the log data to file");
inline constexpr const char* kLogCannotCreate =
    QT_TRANSLATE_NOOP("lum", "Can't create log file:\n ");
inline constexpr const char* kLogFileFilter = QT_TRANSLATE_NOOP("lum", "Log files(*.log)");

// Console password
inline constexpr const char* kPasswordMismatch =
    QT_TRANSLATE_NOOP("lum", "Password does not match");
inline constexpr const char* kChangePasswordTitle = QT_TRANSLATE_NOOP("lum", "Change Pasword");
inline constexpr const char* kOldPassword = QT_TRANSLATE_NOOP("lum", "Old Password");
inline constexpr const char* kNewPassword = QT_TRANSLATE_NOOP("lum", "New Password");
inline constexpr const char* kConfirmPassword = QT_TRANSLATE_NOOP("lum", "Confirm Password");
inline constexpr const char* kResumeTitle = QT_TRANSLATE_NOOP("lum", "Resume from Protect Mode");
inline constexpr const char* kPasswordLabel = QT_TRANSLATE_NOOP("lum", "Password");
// Added: config.ini could not be written (the change is not kept).
inline constexpr const char* kSettingsSaveFailed =
    QT_TRANSLATE_NOOP("lum", "Can't write the settings file:\n %1");

// Start-up and main window
inline constexpr const char* kAlreadyRunning = QT_TRANSLATE_NOOP("lum", "LUM is ON already!");
inline constexpr const char* kServerOnline = QT_TRANSLATE_NOOP("lum", "ICS Server is online");
inline constexpr const char* kServerOffline = QT_TRANSLATE_NOOP("lum", "ICS Server is offline");
inline constexpr const char* kPleaseRestart = QT_TRANSLATE_NOOP("lum", "Please restart %1");
inline constexpr const char* kHostLookupFailed = QT_TRANSLATE_NOOP("lum", "failed");


}  // namespace lum::console_texts
