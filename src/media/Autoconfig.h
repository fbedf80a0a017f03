#pragma once
// The autoconfig file a player takes its start-up configuration from ("autoconfig.zeb" as the
// operator saves it, "autoconfig.zeq" in a group's home directory), and the values the
// "Client Setup Utility" window edits. The window only shows and collects these fields; the
// rules (what is written when, how a file maps back, which fields a target tab allows) live here.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace lum {

class CUserStore;
class ICommandSender;
class IOperatorPrompt;

// Fields the rules can hand the focus to.
enum class AutoconfigField { None, Port, UserName, IlumPart0, IlumPart1, IlumPart2, RebootHour, StartHour, Url };

struct AutoconfigSettings {
    // Choice lists, by position as the window shows them.
    enum StartupMode { Lum = 0, CfCard = 1, HttpUrl = 2, Ilum = 3, HttpPictavo = 4 };
    enum TargetTab { ClientTab = 0, GroupTab = 1 };
    enum WifiEncryption { WifiDisable = 0, WepOpen = 1, WepShared = 2, Wpa = 3, Wpa2 = 4 };

    static constexpr int kTimeZoneCount = 26;   // "GMT-12" ... "GMT+12" with "GMT+05:30"
    static constexpr int kIndiaTimeZone = 18;   // "GMT+05:30"
    static constexpr int kIndiaTimeZoneCode = 53;

    // Field limits of the window (characters), and the port range.
    static constexpr int kUserNameMax = 8;
    static constexpr int kPasswordMax = 4;
    static constexpr int kTimeFieldMax = 2;
    static constexpr int kUrlMax = 128;
    static constexpr int kSsidMax = 31;
    static constexpr int kWepKeyMax = 13;
    static constexpr int kWpaKeyMax = 63;
    static constexpr int kCityCodeMax = 9;
    static constexpr int kSnNumberMax = 9;
    static constexpr int kPortMin = 0;
    static constexpr int kPortMax = 65536;
    static constexpr std::array<int, 3> kIlumPartLength{3, 3, 4};

    TargetTab tab = ClientTab;

    // Server
    QString server = QStringLiteral("192.168.1.100");
    int port = 5021;
    QString userName;
    QString password;  // no field in the window: only what a loaded file held
    bool hideMenu = false;

    // Network
    bool dhcp = true;
    QString staticIp = QStringLiteral("192.168.1.1");
    QString subnetMask = QStringLiteral("255.255.255.0");
    QString gateway = QStringLiteral("192.168.1.1");
    QString dns = QStringLiteral("192.168.1.1");

    // Time
    int timeZoneIndex = 0;    // "GMT-12"
    int daylightSaving = 0;   // 0 "OFF", 1 "ON", 2 "AUTO"
    int timeFormatIndex = 1;  // 0 "12", 1 "24"
    bool restartTime = false;
    QString rebootHour, rebootMinute;
    bool deviceOnOff = false;
    QString startHour, startMinute, stopHour, stopMinute;
    bool standbyWhenOff = true;  // "Device OFF mode": "Standby" (true) or "Sleep"

    // Preference
    int startupMode = Lum;  // a loaded code may leave a position no button has
    QString url;
    std::array<QString, 3> ilumId{QStringLiteral("001"), QStringLiteral("001"),
                                  QStringLiteral("0013")};
    bool changeIlumId = true;
    int videoOut = 1;         // 0 "VGA", 1 "S-video/YPbPr(720P)", 2 "YPbPr(480P/1080i)"
    int tvModeIndex = 0;      // 0 "NTSC", 1 "PAL"
    int tvTypeIndex = 1;      // 0 "PS MODE", 1 "LB MODE", 2 "WIDE MODE"
    int hdmi = 1;             // 0 "720P", 1 "1080P"
    int dateFormat = 0;       // 0 "DD/MM/YYYY", 1 "MM/DD/YYYY", 2 "YYYY/MM/DD"
    int fileRepeat = 0;       // 0 "Folder", 1 "Single"
    int picAutoRotate = 0;    // 0 "OFF", 1 "Clockwise", 2 "CNT-Clockwise"
    int userInputMode = 0;    // 0..3 "Mode 1".."Mode 4"
    bool weather = false;
    QString cityCode = QStringLiteral("2442047");
    bool celsius = false;     // else "Fahrenheit"

    // WIFI
    QString ssid;
    int wifiEncryption = WifiDisable;
    int wepKeyLength = -1;    // 0 "64Bits", 1 "128Bits"; -1 no choice yet (written as 64 bits)
    int wpaKeyType = -1;      // 0 "TKIP", 1 "AES"; -1 no choice yet (written as TKIP)
    QString wepKey;
    QString wpaKey;

    // Read from files but never shown or written.
    QString startTime2 = QStringLiteral("OFF"), stopTime2 = QStringLiteral("OFF");
    QString startTime3 = QStringLiteral("OFF"), stopTime3 = QStringLiteral("OFF");
    QString playlistSyncTime;
    QString snNumber = QStringLiteral(" ");

