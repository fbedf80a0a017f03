#include "console/LogModel.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::RecordingPrompt;

namespace {

QColor colourAt(const CLogModel& m, int row) {
    return m.data(m.index(row), Qt::ForegroundRole).value<QColor>();
}

}  // namespace

TEST(LogModel, ColoursFollowTheEntryType) {
    CLogModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int type : {0, 1, 2, 3, 7, -1}) m.append(lum::LogType(type), QStringLiteral("line %1").arg(type));
    m.flush();
    ASSERT_EQ(m.rowCount(), 6);
    EXPECT_EQ(colourAt(m, 0), QColor(0, 0, 0));
    EXPECT_EQ(colourAt(m, 1), QColor(0, 130, 0));
    EXPECT_EQ(colourAt(m, 2), QColor(0, 0, 255));
    EXPECT_EQ(colourAt(m, 3), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(m, 4), QColor(0, 0, 0));
    EXPECT_EQ(colourAt(m, 5), QColor(0, 0, 0));
    EXPECT_EQ(m.data(m.index(2)).toString(), QStringLiteral("line 2"));
    EXPECT_EQ(m.data(m.index(3), CLogModel::TypeRole).toInt(), 3);
}

TEST(LogModel, BurstArrivesInOneInsertionAfterTheEventLoopTurns) {
    CLogModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&m, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 50; ++i) m.append(lum::LogType(1), QString::number(i));
    EXPECT_EQ(m.rowCount(), 0);           // not yet in the view
    EXPECT_EQ(m.lines().size(), 50);      // but part of what is saved
    ASSERT_TRUE(lumtest::waitUntil([&] { return m.rowCount() == 50; }));
    EXPECT_EQ(inserted.count(), 1);
}

TEST(LogModel, KeepsOnlyTheNewestLines) {
    CLogModel m(100);
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int i = 0; i < 60; ++i) m.append(lum::LogType(0), QString::number(i));
    m.flush();
    for (int i = 60; i < 130; ++i) m.append(lum::LogType(0), QString::number(i));
    m.flush();
    ASSERT_EQ(m.rowCount(), 100);
    EXPECT_EQ(m.data(m.index(0)).toString(), QStringLiteral("30"));
    EXPECT_EQ(m.data(m.index(99)).toString(), QStringLiteral("129"));

    // A single burst larger than the bound keeps its own newest lines.
    for (int i = 0; i < 250; ++i) m.append(lum::LogType(0), QStringLiteral("b%1").arg(i));
    m.flush();
    ASSERT_EQ(m.rowCount(), 100);
    EXPECT_EQ(m.data(m.index(0)).toString(), QStringLiteral("b150"));
    EXPECT_EQ(m.data(m.index(99)).toString(), QStringLiteral("b249"));
}

TEST(LogLists, SecondListFollowsTheSelectedPlayer) {
    CLogLists lists;
    QAbstractItemModelTester t1(&lists.player(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QString mac1 = QStringLiteral("00-11-22-33-44-55");
    const QString mac2 = QStringLiteral("00-11-22-33-44-66");

    lists.addRecord(lum::LogType(2), mac1, QStringLiteral("before filter"));
    lists.SetClientFilter(mac1);
    lists.addRecord(lum::LogType(2), mac1, QStringLiteral("mine"));
    lists.addRecord(lum::LogType(1), mac2, QStringLiteral("other"));
    lists.all().flush();
    lists.player().flush();
    EXPECT_EQ(lists.all().lines(),
              QStringList({QStringLiteral("before filter"), QStringLiteral("mine"),
                           QStringLiteral("other")}));
    EXPECT_EQ(lists.player().lines(), QStringList{QStringLiteral("mine")});

    // The same player in other letter case keeps the list; another player empties it.
    lists.SetClientFilter(mac1.toLower());
    EXPECT_EQ(lists.player().rowCount(), 1);
    lists.SetClientFilter(mac2);
    EXPECT_EQ(lists.player().rowCount(), 0);
    lists.addRecord(lum::LogType(1), mac2, QStringLiteral("now mine"));
    lists.player().flush();
    EXPECT_EQ(lists.player().lines(), QStringList{QStringLiteral("now mine")});

    // Clear empties the first list only, including lines not yet shown.
    lists.addRecord(lum::LogType(0), QString(), QStringLiteral("pending"));
    lists.Clear();
    lists.all().flush();
    EXPECT_EQ(lists.all().rowCount(), 0);
    EXPECT_TRUE(lists.all().lines().isEmpty());
    EXPECT_EQ(lists.player().rowCount(), 1);
}

TEST(LogSave, WritesEachLineWithALineFeedAndReports) {
    QTemporaryDir dir;
    RecordingPrompt prompt;
    const QString path = dir.filePath(QStringLiteral("out.log"));
    ASSERT_TRUE(saveLogLines({QStringLiteral("12:00:01     a"), QStringLiteral("b")}, path, prompt));
    EXPECT_EQ(lumtest::readFile(path), QByteArray("12:00:01     a\nb\n"));
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(prompt.messages[0], QStringLiteral("Success to save the log data to file"));
    EXPECT_EQ(prompt.icons[0], lum::IOperatorPrompt::Icon::Information);

    // An empty list gives an empty file and no message.
    const QString empty = dir.filePath(QStringLiteral("empty.log"));
    ASSERT_TRUE(saveLogLines({}, empty, prompt));
    EXPECT_TRUE(QFileInfo::exists(empty));
    EXPECT_EQ(lumtest::readFile(empty), QByteArray());
    EXPECT_EQ(prompt.messages.size(), 1);

    // A path that cannot be created: the stop message with the path, nothing written.
    lumtest::writeFile(dir.filePath(QStringLiteral("afile")), "x");
    const QString bad = dir.filePath(QStringLiteral("afile/sub.log"));
    EXPECT_FALSE(saveLogLines({QStringLiteral("x")}, bad, prompt));
    ASSERT_EQ(prompt.messages.size(), 2);
    EXPECT_EQ(prompt.messages[1], QStringLiteral("Can't create log file:\n ") + bad);
    EXPECT_EQ(prompt.icons[1], lum::IOperatorPrompt::Icon::Stop);
}
