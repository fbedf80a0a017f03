#pragma once
// The settings kept in config.ini (sections "Startup", "SERVER", "IPLIST", "MAC") and the few
// values the console carries beside them while it runs.
//
// The control server reads some values when it uses them (password check, automatic
// registration, log level, MAC hand-out, passive range), from its connection threads, while the
// settings dialog may change them on the user-interface thread: those are guarded by a lock.

#include <QByteArray>
#include <QString>

#include <array>
#include <mutex>

namespace lum {

inline constexpr const char* kDefaultConsolePassword = "vemra";
inline constexpr int kMaxUsersInForce = 100;  // the connection limit whatever the file says
inline constexpr int kSettingsListBufferSize = 1000;  // IPLIST and MAC values
inline constexpr int kDefaultMaxPerAddress = 20;  // connections held and names registered a minute
inline constexpr int kDefaultOfflineMinutes = 5;

class CAppSettings {
public:
    // `iniPath`: the config.ini this object reads and writes.
    explicit CAppSettings(const QString& iniPath = {});

    QString iniPath() const { return iniPath_; }
    void setIniPath(const QString& path) { iniPath_ = path; }

    // Reads every key; a missing key or file gives the default. Always true.
    bool Load();
    // Writes every key in order into the existing file (other keys and sections stay) and
    // applies LAUNCHONSTARTUP. False when config.ini could not be written.
    bool Save();

    // The autostart entry LAUNCHONSTARTUP creates: $XDG_CONFIG_HOME/autostart/LUM.desktop
    // (~/.config/autostart when XDG_CONFIG_HOME is unset).
    static QString autostartFilePath();
    // The program the autostart entry starts; the running executable unless set.
    QString executablePath() const;
    void setExecutablePath(const QString& path) { executablePath_ = path; }

    // "Startup"
    bool autoActivate() const { return autoActivate_; }
    void setAutoActivate(bool v) { autoActivate_ = v; }
    bool launchOnStartup() const { return launchOnStartup_; }
    void setLaunchOnStartup(bool v) { launchOnStartup_ = v; }
    bool startInTray() const { return startInTray_; }
    void setStartInTray(bool v) { startInTray_ = v; }
    int language() const { return language_; }
    void setLanguage(int v) { language_ = v; }

    // "SERVER"
    int logLevel() const;
    void setLogLevel(int v);
    int maxUsers() const { return maxUsers_; }
    void setMaxUsers(int v) { maxUsers_ = v; }
    int port() const { return port_; }
    void setPort(int v) { port_ = v; }
    quint32 portStart() const;
    void setPortStart(quint32 v);
    quint32 portNum() const;
    void setPortNum(quint32 v);
    QString localIpAddress() const { return localIpAddress_; }
    void setLocalIpAddress(const QString& v);
    QString password() const { return password_; }  // plain text
    void setPassword(const QString& v) { password_ = v; }
    bool passwordCheck() const;
    void setPasswordCheck(bool v);
    // AUTOREGISTER: a player name unknown to the account store is registered in "Home" at login
    // (1, the default); 0 refuses it like a disabled account.
    bool autoRegister() const;
    void setAutoRegister(bool v);
    // MAXPERADDRESS: how many connections one source address may hold at once, and how many new
    // names it may register a minute. Copied into the server at start.
    int maxPerAddress() const { return maxPerAddress_; }
    void setMaxPerAddress(int v) { maxPerAddress_ = v; }

    // "IPLIST"
    int ipFilterMode() const { return ipFilterMode_; }
    void setIpFilterMode(int v) { ipFilterMode_ = v; }
    QString ipFilterList() const { return ipFilterList_; }
    void setIpFilterList(const QString& v);

    // "MAC"
    bool enableSetMac() const;
    void setEnableSetMac(bool v);
    QString macRangeMin() const;
    void setMacRangeMin(const QString& v);
    quint32 macRangeMax() const;
    void setMacRangeMax(quint32 v);

    // "ALERTS": OFFLINEMINUTES is the grace time of offline alerts (0 turns them off);
    // OFFLINECOMMAND the program run for each alert. Read when used (main thread).
    int offlineMinutes() const { return offlineMinutes_; }
    void setOfflineMinutes(int v) { offlineMinutes_ = v; }
    QString offlineCommand() const { return offlineCommand_; }
    void setOfflineCommand(const QString& v);
    // The grace time in force: OFFLINEMINUTES, unless a run set it in milliseconds (tests and
    // lum-server --offline-grace-ms; never stored).
    qint64 offlineGraceMs() const;
    void setOfflineGraceOverrideMs(qint64 ms) { offlineGraceOverrideMs_ = ms; }

    // "MONITOR": LISTEN is the address of the monitoring endpoint ("127.0.0.1:9105"; empty: off).
    QString monitorListen() const { return monitorListen_; }
    void setMonitorListen(const QString& v);

    // Not stored in config.ini.
    QString applicationTitle() const { return applicationTitle_; }  // "LUM <version>"

private:
    bool applyLaunchOnStartup() const;

    QString iniPath_;
    QString executablePath_;
    mutable std::mutex liveLock_;  // the values the server reads while it runs

    bool autoActivate_ = true;
    bool launchOnStartup_ = false;
    bool startInTray_ = false;
    int language_ = 0;
    int logLevel_ = 0;
    int maxUsers_ = kMaxUsersInForce;
    int port_ = 5021;
    quint32 portStart_ = 5022;
    quint32 portNum_ = 10;
    QString localIpAddress_;
    QString password_ = QString::fromLatin1(kDefaultConsolePassword);
    bool passwordCheck_ = false;
    bool autoRegister_ = true;
    int maxPerAddress_ = kDefaultMaxPerAddress;
    int ipFilterMode_ = 0;
    QString ipFilterList_;
    bool enableSetMac_ = false;
    QString macRangeMin_ = QStringLiteral("00-00-00-00-00-00");
    quint32 macRangeMax_ = 1;
    int offlineMinutes_ = kDefaultOfflineMinutes;
    QString offlineCommand_;
    qint64 offlineGraceOverrideMs_ = -1;
    QString monitorListen_;

    QString applicationTitle_;
};

}  // namespace lum
