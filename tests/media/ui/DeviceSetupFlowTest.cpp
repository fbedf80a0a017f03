// The two windows inside the running console, with simulated players online: "Update" hands
// "autoconfig.zeq" to a group and to one player, the RSS editor's feed reaches a group's
// "rssmsg.txt" that its players then fetch.
#include "accounts/AccountTreeModel.h"
#include "accounts/UserStore.h"
#include "accounts/ui/AccountView.h"
#include "console/ConsoleCore.h"
#include "console/ConsoleModels.h"
#include "console/ui/MainFrame.h"
#include "core/Codepage.h"
#include "media/Autoconfig.h"
#include "media/RssThread.h"
#include "media/ui/DlgAddFeed.h"
#include "media/ui/DlgClientSetup.h"
#include "media/ui/DlgRssMessage.h"
#include "media/ui/DlgRssSettings.h"
#include "server/ControlServer.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"
#include "common/WindowTestSupport.h"
#include "console/ui/ConsoleAppSupport.h"
#include "media/MediaTestSupport.h"

#include <QAbstractProxyModel>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::click;
using lumtest::typeInto;

namespace {

class DeviceSetupFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(lumtest::startConsoleIn(app, dir, prompt), CConsoleApp::StartResult::Started);
        ASSERT_TRUE(app.server()->IsRunning());
        frame = app.mainFrame();
        ASSERT_TRUE(lumtest::addGroup(*app.store(), QStringLiteral("Lobby")));
        ASSERT_TRUE(lumtest::addGroup(*app.store(), QStringLiteral("Empty")));
        ASSERT_TRUE(lumtest::addUser(*app.store(), QStringLiteral("P01"), QStringLiteral("Lobby")));
        ASSERT_TRUE(lumtest::addUser(*app.store(), QStringLiteral("P02"), QStringLiteral("Lobby")));
    }

    // A player that stays online, answers commands and keeps what it fetches in its own folder.
    std::unique_ptr<sim::CSimPlayer> player(const char* name, const char* mac) {
        const QString user = QString::fromLatin1(name);
        auto p = lumtest::stayingPlayer(app.server()->ListeningPort(), user, QString::fromLatin1(mac),
                                        dir.filePath(QStringLiteral("fetched/") + user));
        p->start();
        return p;
    }
    static int received(const sim::CSimPlayer& p, const QString& prefix) {
        int n = 0;
        for (const QString& l : p.receivedLines()) n += l.startsWith(prefix);
        return n;
    }
    QString fetched(const sim::CSimPlayer& p, const QString& name) const {
        return dir.filePath(QStringLiteral("fetched/%1/%2").arg(p.name(), name));
    }
    QString home(const QString& group) const { return app.store()->homeDirectoryFor(group); }
    bool allOnline(int n) {
        return lumtest::waitUntil([&] {
            int alive = 0;
            for (const CClientRecord& r : app.models()->online().records()) alive += r.status != "Offline";
            return alive == n;
        }, 20000);
    }

    QTemporaryDir dir;
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(DeviceSetupFlow, CommandsSitInTheToolsMenuAndTheToolbar) {
    QAction* setup = frame->action(cmd::AutoConfigEditor);
    QAction* rss = frame->action(cmd::RssEditor);
    ASSERT_TRUE(setup && rss);
    EXPECT_EQ(setup->text(), "&Client Setup Utility...");
    EXPECT_EQ(setup->statusTip(), "AutoConfig File Editor");
    EXPECT_EQ(rss->text(), "RSS Editor");
    EXPECT_EQ(rss->iconText(), "RSS Edit");
    // Tools: the configuration, the two editors, then "Change Password".
    QMenu* tools = nullptr;
    for (QAction* m : frame->menuBar()->actions())
        if (m->text() == "&Tools") tools = m->menu();
    ASSERT_NE(tools, nullptr);
    QStringList entries;
    for (QAction* a : tools->actions()) entries << a->text();
    EXPECT_EQ(entries.mid(0, 4), (QStringList{"Configuration of System", "&Client Setup Utility...",
                                              "RSS Editor", "Change Password"}));
    // The toolbar: "Account", "RSS Edit", then the separator before "Play".
    const QList<QAction*> bar = frame->toolBar()->actions();
    ASSERT_GE(bar.size(), 3);
    EXPECT_EQ(bar[0], frame->action(cmd::AddEditAccount));
    EXPECT_EQ(bar[1], rss);
    EXPECT_TRUE(bar[2]->isSeparator());

    // Modeless, created on demand and brought forward when open again.
    setup->trigger();
    auto* window = frame->findChild<CDlgClientSetup*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    setup->trigger();
    EXPECT_EQ(frame->findChildren<CDlgClientSetup*>().size(), 1);
    rss->trigger();
    auto* editor = frame->findChild<CDlgRssMessage*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    // Centred on the main window, at their own sizes.
    EXPECT_GE(editor->width(), 700);
    for (QWidget* w : {static_cast<QWidget*>(window), static_cast<QWidget*>(editor)})
        EXPECT_LE((w->frameGeometry().center() - frame->frameGeometry().center()).manhattanLength(), 4);
    lumtest::screenshot(frame, QStringLiteral("main-window-device-setup"));
}

