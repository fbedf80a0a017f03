// The account and group dialogs' rules, driven without widgets.
#include "accounts/AccountRules.h"

#include "accounts/OsdSettings.h"
#include "accounts/UserStore.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lum;
using Icon = IOperatorPrompt::Icon;
using lumtest::RecordingPrompt;

namespace {

class AccountRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUserGroup home;
        home.name = "Home";
        ASSERT_EQ(store.AddGroup(home), 1);
        CUserGroup shop = newGroupDefaults("Shop");
        ASSERT_EQ(store.AddGroup(shop), 1);
    }
    QTemporaryDir dir;
    CUserStore store{dir.path()};
    RecordingPrompt prompt;
};

TEST_F(AccountRulesTest, BlankNameAndGroupAreRefusedWithTheirMessages) {
    AccountDialogInput in;
    in.name = "   ";
    in.group = "Home";
    DialogResult r = applyAccountDialog(store, prompt, in);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.focus, DialogField::Name);
    in.name = "p1";
    in.group = " \t";
    r = applyAccountDialog(store, prompt, in);
    EXPECT_EQ(r.focus, DialogField::Group);
    EXPECT_EQ(prompt.messages, (QStringList{"Account name can not be 'Blank'", "Group can not be 'Blank'"}));
    EXPECT_EQ(prompt.icons, (QList<Icon>{Icon::Stop, Icon::Information}));
    EXPECT_EQ(store.FindUser("p1", nullptr, nullptr, 0), 0);
}

TEST_F(AccountRulesTest, FieldsAreTrimmedAndKeptWithinTheirLimits) {
    AccountDialogInput in;
    in.name = "  abcdefghijk ";
    in.password = " 123456 ";
    in.group = " shop ";
    in.description = QString(120, 'd');
    in.disabled = true;
    CUser stored;
    ASSERT_TRUE(applyAccountDialog(store, prompt, in, &stored).accepted);
    CUser u;
    CUserGroup g;
    ASSERT_EQ(store.FindUser("abcdefgh", &g, &u, 0), 1);
    EXPECT_EQ(std::tuple(u.password, u.description, u.group, u.disabled),
              std::tuple("1234", QString(100, 'd'), "Shop", 1));
    EXPECT_EQ(stored, u);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(AccountRulesTest, ANewAccountWithATakenNameAsksToReplaceIt) {
    ASSERT_EQ(store.FindUser("alice", nullptr, nullptr, 1), 1);  // registered in Home
    AccountDialogInput in;
    in.name = "ALICE";
    in.password = "77";
    in.group = "Shop";

    prompt.answers = {false};
    DialogResult r = applyAccountDialog(store, prompt, in);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.focus, DialogField::Name);
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_EQ(prompt.questions[0], "'ALICE'account name already existed,replace it?");
    CUser u;
    ASSERT_EQ(store.FindUser("alice", nullptr, &u, 0), 1);
    EXPECT_EQ(u.group, "Home");

    prompt.answers = {true};
    QString previous;
    ASSERT_TRUE(applyAccountDialog(store, prompt, in, nullptr, &previous).accepted);
    EXPECT_EQ(previous, "alice");
    int count = 0;
    for (const CUserGroup& g : store.Groups()) count += g.users.size();
    EXPECT_EQ(count, 1);  // replaced, not doubled
    ASSERT_EQ(store.FindUser("alice", nullptr, &u, 0), 1);
    EXPECT_EQ(std::tuple(u.name, u.group, u.password), std::tuple("ALICE", "Shop", "77"));
}

