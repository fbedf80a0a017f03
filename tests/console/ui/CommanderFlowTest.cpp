// The Playlist Commander inside the running console: opened from "&View", a playlist built in
// it from the sample media is handed to a group of simulated players with EZ-Play, and the
// players fetch "playlist.mpl" and each medium; "Player Files" lists what one of them stored.
#include "accounts/UserStore.h"
#include "console/ConsoleModels.h"
#include "console/ui/ConsoleApp.h"
#include "console/ui/LogPane.h"
#include "console/ui/MainFrame.h"
#include "media/ui/DlgMPLEditor.h"
#include "playlists/ReportCenter.h"
#include "server/ControlServer.h"
#include "SimPlayer.h"

#include "common/RecordingPrompt.h"
#include "common/WindowTestSupport.h"
#include "console/ui/ConsoleAppSupport.h"
#include "common/TestSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace lum;

namespace {

class CommanderFlowTest : public ::testing::Test {
protected:
    static std::unique_ptr<sim::CSimPlayer> player(quint16 port, const QString& name, const QString& mac) {
        return lumtest::stayingPlayer(port, name, mac);
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(CommanderFlowTest, EzPlayFromTheCommanderReachesSimulatedPlayersWhoFetchEveryFile) {
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    // The sample media lie beside the programs.
    ASSERT_EQ(lumtest::startConsoleIn(app, dir, prompt, "[SERVER]\r\nPORT=0\r\nLOGLEVEL=0\r\n", lumtest::binDir()),
              CConsoleApp::StartResult::Started);
    ASSERT_TRUE(app.server()->IsRunning());

    // The group "Shop" with three players. Simulated players ask for media by file name in
    // their group's folder, so the group serves the sample media from there.
    CUserGroup shop;
    shop.name = "Shop";
    ASSERT_TRUE(app.store()->AddGroup(shop));
    ASSERT_TRUE(app.store()->FindGroup("Shop", &shop));
    QDir().mkpath(shop.homeDirectory);
    const QStringList samples = QDir(lumtest::binDir() + "/Samples").entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(samples, (QStringList{"sample.txt", "sample1.jpg", "sample2.jpg"}));
    for (const QString& s : samples)
        ASSERT_TRUE(QFile::copy(lumtest::binDir() + "/Samples/" + s, shop.homeDirectory + '/' + s));
    for (const char* name : {"S01", "S02", "S03"}) {
        CUser u;
        u.name = name;
        u.group = "Shop";
        ASSERT_EQ(app.store()->AddUser(u), 1);
    }
    const quint16 port = app.server()->ListeningPort();
    std::vector<std::unique_ptr<sim::CSimPlayer>> players;
    for (int i = 1; i <= 3; ++i)
        players.push_back(player(port, QString("S0%1").arg(i), QString("00-11-22-33-44-0%1").arg(i)));
    for (auto& p : players) p->start();
    COnlineModel& online = app.models()->online();
    ASSERT_TRUE(lumtest::waitUntil([&] { return online.rowCount() == 3; }, 20000));

    // "&View" shows the Commander pane with its check mark.
    CMainFrame* frame = app.mainFrame();
    frame->show();
    QAction* view = frame->action(cmd::ViewCommander);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isChecked());
    view->trigger();
    EXPECT_TRUE(frame->commanderDock()->isVisible());
    EXPECT_TRUE(view->isChecked());
    CDlgMPLEditor* commander = frame->commander();
    // The main window gave it the Image Editor: "Imag Zone..." works with Multi Zone.
    commander->multiZoneBox()->click();
    EXPECT_TRUE(commander->button("Imag Zone...")->isEnabled());
    EXPECT_TRUE(commander->button("Imag Zone...")->toolTip().isEmpty());
    commander->multiZoneBox()->click();
    EXPECT_FALSE(commander->button("Imag Zone...")->isEnabled());

    // The sample media, every file with ">>".
    commander->showFolder(shop.homeDirectory);
    ASSERT_EQ(commander->commander().sources()->rowCount(), 3);
    QTest::mouseClick(commander->button(">>"), Qt::LeftButton);
    ASSERT_EQ(commander->commander().rowCount(), 3);

    // The group from the Group/Device list, then EZ-Play.
    CTargetCombo* target = commander->targetList();
    target->showPopup();
    target->hidePopup();
    const int shopEntry = target->findText("Shop");
    ASSERT_GE(shopEntry, 0);
    // The group's players follow it, in the online list's order (the order they logged in).
    QStringList following;
    for (int i = shopEntry + 1; i < target->count(); ++i) following << target->itemText(i);
    following.sort();
    EXPECT_EQ(following, (QStringList{"--  S01", "--  S02", "--  S03"}));
    target->setCurrentIndex(shopEntry);
    QTest::mouseClick(commander->button("EZ-Play"), Qt::LeftButton);
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('|').toStdString();
    EXPECT_EQ(lumtest::readFile(shop.homeDirectory + "/EZPlaylist.mpl"),
              commander->commander().document().toBytes());

    // Each player fetches "playlist.mpl" and every medium it lists.
    for (auto& p : players) {
        ASSERT_TRUE(lumtest::waitUntil([&] {
            const auto stored = p->storage();
            return stored.contains("playlist.mpl") && stored.contains("sample.txt") &&
                   stored.contains("sample1.jpg") && stored.contains("sample2.jpg");
        }, 30000)) << p->name().toStdString() << ' ' << p->answerFailures().join('|').toStdString();
        EXPECT_EQ(p->storage().value("sample1.jpg"), QFileInfo(shop.homeDirectory + "/sample1.jpg").size());
        EXPECT_TRUE(p->answerFailures().isEmpty());
    }
    ASSERT_TRUE(lumtest::waitUntil([&] { return online.recordAtRow(0)->playlist == "EZPlaylist.mpl"; }));
    frame->resize(1600, 1000);
    lumtest::screenshot(frame, "console-commander");

    // "Player Files": the chosen player's storage report comes to the Commander, not the log
    // pane, and lists what it stored.
    const int s02 = target->findText("--  S02");
    ASSERT_GE(s02, 0);
    target->setCurrentIndex(s02);
    QTest::mouseClick(commander->playerFilesButton(), Qt::LeftButton);
    ASSERT_TRUE(commander->playerFilesMode());
    auto listed = [&] {
        QStringList names;
        SourceListModel* files = commander->commander().sources();
        for (int r = 0; r < files->rowCount(); ++r) names << files->index(r, 0).data().toString();
        return names;
    };
    ASSERT_TRUE(lumtest::waitUntil([&] { return listed().size() == 4; }, 30000));
    EXPECT_EQ(listed(), (QStringList{"playlist.mpl", "sample.txt", "sample1.jpg", "sample2.jpg"}));
    EXPECT_EQ(app.reports()->storageList()->rowCount(), 0);
    EXPECT_NE(frame->logPane()->tabs()->currentIndex(), ReportCenter::StorageTab);
    // The entries go into a playlist as names on the player's storage.
    commander->fileList()->selectRow(2);
    QTest::mouseClick(commander->button(">"), Qt::LeftButton);
    EXPECT_EQ(commander->commander().document().rows().back().item.pathText(), "sample1.jpg");

    // Off again: the folder is listed; another player's report goes to the log pane as before.
    QTest::mouseClick(commander->playerFilesButton(), Qt::LeftButton);
    EXPECT_TRUE(listed().contains("EZPlaylist.mpl"));  // the group's folder again
    EXPECT_TRUE(listed().contains("sample2.jpg"));
    online.send(CommandTarget::player("S03"), CommandIndex::StorageFiles);
    ASSERT_TRUE(lumtest::waitUntil([&] { return app.reports()->storageList()->rowCount() == 4; }, 30000));
}
