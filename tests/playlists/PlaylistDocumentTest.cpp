#include "playlists/PlaylistDocument.h"

#include "core/FixedNames.h"
#include "core/OperatorPrompt.h"
#include "playlists/PlaylistTexts.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::readFile;
using lumtest::RecordingPrompt;
using lumtest::writeFile;

namespace {

PlaylistRow row(const QByteArray& path, int size = 0) {
    PlaylistRow r;
    r.item.setPathAndName(path);
    r.item.size = size;
    return r;
}

PlaylistItem zoneItem(const QByteArray& path, int size, int period) {
    PlaylistItem item = row(path, size).item;
    item.period = period;
    return item;
}

QByteArray crlf(const char* lines) { return QByteArray(lines).replace("\n", "\r\n"); }

}  // namespace

TEST(PlaylistSave, EmptyPlaylistHasOnlyConfiguration) {
    QTemporaryDir dir;
    CPlaylistDocument doc;
    const QString path = dir.filePath("p.mpl");
    // Nothing of an old file survives.
    ASSERT_TRUE(writeFile(path, "[file0]\r\npath=/old.jpg\r\n[configuration]\r\nmute=ON\r\n"));
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(readFile(path), crlf("[configuration]\nglobalinterval=5\n"));

    doc.settings().setDeleteFilesChoice(1);
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(readFile(path), crlf("[command]\nformat=ON\n[configuration]\nglobalinterval=5\n"));

    // "Files in the playlist" lives on the items: with none, nothing shows.
    doc.settings().setDeleteFilesChoice(3);
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(readFile(path), crlf("[configuration]\nglobalinterval=5\n"));

    ASSERT_TRUE(writeFile(dir.filePath("file"), "x"));
    EXPECT_FALSE(doc.Save(dir.filePath("file/p.mpl")));  // unwritable target: a failure
}

TEST(PlaylistSave, DownloadTimeWithoutZerosStartTimeWithZeros) {
    QTemporaryDir dir;
    CPlaylistDocument doc;
    doc.settings().globalInterval = 10;
    doc.settings().downloadSchedule = true;
    doc.settings().downloadHour = 7;
    doc.settings().downloadMinute = 5;
    PlaylistRow r = row("/m/a.mpg", 100);
    r.cells.duration = " 12 ";
    r.cells.fromTime = "0705";
    r.cells.toTime = " 09:30 ";
    doc.appendRow(r);
    const QString path = dir.filePath("p.mpl");
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(readFile(path), crlf("[configuration]\nglobalinterval=10\ndltime=7:5\n"
                                   "[file0]\npath=/m/a.mpg\nsize=100\nperiod=12\n"
                                   "starttime=07:05\nstoptime=09:30\n"));
}

TEST(PlaylistSave, EveryKeyInOrder) {
    CPlaylistDocument doc;
    auto& s = doc.settings();
    s.globalInterval = 99999;
    s.deleteNotInPlaylist = true;
    s.format = true;
    s.deleteInPlaylist = true;
    s.mute = true;
    PlaylistRow pic = row("/m/p.jpg", 5);
    PlaylistItem::setField(pic.item.host, "ftp://u:pw@site:21");
    pic.cells = {"7", "0800", "1200", "CROSS FADE", true, true};
    pic.item.fullScreen = 1;
    doc.appendRow(pic);
    PlaylistRow yuv = row("/m/big.yuv", 9);
    yuv.item.period = 3;  // replaced by the picture play time
    yuv.cells.dlOnly = true;
    doc.appendRow(yuv);
    PlaylistRow scroll = row(kScrollTextEndMarker);
    scroll.cells.transition = "Not a transition";
    doc.appendRow(scroll);
    EXPECT_EQ(doc.toBytes(),
              crlf("[command]\nformat=ON\ndelexpt=ON\n"
                   "[configuration]\nglobalinterval=99999\nmute=ON\n"
                   "[file0]\nhost=ftp://u:pw@site:21\npath=/m/p.jpg\nsize=5\nfileaction=DEL\n"
                   "period=7\nstarttime=08:00\nstoptime=12:00\ndlonly=1\nreload=1\n"
                   "transition=12\nfullscr=1\n"
                   "[file1]\npath=/m/big.yuv\nsize=9\nperiod=99999\n"
                   "[file2]\npath=ScrollText.End\nsize=0\nfileaction=DEL\n"));

    // With the global transition on, items carry none of their own.
    s = PlaylistSettings{};
    s.useGlobalTransition = true;
    s.globalTransition = 2;
    doc.rows().resize(1);
    doc.rows()[0].cells = {};
    doc.rows()[0].cells.transition = "ROLL:IMPLODE";
    doc.rows()[0].item.fullScreen = 0;
    EXPECT_EQ(doc.toBytes(), crlf("[configuration]\nglobalinterval=5\ntransition=2\n"
                                  "[file0]\nhost=ftp://u:pw@site:21\npath=/m/p.jpg\nsize=5\n"));
}

