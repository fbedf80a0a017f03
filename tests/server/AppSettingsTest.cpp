// config.ini reading and writing, and the autostart entry.
#include "server/AppSettings.h"

#include "common/TestSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;

namespace {

const QByteArray kDefaultIni =
    "[Startup]\r\nAUTOACTIVATE=1\r\nLAUNCHONSTARTUP=0\r\nSTARTINTRAY=0\r\nLANGUAGE=0\r\n"
    "[SERVER]\r\nLOGLEVEL=0\r\nMAXUSERS=100\r\nPORT=5021\r\nPORTSTART=5022\r\nPORTNUM=10\r\n"
    "LOCALIPADDRESS=\r\npassword=dmVtcmE=\r\nPASSWORDCHECK=0\r\nAUTOREGISTER=1\r\n"
    "MAXPERADDRESS=20\r\n"
    "[IPLIST]\r\nIPFILTERMODE=0\r\nIPFILTERLIST=\r\n"
    "[MAC]\r\nENABLESETMAC=0\r\nMACRANGEMIN=00-00-00-00-00-00\r\nMACRANGEMAX=1\r\n"
    "[ALERTS]\r\nOFFLINEMINUTES=5\r\nOFFLINECOMMAND=\r\n[MONITOR]\r\nLISTEN=\r\n";

class AppSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldXdg_ = qgetenv("XDG_CONFIG_HOME");
        hadXdg_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/xdg").toLocal8Bit());
    }
    void TearDown() override {
        if (hadXdg_) qputenv("XDG_CONFIG_HOME", oldXdg_);
        else qunsetenv("XDG_CONFIG_HOME");
    }
    QString ini() const { return dir.path() + "/config.ini"; }

    QTemporaryDir dir;
    QByteArray oldXdg_;
    bool hadXdg_ = false;
};

TEST_F(AppSettingsTest, MissingFileGivesDefaultsAndSaveWritesEveryKeyInOrder) {
    CAppSettings s(ini());
    ASSERT_TRUE(s.Load());
    EXPECT_TRUE(s.autoActivate());
    EXPECT_FALSE(s.launchOnStartup());
    EXPECT_FALSE(s.startInTray());
    EXPECT_EQ(s.language(), 0);
    EXPECT_EQ(s.logLevel(), 0);
    EXPECT_EQ(s.maxUsers(), 100);
    EXPECT_EQ(s.port(), 5021);
    EXPECT_EQ(s.portStart(), 5022u);
    EXPECT_EQ(s.portNum(), 10u);
    EXPECT_EQ(s.localIpAddress(), "");
    EXPECT_EQ(s.password(), "vemra");
    EXPECT_FALSE(s.passwordCheck());
    EXPECT_TRUE(s.autoRegister());
    EXPECT_EQ(s.maxPerAddress(), 20);
    EXPECT_EQ(s.ipFilterMode(), 0);
    EXPECT_EQ(s.ipFilterList(), "");
    EXPECT_FALSE(s.enableSetMac());
    EXPECT_EQ(s.macRangeMin(), "00-00-00-00-00-00");
    EXPECT_EQ(s.macRangeMax(), 1u);
    EXPECT_EQ(s.applicationTitle(), QString("LUM ") + LUM_VERSION);

    ASSERT_TRUE(s.Save());
    EXPECT_EQ(lumtest::readFile(ini()), kDefaultIni);
}

TEST_F(AppSettingsTest, SaveUpdatesAnExistingFileKeyByKey) {
    ASSERT_TRUE(lumtest::writeFile(ini(), "[server]\r\nport = 6000\r\nFOO=bar\r\n\r\n"
                                          "[Other]\r\nx=1\r\n"));
    CAppSettings s(ini());
    s.Load();
    EXPECT_EQ(s.port(), 6000);
    s.setPort(7000);
    ASSERT_TRUE(s.Save());
    const QByteArray expected =
        "[server]\r\nPORT=7000\r\nFOO=bar\r\nLOGLEVEL=0\r\nMAXUSERS=100\r\nPORTSTART=5022\r\n"
        "PORTNUM=10\r\nLOCALIPADDRESS=\r\npassword=dmVtcmE=\r\nPASSWORDCHECK=0\r\n"
        "AUTOREGISTER=1\r\nMAXPERADDRESS=20\r\n\r\n"
        "[Other]\r\nx=1\r\n"
        "[Startup]\r\nAUTOACTIVATE=1\r\nLAUNCHONSTARTUP=0\r\nSTARTINTRAY=0\r\nLANGUAGE=0\r\n"
        "[IPLIST]\r\nIPFILTERMODE=0\r\nIPFILTERLIST=\r\n"
        "[MAC]\r\nENABLESETMAC=0\r\nMACRANGEMIN=00-00-00-00-00-00\r\nMACRANGEMAX=1\r\n"
        "[ALERTS]\r\nOFFLINEMINUTES=5\r\nOFFLINECOMMAND=\r\n[MONITOR]\r\nLISTEN=\r\n";
    EXPECT_EQ(lumtest::readFile(ini()), expected);
}

