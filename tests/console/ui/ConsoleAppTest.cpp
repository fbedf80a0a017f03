#include "accounts/UserStore.h"
#include "console/ConsoleModels.h"
#include "console/Languages.h"
#include "console/ui/ConsoleApp.h"
#include "console/ui/LogPane.h"
#include "console/ui/MainFrame.h"
#include "console/ui/OnlineView.h"
#include "playlists/ReportCenter.h"
#include "core/LogHub.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "SimPlayer.h"

#include "common/RecordingPrompt.h"
#include "console/ui/ConsoleAppSupport.h"
#include "common/TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QHeaderView>
#include <QTableView>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;

namespace {

class ConsoleAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        lumtest::keepUserFilesIn(dir, true);
    }
    CConsoleApp::Options options(const QString& data, lumtest::RecordingPrompt& p) {
        CConsoleApp::Options o;
        o.dataDir = data;
        o.executableDir = dir.filePath(QStringLiteral("bin"));
        o.prompt = &p;
        o.showWindow = false;
        o.allowAutoActivate = false;
        return o;
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ConsoleAppTest, FirstStartCreatesTheDataFolderAndRefusesASecondConsole) {
    const QString data = dir.filePath(QStringLiteral("data"));
    lumtest::RecordingPrompt prompt;
    {
        CConsoleApp app;
        ASSERT_EQ(app.start(options(data, prompt)), CConsoleApp::StartResult::Started);
        EXPECT_TRUE(prompt.messages.isEmpty());
        for (const char* f : {"config.ini", "server data/users.dat", "Log/ftptrace.log"})
            EXPECT_TRUE(QFileInfo(QDir(data).filePath(QLatin1String(f))).isFile()) << f;
        for (const char* d : {"server data", "Log", "Home"})
            EXPECT_TRUE(QFileInfo(QDir(data).filePath(QLatin1String(d))).isDir()) << d;
        // The fresh config.ini carries an address (or "failed").
        CAppSettings s(QDir(data).filePath(QStringLiteral("config.ini")));
        s.Load();
        EXPECT_FALSE(s.localIpAddress().isEmpty());
        // The tree shows the Home group; the window is built with its panes.
        ASSERT_NE(app.mainFrame(), nullptr);
        EXPECT_EQ(app.models()->tree().groupIndex(QStringLiteral("Home")).data().toString(),
                  QStringLiteral("Home(0)"));
        EXPECT_EQ(app.mainFrame()->statusText(), QStringLiteral("ICS Server is offline"));
        // The title carries the version; the window shows the application icon at every size.
        EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("LUM " LUM_VERSION));
        const QIcon icon = app.mainFrame()->windowIcon();
        for (int size : {16, 32, 256})
            EXPECT_EQ(icon.pixmap(QSize(size, size)).size(), QSize(size, size)) << size;

        // Log entries reach the log pane's list in colour.
        app.logHub()->addLog(LogType::FromPlayer, QStringLiteral("00-11"), QStringLiteral("[p1] hello"));
        app.logHub()->processPending();
        app.models()->log().all().flush();
        ASSERT_EQ(app.models()->log().all().rowCount(), 1);
        EXPECT_TRUE(app.models()->log().all().lines().first().endsWith(QStringLiteral("     [p1] hello")));

        // A second console is refused before it touches any file.
        const QString other = dir.filePath(QStringLiteral("other"));
        lumtest::RecordingPrompt secondPrompt;
        CConsoleApp second;
        EXPECT_EQ(second.start(options(other, secondPrompt)), CConsoleApp::StartResult::AlreadyRunning);
        EXPECT_EQ(secondPrompt.messages, QStringList{QStringLiteral("LUM is ON already!")});
        EXPECT_FALSE(QFileInfo::exists(QDir(other).filePath(QStringLiteral("config.ini"))));
    }
    // Once the first has ended, the next start succeeds on the same folder.
    CConsoleApp again;
    EXPECT_EQ(again.start(options(data, prompt)), CConsoleApp::StartResult::Started);
}

TEST_F(ConsoleAppTest, ALogFileThatCannotBeOpenedIsShownToTheOperator) {
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data + QStringLiteral("/Log/ftptrace.log"));  // a folder where the file should be
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    ASSERT_EQ(app.start(options(data, prompt)), CConsoleApp::StartResult::Started);
    EXPECT_EQ(prompt.messages,
              QStringList{QStringLiteral("Cannot create or open file: '%1/Log/ftptrace.log'").arg(data)});
    EXPECT_EQ(prompt.icons.value(0), IOperatorPrompt::Icon::Stop);
}

