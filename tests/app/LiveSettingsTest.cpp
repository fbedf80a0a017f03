// Settings changed while the console runs (as the settings dialog changes them) apply to the
// next login, log record, MAC report and PASV without restarting the server.
#include "common/TestSupport.h"
#include "console/ConsoleCore.h"
#include "console/HeadlessPrompt.h"
#include "core/LogHub.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "server/ServerTestSupport.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace lumtest;

TEST(LiveSettings, ADialogChangeAppliesToTheNextUseWithoutARestart) {
    QTemporaryDir dir;
    const quint32 firstRange = randomPassiveStart();
    ASSERT_TRUE(writeFile(dir.path() + "/config.ini",
                          QStringLiteral("[SERVER]\r\nPORT=0\r\nPORTSTART=%1\r\nPORTNUM=10\r\n")
                              .arg(firstRange)
                              .toLatin1()));
    QStringList logged;  // outlives the core, which logs its last records as it goes
    lum::HeadlessPrompt prompt(nullptr, false);
    lum::CConsoleCore core(dir.path(), QString(), prompt);
    QString error;
    ASSERT_TRUE(core.Init(&error)) << error.toStdString();
    QObject::connect(&core.logHub(), &lum::CLogHub::recordAdded,
                     [&](const lum::CLogRecord& r, const QString&) { logged << r.text; });
    ASSERT_TRUE(core.StartServer());
    const quint16 port = core.server().ListeningPort();
    lum::CAppSettings& settings = core.settings();

    Player a(port);
    EXPECT_EQ(a.login("a"), "230 User successfully logged in group [Home].");
    EXPECT_EQ(a.command("NOOP"), "200 OK");

    settings.setPasswordCheck(true);
    settings.setLogLevel(2);
    settings.setEnableSetMac(true);
    settings.setMacRangeMin(QStringLiteral("02-00-00-00-00-10"));
    settings.setMacRangeMax(5);
    const quint32 secondRange = firstRange + 5000;
    settings.setPortStart(secondRange);
    settings.setPortNum(1);
    ASSERT_TRUE(settings.Save());

    Player b(port);
    EXPECT_EQ(b.login("b"), "331 Password required for b");
    EXPECT_EQ(a.command("NOOP"), "200 OK");
    EXPECT_TRUE(waitUntil([&] { return logged.contains("[a] 200 OK"); })) << logged.join('\n').toStdString();
    a.sendLine("ICS_GET_MAC_ADDR 02-00-00-00-00-01");
    EXPECT_EQ(a.command("ICS_GET_STORAGE_INFO_DONE 1"), "643 02-00-00-00-00-10");
    EXPECT_EQ(a.pasv(), secondRange);
    core.Shutdown();
}
