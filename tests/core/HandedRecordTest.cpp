// The console's record of what it handed to each group, on real files.
#include "core/HandedRecord.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using lum::CHandedRecord;
using Slot = CHandedRecord::Slot;

TEST(HandedRecord, EachHandOverReplacesOnlyItsOwnSlotOfItsGroup) {
    QTemporaryDir dir;
    const QString a = dir.filePath("a.mpl"), b = dir.filePath("b.mpl"), m = dir.filePath("m.jpg");
    for (const QString& f : {a, b, m}) ASSERT_TRUE(lumtest::writeFile(f, "x"));
    CHandedRecord record(dir.path());
    EXPECT_FALSE(record.exists());
    EXPECT_TRUE(record.handedTo("Home").files.isEmpty());

    ASSERT_TRUE(record.setHanded("Home", Slot::Current, {a}, {m}));
    ASSERT_TRUE(record.setHanded("home", Slot::Auto, {b}, {}));  // names compare without case
    ASSERT_TRUE(record.setHanded("Shop", Slot::Current, {b}, {}));
    EXPECT_EQ(record.filePath(), dir.filePath("server data/handed.json"));
    CHandedRecord::Entries home = CHandedRecord(dir.path()).handedTo("HOME");
    EXPECT_EQ(home.playlists, (QSet<QString>{a, b}));
    EXPECT_EQ(home.files, (QSet<QString>{a, b, m}));

    // A new EZ-Play replaces what the last one handed, and nothing else.
    ASSERT_TRUE(record.setHanded("Home", Slot::Current, {b}, {}));
    home = record.handedTo("Home");
    EXPECT_EQ(home.files, (QSet<QString>{b}));
    // The instant picture is every group's.
    ASSERT_TRUE(record.setHandedToAll(Slot::Instant, {m}));
    EXPECT_TRUE(record.handedTo("Lobby").files.contains(m));
    EXPECT_FALSE(record.handedTo("Lobby").playlists.contains(m));

    ASSERT_TRUE(record.renameGroup("shop", "Store"));
    EXPECT_TRUE(record.handedTo("Store").playlists.contains(b));
    EXPECT_FALSE(record.handedTo("Shop").playlists.contains(b));
    ASSERT_TRUE(record.removeGroup("STORE"));
    EXPECT_FALSE(record.handedTo("Store").playlists.contains(b));
}

TEST(HandedRecord, PathsAreKeptAsTheyWereAtTheHandOver) {
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("media"));
    const QString real = dir.filePath("media/clip.jpg");
    ASSERT_TRUE(lumtest::writeFile(real, "x"));
    ASSERT_TRUE(QFile::link(dir.filePath("media"), dir.filePath("alias")));
    CHandedRecord record(dir.path());
    // Named through a link and with "\" and "..": recorded as the file it is.
    ASSERT_TRUE(record.setHanded("Home", Slot::Current, {},
                                 {dir.filePath("alias\\..\\media\\clip.jpg").replace('/', '\\')}));
    EXPECT_EQ(record.handedTo("Home").files, QSet<QString>{CHandedRecord::canonical(real)});
    EXPECT_EQ(CHandedRecord::canonical("relative/name.jpg"), QString());
    // A damaged record hands nothing out.
    ASSERT_TRUE(lumtest::writeFile(record.filePath(), "{ not json"));
    EXPECT_TRUE(record.handedTo("Home").files.isEmpty());
}
