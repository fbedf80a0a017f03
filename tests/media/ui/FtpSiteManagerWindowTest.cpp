// The FTP Site Manager window over "server data/sites.dat": selecting, the anonymous box, Add,
// Save and Remove through the controls, the password masked.
#include "media/FtpSite.h"
#include "media/ui/FtpSiteManagerDialog.h"

#include "CommanderTestSupport.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace lum;

TEST(FtpSiteManagerWindow, SelectAnonymousAddSaveAndRemove) {
    QTemporaryDir dir;
    auto settings = std::make_shared<QSettings>(dir.filePath("profile.ini"), QSettings::IniFormat);
    FtpProfile profile(settings);
    settings->setValue("Settings/EmailAddress", "ops@example.com");
    settings->setValue("Settings/LastSelectedSite", 1);
    const QString path = ftpSitesPath(dir.path());
    CFtpSite one;
    one.host = "ftp.one";
    one.login = "bob";
    one.password = "pw1";
    one.profileName = "One";
    CFtpSite two = one;
    two.host = "ftp.two";
    two.login = "Anonymous";
    two.password = "guest@x";
    two.profileName = "Two";
    two.port = 2121;
    ASSERT_TRUE(saveFtpSites(path, {one, two}));

    lumtest::RecordingPrompt prompt;
    CFtpSiteManagerDialog d(path, profile, prompt);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle(), "FTP Site Manager");
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&d), QStringList());
    // "LastSelectedSite" is shown; an anonymous login shows its password in clear.
    EXPECT_EQ(d.siteList()->currentRow(), 1);
    EXPECT_EQ(d.hostField()->text(), "ftp.two");
    EXPECT_EQ(d.portField()->value(), 2121);
    EXPECT_TRUE(d.anonymousBox()->isChecked());
    EXPECT_EQ(d.passwordField()->echoMode(), QLineEdit::Normal);
    lumtest::screenshot(&d, "ftp-site-manager");

    QTest::mouseClick(d.siteList()->viewport(), Qt::LeftButton, {},
                      d.siteList()->visualItemRect(d.siteList()->item(0)).center());
    EXPECT_EQ(d.loginField()->text(), "bob");
    EXPECT_EQ(d.passwordField()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(d.passwordField()->text(), "pw1");
    EXPECT_EQ(settings->value("Settings/LastSelectedSite").toInt(), 0);
    lumtest::clickBox(d.anonymousBox());
    EXPECT_EQ(d.loginField()->text(), "anonymous");
    EXPECT_EQ(d.passwordField()->text(), "ops@example.com");
    EXPECT_EQ(d.passwordField()->echoMode(), QLineEdit::Normal);
    lumtest::clickBox(d.anonymousBox());
    EXPECT_EQ(d.loginField()->text(), "bob");
    EXPECT_EQ(d.passwordField()->echoMode(), QLineEdit::Password);

    // Save: the host trimmed, the file rewritten.
    d.hostField()->clear();
    QTest::keyClicks(d.hostField(), "  ftp.uno  ");
    QTest::mouseClick(d.saveButton(), Qt::LeftButton);
    EXPECT_EQ(loadFtpSites(path).at(0).host, "ftp.uno");

    // Add: a name differing only in case is refused and emptied; a new one is added and saved.
    d.profileField()->clear();
    QTest::keyClicks(d.profileField(), "tWO");
    QTest::mouseClick(d.addButton(), Qt::LeftButton);
    EXPECT_TRUE(d.profileField()->text().isEmpty());
    EXPECT_EQ(loadFtpSites(path).size(), 2);
    QTest::keyClicks(d.profileField(), "Three");
    QTest::mouseClick(d.addButton(), Qt::LeftButton);
    ASSERT_EQ(d.siteList()->count(), 3);
    EXPECT_EQ(d.siteList()->currentItem()->text(), "Three");
    EXPECT_EQ(loadFtpSites(path).at(2).profileName, "Three");

    // Remove: the selected one goes and the first is shown.
    QTest::mouseClick(d.removeButton(), Qt::LeftButton);
    EXPECT_EQ(d.siteList()->count(), 2);
    EXPECT_EQ(d.siteList()->currentRow(), 0);
    EXPECT_EQ(loadFtpSites(path).size(), 2);

    // Cancel hands nothing back; Connect the fields as a site.
    QTest::mouseClick(d.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_TRUE(prompt.messages.isEmpty());
}
