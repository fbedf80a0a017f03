#include "accounts/ui/AccountView.h"
#include "console/ui/LogPane.h"
#include "console/ui/MainFrame.h"
#include "console/ui/OnlineView.h"
#include "console/ui/PasswordDialogs.h"
#include "console/ui/WindowPlacement.h"
#include "console/ui/ConsoleApp.h"
#include "media/YuvImage.h"
#include "playlists/PlaylistDocument.h"

#include "common/AccessibleNames.h"
#include "console/ui/GuiTestSupport.h"

#include <QAction>
#include <QDockWidget>
#include <QIdentityProxyModel>
#include <QMenu>
#include <QTimer>
#include <QLineEdit>
#include <QApplication>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lum;

namespace {

using Sent = std::vector<std::pair<quint32, CommandIndex>>;

class MainFrameTest : public ::testing::Test, public lumtest::ConsoleFixture {
protected:
    void SetUp() override {
        addGroup(QStringLiteral("Lobby"));
        addGroup(QStringLiteral("Hall"));
        addGroup(QStringLiteral("Empty"));
        addUser(QStringLiteral("p1"), QStringLiteral("Lobby"));
        addUser(QStringLiteral("p2"), QStringLiteral("Lobby"));
        addUser(QStringLiteral("p3"), QStringLiteral("Hall"));
        models->tree().FillTree();
        settle();
        ServerCommands server;
        server.start = [this] { ++starts; running = true; return true; };
        server.stop = [this] { ++stops; running = false; };
        server.running = [this] { return running; };
        frame = std::make_unique<CMainFrame>(MainFrameParts{
            *settings, *models, prompt, server, {}, {},
            [this](const QString& group) {
                rssGroups << group;
                return PostResult{};
            },
            QStringLiteral("LUM test"), nullptr, QString()});
    }

    void select(const QModelIndex& source) {
        QTreeView* tree = frame->accountView()->tree();
        auto* proxy = static_cast<QIdentityProxyModel*>(tree->model());
        tree->setCurrentIndex(proxy->mapFromSource(source));
    }
    void selectGroup(const char* g) { select(models->tree().groupIndex(QString::fromLatin1(g))); }
    void selectAccount(const char* a) { select(models->tree().accountIndex(QString::fromLatin1(a))); }
    bool enabled(int id) const { return frame->action(id)->isEnabled(); }
    void login(quint32 id, const char* name) {
        models->online().ClientLoggedIn(id, QString::fromLatin1(name), QStringLiteral("127.0.0.1"),
                                        QStringLiteral("00-00-00-00-00-%1").arg(id));
        settle();
    }