TEST_F(AccountRulesTest, EditingRenamesAndRenamingOntoAnotherAccountReplacesIt) {
    ASSERT_EQ(store.FindUser("p1", nullptr, nullptr, 1), 1);
    ASSERT_EQ(store.FindUser("p2", nullptr, nullptr, 1), 1);
    AccountDialogInput in;
    in.oldName = "p1";
    in.name = "p1new";
    in.group = "Home";
    ASSERT_TRUE(applyAccountDialog(store, prompt, in).accepted);
    EXPECT_TRUE(prompt.questions.isEmpty());
    EXPECT_EQ(store.FindUser("p1", nullptr, nullptr, 0), 0);
    EXPECT_EQ(store.FindUser("p1new", nullptr, nullptr, 0), 1);

    in.oldName = "p1new";
    in.name = "P2";
    prompt.answers = {false};
    EXPECT_FALSE(applyAccountDialog(store, prompt, in).accepted);
    EXPECT_EQ(store.FindUser("p1new", nullptr, nullptr, 0), 1);
    prompt.answers = {true};
    ASSERT_TRUE(applyAccountDialog(store, prompt, in).accepted);
    EXPECT_EQ(store.Groups()[0].users.size(), 1);
    EXPECT_EQ(store.Groups()[0].users[0].name, "P2");

    in.oldName = "P2";
    in.group = "Gone";
    EXPECT_FALSE(applyAccountDialog(store, prompt, in).accepted);
    EXPECT_EQ(prompt.messages.last(), "Group 'Gone' does not exist.");
}

TEST_F(AccountRulesTest, GroupChecksAndTheNewGroupDefaults) {
    GroupDialogInput in;
    in.name = "  ";
    EXPECT_EQ(applyGroupDialog(store, prompt, in).focus, DialogField::Name);
    in.name = "Lobby";
    in.autoPlay = true;
    in.autoPlaylist = " ";
    EXPECT_EQ(applyGroupDialog(store, prompt, in).focus, DialogField::AutoPlaylist);
    in.name = "..";
    in.autoPlay = false;
    EXPECT_FALSE(applyGroupDialog(store, prompt, in).accepted);
    in.name = "a/b";
    EXPECT_FALSE(applyGroupDialog(store, prompt, in).accepted);
    ASSERT_EQ(prompt.messages.size(), 4);
    EXPECT_EQ(prompt.messages[0], "Group can not be 'Blank'");
    EXPECT_EQ(prompt.icons[0], Icon::Stop);
    EXPECT_EQ(prompt.messages[1], "Please select a Auto playlist");
    EXPECT_EQ(store.Groups().size(), 2);

    in.name = " Lobby ";
    in.autoPlay = true;
    in.autoPlaylist = "/media/auto.mpl";
    CUserGroup stored;
    ASSERT_TRUE(applyGroupDialog(store, prompt, in, &stored).accepted);
    EXPECT_TRUE(QFileInfo(dir.path() + "/Lobby").isDir());
    EXPECT_EQ(std::tuple(stored.name, stored.homeDirectory, stored.autoPlaylist, stored.autoPlay),
              std::tuple("Lobby", dir.path() + "/Lobby", "/media/auto.mpl", 1));
    EXPECT_EQ(std::tuple(stored.autoRss, stored.tickerFile, stored.osdSettings),
              std::tuple(0, "", "osd_settings=1,0,4,2,0,1\r\n"));
}

TEST_F(AccountRulesTest, RenamingAGroupMovesItsFolderAndKeepsHiddenSettings) {
    CUserGroup shop;
    ASSERT_EQ(store.FindGroup("Shop", &shop), 1);
    shop.autoRss = 1;
    shop.tickerFile = "/feeds/shop.txt";
    shop.osdSettings = "osd_settings=7,1,0,4,0,0\r\n";
    ASSERT_EQ(store.UpdateGroup("Shop", shop), 1);
    CUser u;
    u.name = "s1";
    u.group = "Shop";
    ASSERT_EQ(store.AddUser(u), 1);
    QDir().mkpath(dir.path() + "/Shop");
    ASSERT_TRUE(lumtest::writeFile(dir.path() + "/Shop/EZPlaylist.mpl", "x"));

    GroupDialogInput in;
    in.oldName = "Shop";
    in.name = "Mall";
    in.autoPlay = false;
    ASSERT_TRUE(applyGroupDialog(store, prompt, in).accepted);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/Shop"));
    EXPECT_EQ(lumtest::readFile(dir.path() + "/Mall/EZPlaylist.mpl"), "x");
    CUserGroup mall;
    ASSERT_EQ(store.FindGroup("Mall", &mall), 1);
    EXPECT_EQ(std::tuple(mall.autoRss, mall.tickerFile, mall.osdSettings, mall.autoPlay),
              std::tuple(1, "/feeds/shop.txt", "osd_settings=7,1,0,4,0,0\r\n", 0));
    ASSERT_EQ(mall.users.size(), 1);
    EXPECT_EQ(mall.users[0].group, "Mall");

    // Renaming onto another group's name is refused.
    in.oldName = "Mall";
    in.name = "home";
    EXPECT_FALSE(applyGroupDialog(store, prompt, in).accepted);
    EXPECT_EQ(prompt.messages.last(), "Group 'Home' already exists.");
}

