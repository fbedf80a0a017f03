#include "accounts/ui/AccountDialog.h"
#include "accounts/ui/AccountView.h"
#include "console/ui/ConsoleApp.h"
#include "console/ui/PasswordDialogs.h"
#include "media/YuvImage.h"
#include "core/IniFile.h"
#include "server/ui/SettingsDialog.h"

#include "common/AccessibleNames.h"
#include "console/ui/GuiTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QAbstractProxyModel>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace lum;

namespace {
class Dialogs : public ::testing::Test, public lumtest::ConsoleFixture {};
}  // namespace

TEST_F(Dialogs, ResumeFromProtectModeOnlyOnThePassword) {
    settings->setPassword(QStringLiteral("Vemra"));
    CResumeDialog dlg([this] { return settings->password(); });
    dlg.reject();  // Escape does nothing
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    dlg.passwordEdit()->setText(QStringLiteral("wrong"));
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    dlg.passwordEdit()->setText(QStringLiteral("VEMRA"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(Dialogs, ChangePasswordClearsFieldsByTheRules) {
    CChangePasswordDialog dlg(*settings, prompt);
    dlg.newEdit()->setText(QStringLiteral("n1"));
    dlg.accept();  // confirmation empty: nothing at all
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_EQ(dlg.newEdit()->text(), QStringLiteral("n1"));

    dlg.oldEdit()->setText(QStringLiteral("bad"));
    dlg.confirmEdit()->setText(QStringLiteral("n1"));
    dlg.accept();
    EXPECT_EQ(prompt.messages, QStringList{QStringLiteral("Password does not match")});
    EXPECT_TRUE(dlg.oldEdit()->text().isEmpty() && dlg.newEdit()->text().isEmpty() &&
                dlg.confirmEdit()->text().isEmpty());

    dlg.oldEdit()->setText(QStringLiteral("VEMRA"));
    dlg.newEdit()->setText(QStringLiteral("n1"));
    dlg.confirmEdit()->setText(QStringLiteral("N1"));
    dlg.accept();
    EXPECT_EQ(prompt.messages.size(), 2);
    EXPECT_EQ(dlg.oldEdit()->text(), QStringLiteral("VEMRA"));
    EXPECT_TRUE(dlg.newEdit()->text().isEmpty() && dlg.confirmEdit()->text().isEmpty());
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    dlg.newEdit()->setText(QStringLiteral("n1"));
    dlg.confirmEdit()->setText(QStringLiteral("n1"));
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(settings->password(), QStringLiteral("n1"));
    EXPECT_EQ(getPrivateProfileString(settings->iniPath(), "SERVER", "password"), QByteArray("bjE="));
}

TEST_F(Dialogs, SettingsApplyWritesConfigIni) {
    CSettingsDialog dlg(*settings, prompt);
    EXPECT_FALSE(dlg.maxUsersSpin()->isEnabled());
    EXPECT_EQ(dlg.maxUsersSpin()->value(), 100);
    EXPECT_EQ(dlg.logLevelCombo()->currentIndex(), -1);  // LOGLEVEL 0 is not in the list
    dlg.portSpin()->setValue(6021);
    dlg.portNumSpin()->setValue(5);
    dlg.passwordCheck()->setChecked(true);
    dlg.localIpCombo()->setEditText(QStringLiteral(" 10.1.2.3 "));
    dlg.addAddress(QStringLiteral("192.168.1.*"));
    dlg.addAddress(QStringLiteral("10.0.0.7"));
    dlg.addAddress(QStringLiteral("300.1.1.1"));  // refused
    EXPECT_EQ(prompt.messages.size(), 1);
    dlg.ipList()->setCurrentRow(1);
    dlg.editAddress(QStringLiteral("10.0.0.8"));
    dlg.filterMode(1)->setChecked(true);
    EXPECT_TRUE(dlg.autoRegisterCheck()->isChecked());
    EXPECT_EQ(dlg.maxPerAddressSpin()->value(), 20);
    dlg.autoRegisterCheck()->setChecked(false);
    dlg.maxPerAddressSpin()->setValue(150);  // no more than the server's 100 places
    dlg.launchCheck()->setChecked(true);
    dlg.trayCheck()->setChecked(true);
    dlg.autoActivateCheck()->setChecked(false);
    dlg.macMinEdit()->setText(QStringLiteral("00-11-22-aa-bb-cc"));
    dlg.macCountSpin()->setValue(7);
    dlg.enableMacCheck()->setChecked(true);
    ASSERT_TRUE(dlg.apply());

    IniFile ini;
    ASSERT_TRUE(ini.load(settings->iniPath()));
    EXPECT_EQ(ini.value("SERVER", "PORT"), QByteArray("6021"));
    EXPECT_EQ(ini.value("SERVER", "PORTNUM"), QByteArray("5"));
    EXPECT_EQ(ini.value("SERVER", "PASSWORDCHECK"), QByteArray("1"));
    EXPECT_EQ(ini.value("SERVER", "LOCALIPADDRESS"), QByteArray("10.1.2.3"));
    EXPECT_EQ(ini.value("SERVER", "LOGLEVEL"), QByteArray("0"));
    EXPECT_EQ(ini.value("IPLIST", "IPFILTERLIST"), QByteArray("192.168.1.*;10.0.0.8;"));
    EXPECT_EQ(ini.value("IPLIST", "IPFILTERMODE"), QByteArray("1"));
    EXPECT_EQ(ini.value("SERVER", "AUTOREGISTER"), QByteArray("0"));
    EXPECT_EQ(ini.value("SERVER", "MAXPERADDRESS"), QByteArray("100"));
    EXPECT_EQ(ini.value("Startup", "LAUNCHONSTARTUP"), QByteArray("1"));
    EXPECT_EQ(ini.value("Startup", "STARTINTRAY"), QByteArray("1"));
    EXPECT_EQ(ini.value("Startup", "AUTOACTIVATE"), QByteArray("0"));
    EXPECT_EQ(ini.value("MAC", "ENABLESETMAC"), QByteArray("1"));
    EXPECT_EQ(ini.value("MAC", "MACRANGEMIN"), QByteArray("00-11-22-AA-BB-CC"));
    EXPECT_EQ(ini.value("MAC", "MACRANGEMAX"), QByteArray("7"));
    // Launch at logon is applied with the save.
    EXPECT_TRUE(QFileInfo::exists(CAppSettings::autostartFilePath()));

    dlg.removeAddress();  // the current row, 10.0.0.8
    dlg.logLevelCombo()->setCurrentIndex(1);
    dlg.launchCheck()->setChecked(false);
    ASSERT_TRUE(dlg.apply());
    ASSERT_TRUE(ini.load(settings->iniPath()));
    EXPECT_EQ(ini.value("IPLIST", "IPFILTERLIST"), QByteArray("192.168.1.*;"));
    EXPECT_EQ(ini.value("SERVER", "LOGLEVEL"), QByteArray("2"));
    EXPECT_FALSE(QFileInfo::exists(CAppSettings::autostartFilePath()));

    EXPECT_TRUE(CSettingsDialog::isValidFilterAddress(QStringLiteral("*.*.*.*")));
    EXPECT_FALSE(CSettingsDialog::isValidFilterAddress(QStringLiteral("1.2.3")));
    EXPECT_FALSE(CSettingsDialog::isValidFilterAddress(QStringLiteral("1.2.3.+4")));
}

TEST_F(Dialogs, AccountPaneMenusAndPictures) {
    addGroup(QStringLiteral("Lobby"));
    addUser(QStringLiteral("p1"), QStringLiteral("Lobby"));
    models->tree().FillTree();
    settle();
    CAccountView view(*store, models->tree(), prompt);
    auto* proxy = view.tree()->model();
    auto selectSource = [&](const QModelIndex& src) {
        view.tree()->setCurrentIndex(static_cast<QAbstractProxyModel*>(proxy)->mapFromSource(src));
    };

    selectSource(models->tree().groupIndex(QStringLiteral("Home")));
    view.deleteGroup();
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("Home group can not be edited!"));
    EXPECT_TRUE(prompt.questions.isEmpty());

    selectSource(models->tree().groupIndex(QStringLiteral("Lobby")));
    prompt.answers = {false};
    view.deleteGroup();
    EXPECT_EQ(prompt.questions.last(), QStringLiteral("Are you sure to delete this group?Lobby"));
    EXPECT_TRUE(store->FindGroup(QStringLiteral("Lobby"), nullptr));
    prompt.answers = {true};
    view.deleteGroup();
    settle();
    EXPECT_FALSE(store->FindGroup(QStringLiteral("Lobby"), nullptr));
    EXPECT_FALSE(models->tree().groupIndex(QStringLiteral("Lobby")).isValid());

    // "Get Log file...": the player's own file, not one of a longer name; none is said so.
    QDir().mkpath(data + QStringLiteral("/Log"));
    lumtest::writeFile(data + QStringLiteral("/Log/[p10]00-11.log"), "x");
    EXPECT_TRUE(view.playerLogFile(QStringLiteral("p1")).isEmpty());
    addUser(QStringLiteral("p1"), QStringLiteral("Home"));
    settle();
    selectSource(models->tree().accountIndex(QStringLiteral("p1")));
    view.getLogFile();
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("There is no log file for p1."));
    lumtest::writeFile(data + QStringLiteral("/Log/[p1]00-11.log"), "x");
    EXPECT_EQ(view.playerLogFile(QStringLiteral("P1")), data + QStringLiteral("/Log/[p1]00-11.log"));

    // Pictures: a missing file leaves the box as it was.
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString png = dir.filePath(QStringLiteral("pic.png"));
    ASSERT_TRUE(img.save(png));
    EXPECT_TRUE(view.ShowPicture(png, 1));
    EXPECT_EQ(view.pictureBox(1)->image().size(), QSize(40, 20));
    EXPECT_FALSE(view.ShowPicture(dir.filePath(QStringLiteral("none.png")), 1));
    EXPECT_EQ(view.pictureBox(1)->image().size(), QSize(40, 20));
    EXPECT_TRUE(view.pictureBox(0)->image().isNull());
    // A zone image is shown through its decoded colours.
    const QString yuv = dir.filePath(QStringLiteral("zone.YUV"));
    QImage blue(64, 32, QImage::Format_RGB32);
    blue.fill(QColor(0, 0, 255));
    ASSERT_TRUE(blue.save(dir.filePath(QStringLiteral("blue.png"))));
    ASSERT_GT(convertToYuv(dir.filePath(QStringLiteral("blue.png")), yuv, 0, 0), 0);
    EXPECT_FALSE(view.ShowPicture(yuv, 0));  // no reader: the box stays as it was
    view.setYuvReader([](const QString& p) { return yuvToImage(p); });
    ASSERT_TRUE(view.ShowPicture(yuv, 0));
    const QImage shown = view.pictureBox(0)->image();
    EXPECT_EQ(shown.size(), QSize(64, 32));
    const QColor c = shown.pixelColor(10, 10);
    EXPECT_GT(c.blue(), 200);
    EXPECT_LT(c.red(), 60);
    EXPECT_TRUE(yuvToImage(png).isNull());  // not a zone image

    // Scaled into the box with its aspect ratio, centred; a small picture keeps its size.
    EXPECT_EQ(CPictureBox::placement(QSize(400, 200), QRect(0, 0, 100, 100)), QRect(0, 25, 100, 50));
    EXPECT_EQ(CPictureBox::placement(QSize(40, 20), QRect(0, 0, 100, 100)), QRect(30, 40, 40, 20));

    // Each box three quarters of the pane's width tall, the lower one at the bottom; the tree
    // takes the rest.
    view.resize(400, 800);
    view.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(view.pictureBox(1)->geometry(), QRect(0, 200, 400, 300));
    EXPECT_EQ(view.pictureBox(0)->geometry(), QRect(0, 500, 400, 300));
    EXPECT_EQ(view.tree()->height(), 200);
}

TEST_F(Dialogs, AccountManagementPages) {
    models->tree().FillTree();
    settle();
    CAccountManagementDialog dlg(*store, prompt);
    dlg.showGroupList();
    EXPECT_EQ(dlg.currentPage(), CAccountManagementDialog::ListPage);
    EXPECT_EQ(dlg.list()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.list()->topLevelItem(0)->text(2), QStringLiteral("Enable"));
    dlg.listEdit();
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("Please select a item"));
    dlg.list()->setCurrentItem(dlg.list()->topLevelItem(0));
    dlg.listDelete();
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("Home group can not be edited!"));

    // Home keeps its name: the field is read-only.
    dlg.listEdit();
    EXPECT_EQ(dlg.currentPage(), CAccountManagementDialog::GroupPage);
    EXPECT_TRUE(dlg.groupNameEdit()->isReadOnly());

    dlg.listNew();
    EXPECT_FALSE(dlg.groupNameEdit()->isReadOnly());
    dlg.groupNameEdit()->setText(QStringLiteral("  "));
    EXPECT_FALSE(dlg.applyGroupPage());
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("Group can not be 'Blank'"));
    dlg.groupNameEdit()->setText(QStringLiteral("Foyer"));
    dlg.autoPlayCheck()->setChecked(false);
    ASSERT_TRUE(dlg.applyGroupPage());
    settle();
    EXPECT_EQ(dlg.currentPage(), CAccountManagementDialog::ListPage);
    EXPECT_EQ(dlg.list()->topLevelItemCount(), 2);
    EXPECT_TRUE(models->tree().groupIndex(QStringLiteral("Foyer")).isValid());

    // A new account in the group chosen by the tree.
    dlg.showNewAccount(QStringLiteral("foyer"));
    EXPECT_EQ(dlg.groupCombo()->currentText(), QStringLiteral("Foyer"));
    EXPECT_EQ(dlg.accountNameEdit()->maxLength(), 8);
    EXPECT_EQ(dlg.passwordEdit()->maxLength(), 4);
    dlg.accountNameEdit()->setText(QStringLiteral("scr1"));
    dlg.disabledCheck()->setChecked(true);
    ASSERT_TRUE(dlg.applyAccountPage());
    settle();
    EXPECT_EQ(models->tree().groupIndex(QStringLiteral("Foyer")).data().toString(), QStringLiteral("Foyer(1)"));
    EXPECT_EQ(CAccountTreeModel::pictureOf(models->tree().accountIndex(QStringLiteral("scr1"))),
              CAccountTreeModel::PicDisabled);

    dlg.showAccountList();
    ASSERT_EQ(dlg.list()->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.list()->topLevelItem(0)->text(2), QStringLiteral("Disable"));
    EXPECT_EQ(dlg.list()->topLevelItem(0)->text(4), QStringLiteral("Disable"));
    dlg.list()->setCurrentItem(dlg.list()->topLevelItem(0));
    prompt.answers = {true};
    dlg.listDelete();
    EXPECT_EQ(prompt.questions.last(), QStringLiteral("Are you sure to delete  user account scr1"));
    settle();
    EXPECT_FALSE(models->tree().accountIndex(QStringLiteral("scr1")).isValid());
    EXPECT_EQ(dlg.list()->topLevelItemCount(), 0);
}

TEST_F(Dialogs, EveryControlIsNamedForScreenReaders) {
    using lumtest::controlsWithoutAccessibleName;
    CSettingsDialog settingsDlg(*settings, prompt);
    settingsDlg.show();
    for (int page = 0; page < settingsDlg.pages()->count(); ++page) {
        settingsDlg.pages()->setCurrentIndex(page);
        EXPECT_EQ(controlsWithoutAccessibleName(&settingsDlg), QStringList{}) << page;
    }
    CChangePasswordDialog change(*settings, prompt);
    change.show();
    EXPECT_EQ(controlsWithoutAccessibleName(&change), QStringList{});
    CResumeDialog resume([] { return QString(); });
    resume.show();
    EXPECT_EQ(controlsWithoutAccessibleName(&resume), QStringList{});

    models->tree().FillTree();
    settle();
    CAccountManagementDialog accounts(*store, prompt);
    accounts.show();
    accounts.showGroupList();
    EXPECT_EQ(controlsWithoutAccessibleName(&accounts), QStringList{});
    accounts.listNew();
    EXPECT_EQ(controlsWithoutAccessibleName(&accounts), QStringList{});
}