TEST(PlaylistSave, MultiZoneWritesZonesFirst) {
    CPlaylistDocument doc;
    doc.zoneItems().push_back(zoneItem("/m/logo_mz.yuv", 10, 30));
    doc.zoneItems().push_back(zoneItem("/m/top_tz1.yuv", 20, 40));
    PlaylistRow r = row("/m/a.jpg", 1);
    r.cells.dlOnly = true;
    r.cells.reload = true;
    r.cells.transition = "ROLL:LEFT TO RIGHT";
    doc.appendRow(r);
    doc.appendRow(row("/m/b.mpg", 2));

    // Off: the zone items stay out of the file.
    EXPECT_EQ(doc.toBytes(), crlf("[configuration]\nglobalinterval=5\n"
                                  "[file0]\npath=/m/a.jpg\nsize=1\ndlonly=1\nreload=1\n"
                                  "transition=6\n"
                                  "[file1]\npath=/m/b.mpg\nsize=2\n"));
    doc.setMultiZone(true);
    const QByteArray expected = crlf("[configuration]\nglobalinterval=5\n"
                                     "[file0]\npath=/m/logo_mz.yuv\nsize=10\nperiod=30\n"
                                     "[file1]\npath=/m/top_tz1.yuv\nsize=20\nperiod=40\n"
                                     "[file2]\npath=/m/a.jpg\nsize=1\ndlonly=1\nreload=1\n"
                                     "transition=6\n"
                                     "[file3]\npath=/m/b.mpg\nsize=2\n");
    EXPECT_EQ(doc.toBytes(), expected);

    // Reading it back: the first grid row is [file2] and its cells come from there.
    CPlaylistDocument back;
    back.loadFromBytes(expected, "/x/p.mpl");
    EXPECT_TRUE(back.multiZone());
    ASSERT_EQ(back.zoneItems().size(), 2u);
    EXPECT_EQ(back.zoneItems()[1].period, 40);
    ASSERT_EQ(back.rowCount(), 2);
    const PlaylistRow& first = back.rows()[0];
    EXPECT_EQ(std::tuple(first.item.pathText(), first.cells.dlOnly, first.cells.reload, first.cells.transition),
              std::tuple("/m/a.jpg", true, true, "ROLL:LEFT TO RIGHT"));
    EXPECT_FALSE(back.rows()[1].cells.dlOnly);
    EXPECT_EQ(back.toBytes(), expected);
}

TEST(PlaylistSave, TimeValidationStopsBeforeWriting) {
    QTemporaryDir dir;
    const QString path = dir.filePath("p.mpl");
    ASSERT_TRUE(writeFile(path, "keep"));
    CPlaylistDocument doc;
    doc.appendRow(row("/m/a.jpg"));
    doc.appendRow(row("/m/b.jpg"));
    RecordingPrompt prompt;
    // A malformed stop time is a format fault even without a start time.
    struct Case { const char *from, *to, *message; };
    for (const Case& c : {Case{"2400", "", playlist_texts::kTimeFormat},
                          Case{" ", "1030", playlist_texts::kStopNeedsStart},
                          Case{" ", "10:3", playlist_texts::kTimeFormat}}) {
        doc.rows()[1].cells.fromTime = c.from;
        doc.rows()[1].cells.toTime = c.to;
        prompt.messages.clear();
        EXPECT_FALSE(doc.Save(path, &prompt)) << c.from << "-" << c.to;
        EXPECT_EQ(prompt.messages, QStringList{c.message}) << c.from << "-" << c.to;
        EXPECT_EQ(readFile(path), QByteArray("keep"));
    }

    doc.rows()[1].cells.fromTime = "10:00";
    doc.rows()[1].cells.toTime = "1030";
    prompt.messages.clear();
    EXPECT_TRUE(doc.Save(path, &prompt));
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_TRUE(readFile(path).contains("starttime=10:00\r\nstoptime=10:30\r\n"));
}

TEST(PlaylistSave, TitleFollowsFirstSaveButPathStays) {
    QTemporaryDir dir;
    CPlaylistDocument doc("My Caption");
    const QString path = dir.filePath("p.mpl");
    ASSERT_TRUE(doc.Save(path));
    EXPECT_EQ(doc.title(), "Playlist Commander  ---   " + path);
    EXPECT_TRUE(doc.currentPath().isEmpty());

    ASSERT_TRUE(doc.Load(path));
    EXPECT_EQ(doc.title(), "My Caption  ---   " + path);
    EXPECT_EQ(doc.currentPath(), path);
}