    bool running = false;
    int starts = 0, stops = 0;
    QStringList rssGroups;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(MainFrameTest, PlayerCommandsFollowTheSelectionAndWhoIsOnline) {
    const int playerCmds[] = {cmd::StartPlayback, cmd::StopAction, cmd::Reboot, cmd::Format,
                              cmd::MessageOff, cmd::VolumeMenu, cmd::VideoMenu, cmd::OptionsMenu,
                              cmd::StartRss};
    auto allPlayerCmds = [&](bool on) {
        for (int id : playerCmds)
            if (enabled(id) != on) return false;
        return true;
    };
    // Root selected, nobody listed.
    EXPECT_EQ(frame->accountView()->selectedKind(), CAccountTreeModel::KindRoot);
    EXPECT_TRUE(allPlayerCmds(false));
    EXPECT_FALSE(enabled(cmd::ReadStatus));

    login(11, "p1");
    EXPECT_TRUE(allPlayerCmds(true));  // the root lists a row
    EXPECT_EQ(CAccountTreeModel::pictureOf(models->tree().accountIndex(QStringLiteral("p1"))),
              CAccountTreeModel::PicOnline);

    selectGroup("Hall");
    EXPECT_EQ(models->online().filter().name, QStringLiteral("Hall"));
    EXPECT_TRUE(allPlayerCmds(false));
    selectGroup("Lobby");
    EXPECT_EQ(models->online().rowCount(), 1);
    EXPECT_TRUE(allPlayerCmds(true));
    selectAccount("p2");  // offline player: the list stays as it was
    EXPECT_EQ(models->online().filter().name, QStringLiteral("Lobby"));
    EXPECT_TRUE(allPlayerCmds(false));
    selectAccount("p1");
    EXPECT_EQ(models->online().filter().name, QStringLiteral("p1"));
    EXPECT_EQ(models->online().filter().kind, CommandTarget::Kind::Player);
    EXPECT_TRUE(allPlayerCmds(true));

    // Row commands need a selected row of the online list; a tree selection selects the first.
    EXPECT_EQ(frame->onlineView()->selectedSourceRows(), QList<int>{0});
    EXPECT_TRUE(enabled(cmd::ReadCapacity));
    EXPECT_TRUE(enabled(cmd::ReadPlaylist));
    selectGroup("Hall");
    EXPECT_FALSE(enabled(cmd::ReadStatus));  // nothing listed, nothing selected
    selectAccount("p1");

    // Logged out: the player's node goes offline and its commands with it.
    models->online().ClientLoggedOut(11);
    settle();
    EXPECT_EQ(CAccountTreeModel::pictureOf(models->tree().accountIndex(QStringLiteral("p1"))),
              CAccountTreeModel::PicOffline);
    EXPECT_TRUE(allPlayerCmds(false));
}

TEST_F(MainFrameTest, CommandsReachTheSelectedTargets) {
    login(11, "p1");
    login(13, "p3");
    selectGroup("Lobby");
    frame->action(cmd::StartPlayback)->trigger();
    EXPECT_EQ(connections.sent(), (Sent{{11, CommandIndex::StartPlay}}));

    connections.posts.clear();
    frame->accountView()->selectRoot();
    frame->action(cmd::Volume1 + 2)->trigger();  // Volume3
    EXPECT_EQ(connections.sent(), (Sent{{11, volumeCommand(3)}, {13, volumeCommand(3)}}));

    connections.posts.clear();
    selectAccount("p3");
    prompt.answers = {false};
    frame->action(cmd::Reboot)->trigger();
    EXPECT_TRUE(connections.posts.empty());
    EXPECT_EQ(prompt.questions.last(), QStringLiteral("Are you sure to reboot the players ?"));
    prompt.answers = {true};
    frame->action(cmd::Reboot)->trigger();
    EXPECT_EQ(connections.sent(), (Sent{{13, CommandIndex::Reboot}}));

    // "Start RSS Feeds" builds the ticker of the chosen group: a player's group, or every group.
    frame->action(cmd::StartRss)->trigger();
    EXPECT_EQ(rssGroups, QStringList{QStringLiteral("Hall")});
    rssGroups.clear();
    frame->accountView()->selectRoot();
    frame->action(cmd::StartRss)->trigger();
    EXPECT_EQ(rssGroups.size(), store->GroupNames().size());

    // A row command goes to the first selected row.
    connections.posts.clear();
    frame->accountView()->selectRoot();
    frame->onlineView()->selectRow(1);
    frame->action(cmd::ReadCapacity)->trigger();
    EXPECT_EQ(connections.sent(), (Sent{{13, CommandIndex::StorageInfo}}));

    // A group nobody of which is known: the operator is told nothing was reached.
    connections.posts.clear();
    selectGroup("Empty");
    EXPECT_FALSE(enabled(cmd::StopAction));
    frame->action(cmd::StopAction)->setEnabled(true);  // as a keyboard accelerator would
    frame->action(cmd::StopAction)->trigger();
    EXPECT_TRUE(connections.posts.empty());
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("No client is online and no client will be effected!"));
}

TEST_F(MainFrameTest, ServerStateShowsInTheStatusBarAndMenus) {
    EXPECT_EQ(frame->statusText(), QStringLiteral("ICS Server is offline"));
    EXPECT_TRUE(enabled(cmd::StartServer));
    EXPECT_FALSE(enabled(cmd::StopServer));
    frame->action(cmd::StartServer)->trigger();
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(frame->statusText(), QStringLiteral("ICS Server is online"));
    EXPECT_FALSE(enabled(cmd::StartServer));
    EXPECT_TRUE(enabled(cmd::StopServer));
    frame->action(cmd::StopServer)->trigger();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(frame->statusText(), QStringLiteral("ICS Server is offline"));

    // The "&Server" menu in its order, Protect Mode at position 3.
    QStringList entries;
    for (QAction* a : frame->serverMenu()->actions())
        if (!a->isSeparator()) entries << a->text();
    EXPECT_EQ(entries.mid(0, 3), QStringList({QStringLiteral("Start Control Server"),
                                              QStringLiteral("Stop Control Server"),
                                              QStringLiteral("Protect Mode")}));
    EXPECT_EQ(frame->action(cmd::ProtectMode)->shortcut(), QKeySequence(Qt::Key_F11));
    // The tree root's menu says "Start" and "Stop", enabled like the menu's.
    QStringList root;
    for (QAction* a : frame->accountView()->rootActions()) root << (a ? a->text() : QString());
    EXPECT_EQ(root, QStringList({"Start", "Stop", "New Group", "", "E&xit"}));
    EXPECT_TRUE(frame->accountView()->rootActions()[0]->isEnabled());
    EXPECT_FALSE(frame->accountView()->rootActions()[1]->isEnabled());
    frame->accountView()->rootActions()[0]->trigger();
    EXPECT_EQ(starts, 2);
    EXPECT_TRUE(frame->accountView()->rootActions()[1]->isEnabled());
    // Selecting a group puts its playlist in the status bar.
    selectGroup("Lobby");
    EXPECT_EQ(frame->statusText(), QStringLiteral("Playlist file:"));
}

// The picture boxes preview the zone pictures of the selected group's current playlist.
TEST_F(MainFrameTest, PictureBoxesShowTheSelectedGroupsZonePictures) {
    CPlaylistDocument doc;
    doc.setMultiZone(true);
    const QList<std::pair<QString, QSize>> zones = {{"top_tz1.yuv", {64, 32}}, {"x_bz.yuv", {32, 32}}};
    for (const auto& [name, size] : zones) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString png = dir.filePath(name + ".png");
        ASSERT_TRUE(img.save(png));
        ASSERT_GT(convertToYuv(png, dir.filePath(name), 0, 0), 0);
        PlaylistItem item;
        item.setPathAndName(dir.filePath(name).toLocal8Bit());
        doc.zoneItems().push_back(item);
    }
    const QString mpl = data + "/Lobby/EZPlaylist.mpl";
    QDir().mkpath(data + "/Lobby");
    ASSERT_TRUE(doc.Save(mpl, &prompt));
    CUserGroup lobby;
    ASSERT_TRUE(store->FindGroup("Lobby", &lobby));
    lobby.currentPlaylist = mpl;
    ASSERT_TRUE(store->UpdateGroup("Lobby", lobby));
    frame->accountView()->setYuvReader([](const QString& p) { return yuvToImage(p); });

