// The console's side of fleet health: an alerted player marked in the online list, the tray
// notices, the status bar's group figures, and the "Play Report" window from "&Tools".
#include "accounts/ui/AccountView.h"
#include "console/ConsoleModels.h"
#include "console/FleetMonitor.h"
#include "console/ui/ConsoleApp.h"
#include "console/ui/MainFrame.h"
#include "console/ui/OnlineView.h"
#include "monitor/ui/PlayReportWindow.h"
#include "server/AppSettings.h"
#include "server/ControlServer.h"
#include "server/ui/SettingsDialog.h"

#include "common/RecordingPrompt.h"
#include "common/WindowTestSupport.h"
#include "console/ui/ConsoleAppSupport.h"
#include "console/ui/GuiTestSupport.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::waitUntil;

namespace {

class FleetWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = dir.filePath("data");
        QDir().mkpath(data + "/Log");
        ASSERT_TRUE(lumtest::writeFile(data + "/Log/PlayReport.txt",
                                       "[00-11-22-33-44-01@24-05-01]\r\nwelcome.mpg=12\r\nmenu.jpg=30\r\n"
                                       "[00-11-22-33-44-02@24-05-01]\r\nwelcome.mpg=5\r\nbroken line\r\n"
                                       "[00-11-22-33-44-02@24-05-02]\r\nsale.mpg=8\r\n"));
        ASSERT_EQ(lumtest::startConsoleIn(app, dir, prompt), CConsoleApp::StartResult::Started);
        ASSERT_TRUE(app.server()->IsRunning());
        app.settings()->setOfflineGraceOverrideMs(100);
        app.mainFrame()->resize(1400, 800);
    }

    std::unique_ptr<sim::CSimPlayer> player(const char* name, const char* mac) {
        auto p = lumtest::stayingPlayer(app.server()->ListeningPort(), QString::fromLatin1(name),
                                        QString::fromLatin1(mac));
        p->start();
        return p;
    }
    int rowOf(const QString& name) {
        COnlineModel& online = app.models()->online();
        for (int r = 0; r < online.rowCount(); ++r)
            if (online.recordAtRow(r)->name == name) return r;
        return -1;
    }
    QVariant cell(const QString& name, int role) {
        COnlineModel& online = app.models()->online();
        return online.data(online.index(rowOf(name), COnlineModel::ColStatus), role);
    }

    QTemporaryDir dir;
    QString data;
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
};

}  // namespace

TEST_F(FleetWindowsTest, AnAlertedPlayerIsMarkedNoticedAndCountedUntilItReturns) {
    auto p1 = player("P01", "00-11-22-33-44-01");
    auto p2 = player("P02", "00-11-22-33-44-02");
    ASSERT_TRUE(waitUntil([&] { return app.models()->online().rowCount() == 2; }, 20000));
    CMainFrame* frame = app.mainFrame();
    ASSERT_TRUE(waitUntil([&] { return frame->fleetSummary() == "0 of 2 players offline"; }))
        << frame->fleetSummary().toStdString();
    EXPECT_FALSE(cell("P01", COnlineModel::AlertRole).toBool());
    EXPECT_FALSE(cell("P01", Qt::BackgroundRole).isValid());

    p1.reset();  // the player goes dark
    ASSERT_TRUE(waitUntil([&] { return cell("P01", COnlineModel::AlertRole).toBool(); }, 20000));
    EXPECT_TRUE(cell("P01", Qt::BackgroundRole).value<QColor>().isValid());
    EXPECT_FALSE(cell("P02", COnlineModel::AlertRole).toBool());
    ASSERT_EQ(app.trayNotices().size(), 1);
    EXPECT_TRUE(app.trayNotices()[0].startsWith("P01 (group Home) has been offline since "))
        << app.trayNotices()[0].toStdString();
    EXPECT_EQ(frame->fleetSummary(), "1 of 2 players offline");
    // The group selected in the tree gives the group's figures.
    QTreeView* tree = frame->accountView()->tree();
    auto* proxy = static_cast<QAbstractProxyModel*>(tree->model());
    tree->setCurrentIndex(proxy->mapFromSource(app.models()->tree().groupIndex("Home")));
    ASSERT_TRUE(waitUntil([&] { return frame->fleetSummary() == "1 of 2 players in Home offline"; }))
        << frame->fleetSummary().toStdString();
    frame->show();
    frame->onlineView()->clearSelection();
    lumtest::screenshot(frame, "online-list-alerted");

    auto back = player("P01", "00-11-22-33-44-01");
    ASSERT_TRUE(waitUntil([&] { return app.trayNotices().size() == 2; }, 20000));
    EXPECT_EQ(app.trayNotices()[1], "P01 (group Home) is back online.");
    EXPECT_FALSE(cell("P01", COnlineModel::AlertRole).toBool());
    EXPECT_EQ(frame->fleetSummary(), "0 of 2 players in Home offline");
}

