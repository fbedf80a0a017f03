#include "playlists/Schedule.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QDir>

#include <gtest/gtest.h>

using lum::ScheduleEntry;
using lum::ScheduleModel;

namespace {

ScheduleModel::Fields fields(const QString& path, QDate start, QDate stop,
                             std::initializer_list<int> days) {
    ScheduleModel::Fields f;
    f.playlist = path;
    f.start = start;
    f.stop = stop;
    for (int d : days) f.days[size_t(d)] = true;
    return f;
}

}  // namespace

TEST(Schedule, AddWritesLinesExactly) {
    ScheduleModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_FALSE(model.add(fields("", QDate(2013, 3, 1), QDate(2013, 3, 31), {1})));
    ASSERT_TRUE(model.add(fields("/m/a.mpl", QDate(2013, 3, 1), QDate(2013, 3, 31), {1, 2, 3, 4, 5})));
    ASSERT_TRUE(model.add(fields("/m/b.mpl", QDate(2013, 4, 1), QDate(2013, 4, 2), {})));
    ASSERT_TRUE(model.add(fields("/m/c.mpl", QDate(2013, 4, 1), QDate(2013, 4, 2), {0, 4, 6})));
    EXPECT_EQ(model.data(model.index(0, ScheduleModel::WeekdayColumn)).toString(),
              "Mon,Tue,Wed,Thr,Fri");
    EXPECT_EQ(model.data(model.index(1, ScheduleModel::WeekdayColumn)).toString(), "");
    EXPECT_EQ(model.data(model.index(2, ScheduleModel::WeekdayColumn)).toString(), "Sun,Thr,Sat");
    EXPECT_EQ(model.toBytes(), QByteArray("/m/a.mpl,20130301,20130331,0111110\r\n"
                                          "/m/b.mpl,20130401,20130402,0000000\r\n"
                                          "/m/c.mpl,20130401,20130402,1000101\r\n"));
}

TEST(Schedule, UpdateKeepsPathAndSelectionFillsFields) {
    ScheduleModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.add(fields("/m/a.mpl", QDate(2013, 3, 1), QDate(2013, 3, 31), {1}));
    ASSERT_TRUE(model.update(0, fields("/other.mpl", QDate(2014, 1, 2), QDate(2014, 2, 3), {3, 5})));
    EXPECT_EQ(model.entries()[0].playlist, "/m/a.mpl");
    EXPECT_EQ(model.entries()[0].startDate, "20140102");
    EXPECT_EQ(model.entries()[0].weekdays, "Wed,Fri");
    EXPECT_FALSE(model.update(1, fields("/x", QDate(), QDate(), {})));

    const auto current = fields("", QDate(2020, 5, 5), QDate(2020, 6, 6), {});
    const auto f = model.fieldsForRow(0, current);
    EXPECT_EQ(f.playlist, "/m/a.mpl");
    EXPECT_EQ(f.start, QDate(2014, 1, 2));
    EXPECT_EQ(f.stop, QDate(2014, 2, 3));
    EXPECT_EQ(f.days, (lum::Weekdays{false, false, false, true, false, true, false}));

    // An empty date column leaves the picker's date.
    model.setEntries({ScheduleEntry{"/p.mpl", "", "", "Sun"}});
    const auto g = model.fieldsForRow(0, current);
    EXPECT_EQ(g.start, current.start);
    EXPECT_EQ(g.stop, current.stop);

    ASSERT_TRUE(model.remove(0));
    EXPECT_EQ(model.rowCount(), 0);

    const auto opening = ScheduleModel::openingFields(QDate(2024, 2, 10));
    EXPECT_EQ(opening.start, QDate(2024, 2, 10));
    EXPECT_EQ(opening.stop, QDate(2024, 3, 10));  // February 2024 has 29 days
}