TEST(PlaylistLoad, CommandAndConfigurationQuirks) {
    CPlaylistDocument doc;
    doc.loadFromBytes(crlf("[command]\nformat=\ndelexpt=NO\n[configuration]\nmute=off\n"
                           "transition=1\ndltime=21:45\n"),
                      "p");
    const PlaylistSettings& s = doc.settings();
    auto state = [&] {
        return std::tuple(s.format, s.deleteNotInPlaylist, s.mute, s.globalInterval,
                          s.useGlobalTransition, s.globalTransition, s.downloadSchedule);
    };
    // Any delexpt value turns it on; an absent interval reads 3.
    EXPECT_EQ(state(), std::tuple(false, true, true, 3, true, 1, true));
    EXPECT_EQ(std::tuple(s.deleteFilesChoice(), s.downloadHour, s.downloadMinute), std::tuple(2, 21, 45));

    doc.loadFromBytes(crlf("[command]\nformat=NO\n[configuration]\nglobalinterval=0\n"), "p");
    EXPECT_EQ(state(), std::tuple(true, false, false, 0, false, 0, false));
}

TEST(PlaylistLoad, ItemsStopAtFirstMissingPath) {
    QTemporaryDir dir;
    CPlaylistDocument doc;
    doc.appendRow(row("/old.jpg"));
    EXPECT_FALSE(doc.Load(dir.filePath("none.mpl")));  // unreadable: document untouched
    EXPECT_EQ(doc.rowCount(), 1);
    doc.loadFromBytes(crlf("[file0]\npath=/m/a.mpg\nsize=12\n[file1]\nsize=3\n"
                           "[file2]\npath=/m/c.mpg\n"),
                      "p");
    ASSERT_EQ(doc.rowCount(), 1);
    EXPECT_EQ(doc.rows()[0].item.pathText(), "/m/a.mpg");
    EXPECT_EQ(doc.rows()[0].item.size, 12);

    doc.loadFromBytes(crlf("[file0]\npath=\n[file1]\npath=/m/b.mpg\n"), "p");
    EXPECT_EQ(doc.rowCount(), 0);
}

TEST(PlaylistLoad, ItemFields) {
    CPlaylistDocument doc;
    doc.loadFromBytes(crlf("[file0]\nhost=www.example.test\npath=/news/a.jpg\nsize=77\n"
                           "protocal=HTTP\nport=8080\nfileaction=DEL\nfullscr=2\nperiod=15\n"
                           "starttime=07:05\nstoptime=08:00\ntransition=13\n"
                           "[file1]\npath=C:\\m\\clip.mpg\nfileaction=del\ntransition=3\n"
                           "[file2]\npath=/m/week.sch\ntransition=4\n"
                           "[file3]\npath=/m/b.Yuv\n"
                           "[file4]\npath=/m/z_bz.YUV\nperiod=20\n"),
                      "p");
    ASSERT_EQ(doc.rowCount(), 4);
    const PlaylistItem& a = doc.rows()[0].item;
    EXPECT_EQ(std::tuple(a.hostText(), PlaylistItem::field(a.protocol), a.port, a.size, a.deleteAfter),
              std::tuple("www.example.test", "HTTP", 8080, 77, 1));
    EXPECT_EQ(std::tuple(a.fullScreen, a.period, PlaylistItem::field(a.startTime)),
              std::tuple(1, 15, "07:05"));
    // Transition 13 is outside the table.
    const PlaylistCells& cells = doc.rows()[0].cells;
    EXPECT_EQ(std::tuple(cells.fromTime, cells.toTime, cells.duration, cells.transition),
              std::tuple("07:05", "08:00", "15", ""));

    // fileaction must be "DEL" exactly; a clip is not a picture: no transition, no duration.
    const PlaylistRow& clip = doc.rows()[1];
    EXPECT_EQ(std::tuple(clip.item.fileNameText(), clip.item.deleteAfter, clip.cells.transition,
                         clip.cells.duration),
              std::tuple("clip.mpg", 0, "", ""));

    EXPECT_TRUE(doc.hasSchedule());
    EXPECT_EQ(doc.rows()[3].item.fileNameText(), "b.Yuv");  // main item: not ".yuv"

    ASSERT_EQ(doc.zoneItems().size(), 1u);
    EXPECT_TRUE(doc.multiZone());
    EXPECT_EQ(doc.zoneItems()[0].period, 20);
    EXPECT_TRUE(doc.settings().deleteInPlaylist);
}