    selectAccount("p2");  // a player shows its group's pictures
    EXPECT_EQ(frame->accountView()->pictureBox(1)->image().size(), QSize(64, 32));
    EXPECT_EQ(frame->accountView()->pictureBox(0)->image().size(), QSize(32, 32));
    selectGroup("Hall");  // no playlist: empty boxes
    EXPECT_TRUE(frame->accountView()->pictureBox(1)->image().isNull());
    EXPECT_TRUE(frame->accountView()->pictureBox(0)->image().isNull());
}

TEST_F(MainFrameTest, ClickedRowHandsItsMacToTheLogPane) {
    login(11, "p1");
    login(13, "p3");
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    COnlineView* view = frame->onlineView();
    const QRect r = view->visualRect(view->model()->index(1, 2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(models->log().clientFilter(), QStringLiteral("00-00-00-00-00-13"));
    // Columns share the width equally.
    EXPECT_EQ(view->columnWidth(0), view->viewport()->width() / 8);
    EXPECT_EQ(view->columnWidth(7), view->columnWidth(0));
}

TEST_F(MainFrameTest, WindowPositionsRoundTrip) {
    frame->setGeometry(40, 60, 1200, 640);
    {
        QSettings profile;
        frame->savePlacements(profile);
    }
    QSettings profile;
    EXPECT_EQ(profile.value(QStringLiteral("MainFrm/rcNormalPosition.left")).toInt(), 40);
    EXPECT_EQ(profile.value(QStringLiteral("MainFrm/rcNormalPosition.top")).toInt(), 60);
    EXPECT_EQ(profile.value(QStringLiteral("MainFrm/rcNormalPosition.right")).toInt(), 1240);
    EXPECT_EQ(profile.value(QStringLiteral("MainFrm/rcNormalPosition.bottom")).toInt(), 700);
    EXPECT_EQ(profile.value(QStringLiteral("MainFrm/showCmd")).toInt(), 1);
    for (const char* key : {"ptMinPosition.x", "ptMinPosition.y", "ptMaxPosition.x", "ptMaxPosition.y"})
        EXPECT_TRUE(profile.contains(QStringLiteral("MainFrm/") + QLatin1String(key))) << key;
    EXPECT_TRUE(profile.contains(QStringLiteral("LOG/rcNormalPosition.bottom")));

    CMainFrame second(MainFrameParts{*settings, *models, prompt, {}, {}, {}, {}, QString(), nullptr, QString()});
    ASSERT_TRUE(second.restorePlacements(profile));
    EXPECT_EQ(second.geometry(), QRect(40, 60, 1200, 640));
    EXPECT_EQ(readPlacement(profile, QStringLiteral("MainFrm")), placementOf(frame.get()));

    // Saved maximised, or with no size: shown maximised.
    profile.setValue(QStringLiteral("MainFrm/showCmd"), 3);
    EXPECT_FALSE(second.restorePlacements(profile));
    profile.setValue(QStringLiteral("MainFrm/showCmd"), 1);
    profile.setValue(QStringLiteral("MainFrm/rcNormalPosition.right"), 0);
    EXPECT_FALSE(second.restorePlacements(profile));
    profile.remove(QStringLiteral("MainFrm"));
    EXPECT_FALSE(second.restorePlacements(profile));
}

TEST_F(MainFrameTest, ProtectModeLocksUntilThePasswordIsTyped) {
    settings->setPassword(QStringLiteral("Secret"));
    bool sawLocked = false, stayedAfterWrong = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<CResumeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        sawLocked = !frame->serverMenu()->isEnabled();
        dlg->reject();
        dlg->passwordEdit()->setText(QStringLiteral("wrong"));
        dlg->accept();
        stayedAfterWrong = dlg->isVisible();
        dlg->passwordEdit()->setText(QStringLiteral("sECRET"));
        dlg->accept();
    });
    // From the tray's menu, with the window hidden in the tray.
    frame->hide();
    QAction* fromTray = nullptr;
    for (QAction* a : frame->trayMenu()->actions())
        if (a->text() == QStringLiteral("Protect Mode")) fromTray = a;
    ASSERT_NE(fromTray, nullptr);
    fromTray->trigger();  // returns once unlocked
    EXPECT_TRUE(sawLocked);
    EXPECT_TRUE(stayedAfterWrong);
    EXPECT_TRUE(frame->serverMenu()->isEnabled());
}