TEST_F(DeviceSetupFlow, UpdateReachesAGroupAndOnePlayerWhoFetchTheirFile) {
    auto p1 = player("P01", "00-11-22-33-44-01");
    auto p2 = player("P02", "00-11-22-33-44-02");
    auto p3 = player("P03", "00-11-22-33-44-03");  // registered in Home at login
    ASSERT_TRUE(allOnline(3));

    frame->action(cmd::AutoConfigEditor)->trigger();
    auto* setup = frame->findChild<CDlgClientSetup*>();
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(lumtest::showActive(setup));
    // The Client tab lists the three players online.
    EXPECT_EQ(setup->targetList()->count(), 3);

    // Group tab: "Lobby" chosen from the list, Yes to the question.
    QTest::mouseClick(setup->targetTabs(), Qt::LeftButton, {}, setup->targetTabs()->tabRect(1).center());
    const QStringList groups = app.store()->GroupNames();
    ASSERT_EQ(setup->targetList()->count(), groups.size());
    lumtest::choose(setup->targetList(), int(groups.indexOf("Lobby")));
    typeInto(lumtest::named<QLineEdit>(setup, "IP or Hostname"), "10.9.8.7");
    prompt.answers = {true};
    click(setup->updateButton());
    EXPECT_EQ(prompt.questions, QStringList{"Update selected client's setup and reboot"});
    const QByteArray lobbyFile = lumtest::readFile(home("Lobby") + "/autoconfig.zeq");
    EXPECT_TRUE(lobbyFile.startsWith("[Server]\r\nservername=10.9.8.7\r\nserverport=5021\r\nhidemenu=0\r\n"
                                     "[Network]\r\ndhcp=1\r\n[Time]"));
    EXPECT_EQ(lobbyFile, autoconfigBytes(setup->settings()));
    // Both players of the group get 645 and fetch the file; the Home player gets nothing.
    for (auto* p : {p1.get(), p2.get()}) {
        ASSERT_TRUE(lumtest::waitUntil([&] { return QFileInfo::exists(fetched(*p, "autoconfig.zeq")); }, 20000))
            << p->name().toStdString();
        EXPECT_EQ(received(*p, "645 AutoConfig file"), 1);
        EXPECT_EQ(lumtest::readFile(fetched(*p, "autoconfig.zeq")), lobbyFile);
    }
    EXPECT_EQ(received(*p3, "645 "), 0);
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Client tab: one player, with its account name in the file.
    QTest::mouseClick(setup->targetTabs(), Qt::LeftButton, {}, setup->targetTabs()->tabRect(0).center());
    QComboBox* targets = setup->targetList();
    int row = -1;
    for (int i = 0; i < targets->count(); ++i)
        if (targets->itemText(i) == "P03") row = i;
    ASSERT_GE(row, 0);
    lumtest::choose(targets, row);
    typeInto(lumtest::named<QLineEdit>(setup, "User Name"), "P03");
    prompt.answers = {true};
    click(setup->updateButton());
    ASSERT_TRUE(lumtest::waitUntil([&] { return QFileInfo::exists(fetched(*p3, "autoconfig.zeq")); }, 20000));
    const QByteArray homeFile = lumtest::readFile(home("Home") + "/autoconfig.zeq");
    EXPECT_TRUE(homeFile.contains("\r\nusername=P03\r\npwd=\r\n"));
    EXPECT_EQ(lumtest::readFile(fetched(*p3, "autoconfig.zeq")), homeFile);
    EXPECT_EQ(received(*p3, "645 AutoConfig file"), 1);
    EXPECT_EQ(received(*p1, "645 "), 1);

    // A group nobody of which is online: the file is written, the operator told.
    QTest::mouseClick(setup->targetTabs(), Qt::LeftButton, {}, setup->targetTabs()->tabRect(1).center());
    lumtest::choose(setup->targetList(), int(app.store()->GroupNames().indexOf("Empty")));
    prompt.answers = {true};
    click(setup->updateButton());
    EXPECT_EQ(prompt.messages, QStringList{"No client is online and no client will be effected!"});
    EXPECT_TRUE(QFileInfo::exists(home("Empty") + "/autoconfig.zeq"));
    for (auto* p : {p1.get(), p2.get(), p3.get()}) EXPECT_TRUE(p->answerFailures().isEmpty()) << p->name().toStdString();
}

