#include "media/Autoconfig.h"

#include "accounts/UserStore.h"
#include "core/Codepage.h"
#include "core/CommandSender.h"
#include "core/CommandTexts.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/IniFile.h"
#include "core/OperatorPrompt.h"
#include "media/AutoconfigTexts.h"

#include <QStringList>

namespace lum {

namespace {

QByteArray num(int v) { return QByteArray::number(v); }

// "H:M" from the two fields as typed, each at most two characters.
QByteArray hourMinute(const QString& hour, const QString& minute) {
    return toAnsi(hour.left(AutoconfigSettings::kTimeFieldMax)) + ':' +
           toAnsi(minute.left(AutoconfigSettings::kTimeFieldMax));
}

// A time value other than "OFF" is split at its first colon. A value without a colon is taken
// as the hour alone.
void splitTime(const QString& value, QString& hour, QString& minute) {
    const int colon = value.indexOf(':');
    if (colon < 0) {
        hour = value;
        minute.clear();
        return;
    }
    hour = value.left(colon);
    minute = value.mid(colon + 1);
}

}  // namespace

void AutoconfigSettings::setTargetTab(TargetTab t) {
    tab = t;
    if (tab == GroupTab) {
        dhcp = true;
        if (startupMode == Ilum) startupMode = Lum;
    }
}

AutoconfigField AutoconfigSettings::setStartupMode(int mode) {
    if (mode == Ilum && !ilumModeAllowed()) return AutoconfigField::None;
    startupMode = mode;
    if (mode == HttpUrl || mode == HttpPictavo) {
        url.clear();
        return AutoconfigField::Url;
    }
    return mode == Ilum ? AutoconfigField::IlumPart0 : AutoconfigField::None;
}

void AutoconfigSettings::setDhcp(bool on) { dhcp = on || !staticIpAllowed(); }

AutoconfigField AutoconfigSettings::setRestartTime(bool on) {
    restartTime = on;
    return on ? AutoconfigField::RebootHour : AutoconfigField::None;
}

AutoconfigField AutoconfigSettings::setDeviceOnOff(bool on) {
    deviceOnOff = on;
    return on ? AutoconfigField::StartHour : AutoconfigField::None;
}

void AutoconfigSettings::setWifiEncryption(int encryption) {
    wifiEncryption = encryption;
    const AutoconfigControls c = autoconfigControls(*this);
    if (c.wepFields && wepKeyLength < 0) wepKeyLength = 0;
    if (c.wpaFields && wpaKeyType < 0) wpaKeyType = 0;
}

int AutoconfigSettings::portFromText(const QString& text) {
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    return ok ? port : -1;
}

QStringList AutoconfigSettings::timeZoneNames() {
    QStringList out;
    for (int i = 0; i < kTimeZoneCount; ++i) {
        if (i == kIndiaTimeZone) {
            out << QStringLiteral("GMT+05:30");
            continue;
        }
        const int code = timeZoneCode(i);
        out << (code == 0 ? QStringLiteral("GMT") : QStringLiteral("GMT%1%2").arg(code > 0 ? "+" : "").arg(code));
    }
    return out;
}

AutoconfigControls autoconfigControls(const AutoconfigSettings& s) {
    using S = AutoconfigSettings;
    AutoconfigControls c;
    const bool client = s.tab == S::ClientTab;
    c.userName = client;
    c.staticIpChoice = client;
    c.addresses = client && !s.dhcp;
    c.rebootTime = s.restartTime;
    c.deviceTime = s.deviceOnOff;
    c.ilumMode = client;
    c.urlShown = s.startupMode == S::HttpUrl || s.startupMode == S::HttpPictavo;
    c.ilumShown = s.startupMode == S::Ilum;
    c.ilumParts = c.ilumShown && s.changeIlumId;
    c.weatherFields = s.weather;
    c.wepFields = s.wifiEncryption == S::WepOpen || s.wifiEncryption == S::WepShared;
    c.wpaFields = s.wifiEncryption == S::Wpa || s.wifiEncryption == S::Wpa2;
    c.updateText = client ? autoconfig_texts::kUpdateClient : autoconfig_texts::kUpdateGroup;
    return c;
}

int AutoconfigSettings::timeZoneCode(int index) {
    if (index == kIndiaTimeZone) return kIndiaTimeZoneCode;
    if (index < kIndiaTimeZone) return index - 12;
    return index - 13;
}

int AutoconfigSettings::timeZoneIndexForCode(int code) {
    if (code == kIndiaTimeZoneCode) return kIndiaTimeZone;
    if (code >= -12 && code <= 5) return code + 12;
    if (code >= 6 && code <= 12) return code + 13;
    return 12;  // an unknown code shows "GMT", the loader's own default
}

int AutoconfigSettings::autoplayCode(int mode) {
    // Code 3 is never written: "ILUM" is 4 and "HTTP Pictavo" 5.
    return mode >= Ilum ? mode + 1 : mode;
}

int AutoconfigSettings::startupModeForCode(int code) {
    if (code == 3 || code == 4) return Ilum;
    if (code >= 4) return code - 1;  // 5 is "HTTP Pictavo"; higher codes choose no button
    return code;
}

bool AutoconfigSettings::isValidIlumPart(int part, const QString& text) {
    if (part < 0 || part > 2) return false;
    if (text.size() != kIlumPartLength[size_t(part)]) return false;
    for (QChar c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

QByteArray autoconfigBytes(const AutoconfigSettings& s) {
    using S = AutoconfigSettings;
    IniFile ini;  // starting empty: the order of sections and keys is the order of the writes
    const bool client = s.tab == S::ClientTab;

    ini.setValue("Server", "servername", toAnsi(s.server));
    ini.setValue("Server", "serverport", QByteArray::number(quint32(s.port)));
    if (client) {
        ini.setValue("Server", "username", toAnsi(s.userName));
        ini.setValue("Server", "pwd", toAnsi(s.password));
    }
    ini.setValue("Server", "hidemenu", s.hideMenu ? "1" : "0");

    ini.setValue("Network", "dhcp", (s.dhcp || !client) ? "1" : "0");
    if (client) {
        ini.setValue("Network", "staticip", toAnsi(s.staticIp));
        ini.setValue("Network", "submask", toAnsi(s.subnetMask));
        ini.setValue("Network", "gateway", toAnsi(s.gateway));
        ini.setValue("Network", "dns", toAnsi(s.dns));
    }

    ini.setValue("Time", "timezone", num(S::timeZoneCode(s.timeZoneIndex)));
    ini.setValue("Time", "daylsaving", num(s.daylightSaving));
    ini.setValue("Time", "Time_12_or_24", num(s.timeFormatIndex + 1));
    ini.setValue("Time", "reboottime",
                 s.restartTime ? hourMinute(s.rebootHour, s.rebootMinute) : QByteArray("OFF"));
    ini.setValue("Time", "starttime",
                 s.deviceOnOff ? hourMinute(s.startHour, s.startMinute) : QByteArray("OFF"));
    ini.setValue("Time", "stoptime",
                 s.deviceOnOff ? hourMinute(s.stopHour, s.stopMinute) : QByteArray("OFF"));
    ini.setValue("Time", "devicetimeoff", s.standbyWhenOff ? "1" : "0");

    int mode = s.startupMode;
    if (!client && mode == S::Ilum) mode = S::Lum;
    const int autoplay = S::autoplayCode(mode);
    ini.setValue("Preference", "autoplay", num(autoplay));
    if (autoplay == 2 || autoplay == 5) ini.setValue("Preference", "playlist", toAnsi(s.url.trimmed()));
    if (autoplay == 4 && s.changeIlumId)
        ini.setValue("Preference", "ilumid",
                     toAnsi(s.ilumId[0] + '-' + s.ilumId[1] + '-' + s.ilumId[2]));
    ini.setValue("Preference", "videoout", num(s.videoOut));
    ini.setValue("Preference", "tvmode", num(s.tvModeIndex + 2));
    // A number the list does not hold was loaded as it is: written back as it is, so that
    // loading and saving a file does not move it on by one each time.
    const bool tvTypeListed = s.tvTypeIndex >= 0 && s.tvTypeIndex <= 2;
    ini.setValue("Preference", "tvtype", num(tvTypeListed ? s.tvTypeIndex + 1 : s.tvTypeIndex));
    ini.setValue("Preference", "hdmi", num(s.hdmi));
    ini.setValue("Preference", "Scroll_Txt_Time_Format", num(s.dateFormat));
    ini.setValue("Preference", "File_repeat", num(s.fileRepeat));
    ini.setValue("Preference", "Pic_Auto_Rotate", num(s.picAutoRotate));
    ini.setValue("Preference", "User_Input_Mode", num(s.userInputMode));
    ini.setValue("Preference", "Weahter_On_Or_Off", s.weather ? "1" : "0");
    if (s.weather) {
        ini.setValue("Preference", "Weather_World_Code", toAnsi(s.cityCode));
        ini.setValue("Preference", "Weather_F_Or_C", s.celsius ? "2" : "1");
    }

    if (!s.ssid.isEmpty()) {
        ini.setValue("WIFI", "SSID", toAnsi(s.ssid));
        ini.setValue("WIFI", "WSEnc", num(s.wifiEncryption));
        const bool wep = s.wifiEncryption == S::WepOpen || s.wifiEncryption == S::WepShared;
        const bool wpa = s.wifiEncryption == S::Wpa || s.wifiEncryption == S::Wpa2;
        if (wep || wpa) {
            if (wep)
                ini.setValue("WIFI", "KeyType", s.wepKeyLength == 1 ? "2" : "1");
            else
                ini.setValue("WIFI", "KeyType", s.wpaKeyType == 1 ? "1" : "0");
            const QString& key = wep ? s.wepKey : s.wpaKey;
            if (!key.isEmpty()) ini.setValue("WIFI", "keyvalue", toAnsi(key));
        }
    }
    return ini.toBytes();
}

bool saveAutoconfig(const AutoconfigSettings& s, const QString& path) {
    return IniFile::fromBytes(autoconfigBytes(s)).save(path);
}

void loadAutoconfig(AutoconfigSettings& s, const QString& path) {
    using S = AutoconfigSettings;
    IniFile ini;
    ini.load(path);  // a missing file is an empty document: every key takes its default
    auto text = [&](const char* sec, const char* key, const char* def) {
        return fromAnsi(ini.value(sec, key, def));
    };
    // Keys without a default of their own keep the field's value when absent.
    auto textOr = [&](const char* sec, const char* key, const QString& current) {
        return ini.hasKey(sec, key) ? fromAnsi(ini.value(sec, key)) : current;
    };
    auto integer = [&](const char* sec, const char* key, int def) {
        return ini.intValue(sec, key, def);
    };

    s.server = text("Server", "servername", "");
    s.port = int(atolUnsigned(ini.value("Server", "serverport", "5021")));
    s.userName = text("Server", "username", "");
    s.password = text("Server", "pwd", "");
    // Read back as well, so that opening and saving a file keeps the menu choice.
    if (ini.hasKey("Server", "hidemenu")) s.hideMenu = integer("Server", "hidemenu", 0) != 0;

    s.dhcp = integer("Network", "dhcp", 1) != 0;
    s.staticIp = textOr("Network", "staticip", s.staticIp);
    s.subnetMask = textOr("Network", "submask", s.subnetMask);
    s.gateway = textOr("Network", "gateway", s.gateway);
    s.dns = textOr("Network", "dns", s.dns);

    s.timeZoneIndex = S::timeZoneIndexForCode(integer("Time", "timezone", 0));
    s.daylightSaving = integer("Time", "daylsaving", 0);
    s.timeFormatIndex = integer("Time", "Time_12_or_24", 0) - 1;
    const QString reboot = text("Time", "reboottime", "OFF");
    s.restartTime = reboot != QLatin1String("OFF");
    if (s.restartTime) splitTime(reboot, s.rebootHour, s.rebootMinute);
    const QString start = text("Time", "starttime", "OFF");
    s.deviceOnOff = start != QLatin1String("OFF");
    if (s.deviceOnOff) {
        splitTime(start, s.startHour, s.startMinute);
        splitTime(text("Time", "stoptime", "OFF"), s.stopHour, s.stopMinute);
    }
    s.standbyWhenOff = integer("Time", "devicetimeoff", 0) != 0;

    s.startupMode = S::startupModeForCode(integer("Preference", "autoplay", 0));
    s.url = text("Preference", "playlist", "");
    // The ID is read back too (the file holds it only when it was meant to be changed).
    const QString ilum = text("Preference", "ilumid", "");
    const QStringList parts = ilum.split('-');
    if (parts.size() == 3) {
        for (int i = 0; i < 3; ++i) s.ilumId[size_t(i)] = parts[i];
        s.changeIlumId = true;
    }
    s.videoOut = integer("Preference", "videoout", 1);
    s.tvModeIndex = integer("Preference", "tvmode", 1) - 2;
    if (s.tvModeIndex < 0 || s.tvModeIndex > 2) s.tvModeIndex = 0;
    const int tvType = integer("Preference", "tvtype", 2);
    s.tvTypeIndex = (tvType >= 1 && tvType <= 3) ? tvType - 1 : tvType;
    s.hdmi = integer("Preference", "hdmi", 0);
    s.dateFormat = integer("Preference", "Scroll_Txt_Time_Format", 0);
    s.fileRepeat = integer("Preference", "File_repeat", 0);
    s.picAutoRotate = integer("Preference", "Pic_Auto_Rotate", 0);
    s.userInputMode = integer("Preference", "User_Input_Mode", 0);
    s.weather = integer("Preference", "Weahter_On_Or_Off", 0) > 0;
    if (s.weather) {
        s.cityCode = text("Preference", "Weather_World_Code", "2442047");
        s.celsius = integer("Preference", "Weather_F_Or_C", 0) == 2;
    }

    // The network name is read back too: keys without their network would be useless.
    s.ssid = text("WIFI", "SSID", "");
    s.wifiEncryption = integer("WIFI", "WSEnc", 0);
    const bool wep = s.wifiEncryption == S::WepOpen || s.wifiEncryption == S::WepShared;
    const QString key = textOr("WIFI", "keyvalue", wep ? s.wepKey : s.wpaKey);
    const int keyType = integer("WIFI", "KeyType", 0);
    if (wep) {
        s.wepKey = key;
        s.wepKeyLength = keyType == 2 ? 1 : 0;
    } else {
        s.wpaKey = key;
        s.wpaKeyType = keyType == 1 ? 1 : 0;
    }

    // Keys some players' files carry; kept with the settings, never written. Their section is
    // not fixed, so the first section holding the key is used.
    auto hidden = [&](const char* name, const char* def, int buffer = kProfileBufferSize) {
        for (const QByteArray& sec : ini.sections())
            if (ini.hasKey(sec, name)) return fromAnsi(ini.value(sec, name, def, buffer));
        return fromAnsi(QByteArray(def).left(buffer - 1));
    };
    s.startTime2 = hidden("starttime2", "OFF");
    s.stopTime2 = hidden("stoptime2", "OFF");
    s.startTime3 = hidden("starttime3", "OFF");
    s.stopTime3 = hidden("stoptime3", "OFF");
    s.playlistSyncTime = hidden("PlaylistSyncTime", "");
    s.snNumber = hidden("snnumber", " ", S::kSnNumberMax + 1);

    s.setTargetTab(s.tab);
}

QStringList autoconfigTargets(AutoconfigSettings::TargetTab tab, const QStringList& groupNames,
                              const std::vector<PlayerStatus>& players) {
    if (tab == AutoconfigSettings::GroupTab) return groupNames;
    QStringList out;
    for (const PlayerStatus& p : players)
        if (p.status.compare(QLatin1String("offline"), Qt::CaseInsensitive) != 0) out << p.name;
    return out;
}

QString defaultAutoconfigTarget(const QStringList& targets) {
    return targets.size() == 1 ? targets.first() : QString();
}

bool checkIlumPart(AutoconfigSettings& s, int part, IOperatorPrompt& prompt) {
    if (part < 0 || part > 2) return false;
    QString& text = s.ilumId[size_t(part)];
    if (text.isEmpty() || AutoconfigSettings::isValidIlumPart(part, text)) return true;
    prompt.message(QString::fromLatin1(autoconfig_texts::kInvalidIlumId),
                   IOperatorPrompt::Icon::Stop);
    text.clear();
    return false;
}

namespace {

bool portInRange(const AutoconfigSettings& s, IOperatorPrompt& prompt) {
    if (s.port >= AutoconfigSettings::kPortMin && s.port <= AutoconfigSettings::kPortMax) return true;
    prompt.message(QString::fromLatin1(autoconfig_texts::kPortRange), IOperatorPrompt::Icon::Warning);
    return false;
}

}  // namespace

AutoconfigField checkBeforeSaveAs(const AutoconfigSettings& s, IOperatorPrompt& prompt) {
    if (!portInRange(s, prompt)) return AutoconfigField::Port;
    if (s.tab == AutoconfigSettings::ClientTab && s.userName.isEmpty()) {
        prompt.message(QString::fromLatin1(autoconfig_texts::kBlankUserName),
                       IOperatorPrompt::Icon::Stop);
        return AutoconfigField::UserName;
    }
    if (s.startupMode == AutoconfigSettings::Ilum && s.changeIlumId) {
        for (const QString& p : s.ilumId) {
            if (p.isEmpty()) {
                prompt.message(QString::fromLatin1(autoconfig_texts::kInvalidIlumId),
                               IOperatorPrompt::Icon::Stop);
                return AutoconfigField::IlumPart0;
            }
        }
    }
    return AutoconfigField::None;
}

AutoconfigUpdate updateAutoconfig(const AutoconfigSettings& s, const QString& targetName,
                                  CUserStore& store, ICommandSender& sender,
                                  IOperatorPrompt& prompt, QString* writtenPath,
                                  int* reachedOut) {
    namespace t = autoconfig_texts;
    const QString name = targetName.trimmed();
    if (name.isEmpty()) return AutoconfigUpdate::NoTarget;
    if (!portInRange(s, prompt)) return AutoconfigUpdate::BadPort;
    const bool client = s.tab == AutoconfigSettings::ClientTab;
    if (client && s.userName.isEmpty()) {
        prompt.message(QString::fromLatin1(t::kBlankUserName), IOperatorPrompt::Icon::Stop);
        return AutoconfigUpdate::BlankUserName;
    }
    if (!prompt.askYesNo(QString::fromLatin1(t::kAskUpdate))) return AutoconfigUpdate::Declined;

    // The file must land in a real group's folder: an unknown name is refused rather than
    // writing next to the program folder.
    CUserGroup group;
    const bool found = client ? store.FindUser(name, &group, nullptr, 0) != 0
                              : store.FindGroup(name, &group) != 0;
    if (!found) {
        prompt.message(QString::fromLatin1(client ? command_texts::kUnknownClient
                                                  : command_texts::kUnknownGroup)
                           .arg(name),
                       IOperatorPrompt::Icon::Stop);
        return AutoconfigUpdate::UnknownTarget;
    }
    const QString path =
        joinPath(store.homeDirectoryFor(group.name), QString::fromLatin1(fixed_names::kAutoconfigUpdate));
    if (!saveAutoconfig(s, path)) {
        prompt.message(QString::fromLatin1(t::kCannotWrite), IOperatorPrompt::Icon::Stop);
        return AutoconfigUpdate::CannotWrite;
    }
    if (writtenPath) *writtenPath = path;
    const PostResult posted = sender.send(
        client ? CommandTarget::player(name) : CommandTarget::group(group.name),
        CommandIndex::AutoConfig);
    if (reachedOut) *reachedOut = posted.targeted;
    if (tellOperator(prompt, CommandIndex::AutoConfig, posted)) return AutoconfigUpdate::NoneReached;
    return AutoconfigUpdate::Updated;
}

}  // namespace lum
