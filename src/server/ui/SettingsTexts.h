#pragma once
// Labels of the configuration dialog's pages.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::settings_texts {

inline constexpr const char* kTitle = QT_TRANSLATE_NOOP("lum", "Configuration of System");
inline constexpr const char* kServerPage = QT_TRANSLATE_NOOP("lum", "Server");
inline constexpr const char* kSecurityPage = QT_TRANSLATE_NOOP("lum", "Security");
inline constexpr const char* kStartupPage = QT_TRANSLATE_NOOP("lum", "Startup");
inline constexpr const char* kMacPage = QT_TRANSLATE_NOOP("lum", "MAC");

inline constexpr const char* kServerPort = QT_TRANSLATE_NOOP("lum", "Server Port");
inline constexpr const char* kPasvPortStart = QT_TRANSLATE_NOOP("lum", "PASV Port Start");
inline constexpr const char* kRange = QT_TRANSLATE_NOOP("lum", "Range");
inline constexpr const char* kMaxUsers = QT_TRANSLATE_NOOP("lum", "Max. Users");
inline constexpr const char* kCheckPassword =
    QT_TRANSLATE_NOOP("lum", "Check password when player login");
inline constexpr const char* kLocalIp = QT_TRANSLATE_NOOP("lum", "Local IP Address");
inline constexpr const char* kPortNote =
    QT_TRANSLATE_NOOP("lum", "Note: LUM is required to be closed  for new port change");

inline constexpr const char* kIpList = QT_TRANSLATE_NOOP("lum", "IP List");
inline constexpr const char* kAdd = QT_TRANSLATE_NOOP("lum", "Add");
inline constexpr const char* kEdit = QT_TRANSLATE_NOOP("lum", "Edit");
inline constexpr const char* kRemove = QT_TRANSLATE_NOOP("lum", "Remove");
inline constexpr const char* kNoFilter = QT_TRANSLATE_NOOP("lum", "Do not use IP Filter");
inline constexpr const char* kAcceptOnly =
    QT_TRANSLATE_NOOP("lum", "Accept connections only from spcecified ip address");
inline constexpr const char* kRefuseListed =
    QT_TRANSLATE_NOOP("lum", "Do not accept connections only from spcecified ip address");

inline constexpr const char* kLaunchAtStartup =
    QT_TRANSLATE_NOOP("lum", "Launch Control Server at windows startup");
inline constexpr const char* kStartInTray =
    QT_TRANSLATE_NOOP("lum", "Startup minimized in systemtray");
inline constexpr const char* kAutoActivate =
    QT_TRANSLATE_NOOP("lum", "Automatically activate server at startup");
inline constexpr const char* kLanguage = QT_TRANSLATE_NOOP("lum", "Application Language");
inline constexpr const char* kLogLevel = QT_TRANSLATE_NOOP("lum", "Log Level");
inline constexpr const char* kLanguages[] = {
    QT_TRANSLATE_NOOP("lum", "English"),
    QT_TRANSLATE_NOOP("lum", "Chinese(Simplified)"),
    QT_TRANSLATE_NOOP("lum", "Chinese(Traditional)"),
};
inline constexpr const char* kLogLevels[] = {
    QT_TRANSLATE_NOOP("lum", "1 - Normal"),
    QT_TRANSLATE_NOOP("lum", "2 - Detail"),
};

// Labels of the MAC page (the hand-out of player MAC addresses).
inline constexpr const char* kEnableSetMac =
    QT_TRANSLATE_NOOP("lum", "Hand out MAC addresses to players");
inline constexpr const char* kMacRangeMin = QT_TRANSLATE_NOOP("lum", "First MAC address");
inline constexpr const char* kMacRangeCount = QT_TRANSLATE_NOOP("lum", "Number of addresses");

// Added: an IP list entry that is not an address (a "*" may stand for a whole octet).
inline constexpr const char* kBadAddress =
    QT_TRANSLATE_NOOP("lum", "'%1' is not an IP address"
                             " (use * for a whole octet, e.g. 192.168.1.*)");
inline constexpr const char* kBadMac =
    QT_TRANSLATE_NOOP("lum", "'%1' is not a MAC address (XX-XX-XX-XX-XX-XX)");
// Added: who may log in and how much one address may take (AUTOREGISTER, MAXPERADDRESS).
inline constexpr const char* kAutoRegister =
    QT_TRANSLATE_NOOP("lum", "Register unknown player names in Home at login");
inline constexpr const char* kMaxPerAddress =
    QT_TRANSLATE_NOOP("lum", "Connections and new names per address");
// Added: offline alerts ([ALERTS] OFFLINEMINUTES and OFFLINECOMMAND).
inline constexpr const char* kAlertsPage = QT_TRANSLATE_NOOP("lum", "Alerts");
inline constexpr const char* kOfflineMinutes =
    QT_TRANSLATE_NOOP("lum", "Alert when a player stays offline longer than (minutes, 0 = never)");
inline constexpr const char* kOfflineCommand = QT_TRANSLATE_NOOP("lum", "Program to run for an alert");
inline constexpr const char* kOfflineCommandNote = QT_TRANSLATE_NOOP(
    "lum", "The program gets the player's name, group, MAC address and last-seen time as four "
           "arguments; it runs without a shell and is stopped after 30 seconds.");
inline constexpr const char* kSaveFailed =
    QT_TRANSLATE_NOOP("lum", "Can't write the settings file:\n %1");

}  // namespace lum::settings_texts
