#include "media/ui/DlgClientSetup.h"

#include "common/WindowTestSupport.h"
#include "console/ui/GuiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::click;
using lumtest::typeInto;

namespace {

QByteArray crlf(const char* lines) { return QByteArray(lines).replace("\n", "\r\n"); }

class ClientSetup : public ::testing::Test, public lumtest::ConsoleFixture {
protected:
    ClientSetup() {
        addGroup(QStringLiteral("Home"));
        addGroup(QStringLiteral("Lobby"));
    }
    // The window with the file boxes answered by `files` (and counted).
    std::unique_ptr<CDlgClientSetup> open() {
        auto dlg = std::make_unique<CDlgClientSetup>(
            ClientSetupParts{*store, *online, prompt, [this] { return players; }});
        dlg->setFileChooser([this](QWidget*, const FileChoice& c) {
            boxes.push_back(c);
            return QStringList{c.mode == FileChoice::Mode::Open ? openPath : savePath};
        });
        EXPECT_TRUE(lumtest::showActive(dlg.get()));
        return dlg;
    }
    QLineEdit* edit(const CDlgClientSetup& d, const char* name) { return lumtest::named<QLineEdit>(&d, name); }
    QAbstractButton* button(const CDlgClientSetup& d, const char* name) { return lumtest::named<QAbstractButton>(&d, name); }
    QComboBox* list(const CDlgClientSetup& d, const char* name) { return lumtest::named<QComboBox>(&d, name); }
    void clickTab(CDlgClientSetup& d, int tab) {
        QTest::mouseClick(d.targetTabs(), Qt::LeftButton, {}, d.targetTabs()->tabRect(tab).center());
    }
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->accessibleName() : QString();
    }

    std::vector<PlayerStatus> players;
    std::vector<FileChoice> boxes;
    QString openPath, savePath;
};

}  // namespace