    // Switching the target tab: the Group tab has no account, no static address and no
    // "ILUM" mode (DHCP is forced, "ILUM" falls back to "LUM").
    void setTargetTab(TargetTab t);
    // Whether the window enables a choice on the current tab.
    bool accountFieldsEnabled() const { return tab == ClientTab; }
    bool staticIpAllowed() const { return tab == ClientTab; }
    bool ilumModeAllowed() const { return tab == ClientTab; }
    // The choices the window offers, with their rules. Each returns the field that takes the
    // focus afterwards (AutoconfigField::None: the focus stays).
    // Choosing "HTTP URL" or "HTTP Pictavo" clears the URL and focuses it; "ILUM" focuses (and
    // selects) the first ID part; "ILUM" is refused on the Group tab.
    AutoconfigField setStartupMode(int mode);
    // Static IP is refused on the Group tab.
    void setDhcp(bool on);
    // Ticking moves the focus to the hour.
    AutoconfigField setRestartTime(bool on);
    AutoconfigField setDeviceOnOff(bool on);
    // A newly enabled key length or key type list without a choice gets its first entry.
    void setWifiEncryption(int encryption);

    // Code written for the time-zone list position, and the position a code loads as.
    static int timeZoneCode(int index);
    static int timeZoneIndexForCode(int code);
    // `autoplay` code written for a start-up mode, and the mode a code loads as.
    static int autoplayCode(int mode);
    static int startupModeForCode(int code);

    // An ILUM ID part is valid when it holds exactly its number of decimal digits.
    static bool isValidIlumPart(int part, const QString& text);
    // The port as typed; -1 (refused by the range check) when it is not a whole number.
    static int portFromText(const QString& text);
    // The "Time zone" list: "GMT-12" ... "GMT-1", "GMT", "GMT+1" ... "GMT+5", "GMT+05:30",
    // "GMT+6" ... "GMT+12".
    static QStringList timeZoneNames();
};

// What the window enables and shows for the current choices.
struct AutoconfigControls {
    bool userName = true;        // account name (Client tab only)
    bool staticIpChoice = true;  // the "Static IP" button (Client tab only)
    bool addresses = false;      // IP address, subnet mask, gateway, DNS with labels (Static IP)
    bool rebootTime = false;     // hour and minute of "Restart Time"
    bool deviceTime = false;     // the on and off times of "Device On/OFF1"
    bool ilumMode = true;        // the "ILUM" button (Client tab only)
    bool urlShown = false;       // URL field, its label and example line (HTTP modes)
    bool ilumShown = false;      // ID parts, "Change ILUM ID" and the hint ("ILUM")
    bool ilumParts = false;      // the three parts ("Change ILUM ID" ticked)
    bool weatherFields = false;  // city code and unit ("Weather" ticked)
    bool wepFields = false;      // WEP length and key ("WEP Open", "WEP Shared Key")
    bool wpaFields = false;      // WPA key type and key ("WPA", "WPA2")
    const char* updateText = nullptr;  // "Update Client==>" or "Update Group==>"
};
AutoconfigControls autoconfigControls(const AutoconfigSettings& s);

// The names the target list beside "Update" offers: on the Client tab the user names of the
// connected players whose status text is not "offline" (any case), on the Group tab every group
// of the store. When the list holds exactly one name, that name is the chosen one.
struct PlayerStatus {
    QString name;
    QString status;
};
QStringList autoconfigTargets(AutoconfigSettings::TargetTab tab, const QStringList& groupNames,
                              const std::vector<PlayerStatus>& players);
QString defaultAutoconfigTarget(const QStringList& targets);

// Writes the file (any old file is replaced as a whole). False when it cannot be written.
bool saveAutoconfig(const AutoconfigSettings& s, const QString& path);
QByteArray autoconfigBytes(const AutoconfigSettings& s);

// Reads a file into `s` (a missing file reads as the loader's defaults). The target tab is
// kept, and a Group tab's rules are applied to what was read.
void loadAutoconfig(AutoconfigSettings& s, const QString& path);

// Check of one ILUM ID part as it loses the focus: a non-empty invalid part shows
// "INVALD ILUM ID!" and is emptied. Returns false when it was refused.
bool checkIlumPart(AutoconfigSettings& s, int part, IOperatorPrompt& prompt);

// Checks made before "Save as" opens its file box (the port range first, as the window's data
// exchange does); returns the field to focus on refusal, AutoconfigField::None when saving may
// go on.
AutoconfigField checkBeforeSaveAs(const AutoconfigSettings& s, IOperatorPrompt& prompt);

enum class AutoconfigUpdate {
    Updated,        // written and the command reached at least one player
    NoneReached,    // written, but no player was online
    NoTarget,       // no target chosen: nothing happens
    BadPort,        // the port is outside 0 to 65536 (focus the port)
    BlankUserName,  // Client tab without an account name (focus the account name)
    Declined,       // the operator answered No
    UnknownTarget,  // the group or player is not in the store: nothing written
    CannotWrite,    // the file could not be written: no command posted
};

// "Update Client =>": asks "Update selected client's setup and reboot", writes
// "autoconfig.zeq" into the home directory of the target group (Group tab) or of the player's
// group (Client tab), and posts command 42 to every online player of that group or to that
// player. `writtenPath` gets the file written, `reached` how many players were reached.
AutoconfigUpdate updateAutoconfig(const AutoconfigSettings& s, const QString& targetName,
                                  CUserStore& store, ICommandSender& sender,
                                  IOperatorPrompt& prompt, QString* writtenPath = nullptr,
                                  int* reached = nullptr);

}  // namespace lum
