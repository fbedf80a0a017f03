#include "server/AppSettings.h"

#include "core/AtomicFile.h"
#include "core/Base64.h"
#include "core/Codepage.h"
#include "core/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace lum {

namespace {

const QByteArray kStartup = "Startup";
const QByteArray kServer = "SERVER";
const QByteArray kIpList = "IPLIST";
const QByteArray kMac = "MAC";
const QByteArray kAlerts = "ALERTS";
const QByteArray kMonitor = "MONITOR";

// A value is one line of the file: line breaks would split it into keys of their own.
QString oneLine(const QString& v) {
    QString s = v;
    s.remove(u'\r');
    s.remove(u'\n');
    return s;
}

QByteArray boolText(bool v) { return v ? "1" : "0"; }

// Desktop-entry Exec quoting: the argument in double quotes with ", `, $ and \ escaped, and
// every backslash doubled once more by the file's own string escaping.
QString execArgument(const QString& arg) {
    QString quoted;
    for (QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QLatin1String("\\\\"));
    return u'"' + quoted + u'"';
}

}  // namespace

CAppSettings::CAppSettings(const QString& iniPath)
    : iniPath_(iniPath), applicationTitle_(QStringLiteral("LUM " LUM_VERSION)) {}

void CAppSettings::setLocalIpAddress(const QString& v) { localIpAddress_ = oneLine(v); }
void CAppSettings::setIpFilterList(const QString& v) { ipFilterList_ = oneLine(v); }
void CAppSettings::setOfflineCommand(const QString& v) { offlineCommand_ = oneLine(v); }
void CAppSettings::setMonitorListen(const QString& v) { monitorListen_ = oneLine(v); }

qint64 CAppSettings::offlineGraceMs() const {
    if (offlineGraceOverrideMs_ >= 0) return offlineGraceOverrideMs_;
    return offlineMinutes_ > 0 ? qint64(offlineMinutes_) * 60000 : 0;
}

#define LUM_LIVE_SETTING(Type, getter, setter, member)     \
    Type CAppSettings::getter() const {                    \
        std::lock_guard lock(liveLock_);                   \
        return member;                                     \
    }                                                      \
    void CAppSettings::setter(Type v) {                    \
        std::lock_guard lock(liveLock_);                   \
        member = v;                                        \
    }
LUM_LIVE_SETTING(int, logLevel, setLogLevel, logLevel_)
LUM_LIVE_SETTING(quint32, portStart, setPortStart, portStart_)
LUM_LIVE_SETTING(quint32, portNum, setPortNum, portNum_)
LUM_LIVE_SETTING(bool, passwordCheck, setPasswordCheck, passwordCheck_)
LUM_LIVE_SETTING(bool, autoRegister, setAutoRegister, autoRegister_)
LUM_LIVE_SETTING(bool, enableSetMac, setEnableSetMac, enableSetMac_)
LUM_LIVE_SETTING(quint32, macRangeMax, setMacRangeMax, macRangeMax_)
#undef LUM_LIVE_SETTING

QString CAppSettings::macRangeMin() const {
    std::lock_guard lock(liveLock_);
    return macRangeMin_;
}
void CAppSettings::setMacRangeMin(const QString& v) {
    std::lock_guard lock(liveLock_);
    macRangeMin_ = oneLine(v);
}

bool CAppSettings::Load() {
    IniFile ini;
    ini.load(iniPath_);
    auto text = [&](const QByteArray& sec, const char* key, const QByteArray& def,
                    int size = kProfileBufferSize) {
        return ini.value(sec, key, def, size).trimmed();
    };
    auto flag = [&](const QByteArray& sec, const char* key, const QByteArray& def) {
        return text(sec, key, def) == "1";
    };
    auto number = [&](const QByteArray& sec, const char* key, const QByteArray& def,
                      int size = kProfileBufferSize) { return atoiBytes(text(sec, key, def, size)); };
    std::lock_guard lock(liveLock_);

    autoActivate_ = flag(kStartup, "AUTOACTIVATE", "1");
    launchOnStartup_ = flag(kStartup, "LAUNCHONSTARTUP", "0");
    startInTray_ = flag(kStartup, "STARTINTRAY", "0");
    language_ = number(kStartup, "LANGUAGE", "0");

    logLevel_ = number(kServer, "LOGLEVEL", "0");
    number(kServer, "MAXUSERS", "999");  // read, but the limit in force is fixed
    maxUsers_ = kMaxUsersInForce;
    port_ = number(kServer, "PORT", "5021");
    portStart_ = atolUnsigned(text(kServer, "PORTSTART", "5022"));
    portNum_ = atolUnsigned(text(kServer, "PORTNUM", "10"));
    localIpAddress_ = fromAnsi(text(kServer, "LOCALIPADDRESS", ""));
    // An unreadable stored password counts as absent.
    const QByteArray defaultPassword = base64Encode(kDefaultConsolePassword);
    QByteArray plain;
    if (!base64Decode(text(kServer, "password", defaultPassword), &plain))
        base64Decode(defaultPassword, &plain);
    password_ = fromAnsi(plain);
    passwordCheck_ = flag(kServer, "PASSWORDCHECK", "0");
    autoRegister_ = flag(kServer, "AUTOREGISTER", "1");
    maxPerAddress_ = number(kServer, "MAXPERADDRESS", QByteArray::number(kDefaultMaxPerAddress));
    if (maxPerAddress_ < 1) maxPerAddress_ = kDefaultMaxPerAddress;

    ipFilterMode_ = number(kIpList, "IPFILTERMODE", "0");
    ipFilterList_ = fromAnsi(text(kIpList, "IPFILTERLIST", "", kSettingsListBufferSize));

    enableSetMac_ = text(kMac, "ENABLESETMAC", "0", kSettingsListBufferSize) == "1";
    macRangeMin_ = fromAnsi(text(kMac, "MACRANGEMIN", "00-00-00-00-00-00", kSettingsListBufferSize));
    macRangeMax_ = atolUnsigned(text(kMac, "MACRANGEMAX", "1", kSettingsListBufferSize));

    offlineMinutes_ = std::max(0, number(kAlerts, "OFFLINEMINUTES", QByteArray::number(kDefaultOfflineMinutes)));
    offlineCommand_ = QFile::decodeName(text(kAlerts, "OFFLINECOMMAND", "", kSettingsListBufferSize));
    monitorListen_ = fromAnsi(text(kMonitor, "LISTEN", ""));
    return true;
}

