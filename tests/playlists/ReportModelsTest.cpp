#include "playlists/ReportModels.h"

#include "common/TestSupport.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using lum::PlaylistReportModel;
using lum::StorageListModel;

TEST(Reports, StorageReportLinesFieldsAndMissingFile) {
    QTemporaryDir dir;
    const QString name = lum::reportFileName("filereport_XX-XX-XX.zeb", "00-11-22-33-44-55");
    EXPECT_EQ(name, "filereport_00-11-22-33-44-55.zeb");
    const QString path = dir.filePath(name);
    lumtest::writeFile(path, "  a.jpg\tFILE\t1234\textra\t  \r\n"
                             "MEDIA\tDIR\t0\r\n"
                             "\r\n"
                             "no-tab-line\n"
                             "caf\xe9.mp4\tFILE\t99");
    StorageListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.showReport(path);
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(QStringList({model.rows()[0].name, model.rows()[0].kind, model.rows()[0].size}),
              QStringList({"a.jpg", "FILE", "1234"}));
    EXPECT_EQ(QStringList({model.rows()[2].name, model.rows()[2].kind}), QStringList({"no-tab-line", ""}));
    EXPECT_EQ(model.rows()[3].name, QString::fromUtf8("caf\xc3\xa9.mp4"));
    EXPECT_EQ(model.data(model.index(3, 0), Qt::UserRole).toInt(), 3);

    EXPECT_TRUE(model.setData(model.index(1, 0), Qt::Checked, Qt::CheckStateRole));
    model.setChecked(3, true);
    EXPECT_EQ(model.checkedNames(), QStringList({"MEDIA", QString::fromUtf8("caf\xc3\xa9.mp4")}));

    model.showReport(dir.filePath("filereport_none.zeb"));
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(Reports, DeleteListAndPrefixRemoval) {
    QTemporaryDir dir;
    const QString list = dir.filePath("File2Del.zeb");
    ASSERT_TRUE(lum::writeDeleteList(dir.path(), {"a.jpg", "MEDIA"}));
    EXPECT_EQ(lumtest::readFile(list),
              QByteArray("[file0]\r\nfilename=a.jpg\r\n[file1]\r\nfilename=MEDIA\r\n"));
    EXPECT_EQ(lum::readDeleteList(dir.path()), QStringList({"a.jpg", "MEDIA"}));

    // Nothing ticked: the old list is removed and none written.
    ASSERT_TRUE(lum::writeDeleteList(dir.path(), {}));
    EXPECT_FALSE(QFile::exists(list));
    EXPECT_TRUE(lum::readDeleteList(dir.path()).isEmpty());

    const QString report = dir.filePath("r.zeb");
    lumtest::writeFile(report, "A.JPG.bak\tFILE\t1\r\na.jpg\tFILE\t2\r\nb.jpg\tFILE\t3\r\n"
                               "b.jpg\tFILE\t4\r\nc.png\tFILE\t5\r\n");
    StorageListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.showReport(report);
    // [file1] missing: reading stops there, so c.png stays.
    lumtest::writeFile(list, "[file0]\r\nfilename= a.jpg \r\n[file2]\r\nfilename=c.png\r\n");
    model.removeDeleted(lum::readDeleteList(dir.path()));
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.rows()[0].name, "a.jpg");  // the first prefix match, ignoring case, went
    model.removeDeleted({"b.jpg", "nothing"});
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.rows()[1].name, "b.jpg");
    EXPECT_EQ(model.rows()[1].size, "4");
}

TEST(Reports, PlaylistReportFallbackGapsAndModes) {
    QTemporaryDir dir;
    const QString report = dir.filePath("playlist_AA.zeb");
    const QString fallback = dir.filePath("playlist.mpl");
    lumtest::writeFile(fallback, "[file0]\r\npath=/home/x.jpg\r\n");
    lumtest::writeFile(report, "[file0]\r\npath=  /m/a.jpg  \r\nperiod=10\r\nstarttime=08:00\r\n"
                               "stoptime=09:30\r\n[file2]\r\npath=/m/c.jpg\r\n");
    PlaylistReportModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.show(report, fallback, PlaylistReportModel::Mode::Playlist);
    ASSERT_EQ(model.rowCount(), 1);
    QStringList cells;
    for (int c = 0; c < 5; ++c) cells << model.data(model.index(0, c)).toString();
    EXPECT_EQ(cells, QStringList({"0", "/m/a.jpg", "10", "08:00", "09:30"}));
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "To hhmm");
    EXPECT_EQ(model.tabLabel(), "Playlist");

    QFile::remove(report);
    model.show(report, fallback, PlaylistReportModel::Mode::PlaybackReport);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.rows()[0].path, "/home/x.jpg");
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "Times Played");
    EXPECT_EQ(model.tabLabel(), "Playback Report");

    QFile::remove(fallback);
    model.show(report, fallback, PlaylistReportModel::Mode::Playlist);
    EXPECT_EQ(model.rowCount(), 0);
}