TEST_F(ConsoleAppTest, LanguageMenuListsTranslationsAndStoresTheChoice) {
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString qm = lumtest::binDir() + QStringLiteral("/lum_zh_CN.qm");
    ASSERT_TRUE(QFile::copy(qm, bin + QStringLiteral("/lum_zh_CN.qm"))) << qm.toStdString();
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    ASSERT_EQ(app.start(options(dir.filePath(QStringLiteral("data")), prompt)), CConsoleApp::StartResult::Started);
    EXPECT_EQ(app.languageId(), QStringLiteral("1033"));
    QMenu* menu = nullptr;
    for (QAction* a : app.mainFrame()->menuBar()->actions())
        if (a->text() == QStringLiteral("&Language")) menu = a->menu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("English"));
    EXPECT_TRUE(menu->actions()[0]->isChecked());
    menu->actions()[1]->trigger();
    EXPECT_EQ(QSettings().value(QStringLiteral("LanguageId")).toString(), QStringLiteral("zh_CN"));
    ASSERT_EQ(prompt.messages.size(), 1);
    // Said in the language just chosen.
    EXPECT_EQ(prompt.messages[0],
              QString::fromUtf8("\u8bf7\u91cd\u65b0\u542f\u52a8 ") + app.settings()->applicationTitle());
    // One setting: the settings dialog's "Application Language" now says the same.
    CAppSettings stored(dir.filePath(QStringLiteral("data/config.ini")));
    stored.Load();
    EXPECT_EQ(stored.language(), 1);
    // And a choice made in the dialog moves the menu's tick.
    app.settings()->setLanguage(0);
    Q_EMIT app.mainFrame()->languageChosen(languageIdForIndex(0));
    EXPECT_TRUE(menu->actions()[0]->isChecked());
    EXPECT_EQ(QSettings().value(QStringLiteral("LanguageId")).toString(), QStringLiteral("1033"));
}

TEST_F(ConsoleAppTest, ChosenTranslationShowsTheWindowTranslatedWhileTheModelsStayEnglish) {
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    const QString qm = lumtest::binDir() + QStringLiteral("/lum_zh_TW.qm");
    ASSERT_TRUE(QFile::copy(qm, bin + QStringLiteral("/lum_zh_TW.qm"))) << qm.toStdString();
    QSettings().setValue(QStringLiteral("LanguageId"), QStringLiteral("zh_TW"));
    lumtest::RecordingPrompt prompt;
    {
        CConsoleApp app;
        ASSERT_EQ(app.start(options(dir.filePath(QStringLiteral("data")), prompt)), CConsoleApp::StartResult::Started);
        EXPECT_EQ(app.languageId(), QStringLiteral("zh_TW"));
        EXPECT_EQ(app.settings()->language(), 2);  // the settings dialog shows the same
        CMainFrame* frame = app.mainFrame();
        QStringList menus;
        for (QAction* a : frame->menuBar()->actions()) menus << a->text();
        EXPECT_TRUE(menus.contains(QString::fromUtf8("伺服器(&S)"))) << menus.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(frame->logDock()->windowTitle(), QString::fromUtf8("記錄資料"));
        EXPECT_EQ(frame->statusText(), QString::fromUtf8("ICS 伺服器離線"));
        EXPECT_EQ(frame->logPane()->tabs()->tabText(1), QString::fromUtf8("CF 裝置"));
        EXPECT_EQ(frame->logPane()->deviceView()->model()->headerData(0, Qt::Horizontal).toString(),
                  QString::fromUtf8("檔案名稱"));
        EXPECT_EQ(frame->onlineView()->model()->headerData(5, Qt::Horizontal).toString(),
                  QString::fromUtf8("登入時間"));
        // What the models give to everything else stays English.
        EXPECT_EQ(app.reports()->storageList()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("File Name"));
        EXPECT_EQ(app.models()->online().headerData(5, Qt::Horizontal).toString(), QStringLiteral("Login Time"));
    }
    // The console's exit takes its translation with it.
    EXPECT_EQ(QCoreApplication::translate("lum", "CF Device"), QStringLiteral("CF Device"));
}