TEST(PlaylistLoad, ScheduleNeedsTransitionInRange) {
    CPlaylistDocument doc;
    doc.setHasSchedule(true);
    doc.loadFromBytes(crlf("[file0]\npath=/m/week.sch\ntransition=20\n"), "p");
    EXPECT_FALSE(doc.hasSchedule());
    EXPECT_FALSE(doc.multiZone());
    doc.removeRow(0);
    doc.appendRow(row("/m/w.sch"));
    EXPECT_TRUE(doc.hasSchedule());
    doc.removeRow(0);
    EXPECT_FALSE(doc.hasSchedule());
}

TEST(PlaylistRoundTrip, SaveLoadSaveKeepsBytes) {
    QTemporaryDir dir;
    CPlaylistDocument doc;
    auto& s = doc.settings();
    s.globalInterval = 12;
    s.format = true;
    s.deleteNotInPlaylist = true;
    s.deleteInPlaylist = true;
    s.mute = true;
    s.downloadSchedule = true;
    s.downloadHour = 23;
    s.downloadMinute = 0;
    doc.setMultiZone(true);
    doc.zoneItems().push_back(zoneItem("/m/x_bz.yuv", 4, 60));
    PlaylistRow a = row("/m/p.jpeg", 50);
    a.cells = {"9", "0000", "2359", "BLIND:LEFT TO RIGHT", true, false};
    a.item.fullScreen = 1;
    doc.appendRow(a);
    doc.appendRow(row(kTvFeedMarker));
    PlaylistRow web = row("/news/today.mpg", 4096);
    PlaylistItem::setField(web.item.host, "media.example.test");
    doc.appendRow(web);
    doc.appendRow(row("/m/week.sch", 33));

    const QString p1 = dir.filePath("one.mpl"), p2 = dir.filePath("two.mpl");
    ASSERT_TRUE(doc.Save(p1));
    CPlaylistDocument back;
    ASSERT_TRUE(back.Load(p1));
    EXPECT_TRUE(back.hasSchedule());
    EXPECT_EQ(back.settings().deleteFilesChoice(), 1);
    ASSERT_TRUE(back.Save(p2));
    EXPECT_EQ(readFile(p2), readFile(p1));
}

TEST(PlaylistCopy, CopiesLocalMediaUnderZoneNames) {
    QTemporaryDir dir;
    const QString src = dir.filePath("src"), dst = dir.filePath("drive/MEDIA");
    ASSERT_TRUE(QDir().mkpath(src + "/sub"));
    ASSERT_TRUE(writeFile(src + "/logo_mz.yuv", "LOGO"));
    ASSERT_TRUE(writeFile(src + "/tz1.yuv", "TZ"));
    ASSERT_TRUE(writeFile(src + "/a_mz.Yuv", "AMZ"));
    ASSERT_TRUE(writeFile(src + "/pic%1.jpg", "PIC"));
    ASSERT_TRUE(QDir().mkpath(dst));
    ASSERT_TRUE(writeFile(dst + "/pic%1.jpg", "OLD CONTENT THAT IS LONGER"));

    CPlaylistDocument doc;
    doc.setMultiZone(true);
    doc.zoneItems().push_back(zoneItem(QFile::encodeName(src + "/logo_mz.yuv"), 4, 10));
    doc.zoneItems().push_back(zoneItem(QFile::encodeName(src + "/tz1.yuv"), 2, 10));
    doc.appendRow(row(QFile::encodeName(src + "/a_mz.Yuv"), 3));
    doc.appendRow(row(QFile::encodeName(src + "/pic%1.jpg"), 3));
    doc.appendRow(row(QFile::encodeName(src + "/missing.mpg"), 1));
    PlaylistRow web = row("/remote/only.mpg", 1);
    PlaylistItem::setField(web.item.host, "media.example.test");
    doc.appendRow(web);  // remote: its path names a file on the web server
    doc.appendRow(row(kScrollTextEndMarker));

    const CopyPlan plan = doc.copyAllPlan(dst);
    const QString playlist = dst + "/" + lum::fixed_names::kCurrentPlaylist;
    EXPECT_EQ(plan.finalPath, playlist);
    QStringList statuses;
    std::atomic<bool> cancel{false};
    CopyOutcome out = runCopyPlan(plan, cancel, [&](int step, int steps, const QString& source) {
        statuses << copyingStatusText(source, step, steps);
    });

    // logo_mz.yuv went first as logozone.yuv; the main item a_mz.Yuv (any-case extension)
    // took the same name later and replaced it.
    EXPECT_EQ(readFile(dst + "/logozone.yuv"), QByteArray("AMZ"));
    EXPECT_EQ(readFile(dst + "/tz1.yuv"), QByteArray("TZ"));
    EXPECT_EQ(readFile(dst + "/pic%1.jpg"), QByteArray("PIC"));
    EXPECT_FALSE(QFile::exists(dst + "/a_mz.Yuv"));
    ASSERT_EQ(statuses.size(), 5);  // the remote item and the marker are not files
    EXPECT_EQ(statuses[0], QString("Copying... %1/logo_mz.yuv(0/5)").arg(src));
    EXPECT_EQ(statuses[3], "Copying... " + src + "/pic%1.jpg(1/5)");
    EXPECT_EQ(statuses[4], QString("Copying... %1/missing.mpg(2/5)").arg(src));

    // The missing file is named and no playlist on the drive lists it.
    EXPECT_EQ(out.status, CopyOutcome::Status::Failed);
    ASSERT_EQ(out.failures.size(), 1);
    EXPECT_TRUE(out.failures[0].startsWith(src + "/missing.mpg: "));
    EXPECT_EQ(QDir(dst).entryList(QDir::Files, QDir::Name),
              (QStringList{"logozone.yuv", "pic%1.jpg", "tz1.yuv"}));

    // Without it the playlist arrives last, naming the sources.
    doc.removeRow(2);
    out = runCopyPlan(doc.copyAllPlan(dst), cancel);
    EXPECT_EQ(out.status, CopyOutcome::Status::Done);
    const QByteArray written = readFile(playlist);
    EXPECT_TRUE(written.contains("path=" + QFile::encodeName(src) + "/logo_mz.yuv\r\n"));
    EXPECT_EQ(written, doc.toBytes());
}

