#include "console/LogModel.h"
#include "console/ui/LogPane.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QListView>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace lum;

TEST(LogPane, FollowsTheNewestLineWithinTheBoundUnlessScrolledUp) {
    lumtest::RecordingPrompt prompt;
    CLogLists lists;
    CLogPane pane(lists, prompt);
    pane.resize(600, 300);
    pane.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
    EXPECT_EQ(pane.tabs()->tabText(0), QStringLiteral("Log Data"));
    EXPECT_EQ(pane.tabs()->tabText(1), QStringLiteral("CF Device"));
    EXPECT_EQ(pane.tabs()->tabText(2), QStringLiteral("Playback Report"));
    pane.setReportTitle(QStringLiteral("Playlist"));
    EXPECT_EQ(pane.tabs()->tabText(2), QStringLiteral("Playlist"));
    EXPECT_TRUE(pane.allView()->uniformItemSizes());

    // 100 players at full detail: bursts of lines, far beyond the bound.
    for (int burst = 0; burst < 21; ++burst) {
        for (int i = 0; i < 5000; ++i)
            lists.addRecord(lum::LogType(1 + i % 3), QString(), QStringLiteral("b%1 line %2").arg(burst).arg(i));
        lists.all().flush();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(lists.all().rowCount(), kLogViewMaxLines);
    EXPECT_EQ(lists.all().data(lists.all().index(kLogViewMaxLines - 1)).toString(),
              QStringLiteral("b20 line 4999"));
    QScrollBar* bar = pane.allView()->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());

    // The operator scrolls up to read: new lines do not pull the view away.
    bar->setValue(0);
    lists.addRecord(lum::LogType::ServerEvent, QString(), QStringLiteral("newest"));
    lists.all().flush();
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);

    // Clear drops the pending records as well.
    int dropped = 0;
    pane.setDropPending([&] { ++dropped; });
    pane.clear();
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(lists.all().rowCount(), 0);
}

TEST(LogPane, SavesThePlayersList) {
    lumtest::RecordingPrompt prompt;
    CLogLists lists;
    CLogPane pane(lists, prompt);
    lists.SetClientFilter(QStringLiteral("AA-BB"));
    lists.addRecord(lum::LogType::FromPlayer, QStringLiteral("AA-BB"), QStringLiteral("10:00:00     [p1] hello"));
    lists.addRecord(lum::LogType::FromPlayer, QStringLiteral("CC-DD"), QStringLiteral("10:00:01     [p2] other"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p1.log"));
    ASSERT_TRUE(pane.saveTo(lists.player(), path));
    EXPECT_EQ(lumtest::readFile(path), QByteArray("10:00:00     [p1] hello\n"));
    EXPECT_EQ(prompt.messages, QStringList{QStringLiteral("Success to save the log data to file")});
}