TEST_F(ConsoleAppTest, PlayerReportsShowInTheLogPanesTabs) {
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    const QString data = dir.filePath(QStringLiteral("data"));
    ASSERT_EQ(app.start(options(data, prompt)), CConsoleApp::StartResult::Started);
    CUser u;
    u.name = QStringLiteral("p1");
    u.group = QStringLiteral("Home");
    ASSERT_EQ(app.store()->AddUser(u), 1);
    const QString mac = QStringLiteral("00-11-22-33-44-55");
    COnlineModel& online = app.models()->online();
    online.ClientLoggedIn(7, u.name, QStringLiteral("127.0.0.1"), mac);
    QCoreApplication::processEvents();
    ASSERT_EQ(online.rowCount(), 1);

    ASSERT_TRUE(lumtest::writeFile(QDir(data).filePath(QStringLiteral("Home/filereport_") + mac + QStringLiteral(".zeb")),
                                   "a.mpg\tfile\t100\r\nb.jpg\tfile\t20\r\n"));
    online.ClientEvent(PlayerEvent::StorageFiles, mac, QString());
    QCoreApplication::processEvents();
    CLogPane* pane = app.mainFrame()->logPane();
    EXPECT_EQ(pane->tabs()->currentIndex(), 1);
    ASSERT_NE(pane->deviceView()->model(), nullptr);
    EXPECT_EQ(pane->deviceView()->model()->rowCount(), 2);

    online.ClientEvent(PlayerEvent::PlayReport, mac, QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->tabs()->currentIndex(), 2);
    EXPECT_EQ(pane->tabs()->tabText(2), QStringLiteral("Playback Report"));
    online.ClientEvent(PlayerEvent::Playlist, mac, QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->tabs()->tabText(2), QStringLiteral("Playlist"));
    // "Seq." hidden until widened, "File Path" 80, the times 40.
    const QTableView* report = pane->reportView();
    EXPECT_EQ((QList<int>{report->columnWidth(0), report->columnWidth(1), report->columnWidth(2),
                          report->columnWidth(3)}),
              (QList<int>{0, 80, 40, 40}));
    EXPECT_GT(report->horizontalHeader()->sizeHint().height(), 0);  // the headings show

    // The player leaves: its file list goes with it.
    online.ClientLoggedOut(7);
    QCoreApplication::processEvents();
    EXPECT_EQ(pane->deviceView()->model()->rowCount(), 0);
}

TEST_F(ConsoleAppTest, SimulatedPlayersAppearCanBeCommandedAndGoOffline) {
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(data);
    // Any free port; the server starts with the console (AUTOACTIVATE).
    ASSERT_TRUE(lumtest::writeFile(QDir(data).filePath(QStringLiteral("config.ini")),
                                   "[SERVER]\r\nPORT=0\r\nLOGLEVEL=2\r\n"));
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    CConsoleApp::Options o = options(data, prompt);
    o.allowAutoActivate = true;
    ASSERT_EQ(app.start(o), CConsoleApp::StartResult::Started);
    ASSERT_TRUE(app.server()->IsRunning());
    CMainFrame* frame = app.mainFrame();
    EXPECT_EQ(frame->statusText(), QStringLiteral("ICS Server is online"));
    EXPECT_FALSE(frame->action(cmd::StartServer)->isEnabled());

    auto player = [&](const char* name, const char* mac) {
        return lumtest::stayingPlayer(app.server()->ListeningPort(), QString::fromLatin1(name),
                                      QString::fromLatin1(mac));
    };
    auto p1 = player("P01", "00-11-22-33-44-01");
    auto p2 = player("P02", "00-11-22-33-44-02");
    p1->start();
    p2->start();
    COnlineModel& online = app.models()->online();
    CAccountTreeModel& tree = app.models()->tree();
    ASSERT_TRUE(lumtest::waitUntil([&] { return online.rowCount() == 2; }, 20000));
    // Registered in Home at once, with the online picture.
    ASSERT_TRUE(lumtest::waitUntil([&] {
        return CAccountTreeModel::pictureOf(tree.accountIndex(QStringLiteral("P02"))) ==
               CAccountTreeModel::PicOnline;
    }));
    EXPECT_EQ(tree.groupIndex(QStringLiteral("Home")).data().toString(), QStringLiteral("Home(2)"));
    auto rowOf = [&](const char* name) {
        for (int r = 0; r < online.rowCount(); ++r)
            if (online.recordAtRow(r)->name == QLatin1String(name)) return r;
        return -1;
    };
    const int r1 = rowOf("P01");
    ASSERT_GE(r1, 0);
    EXPECT_EQ(online.recordAtRow(r1)->status, QStringLiteral("Alive"));
    EXPECT_EQ(online.recordAtRow(r1)->macAddress, QStringLiteral("00-11-22-33-44-01"));
    EXPECT_EQ(online.recordAtRow(r1)->group, QStringLiteral("Home"));

    // Play from the toolbar reaches every player of the root.
    ASSERT_TRUE(frame->action(cmd::StartPlayback)->isEnabled());
    frame->action(cmd::StartPlayback)->trigger();
    auto received = [](const sim::CSimPlayer& p, const QString& prefix) {
        for (const QString& l : p.receivedLines())
            if (l.startsWith(prefix)) return true;
        return false;
    };
    EXPECT_TRUE(lumtest::waitUntil([&] { return received(*p1, QStringLiteral("604 ")) && received(*p2, QStringLiteral("604 ")); }));
    // "Start RSS Feeds" builds the group's ticker, then command 13 (code 614) goes to the group.
    frame->action(cmd::StartRss)->trigger();
    EXPECT_TRUE(lumtest::waitUntil([&] { return received(*p1, QStringLiteral("614 ")) && received(*p2, QStringLiteral("614 ")); }));

    // The exchange shows in the log pane (LOGLEVEL 2 logs every reply).
    app.logHub()->processPending();
    app.models()->log().all().flush();
    EXPECT_GT(app.models()->log().all().rowCount(), 4);

    // An account edited in the dialog while online: row and node follow, still online.
    CUserGroup home;
    CUser acc;
    ASSERT_TRUE(app.store()->FindUser(QStringLiteral("P01"), &home, &acc, 0));
    acc.name = QStringLiteral("Lobby1");
    acc.description = QStringLiteral("entrance");
    ASSERT_EQ(app.store()->UpdateUser(QStringLiteral("P01"), acc), 1);
    ASSERT_TRUE(lumtest::waitUntil([&] { return online.recordAtRow(r1)->name == QStringLiteral("Lobby1"); }));
    EXPECT_EQ(online.recordAtRow(r1)->description, QStringLiteral("entrance"));
    EXPECT_TRUE(lumtest::waitUntil([&] {
        return CAccountTreeModel::pictureOf(tree.accountIndex(QStringLiteral("Lobby1"))) ==
               CAccountTreeModel::PicOnline;
    }));

    // Logout: the row stays as "Offline", the node takes the offline picture.
    p1.reset();
    ASSERT_TRUE(lumtest::waitUntil([&] { return online.recordAtRow(r1)->status == QStringLiteral("Offline"); }, 20000));
    EXPECT_EQ(online.data(online.index(r1, 0), COnlineModel::ImageRole).toInt(), 1);
    EXPECT_EQ(online.data(online.index(1 - r1, 0), COnlineModel::ImageRole).toInt(), 0);
    EXPECT_TRUE(lumtest::waitUntil([&] {
        return CAccountTreeModel::pictureOf(tree.accountIndex(QStringLiteral("Lobby1"))) ==
               CAccountTreeModel::PicOffline;
    }));

    // Stop from the menu: the status bar follows, lumctl's status says so too.
    frame->action(cmd::StopServer)->trigger();
    EXPECT_FALSE(app.server()->IsRunning());
    EXPECT_EQ(frame->statusText(), QStringLiteral("ICS Server is offline"));
}

