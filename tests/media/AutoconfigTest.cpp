#include "media/Autoconfig.h"

#include "accounts/UserStore.h"
#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"
#include "core/IniFile.h"

#include <QDir>

#include <functional>

#include <gtest/gtest.h>

using lum::AutoconfigSettings;

namespace {

QByteArray crlf(const char* lines) { return QByteArray(lines).replace("\n", "\r\n"); }

AutoconfigSettings roundTrip(const AutoconfigSettings& s) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zeb");
    EXPECT_TRUE(lum::saveAutoconfig(s, path));
    AutoconfigSettings back;
    lum::loadAutoconfig(back, path);
    return back;
}

}  // namespace

TEST(Autoconfig, DefaultsOnClientTabWriteEveryKeyInOrder) {
    AutoconfigSettings s;
    s.userName = "player1";
    EXPECT_EQ(lum::autoconfigBytes(s), crlf("[Server]\n"
                                            "servername=192.168.1.100\n"
                                            "serverport=5021\n"
                                            "username=player1\n"
                                            "pwd=\n"
                                            "hidemenu=0\n"
                                            "[Network]\n"
                                            "dhcp=1\n"
                                            "staticip=192.168.1.1\n"
                                            "submask=255.255.255.0\n"
                                            "gateway=192.168.1.1\n"
                                            "dns=192.168.1.1\n"
                                            "[Time]\n"
                                            "timezone=-12\n"
                                            "daylsaving=0\n"
                                            "Time_12_or_24=2\n"
                                            "reboottime=OFF\n"
                                            "starttime=OFF\n"
                                            "stoptime=OFF\n"
                                            "devicetimeoff=1\n"
                                            "[Preference]\n"
                                            "autoplay=0\n"
                                            "videoout=1\n"
                                            "tvmode=2\n"
                                            "tvtype=2\n"
                                            "hdmi=1\n"
                                            "Scroll_Txt_Time_Format=0\n"
                                            "File_repeat=0\n"
                                            "Pic_Auto_Rotate=0\n"
                                            "User_Input_Mode=0\n"
                                            "Weahter_On_Or_Off=0\n"));
}

TEST(Autoconfig, GroupTabForcesDhcpDropsAccountAndAddressesAndIlum) {
    AutoconfigSettings s;
    s.userName = "p";
    s.password = "1234";
    s.dhcp = false;
    s.startupMode = AutoconfigSettings::Ilum;
    s.setTargetTab(AutoconfigSettings::GroupTab);
    EXPECT_TRUE(s.dhcp);
    EXPECT_EQ(s.startupMode, AutoconfigSettings::Lum);
    s.setStartupMode(AutoconfigSettings::Ilum);  // not offered on the Group tab
    EXPECT_EQ(s.startupMode, AutoconfigSettings::Lum);

    const lum::IniFile ini = lum::IniFile::fromBytes(lum::autoconfigBytes(s));
    for (const char* key : {"username", "pwd"}) EXPECT_FALSE(ini.hasKey("Server", key)) << key;
    for (const char* key : {"staticip", "submask", "gateway", "dns"})
        EXPECT_FALSE(ini.hasKey("Network", key)) << key;
    EXPECT_EQ(ini.value("Network", "dhcp"), QByteArray("1"));
    EXPECT_EQ(ini.value("Preference", "autoplay"), QByteArray("0"));
}

TEST(Autoconfig, TimeZoneCodesIncludingHalfHourZone) {
    const std::pair<int, int> codes[] = {{0, -12}, {12, 0}, {17, 5}, {18, 53}, {19, 6}, {25, 12}};
    for (auto [index, code] : codes) EXPECT_EQ(AutoconfigSettings::timeZoneCode(index), code) << index;
    for (int i = 0; i < AutoconfigSettings::kTimeZoneCount; ++i) {
        AutoconfigSettings s;
        s.timeZoneIndex = i;
        EXPECT_EQ(roundTrip(s).timeZoneIndex, i) << i;
    }
    AutoconfigSettings india;
    india.timeZoneIndex = AutoconfigSettings::kIndiaTimeZone;
    EXPECT_TRUE(lum::autoconfigBytes(india).contains("\r\ntimezone=53\r\n"));
}