TEST_F(ClientSetup, OpensAFileAndSavesWhatTheControlsChanged) {
    openPath = dir.filePath(QStringLiteral("in.zeb"));
    savePath = dir.filePath(QStringLiteral("out.zeb"));
    ASSERT_TRUE(lumtest::writeFile(openPath, crlf("[Server]\nservername=10.1.1.1\nserverport=6000\n"
                                                  "username=lobby1\npwd=1234\nhidemenu=0\n"
                                                  "[Network]\ndhcp=1\nstaticip=10.1.1.50\n"
                                                  "submask=255.255.0.0\ngateway=10.1.1.254\ndns=10.1.1.253\n"
                                                  "[Time]\ntimezone=6\ndaylsaving=2\nTime_12_or_24=1\n"
                                                  "reboottime=OFF\nstarttime=7:05\nstoptime=22:30\n"
                                                  "devicetimeoff=0\n"
                                                  "[Preference]\nautoplay=0\nvideoout=2\ntvmode=3\n"
                                                  "tvtype=3\nhdmi=0\nScroll_Txt_Time_Format=2\n"
                                                  "File_repeat=1\nPic_Auto_Rotate=2\nUser_Input_Mode=3\n"
                                                  "Weahter_On_Or_Off=0\n")));
    auto dlg = open();
    dlg->openFile();
    // What the file holds is shown.
    EXPECT_EQ(edit(*dlg, "IP or Hostname")->text(), "10.1.1.1");
    EXPECT_EQ(edit(*dlg, "Port")->text(), "6000");
    EXPECT_EQ(edit(*dlg, "User Name")->text(), "lobby1");
    EXPECT_EQ(list(*dlg, "Time zone")->currentText(), "GMT+6");
    EXPECT_EQ(list(*dlg, "Time Format")->currentText(), "12");
    EXPECT_TRUE(button(*dlg, "Device On/OFF1")->isChecked());
    EXPECT_EQ(edit(*dlg, "On hour")->text(), "7");
    EXPECT_EQ(edit(*dlg, "Off minute")->text(), "30");
    EXPECT_TRUE(button(*dlg, "Sleep")->isChecked());
    EXPECT_TRUE(button(*dlg, "YPbPr(480P/1080i)")->isChecked());
    EXPECT_EQ(list(*dlg, "TV Mode")->currentText(), "PAL");
    EXPECT_FALSE(edit(*dlg, "IP Address")->isEnabled());

    typeInto(edit(*dlg, "IP or Hostname"), "signage.local");
    click(button(*dlg, "Hide Main Menu"));
    click(button(*dlg, "Static IP"));
    ASSERT_TRUE(edit(*dlg, "IP Address")->isEnabled());
    typeInto(edit(*dlg, "IP Address"), "10.1.1.60");
    lumtest::choose(list(*dlg, "Time zone"), 18);
    click(button(*dlg, "Restart Time"));
    EXPECT_EQ(focused(), "Restart hour");
    QTest::keyClicks(QApplication::focusWidget(), "3");
    typeInto(edit(*dlg, "Restart minute"), "45");
    click(button(*dlg, "HTTP URL"));
    ASSERT_TRUE(edit(*dlg, "URL")->isVisible());
    EXPECT_EQ(focused(), "URL");
    QTest::keyClicks(QApplication::focusWidget(), "  http://10.1.1.1/show.mpl  ");
    click(button(*dlg, "Weather"));
    typeInto(edit(*dlg, "City Code"), "12345");
    click(button(*dlg, "Celsius"));

    dlg->saveAs();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(std::tuple(boxes[0].mode, boxes[0].filter),
              std::tuple(FileChoice::Mode::Open, QString("Config Files (*.zeb *.zeq)|*.zeb;*.zeq||")));
    EXPECT_EQ(std::tuple(boxes[1].mode, boxes[1].filter, boxes[1].defaultName, boxes[1].defaultSuffix),
              std::tuple(FileChoice::Mode::Save, QString("Config Files (*.zeb)|*.zeb||"), QString("autoconfig"),
                         QString("zeb")));
    EXPECT_EQ(lumtest::readFile(savePath),
              crlf("[Server]\nservername=signage.local\nserverport=6000\nusername=lobby1\npwd=1234\n"
                   "hidemenu=1\n"
                   "[Network]\ndhcp=0\nstaticip=10.1.1.60\nsubmask=255.255.0.0\ngateway=10.1.1.254\n"
                   "dns=10.1.1.253\n"
                   "[Time]\ntimezone=53\ndaylsaving=2\nTime_12_or_24=1\nreboottime=3:45\n"
                   "starttime=7:05\nstoptime=22:30\ndevicetimeoff=0\n"
                   "[Preference]\nautoplay=2\nplaylist=http://10.1.1.1/show.mpl\nvideoout=2\ntvmode=3\n"
                   "tvtype=3\nhdmi=0\nScroll_Txt_Time_Format=2\nFile_repeat=1\nPic_Auto_Rotate=2\n"
                   "User_Input_Mode=3\nWeahter_On_Or_Off=1\nWeather_World_Code=12345\nWeather_F_Or_C=2\n"));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(ClientSetup, EnablingRulesFollowTheControls) {
    auto dlg = open();
    CDlgClientSetup& d = *dlg;
    // Narrowed: no Wi-Fi panel, no button to widen it, no second or third on/off window.
    EXPECT_FALSE(d.wifiPanel()->isVisible());
    EXPECT_FALSE(lumtest::named<QPushButton>(&d, "WIFI>>")->isVisible());
    EXPECT_FALSE(button(d, "Device On/OFF2")->isVisible());
    EXPECT_EQ(d.updateButton()->text(), "Update Client==>");
    EXPECT_FALSE(edit(d, "Restart hour")->isEnabled());
    EXPECT_FALSE(edit(d, "URL")->isVisible());
    EXPECT_FALSE(edit(d, "ILUM ID part 1")->isVisible());
    EXPECT_FALSE(edit(d, "City Code")->isEnabled());
    EXPECT_FALSE(button(d, "Celsius")->isEnabled());
    lumtest::screenshot(&d, QStringLiteral("client-setup"));

    click(button(d, "Static IP"));
    for (const char* f : {"IP Address", "Subnet Mask", "Gateway", "DNS Server"}) EXPECT_TRUE(edit(d, f)->isEnabled()) << f;
    for (QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == edit(d, "Gateway")) {
            EXPECT_TRUE(l->isEnabled());
        }
    click(button(d, "DHCP"));
    EXPECT_FALSE(edit(d, "DNS Server")->isEnabled());

    click(button(d, "Device On/OFF1"));
    for (const char* f : {"On hour", "On minute", "Off hour", "Off minute"}) EXPECT_TRUE(edit(d, f)->isEnabled()) << f;
    EXPECT_EQ(focused(), "On hour");
    click(button(d, "Device On/OFF1"));
    EXPECT_FALSE(edit(d, "Off minute")->isEnabled());

    click(button(d, "ILUM"));
    EXPECT_TRUE(edit(d, "ILUM ID part 1")->isVisible());
    EXPECT_EQ(focused(), "ILUM ID part 1");
    EXPECT_EQ(edit(d, "ILUM ID part 1")->selectedText(), "001");
    EXPECT_TRUE(button(d, "Change ILUM ID")->isVisible());
    click(button(d, "Change ILUM ID"));
    EXPECT_FALSE(edit(d, "ILUM ID part 3")->isEnabled());
    click(button(d, "Change ILUM ID"));
    EXPECT_TRUE(edit(d, "ILUM ID part 3")->isEnabled());
    lumtest::screenshot(&d, QStringLiteral("client-setup-ilum"));

    click(button(d, "HTTP URL"));
    EXPECT_FALSE(edit(d, "ILUM ID part 1")->isVisible());
    typeInto(edit(d, "URL"), "left over");
    click(button(d, "HTTP Pictavo"));
    EXPECT_TRUE(edit(d, "URL")->isVisible());
    EXPECT_TRUE(edit(d, "URL")->text().isEmpty());  // choosing the mode clears the URL
    click(button(d, "LUM"));
    EXPECT_FALSE(edit(d, "URL")->isVisible());

    click(button(d, "VGA"));
    EXPECT_EQ(d.settings().videoOut, 0);
    click(button(d, "Weather"));
    EXPECT_TRUE(edit(d, "City Code")->isEnabled());
    EXPECT_TRUE(button(d, "Celsius")->isEnabled());

    // The Wi-Fi panel (shown here as "WIFI>>" would): the key fields follow the encryption,
    // a newly enabled list gets its first entry.
    d.showWifiPanel();
    lumtest::screenshot(&d, QStringLiteral("client-setup-wifi"));
    EXPECT_FALSE(list(d, "Key Length")->isEnabled());
    EXPECT_EQ(list(d, "Key Length")->currentIndex(), -1);
    lumtest::choose(list(d, "Encryption"), 2);  // "WEP Shared Key"
    EXPECT_TRUE(list(d, "Key Length")->isEnabled());
    EXPECT_EQ(list(d, "Key Length")->currentText(), "64Bits");
    EXPECT_TRUE(edit(d, "WEP Key")->isEnabled());
    EXPECT_FALSE(edit(d, "WPA Key")->isEnabled());
    lumtest::choose(list(d, "Encryption"), 4);  // "WPA2"
    EXPECT_EQ(list(d, "Key Type")->currentText(), "TKIP");
    EXPECT_TRUE(edit(d, "WPA Key")->isEnabled());
    EXPECT_FALSE(edit(d, "WEP Key")->isEnabled());
    lumtest::choose(list(d, "Encryption"), 0);
    EXPECT_FALSE(list(d, "Key Type")->isEnabled());

    // Group tab: no account, no static address, no "ILUM"; "ILUM" falls back to "LUM".
    click(button(d, "ILUM"));
    click(button(d, "Static IP"));
    clickTab(d, 1);
    EXPECT_EQ(d.settings().tab, AutoconfigSettings::GroupTab);
    EXPECT_FALSE(edit(d, "User Name")->isEnabled());
    EXPECT_FALSE(button(d, "Static IP")->isEnabled());
    EXPECT_TRUE(button(d, "DHCP")->isChecked());
    EXPECT_FALSE(edit(d, "IP Address")->isEnabled());
    EXPECT_FALSE(button(d, "ILUM")->isEnabled());
    EXPECT_TRUE(button(d, "LUM")->isChecked());
    EXPECT_EQ(d.updateButton()->text(), "Update Group==>");
    EXPECT_EQ(d.updateButton()->accessibleName(), "Update Group==>");
    clickTab(d, 0);
    EXPECT_TRUE(edit(d, "User Name")->isEnabled());
    EXPECT_TRUE(button(d, "Static IP")->isEnabled());
    EXPECT_TRUE(button(d, "ILUM")->isEnabled());
    EXPECT_EQ(d.updateButton()->text(), "Update Client==>");
}

TEST_F(ClientSetup, RefusalsShowTheirTextKeepTheFocusAndWriteNothing) {
    savePath = dir.filePath(QStringLiteral("out.zeb"));
    auto dlg = open();
    CDlgClientSetup& d = *dlg;

    d.saveAs();  // Client tab without an account name
    EXPECT_EQ(prompt.messages, QStringList{"User Name can not be 'Blank'"});
    EXPECT_EQ(focused(), "User Name");
    typeInto(edit(d, "User Name"), "lobby1234");
    EXPECT_EQ(edit(d, "User Name")->text(), "lobby123");  // at most 8 characters

    // An ILUM part is checked as it loses the focus: digits only, exactly its length.
    click(button(d, "ILUM"));
    typeInto(edit(d, "ILUM ID part 1"), "12");
    edit(d, "ILUM ID part 2")->setFocus();
    ASSERT_TRUE(lumtest::waitUntil([&] { return focused() == "ILUM ID part 1"; }));
    EXPECT_EQ(prompt.messages.last(), "INVALD ILUM ID!");
    EXPECT_TRUE(edit(d, "ILUM ID part 1")->text().isEmpty());
    EXPECT_TRUE(d.settings().ilumId[0].isEmpty());
    typeInto(edit(d, "ILUM ID part 3"), "12a4");
    edit(d, "ILUM ID part 2")->setFocus();
    ASSERT_TRUE(lumtest::waitUntil([&] { return focused() == "ILUM ID part 3"; }));
    EXPECT_EQ(prompt.messages.size(), 3);
    typeInto(edit(d, "ILUM ID part 3"), "4321");
    edit(d, "ILUM ID part 2")->setFocus();
    EXPECT_EQ(prompt.messages.size(), 3);

    // An empty part refuses "Save as" before the file box opens.
    d.saveAs();
    EXPECT_EQ(prompt.messages.size(), 4);
    EXPECT_EQ(prompt.messages.last(), "INVALD ILUM ID!");
    EXPECT_EQ(focused(), "ILUM ID part 1");
    typeInto(edit(d, "ILUM ID part 1"), "007");

    // The port: a whole number from 0 to 65536.
    typeInto(edit(d, "Port"), "70000");
    d.saveAs();
    EXPECT_EQ(prompt.messages.last(), "Please enter an integer between 0 and 65536.");
    EXPECT_EQ(focused(), "Port");
    typeInto(edit(d, "Port"), "x65536");  // letters are not taken
    EXPECT_EQ(edit(d, "Port")->text(), "65536");
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(QFileInfo::exists(savePath));

    // Update: no target chosen does nothing; on the Client tab an account name is needed.
    players = {{"p1", "Alive"}, {"p2", "S3:Playing"}};
    d.rebuildTargets();
    ASSERT_EQ(d.targetList()->count(), 2);
    EXPECT_EQ(d.targetList()->currentIndex(), -1);
    const int shown = int(prompt.messages.size());
    click(d.updateButton());
    EXPECT_EQ(prompt.messages.size(), shown);
    EXPECT_TRUE(prompt.questions.isEmpty());
    d.targetList()->setCurrentIndex(0);
    typeInto(edit(d, "User Name"), "");
    click(d.updateButton());
    EXPECT_EQ(prompt.messages.last(), "User Name can not be 'Blank'");
    EXPECT_EQ(focused(), "User Name");
    EXPECT_TRUE(prompt.questions.isEmpty());
    // Answered No: nothing written.
    typeInto(edit(d, "User Name"), "p1");
    prompt.answers = {false};
    click(d.updateButton());
    EXPECT_EQ(prompt.questions, QStringList{"Update selected client's setup and reboot"});
    EXPECT_FALSE(QFileInfo::exists(store->homeDirectoryFor("Home") + "/autoconfig.zeq"));

    // A file that cannot be written is said so.
    const QString notAFolder = dir.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(lumtest::writeFile(notAFolder, "x"));
    savePath = notAFolder + QStringLiteral("/out.zeb");
    d.saveAs();
    EXPECT_EQ(prompt.messages.last(), "Can not save file!\n" + savePath);
}

TEST_F(ClientSetup, TargetListFollowsTheTabsAndIsReadAgainWhenItDropsDown) {
    players = {{"p1", "Alive"}, {"p2", "Offline"}};
    auto dlg = open();
    CDlgClientSetup& d = *dlg;
    QComboBox* targets = d.targetList();
    // One online player: chosen at once.
    ASSERT_EQ(targets->count(), 1);
    EXPECT_EQ(targets->currentText(), "p1");

    players.push_back({"p3", "S2:Downloading"});
    targets->showPopup();
    targets->hidePopup();
    EXPECT_EQ(targets->count(), 2);
    EXPECT_EQ(targets->currentIndex(), -1);

    clickTab(d, 1);
    QStringList names;
    for (int i = 0; i < targets->count(); ++i) names << targets->itemText(i);
    EXPECT_EQ(names, store->GroupNames());
    EXPECT_EQ(targets->currentIndex(), -1);
    addGroup(QStringLiteral("Shop"));
    targets->showPopup();
    targets->hidePopup();
    EXPECT_EQ(targets->count(), 3);
}

TEST_F(ClientSetup, EveryVisibleControlIsNamedByItsLabel) {
    auto dlg = open();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(dlg.get()), QStringList());
    click(button(*dlg, "ILUM"));
    click(button(*dlg, "HTTP URL"));
    dlg->showWifiPanel();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(dlg.get()), QStringList());
    // Buttons and check boxes by their text, fields by their labels.
    EXPECT_NE(lumtest::control<QCheckBox>(dlg.get(), "Restart Time"), nullptr);
    EXPECT_NE(lumtest::control<QRadioButton>(dlg.get(), "S-video/YPbPr(720P)"), nullptr);
    EXPECT_NE(lumtest::control<QLineEdit>(dlg.get(), "SSID"), nullptr);
}