bool CAppSettings::Save() {
    // Key by key into the file as it is, so keys and sections of others stay where they are.
    IniFile ini;
    ini.load(iniPath_);
    std::unique_lock lock(liveLock_);
    ini.setValue(kStartup, "AUTOACTIVATE", boolText(autoActivate_));
    ini.setValue(kStartup, "LAUNCHONSTARTUP", boolText(launchOnStartup_));
    ini.setValue(kStartup, "STARTINTRAY", boolText(startInTray_));
    ini.setValue(kStartup, "LANGUAGE", QByteArray::number(language_));
    ini.setValue(kServer, "LOGLEVEL", QByteArray::number(logLevel_));
    ini.setValue(kServer, "MAXUSERS", QByteArray::number(maxUsers_));
    ini.setValue(kServer, "PORT", QByteArray::number(port_));
    ini.setValue(kServer, "PORTSTART", QByteArray::number(portStart_));
    ini.setValue(kServer, "PORTNUM", QByteArray::number(portNum_));
    ini.setValue(kServer, "LOCALIPADDRESS", toAnsi(localIpAddress_));
    ini.setValue(kServer, "password", base64Encode(toAnsi(password_)));
    ini.setValue(kServer, "PASSWORDCHECK", boolText(passwordCheck_));
    ini.setValue(kServer, "AUTOREGISTER", boolText(autoRegister_));
    ini.setValue(kServer, "MAXPERADDRESS", QByteArray::number(maxPerAddress_));
    ini.setValue(kIpList, "IPFILTERMODE", QByteArray::number(ipFilterMode_));
    ini.setValue(kIpList, "IPFILTERLIST", toAnsi(ipFilterList_));
    ini.setValue(kMac, "ENABLESETMAC", boolText(enableSetMac_));
    ini.setValue(kMac, "MACRANGEMIN", toAnsi(macRangeMin_));
    ini.setValue(kMac, "MACRANGEMAX", QByteArray::number(macRangeMax_));
    ini.setValue(kAlerts, "OFFLINEMINUTES", QByteArray::number(offlineMinutes_));
    ini.setValue(kAlerts, "OFFLINECOMMAND", QFile::encodeName(offlineCommand_));
    ini.setValue(kMonitor, "LISTEN", toAnsi(monitorListen_));
    lock.unlock();
    const bool saved = ini.save(iniPath_);
    applyLaunchOnStartup();
    return saved;
}

QString CAppSettings::autostartFilePath() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = QDir::homePath() + QLatin1String("/.config");
    return config + QLatin1String("/autostart/LUM.desktop");
}

QString CAppSettings::executablePath() const {
    if (!executablePath_.isEmpty()) return executablePath_;
    return QCoreApplication::applicationFilePath();
}

bool CAppSettings::applyLaunchOnStartup() const {
    const QString path = autostartFilePath();
    if (!launchOnStartup_) return !QFile::exists(path) || QFile::remove(path);

    // The entry starts this program on this data folder (the folder of config.ini).
    QString exec = execArgument(executablePath());
    if (!iniPath_.isEmpty())
        exec += QLatin1String(" --data-dir ") +
                execArgument(QFileInfo(iniPath_).absolutePath());
    const QString entry = QLatin1String("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=LUM\n"
                                        "Comment=LUM signage console\n"
                                        "Exec=") +
                          exec +
                          QLatin1String("\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n");
    return writeFileAtomic(path, entry.toUtf8());
}

}  // namespace lum