TEST(Autoconfig, StartupModesWriteTheirCodesAndOptionalKeys) {
    AutoconfigSettings s;
    s.setStartupMode(AutoconfigSettings::HttpUrl);
    s.url = "  http://x/list.mpl  ";
    lum::IniFile ini = lum::IniFile::fromBytes(lum::autoconfigBytes(s));
    EXPECT_EQ(ini.value("Preference", "autoplay"), QByteArray("2"));
    EXPECT_EQ(ini.value("Preference", "playlist"), QByteArray("http://x/list.mpl"));
    EXPECT_TRUE(lum::autoconfigBytes(s).contains("playlist=http://x/list.mpl\r\nvideoout="));

    s.startupMode = AutoconfigSettings::Lum;
    ini = lum::IniFile::fromBytes(lum::autoconfigBytes(s));
    EXPECT_FALSE(ini.hasKey("Preference", "playlist"));

    s.startupMode = AutoconfigSettings::HttpPictavo;
    ini = lum::IniFile::fromBytes(lum::autoconfigBytes(s));
    EXPECT_EQ(ini.value("Preference", "autoplay"), QByteArray("5"));
    EXPECT_TRUE(ini.hasKey("Preference", "playlist"));

    s.startupMode = AutoconfigSettings::Ilum;
    ini = lum::IniFile::fromBytes(lum::autoconfigBytes(s));
    EXPECT_EQ(ini.value("Preference", "autoplay"), QByteArray("4"));
    EXPECT_EQ(ini.value("Preference", "ilumid"), QByteArray("001-001-0013"));
    s.changeIlumId = false;
    ini = lum::IniFile::fromBytes(lum::autoconfigBytes(s));
    EXPECT_FALSE(ini.hasKey("Preference", "ilumid"));

    // Choosing an HTTP mode clears the URL field for new input.
    s.url = "old";
    s.setStartupMode(AutoconfigSettings::HttpPictavo);
    EXPECT_TRUE(s.url.isEmpty());
}

TEST(Autoconfig, AutoplayCodesLoadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zeb");
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 3}, {5, 4}, {7, 6}};
    for (auto [code, mode] : cases) {
        lumtest::writeFile(path, "[Preference]\r\nautoplay=" + QByteArray::number(code) + "\r\n");
        AutoconfigSettings s;
        lum::loadAutoconfig(s, path);
        EXPECT_EQ(s.startupMode, mode) << code;
    }
}

TEST(Autoconfig, TimesWeatherAndWifiRoundTrip) {
    AutoconfigSettings s;
    s.restartTime = true;
    s.rebootHour = "3";
    s.rebootMinute = "045";  // more than the field holds: cut to two characters
    s.deviceOnOff = true;
    s.startHour = "08";
    s.startMinute = "00";
    s.stopHour = "22";
    s.stopMinute = "30";
    s.standbyWhenOff = false;
    s.weather = true;
    s.celsius = true;
    s.cityCode = "12345";
    s.ssid = "office";
    s.wifiEncryption = AutoconfigSettings::Wpa2;
    s.wpaKeyType = 1;
    s.wpaKey = "secretkey";
    const QByteArray bytes = lum::autoconfigBytes(s);
    EXPECT_TRUE(bytes.contains("reboottime=3:04\r\nstarttime=08:00\r\nstoptime=22:30\r\n"
                               "devicetimeoff=0\r\n"));
    EXPECT_TRUE(bytes.endsWith("Weahter_On_Or_Off=1\r\nWeather_World_Code=12345\r\n"
                               "Weather_F_Or_C=2\r\n[WIFI]\r\nSSID=office\r\nWSEnc=4\r\n"
                               "KeyType=1\r\nkeyvalue=secretkey\r\n"));

    const AutoconfigSettings b = roundTrip(s);
    EXPECT_EQ(std::tuple(b.restartTime, b.rebootHour, b.rebootMinute, b.stopMinute, b.standbyWhenOff),
              std::tuple(true, "3", "04", "30", false));
    EXPECT_EQ(std::tuple(b.weather, b.celsius, b.cityCode, b.ssid, b.wifiEncryption, b.wpaKeyType, b.wpaKey),
              std::tuple(true, true, "12345", "office", int(AutoconfigSettings::Wpa2), 1, "secretkey"));
}