TEST_F(FleetWindowsTest, PlayReportWindowFromToolsShowsSortsChartsAndExports) {
    auto p1 = player("P01", "00-11-22-33-44-01");
    ASSERT_TRUE(waitUntil([&] { return app.models()->online().rowCount() == 1; }, 20000));

    QAction* open = app.mainFrame()->toolsMenu()->findChild<QAction*>("PlayReportAction");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), "Play Report");
    open->trigger();
    CPlayReportWindow* window = app.mainFrame()->findChild<CPlayReportWindow*>();
    ASSERT_NE(window, nullptr);
    QSignalSpy loaded(&window->model(), &PlayReportModel::loaded);
    ASSERT_TRUE(window->model().isLoading() ? loaded.wait(10000) : true);
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(window), QStringList());

    // Sorted by plays, most first; the player of a MAC seen online is named.
    PlayReportModel& m = window->model();
    ASSERT_EQ(m.rowCount(), 4);
    EXPECT_EQ(m.damagedLines(), 1);
    QStringList shown;
    for (int r = 0; r < m.rowCount(); ++r)
        shown << m.index(r, PlayReportModel::ColMedia).data().toString() + "/" +
                     m.index(r, PlayReportModel::ColPlayer).data().toString() + "=" +
                     m.index(r, PlayReportModel::ColPlays).data().toString();
    EXPECT_EQ(shown, (QStringList{"menu.jpg/P01=30", "welcome.mpg/P01=12", "sale.mpg/=8", "welcome.mpg/=5"}));
    EXPECT_EQ(window->chartBars(),
              (std::vector<std::pair<QString, qint64>>{{"menu.jpg", 30}, {"welcome.mpg", 17}, {"sale.mpg", 8}}));
    window->resize(1000, 700);
    window->show();
    lumtest::screenshot(window, "play-report");

    // One group, one day.
    auto* group = lumtest::control<QComboBox>(window, "Group:");
    ASSERT_NE(group, nullptr);
    group->setCurrentIndex(group->findText("Home"));
    lumtest::control<QPushButton>(window, "Show")->click();
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_EQ(m.rowCount(), 2);

    // Export: the model's CSV bytes in the chosen file; cancelling writes nothing.
    auto chooser = std::make_shared<lumtest::ScriptedChooser>();
    const QString csv = dir.filePath("report.csv");
    chooser->answers = {{csv}, {}};
    window->setFileChooser(lumtest::ScriptedChooser::make(chooser));
    lumtest::control<QPushButton>(window, "Export CSV...")->click();
    EXPECT_EQ(lumtest::readFile(csv), m.csv());
    EXPECT_TRUE(m.csv().startsWith("MAC Address,Player,Group,Media,Plays,First Day,Last Day\r\n"));
    EXPECT_EQ(chooser->asked.value(0).defaultName, "PlayReport.csv");
    EXPECT_FALSE(window->exportCsv());
    window->close();
}

TEST(AlertSettings, TheSettingsDialogsAlertsPageReadsAndWritesConfigIni) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("config.ini");
    ASSERT_TRUE(lumtest::writeFile(ini, "[ALERTS]\r\nOFFLINEMINUTES=7\r\nOFFLINECOMMAND=/opt/a b/notify\r\n"));
    CAppSettings settings(ini);
    settings.Load();
    lumtest::RecordingPrompt prompt;
    CSettingsDialog dlg(settings, prompt);
    EXPECT_EQ(dlg.pages()->tabText(dlg.pages()->count() - 1), "Alerts");
    EXPECT_EQ(dlg.offlineMinutesSpin()->value(), 7);
    EXPECT_EQ(dlg.offlineCommandEdit()->text(), "/opt/a b/notify");
    dlg.pages()->setCurrentIndex(dlg.pages()->count() - 1);
    dlg.show();
    lumtest::screenshot(&dlg, "settings-alerts");
    dlg.offlineMinutesSpin()->setValue(0);
    dlg.offlineCommandEdit()->setText("  /usr/local/bin/page-me  ");
    dlg.accept();
    CAppSettings reread(ini);
    reread.Load();
    EXPECT_EQ(reread.offlineMinutes(), 0);
    EXPECT_EQ(reread.offlineGraceMs(), 0);  // alerts off
    EXPECT_EQ(reread.offlineCommand(), "/usr/local/bin/page-me");
    EXPECT_TRUE(prompt.messages.isEmpty());
}
