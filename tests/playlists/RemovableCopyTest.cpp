#include "playlists/RemovableCopy.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::readFile;
using lumtest::writeFile;

namespace {

struct CopyFixture : ::testing::Test {
    QTemporaryDir dir;
    QString src(const QString& name) const { return dir.filePath("src/" + name); }
    QString dst(const QString& name) const { return dir.filePath("usb/MEDIA/" + name); }

    void SetUp() override {
        QDir().mkpath(dir.filePath("src"));
        ASSERT_TRUE(writeFile(src("a.jpg"), "AAA"));
        ASSERT_TRUE(writeFile(src("b.mp4"), QByteArray(3 << 20, 'b')));  // several pieces
    }

    CopyPlan plan(std::vector<FileCopy> copies) const {
        CopyPlan p;
        p.copies = std::move(copies);
        p.steps = int(p.copies.size());
        p.finalPath = dst("playlist.mpl");
        p.finalBytes = "[configuration]\r\nglobalinterval=5\r\n";
        return p;
    }

    QStringList leftovers() const {
        return QDir(dir.filePath("usb/MEDIA")).entryList({"*.part"}, QDir::Files);
    }
};

}  // namespace

TEST_F(CopyFixture, CopiesEveryFileThenWritesTheListAndReportsEachStep) {
    ASSERT_TRUE(QDir().mkpath(dst("")));
    ASSERT_TRUE(writeFile(dst("a.jpg"), "old"));
    const CopyPlan p = plan({{src("a.jpg"), dst("a.jpg"), 0}, {src("b.mp4"), dst("b.mp4"), 1}});
    std::atomic<bool> cancel{false};
    QStringList seen;
    const CopyOutcome out = runCopyPlan(p, cancel, [&](int step, int steps, const QString& s) {
        seen << QStringLiteral("%1/%2 %3").arg(step).arg(steps).arg(QFileInfo(s).fileName());
    });
    EXPECT_EQ(out.status, CopyOutcome::Status::Done);
    EXPECT_EQ(out.copied, 2);
    EXPECT_EQ(seen, (QStringList{"0/2 a.jpg", "1/2 b.mp4"}));
    EXPECT_EQ(readFile(dst("a.jpg")), "AAA");  // replaced
    EXPECT_EQ(readFile(dst("b.mp4")), readFile(src("b.mp4")));
    EXPECT_EQ(readFile(dst("playlist.mpl")), p.finalBytes);
    EXPECT_TRUE(leftovers().isEmpty());

    // A file copied onto itself stays whole.
    const CopyOutcome same = runCopyPlan(plan({{src("a.jpg"), src("a.jpg"), 0}}), cancel);
    EXPECT_EQ(same.status, CopyOutcome::Status::Done);
    EXPECT_EQ(readFile(src("a.jpg")), "AAA");
}

TEST_F(CopyFixture, AFailedCopyIsNamedWithItsReasonAndNoListIsWritten) {
    QDir().mkpath(dir.filePath("usb"));
    ASSERT_TRUE(writeFile(dir.filePath("usb/blocked"), "a file where a folder belongs"));
    const CopyPlan p = plan({{src("missing.avi"), dst("missing.avi"), 0},
                             {src("a.jpg"), dir.filePath("usb/blocked/a.jpg"), 1},
                             {src("b.mp4"), dst("b.mp4"), 2}});
    std::atomic<bool> cancel{false};
    const CopyOutcome out = runCopyPlan(p, cancel);
    EXPECT_EQ(out.status, CopyOutcome::Status::Failed);
    ASSERT_EQ(out.failures.size(), 2);
    EXPECT_TRUE(out.failures[0].startsWith(src("missing.avi") + ": ")) << out.failures[0].toStdString();
    EXPECT_TRUE(out.failures[0].contains("does not exist"));
    EXPECT_TRUE(out.failures[1].startsWith(src("a.jpg") + ": ")) << out.failures[1].toStdString();
    // The copies that could be made were made, but no list names the missing ones.
    EXPECT_EQ(out.copied, 1);
    EXPECT_FALSE(QFile::exists(p.finalPath));

    // A list that cannot be written is a failure too.
    CopyPlan listBlocked = plan({{src("a.jpg"), dst("a.jpg"), 0}});
    listBlocked.finalPath = dir.filePath("usb/blocked/playlist.mpl");
    const CopyOutcome out2 = runCopyPlan(listBlocked, cancel);
    EXPECT_EQ(out2.status, CopyOutcome::Status::Failed);
    ASSERT_EQ(out2.failures.size(), 1);
    EXPECT_TRUE(out2.failures[0].startsWith(listBlocked.finalPath + ": ")) << out2.failures[0].toStdString();
}