TEST(Autoconfig, WifiConditions) {
    AutoconfigSettings s;
    s.wepKey = "k";
    EXPECT_FALSE(lum::autoconfigBytes(s).contains("[WIFI]"));  // no SSID, no section

    s.ssid = "n";
    EXPECT_TRUE(lum::autoconfigBytes(s).endsWith("[WIFI]\r\nSSID=n\r\nWSEnc=0\r\n"));

    s.wifiEncryption = AutoconfigSettings::WepShared;
    s.wepKeyLength = 1;
    EXPECT_TRUE(lum::autoconfigBytes(s).endsWith("WSEnc=2\r\nKeyType=2\r\nkeyvalue=k\r\n"));
    s.wepKey.clear();
    EXPECT_TRUE(lum::autoconfigBytes(s).endsWith("WSEnc=2\r\nKeyType=2\r\n"));

    s.wifiEncryption = AutoconfigSettings::Wpa;
    EXPECT_TRUE(lum::autoconfigBytes(s).endsWith("WSEnc=3\r\nKeyType=0\r\n"));
}

TEST(Autoconfig, MissingOrDamagedFileLoadsTheLoaderDefaults) {
    QTemporaryDir dir;
    AutoconfigSettings s;
    s.userName = "x";
    lum::loadAutoconfig(s, dir.filePath("none.zeb"));
    EXPECT_EQ(std::tuple(s.server, s.port, s.userName, s.dhcp), std::tuple("", 5021, "", true));
    // Time zone code 0 is "GMT"; the format key's default 0 gives no choice.
    EXPECT_EQ(std::tuple(s.timeZoneIndex, s.timeFormatIndex, s.restartTime, s.standbyWhenOff),
              std::tuple(12, -1, false, false));
    EXPECT_EQ(std::tuple(s.tvModeIndex, s.tvTypeIndex, s.videoOut, s.hdmi, s.snNumber, s.startTime2),
              std::tuple(0, 1, 1, 0, " ", "OFF"));

    const QString bad = dir.filePath("bad.zeb");
    lumtest::writeFile(bad, QByteArray("\0\xff", 2) +
                                "[Time\r\ntimezone=99\r\n[Time]\r\ntimezone=abc\r\n"
                                "reboottime=7\r\ntvmode=9\r\ntvtype=8\r\n[Preference]\r\n"
                                "snnumber=1234567890123\r\nautoplay=-3\r\n");
    AutoconfigSettings d;
    lum::loadAutoconfig(d, bad);
    // A time without a colon is the hour alone.
    EXPECT_EQ(std::tuple(d.timeZoneIndex, d.restartTime, d.rebootHour, d.rebootMinute, d.snNumber,
                         d.startupMode),
              std::tuple(12, true, "7", "", "123456789", -3));
}

