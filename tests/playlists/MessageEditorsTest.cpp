// The window rules of the scheduler, the instant-message and the label windows, without windows.
#include "playlists/MessageEditors.h"
#include "playlists/MessageFiles.h"
#include "playlists/Schedule.h"

#include "common/OnlinePlayers.h"
#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using lum::CommandTarget;
using lum::ScreenLabelLinesModel;

namespace {

QVariant text(const ScreenLabelLinesModel& m, int row, int column = ScreenLabelLinesModel::TextColumn) {
    return m.data(m.index(row, column));
}

}  // namespace

TEST(LabelLines, TypingOpensTheNextRowUpToSevenAndAnUntouchedOpenedRowIsNoLine) {
    ScreenLabelLinesModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QModelIndex row0 = m.clearForTyping();
    EXPECT_EQ(m.rowCount(), 1);
    EXPECT_EQ(row0, m.index(0, ScreenLabelLinesModel::TextColumn));
    EXPECT_TRUE(m.lines().isEmpty());  // the row to type into is not a line yet
    EXPECT_EQ(text(m, 0, ScreenLabelLinesModel::LineColumn), QStringLiteral("0"));
    EXPECT_FALSE(m.flags(m.index(0, ScreenLabelLinesModel::LineColumn)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m.flags(row0) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.setData(m.index(0, ScreenLabelLinesModel::LineColumn), "x"));

    ASSERT_TRUE(m.setData(row0, "Sale"));
    EXPECT_EQ(m.rowCount(), 2);  // row "1" opened
    EXPECT_EQ(m.lines(), QStringList{"Sale"});
    // An emptied middle row stays a line (a blank on the player); the opened last one does not.
    ASSERT_TRUE(m.setData(m.index(1, 1), "x"));
    ASSERT_TRUE(m.setData(m.index(2, 1), "Today"));
    ASSERT_TRUE(m.setData(m.index(1, 1), ""));
    EXPECT_EQ(m.lines(), (QStringList{"Sale", "", "Today"}));
    for (int r = 3; r < 7; ++r) ASSERT_TRUE(m.setData(m.index(r, 1), QString::number(r)));
    EXPECT_EQ(m.rowCount(), 7);  // no eighth row
    EXPECT_EQ(m.lines().size(), 7);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Line"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Text"));
}

TEST(LabelLines, RowsLoadedFromAFileAreAllLines) {
    ScreenLabelLinesModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    m.setLines({"a", "", "c", "", "", "", "", "eighth is dropped"});
    EXPECT_EQ(m.rowCount(), 7);
    EXPECT_EQ(m.lines(), (QStringList{"a", "", "c", "", "", "", ""}));
    EXPECT_EQ(text(m, 6, 0), QStringLiteral("6"));
}

TEST(LabelControls, NumberOnlyAndAlwaysOnSwitchTheirFields) {
    struct Case { bool numberOnly, alwaysOn, lines, number, duration; };
    const Case cases[] = {{false, false, true, false, true},
                          {false, true, true, false, false},
                          {true, false, false, true, true},
                          {true, true, false, true, false}};
    for (const Case& c : cases) {
        const lum::LabelControls got = lum::labelControls(c.numberOnly, c.alwaysOn);
        EXPECT_EQ(got.linesEnabled, c.lines);
        EXPECT_EQ(got.numberEnabled, c.number);
        EXPECT_EQ(got.durationEnabled, c.duration);
    }
    EXPECT_TRUE(lum::canSendInstantMessage("x"));
    EXPECT_FALSE(lum::canSendInstantMessage(""));
}

TEST(LabelControls, TheGroupAWindowOpensOn) {
    lumtest::OnlinePlayers f;
    lumtest::addGroup(f.store, "Home");
    lumtest::addGroup(f.store, "Shop");
    lumtest::addUser(f.store, "s1", "Shop");
    EXPECT_EQ(lum::labelGroupFor(CommandTarget::all(), f.store), QStringLiteral("Home"));
    EXPECT_EQ(lum::labelGroupFor(CommandTarget::group("SHOP"), f.store), QStringLiteral("Shop"));
    EXPECT_EQ(lum::labelGroupFor(CommandTarget::player("S1"), f.store), QStringLiteral("Shop"));
    EXPECT_EQ(lum::labelGroupFor(CommandTarget::player("nobody"), f.store), QString());
    EXPECT_EQ(lum::labelGroupFor(CommandTarget::group("Gone"), f.store), QString());
}

TEST(SchedulerRules, ButtonsAndTheGroupList) {
    struct Case { const char* path; int selected, rows; const char* group; lum::SchedulerButtons want; };
    const Case cases[] = {
        {"", -1, 0, "", {false, false, false, false, false}},
        {"a.mpl", -1, 0, "Home", {true, false, false, false, false}},
        {"", 0, 1, "", {false, true, true, false, true}},
        {"", 3, 2, " ", {false, false, false, false, true}},  // a stale selection acts on nothing
        {"a.mpl", 1, 2, "Shop", {true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        const lum::SchedulerButtons b = lum::schedulerButtons(c.path, c.selected, c.rows, c.group);
        EXPECT_EQ(b.add, c.want.add) << c.path << c.selected;
        EXPECT_EQ(b.update, c.want.update) << c.selected;
        EXPECT_EQ(b.remove, c.want.remove) << c.selected;
        EXPECT_EQ(b.assign, c.want.assign) << c.rows << c.group;
        EXPECT_EQ(b.saveToDisc, c.want.saveToDisc) << c.rows;
    }
    lumtest::OnlinePlayers f;
    lumtest::addGroup(f.store, "Only");
    lum::ScheduleGroupChoices one = lum::scheduleGroupChoices(f.store);
    EXPECT_EQ(one.names, QStringList{"Only"});
    EXPECT_EQ(one.selected, 0);  // the only group is chosen
    lumtest::addGroup(f.store, "Second");
    lum::ScheduleGroupChoices two = lum::scheduleGroupChoices(f.store);
    EXPECT_EQ(two.names, (QStringList{"Only", "Second"}));  // table order
    EXPECT_EQ(two.selected, -1);
}
