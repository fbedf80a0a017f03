// The Image Editor's state and its conversion job, without the window.
#include "media/ImageEditorModel.h"
#include "media/YuvImage.h"

#include "common/TestSupport.h"
#include "MediaTestSupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using lum::CImageEditorModel;
using lum::ZoneItem;

using lumtest::solidPicture;

TEST(ImageEditorModel, OpensOnZoneItemsAndEditsThePictureList) {
    CImageEditorModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Fatal);
    m.setZoneItems({{"/y/a.yuv", 10, 20}, {"/y/logo_tz2.yuv", 5, 20}, {"/y/b.yuv", 10, 40}});
    EXPECT_EQ(m.banner(), QStringLiteral("/y/logo_tz2.yuv"));
    EXPECT_EQ(m.openingBanner(), m.banner());
    EXPECT_EQ(m.bannerTemplate(), lum::BannerTemplate::Template2);
    EXPECT_EQ(m.pictures(), (QStringList{"/y/a.yuv", "/y/b.yuv"}));
    EXPECT_EQ(m.slideChoice(), 3);  // the last item's 40 seconds
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("File Name"));

    EXPECT_EQ(m.addPictures({"/p/c.jpg", "", "/p/d.bmp"}), 2);
    EXPECT_EQ(m.addPictures({}), -1);
    EXPECT_EQ(m.pictures(), (QStringList{"/y/a.yuv", "/y/b.yuv", "/p/c.jpg", "/p/d.bmp"}));
    EXPECT_EQ(m.movePictureUp(0), 0);  // at the edge nothing moves
    EXPECT_EQ(m.movePictureDown(3), 3);
    EXPECT_EQ(m.movePictureDown(0), 1);
    EXPECT_EQ(m.movePictureUp(3), 2);
    EXPECT_EQ(m.pictures(), (QStringList{"/y/b.yuv", "/y/a.yuv", "/p/d.bmp", "/p/c.jpg"}));
    EXPECT_EQ(m.data(m.index(2, 0)).toString(), QStringLiteral("/p/d.bmp"));
    EXPECT_EQ(m.removePicture(3), 2);  // the last row goes: its predecessor is selected
    EXPECT_EQ(m.removePicture(9), -1);
    EXPECT_EQ(m.removePicture(0), 0);
    m.clearPictures();
    EXPECT_EQ(m.rowCount(), 0);
    EXPECT_EQ(m.removePicture(0), -1);
}

TEST(ImageEditorModel, PreviewOfAZoneImageGoesThroughTheBitmapFile) {
    QTemporaryDir dir;
    const QString src = solidPicture(dir.path(), "red.png", 8, 4, Qt::red);
    const QString yuv = dir.filePath("red.yuv");
    ASSERT_GT(lum::convertToYuv(src, yuv, 8, 4), 0);
    const QImage shown = lum::previewImage(yuv, dir.path());
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), QSize(8, 4));
    EXPECT_GT(qRed(shown.pixel(3, 2)), 200);
    EXPECT_LT(qGreen(shown.pixel(3, 2)), 60);
    EXPECT_TRUE(QFile::exists(dir.filePath("tmpbmpfile.bmp")));
    EXPECT_EQ(lum::previewImage(src, dir.path()).size(), QSize(8, 4));  // drawn directly
    EXPECT_TRUE(lum::previewImage(dir.filePath("missing.yuv"), dir.path()).isNull());
    EXPECT_TRUE(lum::previewImage(QString(), dir.path()).isNull());
    // The zones fill the screen's width at the top and the bottom.
    const QList<lum::PreviewZone> zones = lum::previewZones();
    ASSERT_EQ(zones.size(), 4);
    EXPECT_EQ(zones[0].rect, QRect(0, 0, 1280, 100));
    EXPECT_EQ(zones[1].rect.size(), QSize(560, 560));
    EXPECT_EQ(zones[3].rect.bottom(), lum::kPreviewHeight - 1);
    EXPECT_EQ(lum::previewClockText(QDateTime(QDate(2013, 3, 1), QTime(9, 5))), QStringLiteral("2013-03-01 09:05"));
}

TEST(ZoneConversionJob, ConvertsOnItsOwnThreadAndCanBeCancelled) {
    QTemporaryDir dir;
    lum::ImageEditorState s;
    s.banner = solidPicture(dir.path(), "top.png", 64, 8, Qt::white);
    s.slides << solidPicture(dir.path(), "one.png", 40, 40, Qt::blue) << dir.filePath("missing.jpg")
             << solidPicture(dir.path(), "two.png", 40, 40, Qt::green);
    s.slideChoice = 1;
    const QString yuvDir = dir.filePath("YUVDATA");

    lum::CZoneConversionJob job(s, yuvDir);
    QSignalSpy progress(&job, &lum::CZoneConversionJob::progress);
    QSignalSpy done(&job, &lum::CZoneConversionJob::finished);
    QThread* worker = nullptr;
    QObject::connect(&job, &lum::CZoneConversionJob::progress, &job,
                     [&](int) { worker = QThread::currentThread(); }, Qt::DirectConnection);
    job.start();
    ASSERT_TRUE(done.wait(20000));
    EXPECT_NE(worker, nullptr);
    EXPECT_NE(worker, QThread::currentThread());
    EXPECT_EQ(progress.size(), 4);  // banner and three slides, 25 % each
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    const auto items = done.at(0).at(0).value<QList<ZoneItem>>();
    EXPECT_FALSE(done.at(0).at(1).toBool());
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], (ZoneItem{yuvDir + "/top_tz1.yuv", 16 + 1280 * 100 * 3 / 2, 20}));
    EXPECT_EQ(items[1], (ZoneItem{yuvDir + "/one.yuv", 16 + 560 * 560 * 3 / 2, 20}));
    EXPECT_EQ(items[2].path, yuvDir + "/two.yuv");
    // The same bytes as a conversion on the calling thread.
    ASSERT_GT(lum::convertToYuv(s.slides[0], dir.filePath("direct.yuv"), 560, 560), 0);
    EXPECT_EQ(lumtest::readFile(items[1].path), lumtest::readFile(dir.filePath("direct.yuv")));

    lum::CZoneConversionJob cancelled(s, dir.filePath("other"));
    QSignalSpy end(&cancelled, &lum::CZoneConversionJob::finished);
    cancelled.cancel();
    cancelled.start();
    ASSERT_TRUE(end.wait(20000));
    EXPECT_TRUE(end.at(0).at(1).toBool());
    EXPECT_TRUE(end.at(0).at(0).value<QList<ZoneItem>>().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("other/top_tz1.yuv")));
}

TEST(InstantPictureChoice, SendNeedsAFileAndTheTimeCountsInPictavoModeOnly) {
    lum::InstantPictureChoice c;
    EXPECT_FALSE(c.canSend());
    EXPECT_EQ(c.seconds, 30);
    c.path = "  ";
    EXPECT_FALSE(c.canSend());
    c.path = "/p/a.jpg";
    EXPECT_TRUE(c.canSend());
    EXPECT_EQ(c.displaySeconds(), 0u);
    c.pictavo = true;
    EXPECT_EQ(c.displaySeconds(), 30u);
    c.seconds = 0;
    EXPECT_EQ(c.displaySeconds(), 0u);
}