TEST(Autoconfig, LoadMapsIndexesAndKeepsHiddenKeys) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.zeq");
    lumtest::writeFile(path, crlf("[Server]\nservername=10.0.0.1\nserverport=6000\nusername=u\n"
                                  "pwd=pw\nhidemenu=1\n[Network]\ndhcp=0\nstaticip=10.0.0.9\n"
                                  "[Time]\ntimezone=53\nTime_12_or_24=1\nstarttime=7:5\n"
                                  "stoptime=19:45\nstarttime2=1:00\n"
                                  "[Preference]\nautoplay=5\nplaylist=http://p\ntvmode=3\n"
                                  "tvtype=3\nWeather_F_Or_C=2\nPlaylistSyncTime=10\n"
                                  "[WIFI]\nSSID=s\nWSEnc=1\nKeyType=2\nkeyvalue=abc\n"));
    AutoconfigSettings s;
    lum::loadAutoconfig(s, path);
    // An absent gateway keeps the field's value.
    EXPECT_EQ(std::tuple(s.server, s.port, s.password, s.hideMenu, s.dhcp, s.staticIp, s.gateway),
              std::tuple("10.0.0.1", 6000, "pw", true, false, "10.0.0.9", "192.168.1.1"));
    EXPECT_EQ(std::tuple(s.timeZoneIndex, s.timeFormatIndex, s.deviceOnOff, s.startHour, s.startMinute,
                         s.stopHour),
              std::tuple(int(AutoconfigSettings::kIndiaTimeZone), 0, true, "7", "5", "19"));
    // Weather off: the unit is not read.
    EXPECT_EQ(std::tuple(s.startupMode, s.url, s.tvModeIndex, s.tvTypeIndex, s.weather, s.celsius),
              std::tuple(int(AutoconfigSettings::HttpPictavo), "http://p", 1, 2, false, false));
    EXPECT_EQ(std::tuple(s.wifiEncryption, s.wepKeyLength, s.wepKey, s.startTime2, s.playlistSyncTime),
              std::tuple(int(AutoconfigSettings::WepOpen), 1, "abc", "1:00", "10"));

    // A TV type the list does not hold is written back as it was read, not one higher on
    // every save.
    for (const char* tvType : {"0", "7", "-1"}) {
        const QString other = dir.filePath("tv.zeq");
        lumtest::writeFile(other, crlf("[Preference]\ntvtype=") + tvType + "\r\n");
        AutoconfigSettings t;
        lum::loadAutoconfig(t, other);
        const QByteArray first = lum::autoconfigBytes(t);
        EXPECT_TRUE(first.contains(QByteArray("tvtype=") + (QByteArray(tvType) == "0" ? "1" : tvType) + "\r\n")) << tvType;
        lumtest::writeFile(other, first);
        AutoconfigSettings again;
        lum::loadAutoconfig(again, other);
        EXPECT_EQ(lum::autoconfigBytes(again), first) << tvType;
    }

    // Hidden keys are never written.
    const QByteArray out = lum::autoconfigBytes(s);
    EXPECT_FALSE(out.contains("starttime2"));
    EXPECT_FALSE(out.contains("PlaylistSyncTime"));
    EXPECT_FALSE(out.contains("snnumber"));

    // Opening on the Group tab applies that tab's rules to what was read.
    AutoconfigSettings g;
    g.setTargetTab(AutoconfigSettings::GroupTab);
    lum::loadAutoconfig(g, path);
    EXPECT_TRUE(g.dhcp);
}

TEST(Autoconfig, IlumIdChecks) {
    lumtest::RecordingPrompt prompt;
    AutoconfigSettings s;
    s.ilumId[0] = "01";
    EXPECT_FALSE(lum::checkIlumPart(s, 0, prompt));
    EXPECT_EQ(s.ilumId[0], "");
    ASSERT_EQ(prompt.messages, QStringList{"INVALD ILUM ID!"});

    s.ilumId[2] = "12a4";
    EXPECT_FALSE(lum::checkIlumPart(s, 2, prompt));
    s.ilumId[1] = "123";
    EXPECT_TRUE(lum::checkIlumPart(s, 1, prompt));
    EXPECT_TRUE(lum::checkIlumPart(s, 0, prompt));  // empty is left for "Save as" to refuse
    EXPECT_EQ(prompt.messages.size(), 2);

    s.userName = "u";
    s.startupMode = AutoconfigSettings::Ilum;
    EXPECT_EQ(lum::checkBeforeSaveAs(s, prompt), lum::AutoconfigField::IlumPart0);
    EXPECT_EQ(prompt.messages.last(), "INVALD ILUM ID!");
    s.changeIlumId = false;
    EXPECT_EQ(lum::checkBeforeSaveAs(s, prompt), lum::AutoconfigField::None);

    s.port = 65537;
    EXPECT_EQ(lum::checkBeforeSaveAs(s, prompt), lum::AutoconfigField::Port);
    EXPECT_EQ(prompt.messages.last(), "Please enter an integer between 0 and 65536.");
    s.port = 65536;
    EXPECT_EQ(lum::checkBeforeSaveAs(s, prompt), lum::AutoconfigField::None);

    s.userName.clear();
    EXPECT_EQ(lum::checkBeforeSaveAs(s, prompt), lum::AutoconfigField::UserName);
    EXPECT_EQ(prompt.messages.last(), "User Name can not be 'Blank'");
    s.setTargetTab(AutoconfigSettings::GroupTab);
    EXPECT_EQ(lum::checkBeforeSaveAs(s, prompt), lum::AutoconfigField::None);
}