TEST_F(ConsoleAppTest, BackupAndRestoreFromTheServerMenu) {
    const QString data = dir.filePath(QStringLiteral("data"));
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    ASSERT_EQ(app.start(options(data, prompt)), CConsoleApp::StartResult::Started);
    CMainFrame* frame = app.mainFrame();
    QStringList entries;
    for (QAction* a : frame->serverMenu()->actions())
        if (!a->isSeparator()) entries << a->text();
    EXPECT_EQ(entries, QStringList({QStringLiteral("Start Control Server"), QStringLiteral("Stop Control Server"),
                                    QStringLiteral("Backup"), QStringLiteral("Protect Mode"),
                                    QStringLiteral("Restore"), QStringLiteral("E&xit")}));

    // The operator picks a file in the dialog.
    auto answerFileDialog = [](const QString& path) {
        QTimer::singleShot(0, [path] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            dlg->selectFile(path);
            QMetaObject::invokeMethod(dlg, "accept");
        });
    };
    const QString bak = dir.filePath(QStringLiteral("saved.bak"));
    const QByteArray config = lumtest::readFile(QDir(data).filePath(QStringLiteral("config.ini")));
    answerFileDialog(bak);
    frame->action(cmd::Backup)->trigger();
    ASSERT_TRUE(QFileInfo::exists(bak));
    EXPECT_EQ(lumtest::readFile(bak).left(4), QByteArray("ZEB", 4));

    ASSERT_TRUE(lumtest::writeFile(QDir(data).filePath(QStringLiteral("config.ini")), "changed"));
    prompt.answers = {true};
    answerFileDialog(bak);
    frame->action(cmd::Restore)->trigger();
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_TRUE(prompt.questions[0].startsWith(QStringLiteral("Do you want to restore the LUM setting files ")));
    EXPECT_EQ(lumtest::readFile(QDir(data).filePath(QStringLiteral("config.ini"))), config);
    EXPECT_EQ(prompt.messages.last(), QStringLiteral("Please restart ") + app.settings()->applicationTitle());
}