TEST_F(DeviceSetupFlow, AFeedAddedInTheEditorReachesTheGroupsTickerThatItsPlayersFetch) {
    setAnsiCodepage("windows-1252");
    lumtest::TestHttpServer http;
    http.set("/town.xml", {"<rss><channel><title>Town News</title>"
                           "<item><title>Caf\xc3\xa9 opens</title></item></channel></rss>"});
    auto p1 = player("P01", "00-11-22-33-44-01");
    auto p2 = player("P02", "00-11-22-33-44-02");
    ASSERT_TRUE(allOnline(2));

    // "RSS Edit" on the toolbar opens the editor; "Add Feed" with "Connect" into Lobby.
    frame->action(cmd::RssEditor)->trigger();
    auto* editor = frame->findChild<CDlgRssMessage*>();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(lumtest::showActive(editor));
    click(editor->addFeedButton());
    CDlgAddFeed* add = editor->feedDialog();
    ASSERT_NE(add, nullptr);
    typeInto(add->urlEdit(), http.url("/town.xml"));
    QSignalSpy connected(add, &CDlgAddFeed::connectFinished);
    click(add->connectButton());
    ASSERT_TRUE(connected.wait(20000));
    ASSERT_TRUE(connected[0][0].toBool());
    lumtest::choose(add->groupList(), int(app.store()->GroupNames().indexOf("Lobby")));
    click(add->okButton());
    ASSERT_EQ(app.core()->rss().configuration().channels("Lobby").size(), 1);

    // "Start RSS Feeds" on the Lobby group: its ticker is built and both players fetch it.
    CAccountView* accounts = frame->accountView();
    auto* proxy = static_cast<QAbstractProxyModel*>(accounts->tree()->model());
    accounts->tree()->setCurrentIndex(proxy->mapFromSource(app.models()->tree().groupIndex("Lobby")));
    ASSERT_TRUE(frame->action(cmd::StartRss)->isEnabled());
    frame->action(cmd::StartRss)->trigger();
    const QByteArray ticker = "osd_settings=1,0,4,2,0,1\r\n <<Town News \r\n <<Caf\xc3\xa9 opens \r\n";
    EXPECT_EQ(lumtest::readFile(home("Lobby") + "/rssmsg.txt"), ticker);
    for (auto* p : {p1.get(), p2.get()}) {
        ASSERT_TRUE(lumtest::waitUntil([&] { return QFileInfo::exists(fetched(*p, "rssmsg.txt")); }, 20000));
        EXPECT_EQ(received(*p, "614 "), 1);
        EXPECT_EQ(lumtest::readFile(fetched(*p, "rssmsg.txt")), ticker);
    }

    // The settings changed in the editor reach the worker: the next ticker has the new line.
    click(editor->settingsButton());
    CDlgRssSettings* settings = editor->settingsDialog();
    ASSERT_NE(settings, nullptr);
    lumtest::choose(settings->list(3), 0);  // Fast
    click(settings->saveButton());
    EXPECT_EQ(app.core()->rss().settingsLine(), "osd_settings=1,0,4,4,0,1\r\n");
    QFile::remove(fetched(*p1, "rssmsg.txt"));
    frame->action(cmd::StartRss)->trigger();
    ASSERT_TRUE(lumtest::waitUntil([&] { return QFileInfo::exists(fetched(*p1, "rssmsg.txt")); }, 20000));
    EXPECT_TRUE(lumtest::readFile(fetched(*p1, "rssmsg.txt")).startsWith("osd_settings=1,0,4,4,0,1\r\n <<Town"));
    EXPECT_TRUE(p1->answerFailures().isEmpty());
}