namespace {

struct UpdateFixture : lumtest::OnlinePlayers {
    lum::COnlineModel& sender = online;
    lumtest::RecordingPrompt prompt;
    UpdateFixture() {
        lumtest::addGroup(store, "Home");
        lumtest::addGroup(store, "Shop");
        for (const char* name : {"s1", "s2"}) lumtest::addUser(store, name, "Shop");
        lumtest::addUser(store, "x", "Home");
    }
    QString zeq() const { return store.homeDirectoryFor("Shop") + "/autoconfig.zeq"; }
};

}  // namespace

TEST(AutoconfigUpdate, GroupTabWritesIntoGroupAndPostsToItsPlayers) {
    UpdateFixture f;
    f.login(1, "s1", "A");
    f.login(2, "x", "B");
    f.login(3, "S2", "C");
    AutoconfigSettings s;
    s.setTargetTab(AutoconfigSettings::GroupTab);
    f.prompt.answers = {true};
    QString written;
    int reached = 0;
    EXPECT_EQ(lum::updateAutoconfig(s, "shop", f.store, f.sender, f.prompt, &written, &reached),
              lum::AutoconfigUpdate::Updated);
    EXPECT_EQ(reached, 2);
    EXPECT_EQ(written, f.zeq());
    EXPECT_EQ(lumtest::readFile(f.zeq()), lum::autoconfigBytes(s));
    EXPECT_EQ(f.prompt.questions, QStringList{"Update selected client's setup and reboot"});
    EXPECT_EQ(f.connections.sent(),
              (std::vector<std::pair<quint32, lum::CommandIndex>>{{1, lum::CommandIndex::AutoConfig},
                                                                  {3, lum::CommandIndex::AutoConfig}}));
}

