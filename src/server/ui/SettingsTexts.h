#pragma once
// Labels of the configuration dialog's pages.

namespace lum::settingstexts {

inline constexpr const char* kTitle = "Configuration of System";
inline constexpr const char* kServerPage = "Server";
inline constexpr const char* kSecurityPage = "Security";
inline constexpr const char* kStartupPage = "Startup";
inline constexpr const char* kMacPage = "MAC";

inline constexpr const char* kServerPort = "Server Port";
inline constexpr const char* kPasvPortStart = "PASV Port Start";
inline constexpr const char* kRange = "Range";
inline constexpr const char* kMaxUsers = "Max. Users";
inline constexpr const char* kCheckPassword = "Check password when player login";
inline constexpr const char* kLocalIp = "Local IP Address";
inline constexpr const char* kPortNote = "Note: LUM is required to be closed  for new port change";

inline constexpr const char* kIpList = "IP List";
inline constexpr const char* kAdd = "Add";
inline constexpr const char* kEdit = "Edit";
inline constexpr const char* kRemove = "Remove";
inline constexpr const char* kNoFilter = "Do not use IP Filter";
inline constexpr const char* kAcceptOnly = "Accept connections only from spcecified ip address";
inline constexpr const char* kRefuseListed =
    "Do not accept connections only from spcecified ip address";

inline constexpr const char* kLaunchAtStartup = "Launch Control Server at windows startup";
inline constexpr const char* kStartInTray = "Startup minimized in systemtray";
inline constexpr const char* kAutoActivate = "Automatically activate server at startup";
inline constexpr const char* kLanguage = "Application Language";
inline constexpr const char* kLogLevel = "Log Level";
inline constexpr const char* kLanguages[] = {"English", "Chinese(Simplified)",
                                             "Chinese(Traditional)"};
inline constexpr const char* kLogLevels[] = {"1 - Normal", "2 - Detail"};

// Labels of the MAC page (the hand-out of player MAC addresses).
inline constexpr const char* kEnableSetMac = "Hand out MAC addresses to players";
inline constexpr const char* kMacRangeMin = "First MAC address";
inline constexpr const char* kMacRangeCount = "Number of addresses";

// Added: an IP list entry that is not an address (a "*" may stand for a whole octet).
inline constexpr const char* kBadAddress =
    "'%1' is not an IP address (use * for a whole octet, e.g. 192.168.1.*)";
inline constexpr const char* kBadMac = "'%1' is not a MAC address (XX-XX-XX-XX-XX-XX)";
inline constexpr const char* kSaveFailed = "Can't write the settings file:\n %1";

}  // namespace lum::settingstexts