TEST(PlaylistDocument, RowsMoveWithTheirCellsAndClearKeepsWhatItShould) {
    CPlaylistDocument doc;
    PlaylistRow a = row("/m/a.jpg"), b = row("/m/b.jpg");
    a.cells.duration = "1";
    b.cells.duration = "2";
    doc.appendRow(a);
    doc.appendRow(b);
    EXPECT_FALSE(doc.moveRowUp(0));
    EXPECT_FALSE(doc.moveRowDown(1));
    EXPECT_TRUE(doc.moveRowDown(0));
    EXPECT_EQ(doc.rows()[1].item.fileNameText(), "a.jpg");
    EXPECT_EQ(doc.rows()[1].cells.duration, "1");

    doc.zoneItems().push_back(zoneItem("/m/z_mz.yuv", 1, 1));
    doc.settings().mute = true;
    doc.clearRows();  // File "New": zone list and settings stay
    EXPECT_EQ(std::tuple(doc.rowCount(), doc.zoneItems().size(), doc.settings().mute), std::tuple(0, 1u, true));
    doc.setCurrentPath("/x.mpl");
    doc.clearAll();
    EXPECT_EQ(std::tuple(doc.zoneItems().empty(), doc.settings().mute, doc.currentPath()), std::tuple(true, false, ""));
}

TEST(PlaylistRoundTrip, ALineBreakInsideAValueIsReadAsSavingWritesIt) {
    // "path=...jpg<CR>/m": saving writes the path up to the break, so loading holds that path
    // (a picture named sample.jpg), and a second save writes the same bytes as the first.
    CPlaylistDocument doc;
    doc.loadFromBytes("[configuration]\r\nglobalinterval=3\r\n[file0]\r\npath=/m/sample.jpg\r/x\n"
                      "size=46\r\nhost=h\rx\r\n",
                      "p");
    ASSERT_EQ(doc.rowCount(), 1);
    EXPECT_EQ(PlaylistItem::field(doc.rows()[0].item.path), "/m/sample.jpg");
    EXPECT_EQ(PlaylistItem::field(doc.rows()[0].item.filename), "sample.jpg");
    EXPECT_EQ(PlaylistItem::field(doc.rows()[0].item.host), "h");
    const QByteArray first = doc.toBytes();
    CPlaylistDocument again;
    again.loadFromBytes(first, "p");
    EXPECT_EQ(again.toBytes(), first);

    // A path that starts with NUL is no path: the list ends there, as it will once saved.
    CPlaylistDocument nul;
    nul.loadFromBytes(QByteArray("[file0]\r\npath=\0/m/a.jpg\r\n[file1]\r\npath=/m/b.jpg\r\n", 49), "p");
    EXPECT_EQ(nul.rowCount(), 0);
}
