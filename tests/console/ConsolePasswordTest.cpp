#include "console/ConsolePassword.h"
#include "server/AppSettings.h"

#include "common/TestSupport.h"
#include "common/RecordingPrompt.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::RecordingPrompt;

TEST(ConsolePassword, ComparedWithoutRegardToCase) {
    EXPECT_TRUE(consolePasswordMatches(QStringLiteral("VeMRA"), QStringLiteral("vemra")));
    EXPECT_FALSE(consolePasswordMatches(QStringLiteral("vemr"), QStringLiteral("vemra")));
    EXPECT_FALSE(consolePasswordMatches(QString(), QStringLiteral("vemra")));
}

TEST(ConsolePassword, ChangeRules) {
    const QString cur = QStringLiteral("vemra");
    EXPECT_EQ(checkPasswordChange({cur, QString(), QStringLiteral("x")}, cur), PasswordChange::Ignored);
    EXPECT_EQ(checkPasswordChange({cur, QStringLiteral("x"), QString()}, cur), PasswordChange::Ignored);
    // Emptiness is checked before the old password.
    EXPECT_EQ(checkPasswordChange({QStringLiteral("wrong"), QString(), QString()}, cur),
              PasswordChange::Ignored);
    EXPECT_EQ(checkPasswordChange({QStringLiteral("wrong"), QStringLiteral("n"), QStringLiteral("n")}, cur),
              PasswordChange::OldMismatch);
    EXPECT_EQ(checkPasswordChange({QStringLiteral("VEMRA"), QStringLiteral("new"), QStringLiteral("NEW")}, cur),
              PasswordChange::ConfirmMismatch);
    EXPECT_EQ(checkPasswordChange({QStringLiteral("VEMRA"), QStringLiteral("new"), QStringLiteral("new")}, cur),
              PasswordChange::Changed);
}

TEST(ConsolePassword, ApplyStoresSavesAndReports) {
    QTemporaryDir dir;
    // Saving also writes or removes the autostart entry: keep it inside the test folder.
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("xdg")).toLocal8Bit());
    const QString ini = dir.filePath(QStringLiteral("config.ini"));
    CAppSettings settings(ini);
    settings.setExecutablePath(QStringLiteral("/bin/true"));
    settings.Load();
    RecordingPrompt prompt;

    EXPECT_EQ(applyPasswordChange(settings, prompt, {QStringLiteral("x"), QStringLiteral("a"), QStringLiteral("a")}),
              PasswordChange::OldMismatch);
    ASSERT_EQ(prompt.messages, QStringList{QStringLiteral("Password does not match")});
    EXPECT_EQ(prompt.icons[0], IOperatorPrompt::Icon::Stop);
    EXPECT_EQ(settings.password(), QStringLiteral("vemra"));
    EXPECT_FALSE(QFile::exists(ini));

    EXPECT_EQ(applyPasswordChange(settings, prompt, {QStringLiteral("Vemra"), QStringLiteral("Secret"), QStringLiteral("Secret")}),
              PasswordChange::Changed);
    EXPECT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(settings.password(), QStringLiteral("Secret"));
    CAppSettings reread(ini);
    reread.Load();
    EXPECT_EQ(reread.password(), QStringLiteral("Secret"));

    // config.ini that cannot be written: the old password stays in force.
    CAppSettings blocked(dir.filePath(QStringLiteral("nodir/sub/config.ini")));
    QFile::remove(dir.filePath(QStringLiteral("nodir")));
    lumtest::writeFile(dir.filePath(QStringLiteral("nodir")), "a file, not a folder");
    blocked.setExecutablePath(QStringLiteral("/bin/true"));
    blocked.Load();
    EXPECT_EQ(applyPasswordChange(blocked, prompt, {QStringLiteral("vemra"), QStringLiteral("n"), QStringLiteral("n")}),
              PasswordChange::SaveFailed);
    EXPECT_EQ(blocked.password(), QStringLiteral("vemra"));
    EXPECT_EQ(prompt.messages.size(), 2);
}
