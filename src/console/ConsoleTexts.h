#pragma once
// Texts the console shell shows the operator, exactly as the console has them.

namespace lum::consoletexts {

// Log pane
inline constexpr const char* kLogTabData = "Log Data";
inline constexpr const char* kLogTabDevice = "CF Device";
inline constexpr const char* kLogTabReport = "Playback Report";
inline constexpr const char* kLogClear = "Clear";
inline constexpr const char* kLogSaveAs = "Save As...";
inline constexpr const char* kLogDelete = "&Delete";
inline constexpr const char* kLogSaved = "Success to save the log data to file";
inline constexpr const char* kLogCannotCreate = "Can't create log file:\n ";
inline constexpr const char* kLogFileFilter = "Log files(*.log)";

// Console password
inline constexpr const char* kPasswordMismatch = "Password does not match";
inline constexpr const char* kChangePasswordTitle = "Change Pasword";
inline constexpr const char* kOldPassword = "Old Password";
inline constexpr const char* kNewPassword = "New Password";
inline constexpr const char* kConfirmPassword = "Confirm Password";
inline constexpr const char* kResumeTitle = "Resume from Protect Mode";
inline constexpr const char* kPasswordLabel = "Password";
// Added: config.ini could not be written (the change is not kept).
inline constexpr const char* kSettingsSaveFailed = "Can't write the settings file:\n %1";

// Start-up and main window
inline constexpr const char* kAlreadyRunning = "LUM is ON already!";
inline constexpr const char* kServerOnline = "ICS Server is online";
inline constexpr const char* kServerOffline = "ICS Server is offline";
inline constexpr const char* kPleaseRestart = "Please restart %1";
inline constexpr const char* kHostLookupFailed = "failed";


}  // namespace lum::consoletexts