TEST_F(AccountRulesTest, ANewGroupWithATakenNameAsksAndHomeKeepsItsName) {
    GroupDialogInput in;
    in.name = "SHOP";
    in.autoPlay = false;
    prompt.answers = {false, true};
    EXPECT_FALSE(applyGroupDialog(store, prompt, in).accepted);
    ASSERT_TRUE(applyGroupDialog(store, prompt, in).accepted);
    ASSERT_EQ(prompt.questions.size(), 2);
    EXPECT_EQ(prompt.questions[0], "'SHOP'account name already existed,replace it?");
    EXPECT_EQ(store.Groups().size(), 2);
    EXPECT_EQ(store.Groups()[1].name, "SHOP");  // an edit of the existing group
    EXPECT_EQ(store.Groups()[1].autoPlay, 0);

    in.oldName = "home";
    in.name = "Elsewhere";
    ASSERT_TRUE(applyGroupDialog(store, prompt, in).accepted);
    EXPECT_EQ(store.FindGroup("Home", nullptr), 1);
    EXPECT_EQ(store.FindGroup("Elsewhere", nullptr), 0);
    EXPECT_FALSE(isGroupNameEditable("HOME"));

    EXPECT_FALSE(deleteGroupChecked(store, prompt, "Home"));
    EXPECT_EQ(prompt.messages.last(), "Home group can not be edited!");
    EXPECT_EQ(prompt.icons.last(), Icon::Stop);
    EXPECT_TRUE(deleteGroupChecked(store, prompt, "shop"));
    EXPECT_EQ(store.Groups().size(), 1);
}

TEST(OsdSettingsTest, BuildsAndReadsTheSettingsLine) {
    OsdSettings s;  // the default line is checked through a new group's settings
    s.background = 7;
    s.foreground = 1;
    s.transparent = 0;
    s.speed = 0;
    s.clock = 0;
    EXPECT_EQ(s.toText(), "osd_settings=7,1,0,4,0,0\r\n");
    s.speed = 2;
    EXPECT_EQ(s.toText(), "osd_settings=7,1,0,1,0,0\r\n");

    OsdSettings read;
    for (const QString& text : {QString("osd_settings=7,1,0,1,0,0"), s.toText()}) {
        ASSERT_TRUE(OsdSettings::parse(text, &read)) << text.toStdString();
        EXPECT_EQ(read, s);
    }

    for (const char* bad : {"", "osd_settings=", "osd_settings=8,0,4,2,0,1", "osd_settings=1,0,4,3,0,1",
                            "osd_settings=1,0,4,2,0", "osd_settings=1,2,4,2,0,1", "osd=1,0,4,2,0,1",
                            "osd_settings=1,0,5,2,0,1", "osd_settings=1,0,4,2,0,x"}) {
        OsdSettings untouched = s;
        EXPECT_FALSE(OsdSettings::parse(bad, &untouched)) << bad;
        EXPECT_EQ(untouched, s) << bad;
    }
    EXPECT_EQ(OsdSettings::fromGroupText(""), OsdSettings());
}

}  // namespace
