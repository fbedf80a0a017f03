#include "playlists/HomeGroup.h"

#include "accounts/UserStore.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::readFile;
using lumtest::writeFile;

namespace {

QByteArray crlf(const QString& lines) { return lines.toUtf8().replace("\n", "\r\n"); }

}  // namespace

TEST(HomeGroup, CreatedWithFolderAndStarterPlaylist) {
    QTemporaryDir dir;
    const QString program = dir.filePath("prog"), samples = dir.filePath("Samples");
    ASSERT_TRUE(QDir().mkpath(samples + "/nested"));
    ASSERT_TRUE(writeFile(samples + "/sample2.jpg", "JPEG-2"));
    ASSERT_TRUE(writeFile(samples + "/sample1.jpg", "JPEG1"));
    ASSERT_TRUE(writeFile(samples + "/sample.txt", "hello"));
    ASSERT_TRUE(writeFile(samples + "/notes.doc", "not media"));
    ASSERT_TRUE(writeFile(samples + "/nested/deep.jpg", "x"));

    CUserStore store(program);
    const HomeGroupReport report = ensureHomeGroup(store, program, samples);
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.homeCreated);
    EXPECT_TRUE(report.starterWritten);
    EXPECT_EQ(report.createdFolders, QStringList{program + "/Home"});

    CUserGroup home;
    ASSERT_TRUE(store.FindGroup("HOME", &home));
    EXPECT_EQ(home.name, "Home");
    EXPECT_EQ(home.autoPlaylist, program + "/Home/AutoPlaylist.mpl");
    EXPECT_TRUE(QFileInfo(program + "/Home").isDir());
    EXPECT_EQ(readFile(home.autoPlaylist),
              crlf(QString("[configuration]\nglobalinterval=5\n"
                           "[file0]\npath=%1/sample.txt\nsize=5\n"
                           "[file1]\npath=%1/sample1.jpg\nsize=5\n"
                           "[file2]\npath=%1/sample2.jpg\nsize=6\n")
                       .arg(samples)));

    // Written to users.dat: a fresh store sees it.
    CUserStore again(program);
    ASSERT_EQ(again.Load(), 1);
    EXPECT_TRUE(again.FindGroup("Home", nullptr));

    // Once there, nothing is touched again.
    const QByteArray usersDat = readFile(store.filePath());
    ASSERT_TRUE(writeFile(home.autoPlaylist, "edited"));
    const HomeGroupReport second = ensureHomeGroup(again, program, samples);
    EXPECT_TRUE(second.ok);
    EXPECT_FALSE(second.homeCreated);
    EXPECT_TRUE(second.createdFolders.isEmpty());
    EXPECT_EQ(readFile(home.autoPlaylist), QByteArray("edited"));
    EXPECT_EQ(readFile(store.filePath()), usersDat);
}

TEST(HomeGroup, MissingSamplesGiveAnEmptyStarterAndOtherFoldersAreMade) {
    QTemporaryDir dir;
    const QString program = dir.path();
    CUserStore store(program);
    CUserGroup lobby;
    lobby.name = "Lobby";
    ASSERT_EQ(store.AddGroup(lobby), 1);
    QDir(program + "/Lobby").removeRecursively();

    const HomeGroupReport report = ensureHomeGroup(store, program, dir.filePath("no-samples"));
    EXPECT_TRUE(report.ok);
    EXPECT_EQ(readFile(program + "/Home/AutoPlaylist.mpl"),
              QByteArray("[configuration]\r\nglobalinterval=5\r\n"));
    EXPECT_TRUE(QFileInfo(program + "/Lobby").isDir());
    EXPECT_TRUE(report.createdFolders.contains(program + "/Lobby"));
}

TEST(HomeGroup, OperatorsAutoPlaylistSurvivesALostStore) {
    QTemporaryDir dir;
    const QString program = dir.path();
    ASSERT_TRUE(QDir().mkpath(program + "/Home"));
    ASSERT_TRUE(writeFile(program + "/Home/AutoPlaylist.mpl", "[configuration]\r\nmute=ON\r\n"));
    CUserStore store(program);
    const HomeGroupReport report = ensureHomeGroup(store, program, QString());
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.homeCreated);
    EXPECT_FALSE(report.starterWritten);
    EXPECT_EQ(readFile(program + "/Home/AutoPlaylist.mpl"),
              QByteArray("[configuration]\r\nmute=ON\r\n"));
}

TEST(HomeGroup, UncreatableFolderIsReported) {
    QTemporaryDir dir;
    const QString program = dir.filePath("prog");
    ASSERT_TRUE(QDir().mkpath(program));
    // A plain file where the folder should go.
    ASSERT_TRUE(writeFile(program + "/Home", "in the way"));
    CUserStore store(program);
    const HomeGroupReport report = ensureHomeGroup(store, program, QString());
    EXPECT_FALSE(report.ok);
    EXPECT_TRUE(report.failedFolders.contains(program + "/Home"));
    EXPECT_FALSE(report.starterWritten);
}