TEST_F(AppSettingsTest, AlertAndMonitorSettingsWithTheGraceTimeInForce) {
    struct Case {
        QByteArray minutes;
        qint64 overrideMs;
        qint64 graceMs;
    };
    for (const Case& c : {Case{"", -1, 5 * 60000}, Case{"12", -1, 12 * 60000}, Case{"0", -1, 0},
                          Case{"-4", -1, 0}, Case{"x", -1, 0}, Case{"12", 250, 250}, Case{"12", 0, 0}}) {
        const QByteArray line = c.minutes.isEmpty() ? QByteArray() : "OFFLINEMINUTES=" + c.minutes + "\r\n";
        ASSERT_TRUE(lumtest::writeFile(ini(), "[ALERTS]\r\n" + line +
                                                  "OFFLINECOMMAND= /opt/my tools/notify.sh \r\n"
                                                  "[MONITOR]\r\nLISTEN=0.0.0.0:9105\r\n"));
        CAppSettings s(ini());
        s.Load();
        s.setOfflineGraceOverrideMs(c.overrideMs);
        EXPECT_EQ(s.offlineGraceMs(), c.graceMs) << c.minutes.constData() << " " << c.overrideMs;
        EXPECT_EQ(s.offlineCommand(), "/opt/my tools/notify.sh");
        EXPECT_EQ(s.monitorListen(), "0.0.0.0:9105");
    }
    // A line break cannot add keys of its own; the override is never stored.
    CAppSettings s(ini());
    s.Load();
    s.setOfflineCommand("/bin/true\r\n[SERVER]\r\nPORT=1");
    s.setOfflineGraceOverrideMs(10);
    ASSERT_TRUE(s.Save());
    const QByteArray saved = lumtest::readFile(ini());
    EXPECT_TRUE(saved.contains("OFFLINECOMMAND=/bin/true[SERVER]PORT=1\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("OFFLINEMINUTES=12\r\n")) << saved.constData();
}

TEST_F(AppSettingsTest, ValuesAreTrimmedConvertedAndCut) {
    const QByteArray longList = QByteArray(1500, '1');
    ASSERT_TRUE(lumtest::writeFile(
        ini(), "[Startup]\r\nAUTOACTIVATE=  0  \r\nLAUNCHONSTARTUP=yes\r\nSTARTINTRAY= 1\r\n"
               "LANGUAGE=2x\r\n[SERVER]\r\nLOGLEVEL=2\r\nPORT=  6001 \r\nPORTSTART=-1\r\n"
               "PORTNUM=abc\r\nLOCALIPADDRESS= 10.0.0.5 \r\nPASSWORDCHECK=1\r\n"
               "AUTOREGISTER=0\r\nMAXPERADDRESS=-3\r\n[IPLIST]\r\nIPFILTERMODE=2\r\nIPFILTERLIST=" + longList + "\r\n"
               "[MAC]\r\nENABLESETMAC=true\r\nMACRANGEMIN=00-11-22-33-44-55\r\nMACRANGEMAX=300\r\n"));
    CAppSettings s(ini());
    s.Load();
    EXPECT_FALSE(s.autoActivate());
    EXPECT_FALSE(s.launchOnStartup());  // only "1" is true
    EXPECT_TRUE(s.startInTray());
    EXPECT_EQ(s.language(), 2);
    EXPECT_EQ(s.logLevel(), 2);
    EXPECT_EQ(s.port(), 6001);
    EXPECT_EQ(s.portStart(), 4294967295u);  // atol wrapped to 32 bits
    EXPECT_EQ(s.portNum(), 0u);
    EXPECT_EQ(s.localIpAddress(), "10.0.0.5");
    EXPECT_TRUE(s.passwordCheck());
    EXPECT_FALSE(s.autoRegister());
    EXPECT_EQ(s.maxPerAddress(), 20);  // no share below one connection
    EXPECT_EQ(s.ipFilterMode(), 2);
    EXPECT_EQ(s.ipFilterList(), QString(999, '1'));  // 1000-character buffer
    EXPECT_FALSE(s.enableSetMac());
    EXPECT_EQ(s.macRangeMin(), "00-11-22-33-44-55");
    EXPECT_EQ(s.macRangeMax(), 300u);

    ASSERT_TRUE(lumtest::writeFile(ini(), "[SERVER]\r\nLOCALIPADDRESS=" + QByteArray(400, 'a') +
                                              "\r\n"));
    s.Load();
    EXPECT_EQ(s.localIpAddress(), QString(254, 'a'));  // 255-character buffer
}

TEST_F(AppSettingsTest, MaxUsersIsAlways100OnLoadButTheMemoryValueIsSaved) {
    ASSERT_TRUE(lumtest::writeFile(ini(), "[SERVER]\r\nMAXUSERS=5\r\n"));
    CAppSettings s(ini());
    s.Load();
    EXPECT_EQ(s.maxUsers(), 100);
    s.setMaxUsers(7);
    ASSERT_TRUE(s.Save());
    EXPECT_TRUE(lumtest::readFile(ini()).startsWith("[SERVER]\r\nMAXUSERS=7\r\n"));
    s.Load();
    EXPECT_EQ(s.maxUsers(), 100);
}

TEST_F(AppSettingsTest, PasswordIsStoredAsBase64) {
    ASSERT_TRUE(lumtest::writeFile(ini(), "[SERVER]\r\npassword=c2VjcmV0\r\n"));
    CAppSettings s(ini());
    s.Load();
    EXPECT_EQ(s.password(), "secret");
    s.setPassword("abc");
    ASSERT_TRUE(s.Save());
    EXPECT_TRUE(lumtest::readFile(ini()).contains("\r\npassword=YWJj\r\n"));
    CAppSettings again(ini());
    again.Load();
    EXPECT_EQ(again.password(), "abc");

    // Damaged text counts as absent.
    ASSERT_TRUE(lumtest::writeFile(ini(), "[SERVER]\r\npassword=%%%\r\n"));
    again.Load();
    EXPECT_EQ(again.password(), "vemra");
}

TEST_F(AppSettingsTest, RoundTripAndLineBreaksNeverSplitAValue) {
    CAppSettings s(ini());
    s.setAutoActivate(false);
    s.setStartInTray(true);
    s.setLanguage(1);
    s.setLogLevel(2);
    s.setPort(6100);
    s.setPortStart(6200);
    s.setPortNum(3);
    s.setLocalIpAddress("192.168.1.9\r\nPORT=1");
    s.setPasswordCheck(true);
    s.setIpFilterMode(1);
    s.setIpFilterList("10.0.0.*;10.0.1.2;");
    s.setEnableSetMac(true);
    s.setMacRangeMin("00-AA-BB-CC-DD-00");
    s.setMacRangeMax(42);
    ASSERT_TRUE(s.Save());

    CAppSettings r(ini());
    r.Load();
    EXPECT_FALSE(r.autoActivate());
    EXPECT_TRUE(r.startInTray());
    EXPECT_EQ(r.language(), 1);
    EXPECT_EQ(r.logLevel(), 2);
    EXPECT_EQ(r.port(), 6100);
    EXPECT_EQ(r.portStart(), 6200u);
    EXPECT_EQ(r.portNum(), 3u);
    EXPECT_EQ(r.localIpAddress(), "192.168.1.9PORT=1");
    EXPECT_TRUE(r.passwordCheck());
    EXPECT_EQ(r.ipFilterMode(), 1);
    EXPECT_EQ(r.ipFilterList(), "10.0.0.*;10.0.1.2;");
    EXPECT_TRUE(r.enableSetMac());
    EXPECT_EQ(r.macRangeMin(), "00-AA-BB-CC-DD-00");
    EXPECT_EQ(r.macRangeMax(), 42u);
}

TEST_F(AppSettingsTest, LaunchOnStartupCreatesAndRemovesTheAutostartEntry) {
    const QString entry = dir.path() + "/xdg/autostart/LUM.desktop";
    EXPECT_EQ(CAppSettings::autostartFilePath(), entry);
    CAppSettings s(ini());
    s.setExecutablePath("/opt/my $lum/lum-server");
    s.setLaunchOnStartup(true);
    ASSERT_TRUE(s.Save());
    const QByteArray text = lumtest::readFile(entry);
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nName=LUM\n"));
    const QByteArray exec = "\nExec=\"/opt/my \\\\$lum/lum-server\" --data-dir \"" +
                            dir.path().toUtf8() + "\"\n";
    EXPECT_TRUE(text.contains(exec)) << text.toStdString();
    EXPECT_TRUE(lumtest::readFile(ini()).contains("LAUNCHONSTARTUP=1\r\n"));

    s.setLaunchOnStartup(false);
    ASSERT_TRUE(s.Save());
    EXPECT_FALSE(QFileInfo::exists(entry));

    // Without XDG_CONFIG_HOME the entry goes to ~/.config/autostart.
    qunsetenv("XDG_CONFIG_HOME");
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", (dir.path() + "/home").toLocal8Bit());
    EXPECT_EQ(CAppSettings::autostartFilePath(), dir.path() + "/home/.config/autostart/LUM.desktop");
    CAppSettings t(ini());
    t.setLaunchOnStartup(true);
    EXPECT_TRUE(t.Save());
    const QByteArray homeEntry = lumtest::readFile(dir.path() + "/home/.config/autostart/LUM.desktop");
    qputenv("HOME", oldHome);
    EXPECT_TRUE(homeEntry.contains(QCoreApplication::applicationFilePath().toUtf8()));
}

}  // namespace