TEST_F(MainFrameTest, CommanderPaneFromViewAndToolsAndItsPlacement) {
    frame->setGeometry(0, 0, 1400, 900);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QDockWidget* dock = frame->commanderDock();
    QAction* view = frame->action(cmd::ViewCommander);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->text(), QStringLiteral("&MPL Commander"));
    EXPECT_TRUE(view->isCheckable());
    EXPECT_FALSE(dock->isVisible());
    EXPECT_FALSE(view->isChecked());

    view->trigger();
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(view->isChecked());
    // At the bottom, beside the log pane.
    EXPECT_EQ(frame->dockWidgetArea(dock), Qt::BottomDockWidgetArea);
    EXPECT_EQ(dock->geometry().top(), frame->logDock()->geometry().top());
    EXPECT_GT(dock->geometry().left(), frame->logDock()->geometry().left());
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Playlist Commander"));
    view->trigger();
    EXPECT_FALSE(dock->isVisible());
    frame->action(cmd::PlaylistCommander)->trigger();  // "&Tools"
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(view->isChecked());

    // "MPL" is saved with the others; a shown pane comes back shown, a closed one closed.
    {
        QSettings profile;
        frame->savePlacements(profile);
    }
    QSettings profile;
    const WindowPlacement mpl = readPlacement(profile, QStringLiteral("MPL"));
    EXPECT_EQ(mpl.showCmd, 1);
    EXPECT_EQ(mpl.bottom - mpl.top, dock->height());
    CMainFrame second(MainFrameParts{*settings, *models, prompt, {}, {}, {}, {}, QString(), nullptr, QString()});
    second.restorePlacements(profile);
    second.show();
    EXPECT_TRUE(second.commanderDock()->isVisible());
    EXPECT_TRUE(second.action(cmd::ViewCommander)->isChecked());
    second.hide();
    dock->hide();
    frame->savePlacements(profile);
    EXPECT_EQ(readPlacement(profile, QStringLiteral("MPL")).showCmd, 0);
    CMainFrame third(MainFrameParts{*settings, *models, prompt, {}, {}, {}, {}, QString(), nullptr, QString()});
    third.restorePlacements(profile);
    third.show();
    EXPECT_FALSE(third.commanderDock()->isVisible());
}

TEST_F(MainFrameTest, EveryControlIsNamedForScreenReaders) {
    frame->show();
    selectGroup("Lobby");
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(frame.get()), QStringList{});
}