TEST(AutoconfigUpdate, ClientTabRulesAndRefusals) {
    UpdateFixture f;
    AutoconfigSettings s;
    // No target chosen: nothing at all.
    EXPECT_EQ(lum::updateAutoconfig(s, "", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::NoTarget);
    EXPECT_TRUE(f.prompt.questions.isEmpty());
    // Client tab without an account name.
    EXPECT_EQ(lum::updateAutoconfig(s, "s1", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::BlankUserName);
    EXPECT_EQ(f.prompt.messages, QStringList{"User Name can not be 'Blank'"});
    s.userName = "s1";
    // No: nothing written.
    EXPECT_EQ(lum::updateAutoconfig(s, "s1", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::Declined);
    EXPECT_FALSE(QFile::exists(f.zeq()));
    // Unknown player or group: refused, nothing written, nobody registered.
    f.prompt.answers = {true, true};
    f.prompt.messages.clear();
    EXPECT_EQ(lum::updateAutoconfig(s, "ghost", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::UnknownTarget);
    EXPECT_EQ(f.prompt.messages, QStringList{"Client 'ghost' is not found!"});
    EXPECT_FALSE(f.store.FindUser("ghost", nullptr, nullptr, 0));
    s.setTargetTab(AutoconfigSettings::GroupTab);
    EXPECT_EQ(lum::updateAutoconfig(s, "Nowhere", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::UnknownTarget);
    EXPECT_EQ(f.prompt.messages.last(), "Group 'Nowhere' is not found!");
    EXPECT_FALSE(QFile::exists(f.zeq()));
    EXPECT_FALSE(QFile::exists(f.dir.filePath("autoconfig.zeq")));

    // The player's group gets the file; the command that player only.
    s.setTargetTab(AutoconfigSettings::ClientTab);
    f.login(1, "s1", "A");
    f.login(2, "S2", "B");
    f.prompt.answers = {true};
    EXPECT_EQ(lum::updateAutoconfig(s, "s2", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::Updated);
    EXPECT_TRUE(lumtest::readFile(f.zeq()).contains("username=s1\r\n"));
    EXPECT_EQ(f.connections.sent(),
              (std::vector<std::pair<quint32, lum::CommandIndex>>{{2, lum::CommandIndex::AutoConfig}}));

    // Nobody online: written, and the operator is told.
    f.online.ClientLoggedOut(1);
    f.prompt.answers = {true};
    EXPECT_EQ(lum::updateAutoconfig(s, "s1", f.store, f.sender, f.prompt),
              lum::AutoconfigUpdate::NoneReached);
    EXPECT_EQ(f.prompt.messages.last(), "No client is online and no client will be effected!");
}

TEST(AutoconfigUpdate, TargetListPerTab) {
    const std::vector<lum::PlayerStatus> players = {
        {"a", "Alive"}, {"b", "OFFLINE"}, {"c", "S3:Playing"}};
    EXPECT_EQ(lum::autoconfigTargets(AutoconfigSettings::ClientTab, {"Home"}, players),
              QStringList({"a", "c"}));
    const QStringList groups =
        lum::autoconfigTargets(AutoconfigSettings::GroupTab, {"Home"}, players);
    EXPECT_EQ(groups, QStringList{"Home"});
    EXPECT_EQ(lum::defaultAutoconfigTarget(groups), "Home");
    EXPECT_EQ(lum::defaultAutoconfigTarget({"a", "c"}), "");
}

TEST(AutoconfigRules, WhatTheWindowEnablesFollowsTheChoices) {
    using F = lum::AutoconfigField;
    using C = lum::AutoconfigControls;
    // Each step changes the settings as a control would; the enabling and the focus follow.
    struct Step {
        const char* what;
        std::function<F(AutoconfigSettings&)> act;
        F focus;
        std::function<bool(const C&)> expect;
    };
    const std::vector<Step> steps = {
        {"opening", [](auto&) { return F::None; }, F::None,
         [](const C& c) {
             return c.userName && c.staticIpChoice && !c.addresses && !c.rebootTime && !c.deviceTime &&
                    c.ilumMode && !c.urlShown && !c.ilumShown && !c.weatherFields && !c.wepFields &&
                    !c.wpaFields && QByteArray(c.updateText) == "Update Client==>";
         }},
        {"Static IP", [](auto& s) { s.setDhcp(false); return F::None; }, F::None, [](const C& c) { return c.addresses; }},
        {"Restart Time", [](auto& s) { return s.setRestartTime(true); }, F::RebootHour, [](const C& c) { return c.rebootTime; }},
        {"Restart Time off", [](auto& s) { return s.setRestartTime(false); }, F::None, [](const C& c) { return !c.rebootTime; }},
        {"Device On/OFF1", [](auto& s) { return s.setDeviceOnOff(true); }, F::StartHour, [](const C& c) { return c.deviceTime; }},
        {"HTTP URL", [](auto& s) { return s.setStartupMode(AutoconfigSettings::HttpUrl); }, F::Url,
         [](const C& c) { return c.urlShown && !c.ilumShown; }},
        {"ILUM", [](auto& s) { return s.setStartupMode(AutoconfigSettings::Ilum); }, F::IlumPart0,
         [](const C& c) { return c.ilumShown && c.ilumParts && !c.urlShown; }},
        {"Change ILUM ID off", [](auto& s) { s.changeIlumId = false; return F::None; }, F::None,
         [](const C& c) { return c.ilumShown && !c.ilumParts; }},
        {"CF card", [](auto& s) { return s.setStartupMode(AutoconfigSettings::CfCard); }, F::None,
         [](const C& c) { return !c.ilumShown && !c.urlShown; }},
        {"Weather", [](auto& s) { s.weather = true; return F::None; }, F::None, [](const C& c) { return c.weatherFields; }},
        {"WEP Shared Key", [](auto& s) { s.setWifiEncryption(AutoconfigSettings::WepShared); return F::None; }, F::None,
         [](const C& c) { return c.wepFields && !c.wpaFields; }},
        {"WPA2", [](auto& s) { s.setWifiEncryption(AutoconfigSettings::Wpa2); return F::None; }, F::None,
         [](const C& c) { return !c.wepFields && c.wpaFields; }},
        {"Disable", [](auto& s) { s.setWifiEncryption(AutoconfigSettings::WifiDisable); return F::None; }, F::None,
         [](const C& c) { return !c.wepFields && !c.wpaFields; }},
        {"Group tab", [](auto& s) { s.setTargetTab(AutoconfigSettings::GroupTab); return F::None; }, F::None,
         [](const C& c) {
             return !c.userName && !c.staticIpChoice && !c.addresses && !c.ilumMode &&
                    QByteArray(c.updateText) == "Update Group==>";
         }},
        {"Static IP on the Group tab", [](auto& s) { s.setDhcp(false); return F::None; }, F::None,
         [](const C& c) { return !c.addresses; }},
        {"ILUM on the Group tab", [](auto& s) { return s.setStartupMode(AutoconfigSettings::Ilum); }, F::None,
         [](const C& c) { return !c.ilumShown; }},
        {"Client tab", [](auto& s) { s.setTargetTab(AutoconfigSettings::ClientTab); return F::None; }, F::None,
         [](const C& c) { return c.userName && c.staticIpChoice && c.ilumMode && !c.addresses; }},
    };
    AutoconfigSettings s;
    for (const Step& step : steps) {
        EXPECT_EQ(step.act(s), step.focus) << step.what;
        EXPECT_TRUE(step.expect(lum::autoconfigControls(s))) << step.what;
    }
    // Static IP was refused on the Group tab, and "ILUM" fell back to "LUM" there.
    EXPECT_TRUE(s.dhcp);
    EXPECT_EQ(s.startupMode, AutoconfigSettings::CfCard);
}

TEST(AutoconfigRules, EncryptionListsGetTheirFirstEntryOnlyWhenEnabledWithoutAChoice) {
    AutoconfigSettings s;
    EXPECT_EQ(std::tuple(s.wepKeyLength, s.wpaKeyType), std::tuple(-1, -1));
    s.setWifiEncryption(AutoconfigSettings::WepOpen);
    EXPECT_EQ(std::tuple(s.wepKeyLength, s.wpaKeyType), std::tuple(0, -1));
    s.wepKeyLength = 1;
    s.setWifiEncryption(AutoconfigSettings::Wpa);
    s.setWifiEncryption(AutoconfigSettings::WepShared);
    EXPECT_EQ(std::tuple(s.wepKeyLength, s.wpaKeyType), std::tuple(1, 0));
    // With no choice made, the written key type is that of the first entries.
    AutoconfigSettings w;
    w.ssid = "net";
    w.wifiEncryption = AutoconfigSettings::Wpa;
    w.wpaKey = "secretkey";
    EXPECT_TRUE(lum::autoconfigBytes(w).endsWith("[WIFI]\r\nSSID=net\r\nWSEnc=3\r\nKeyType=0\r\nkeyvalue=secretkey\r\n"));
}

TEST(AutoconfigRules, TimeZoneListAndPortText) {
    const QStringList zones = AutoconfigSettings::timeZoneNames();
    ASSERT_EQ(zones.size(), AutoconfigSettings::kTimeZoneCount);
    EXPECT_EQ(zones.first(), "GMT-12");
    EXPECT_EQ(zones[11], "GMT-1");
    EXPECT_EQ(zones[12], "GMT");
    EXPECT_EQ(zones[17], "GMT+5");
    EXPECT_EQ(zones[18], "GMT+05:30");
    EXPECT_EQ(zones[19], "GMT+6");
    EXPECT_EQ(zones.last(), "GMT+12");
    for (int i = 0; i < zones.size(); ++i)
        EXPECT_EQ(AutoconfigSettings::timeZoneIndexForCode(AutoconfigSettings::timeZoneCode(i)), i) << i;

    EXPECT_EQ(AutoconfigSettings::portFromText("6021"), 6021);
    EXPECT_EQ(AutoconfigSettings::portFromText("70000"), 70000);  // the range check refuses it
    EXPECT_EQ(AutoconfigSettings::portFromText(""), -1);
    EXPECT_EQ(AutoconfigSettings::portFromText("12a"), -1);
}