TEST_F(CopyFixture, ACancelStopsInsideAFileAndLeavesNoPartOrList) {
    ASSERT_TRUE(QDir().mkpath(dst("")));
    ASSERT_TRUE(writeFile(dst("b.mp4"), "the earlier good copy"));
    const CopyPlan p = plan({{src("a.jpg"), dst("a.jpg"), 0}, {src("b.mp4"), dst("b.mp4"), 1}});
    std::atomic<bool> cancel{false};
    const CopyOutcome out = runCopyPlan(p, cancel, [&](int step, int, const QString&) {
        if (step == 1) cancel = true;  // while the big file is on its way
    });
    EXPECT_EQ(out.status, CopyOutcome::Status::Cancelled);
    EXPECT_EQ(out.copied, 1);
    EXPECT_EQ(readFile(dst("b.mp4")), "the earlier good copy");
    EXPECT_TRUE(leftovers().isEmpty());
    EXPECT_FALSE(QFile::exists(p.finalPath));
}

TEST_F(CopyFixture, AJobRunsOffTheCallingThreadAndReportsThroughSignals) {
    CCopyJob job(plan({{src("a.jpg"), dst("a.jpg"), 0}, {src("b.mp4"), dst("b.mp4"), 1}}));
    QSignalSpy progress(&job, &CCopyJob::progress);
    QSignalSpy finished(&job, &CCopyJob::finished);
    job.start();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(progress.count(), 2);
    EXPECT_EQ(finished.at(0).at(0).value<CopyOutcome>().status, CopyOutcome::Status::Done);
    EXPECT_EQ(readFile(dst("playlist.mpl")), job.plan().finalBytes);

    // Cancelled before it could begin: nothing is copied.
    CCopyJob cancelled(plan({{src("a.jpg"), dir.filePath("usb/COPY/a.jpg"), 0}}));
    QSignalSpy done(&cancelled, &CCopyJob::finished);
    cancelled.cancel();
    cancelled.start();
    ASSERT_TRUE(done.wait(10000));
    EXPECT_EQ(done.at(0).at(0).value<CopyOutcome>().status, CopyOutcome::Status::Cancelled);
    EXPECT_FALSE(QFile::exists(dir.filePath("usb/COPY/a.jpg")));
}

TEST(RemovableVolumes, TargetFoldersAndNames) {
    EXPECT_EQ(copyAllFolderPath("/media/op/STICK", CopyAllFolder::Root), "/media/op/STICK");
    EXPECT_EQ(copyAllFolderPath("/media/op/STICK", CopyAllFolder::Media), "/media/op/STICK/MEDIA");
    EXPECT_EQ(copyAllFolderPath("/media/op/STICK", CopyAllFolder::Sync), "/media/op/STICK/SYNC");
    EXPECT_EQ((RemovableVolume{"/media/op/STICK", "STICK"}).displayName(), "STICK (/media/op/STICK)");
    EXPECT_EQ((RemovableVolume{"/run/media/op/x", ""}).displayName(), "/run/media/op/x");
    // Whatever this machine has mounted, only writable volumes are listed, in order.
    const auto volumes = removableVolumes();
    for (size_t i = 1; i < volumes.size(); ++i)
        EXPECT_LT(volumes[i - 1].mountPoint, volumes[i].mountPoint);
}