TEST(Schedule, ReaderRulesAndDamagedLines) {
    const auto e = lum::parseSchedule("a.mpl,20130101,20130131,1000001\r\n"
                                      "no comma here\r\n"
                                      "b.mpl,20130101\r\n"
                                      "c.mpl,1,2,10\r\n"
                                      "d.mpl,20130101,20130131,0000000\n"
                                      "/m/with,comma.mpl,20130101,20130131,0100000\r\n"
                                      "\r\n");
    ASSERT_EQ(e.size(), 5u);
    EXPECT_EQ(e[0].weekdays, "Sun,Sat");
    EXPECT_EQ(e[1].playlist, "b.mpl");
    EXPECT_EQ(e[1].startDate, "");  // no second comma: the column stays empty
    EXPECT_EQ(e[2].startDate, "1");
    EXPECT_EQ(e[2].stopDate, "2");
    EXPECT_EQ(e[2].weekdays, "");   // remainder not seven characters
    EXPECT_EQ(e[3].weekdays, "");
    EXPECT_EQ(e[4].playlist, "/m/with,comma.mpl");
    EXPECT_EQ(e[4].weekdays, "Mon");

    QTemporaryDir dir;
    const QString path = dir.filePath("s.sch");
    lumtest::writeFile(path, "x.mpl,20130101,20130131,1111111\r\n");
    ScheduleModel model;
    model.add(fields("/old.mpl", QDate(2013, 1, 1), QDate(2013, 1, 2), {}));
    ASSERT_TRUE(model.load(path));
    ASSERT_EQ(model.rowCount(), 1);  // the list was emptied first
    EXPECT_EQ(model.entries()[0].weekdays, "Sun,Mon,Tue,Wed,Thr,Fri,Sat");
    EXPECT_EQ(model.toBytes(), lumtest::readFile(path));
    EXPECT_FALSE(model.load(dir.filePath("missing.sch")));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(Schedule, SaveAndTheSaveToDiscPlan) {
    QTemporaryDir dir;
    const QString media = dir.filePath("media");
    QDir().mkpath(media);
    lumtest::writeFile(media + "/one.jpg", "JPEG1");
    lumtest::writeFile(media + "/two.mp4", "MP4");
    const QString list = media + "/list.mpl";
    lumtest::writeFile(list, ("[configuration]\r\nglobalinterval=3\r\n[file0]\r\npath=" + media +
                              "/one.jpg\r\nsize=5\r\n[file1]\r\npath=" + media +
                              "/two.mp4\r\n[file2]\r\npath=" + media +
                              "/missing.avi\r\n[file4]\r\npath=" + media + "/after-gap.jpg\r\n")
                                 .toUtf8());
    lumtest::writeFile(media + "/after-gap.jpg", "X");

    ScheduleModel model;
    model.add(fields(list, QDate(2013, 3, 1), QDate(2013, 3, 31), {1}));
    model.add(fields(dir.filePath("gone.mpl"), QDate(2013, 3, 1), QDate(2013, 3, 31), {2}));
    lumtest::RecordingPrompt prompt;

    const lum::CopyPlan plan = model.saveToDiscPlan(dir.filePath("usb"));
    const QString target = dir.filePath("usb/MEDIA");
    QStringList targets;
    for (const lum::FileCopy& c : plan.copies) targets << c.target.mid(target.size() + 1);
    // Each row's playlist, then what it lists up to the first gap; a playlist that cannot be
    // read is still tried (the copy names it).
    EXPECT_EQ(targets, (QStringList{"list.mpl", "one.jpg", "two.mp4", "missing.avi", "gone.mpl"}));
    EXPECT_EQ(plan.copies.back().step, 1);
    EXPECT_EQ(plan.steps, 2);
    EXPECT_EQ(plan.finalPath, target + "/playlist.sch");
    EXPECT_EQ(plan.finalBytes, model.toBytes());  // paths as listed

    const QString saved = dir.filePath("plan.sch");
    ASSERT_TRUE(model.save(saved, prompt));
    EXPECT_EQ(lumtest::readFile(saved), model.toBytes());
    EXPECT_FALSE(model.save(media, prompt));  // a folder cannot be replaced by the file
    EXPECT_EQ(prompt.messages, QStringList{"Can not save file!\n"});
}
