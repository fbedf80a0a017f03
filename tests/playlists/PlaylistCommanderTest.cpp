#include "playlists/PlaylistCommander.h"

#include "playlists/PlaylistTexts.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QDir>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

using namespace lum;
using lumtest::RecordingPrompt;
using lumtest::writeFile;
namespace texts = playlist_texts;
using Grid = PlaylistGridModel;

namespace {

PlaylistItem item(const QByteArray& path, int size = 0) {
    PlaylistItem i;
    i.setPathAndName(path);
    i.size = size;
    return i;
}

struct CommanderFixture : ::testing::Test {
    RecordingPrompt prompt;
    PlaylistCommander commander{prompt};
    std::unique_ptr<QAbstractItemModelTester> gridTester, sourceTester;

    void SetUp() override {
        gridTester = std::make_unique<QAbstractItemModelTester>(
            commander.grid(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        sourceTester = std::make_unique<QAbstractItemModelTester>(
            commander.sources(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    Grid* grid() { return commander.grid(); }
    QString cell(int row, int col) { return grid()->index(row, col).data().toString(); }
    QStringList names() {
        QStringList out;
        for (int r = 0; r < grid()->rowCount(); ++r) out << cell(r, Grid::NameColumn);
        return out;
    }
    QStringList seq() {
        QStringList out;
        for (int r = 0; r < grid()->rowCount(); ++r) out << cell(r, Grid::SeqColumn);
        return out;
    }
    void add(std::initializer_list<const char*> paths) {
        for (const char* p : paths) ASSERT_GE(commander.addItem(item(p)), 0);
    }
    bool edit(int row, int col, const QString& text) {
        return grid()->setData(grid()->index(row, col), text);
    }
};

}  // namespace

TEST_F(CommanderFixture, InsertAfterTheSelectedRowRenumbersAndKeepsTheOrderOfSeveralFiles) {
    add({"/m/a.jpg", "/m/b.jpg", "/m/c.jpg"});
    EXPECT_EQ(seq(), (QStringList{"1", "2", "3"}));
    // With the second row selected a file becomes the third row.
    EXPECT_EQ(commander.addItem(item("/m/x.jpg"), 1), 2);
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.jpg", "x.jpg", "c.jpg"}));
    EXPECT_EQ(seq(), (QStringList{"1", "2", "3", "4"}));
    // Nothing selected: appended.
    EXPECT_EQ(commander.addItem(item("/m/y.jpg"), -1), 4);

    // ">" from the file list: in list order after the selected row, the FTP host on each.
    commander.sources()->setSources({item("/r/p.mpg", 10), item("/r/q.mpg", 20)});
    EXPECT_EQ(commander.addSources({0, 1}, 0, "ftp://u:pw@host:21"), (QList<int>{1, 2}));
    EXPECT_EQ(names().mid(0, 4), (QStringList{"a.jpg", "p.mpg", "q.mpg", "b.jpg"}));
    const PlaylistRow& p = commander.document().rows()[1];
    EXPECT_EQ(p.item.hostText(), "ftp://u:pw@host:21");
    EXPECT_EQ(p.item.size, 10);
    // The grid shows the site and the path, never the login and password.
    EXPECT_EQ(cell(1, Grid::PathColumn), "ftp://host:21/r/p.mpg");
    // ">>": every row, appended when nothing is selected; without a host on the local tab.
    EXPECT_EQ(commander.addAllSources(-1), (QList<int>{7, 8}));
    EXPECT_TRUE(commander.document().rows()[8].item.hostText().isEmpty());
    EXPECT_EQ(seq().last(), "9");
}

TEST_F(CommanderFixture, OnlyOneScheduleAndItsFlagFollowsDeleteNewAndClear) {
    add({"/m/a.jpg"});
    ASSERT_EQ(commander.addItem(item("/m/week.sch")), 1);
    EXPECT_TRUE(commander.document().hasSchedule());
    EXPECT_EQ(commander.addItem(item("/m/week.sch")), -1);
    EXPECT_EQ(commander.addItem(item("/m/other.sch")), -1);
    EXPECT_EQ(prompt.messages, (QStringList(2, texts::kOnlyOneSchedule)));
    EXPECT_EQ(commander.rowCount(), 2);
    // ".sch" at the first character is no schedule.
    EXPECT_GE(commander.addItem(item("/m/.sch")), 0);

    commander.deleteRows({1});
    EXPECT_FALSE(commander.document().hasSchedule());
    ASSERT_GE(commander.addItem(item("/m/week.sch")), 0);
    // File "New" takes the schedule item away, and with it the refusal.
    commander.newFile();
    EXPECT_GE(commander.addItem(item("/m/week.sch")), 0);
    commander.clear();
    EXPECT_GE(commander.addItem(item("/m/week.sch")), 0);
    EXPECT_EQ(prompt.messages.size(), 2);
}

TEST_F(CommanderFixture, MovesTakeTheCellsAlongAndStopAtTheFirstOrLastSelectedRow) {
    add({"/m/a.jpg", "/m/b.jpg", "/m/c.jpg", "/m/d.jpg"});
    ASSERT_TRUE(edit(2, Grid::DurationColumn, "30"));
    ASSERT_TRUE(grid()->setData(grid()->index(2, Grid::ReloadColumn), Qt::Checked, Qt::CheckStateRole));

    EXPECT_EQ(commander.moveUp({2, 1}), (QList<int>{0, 1}));
    EXPECT_EQ(names(), (QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"}));
    EXPECT_EQ(cell(1, Grid::DurationColumn), "30");
    EXPECT_EQ(grid()->index(1, Grid::ReloadColumn).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(seq(), (QStringList{"1", "2", "3", "4"}));

    // The first selected row is already first: nothing moves.
    EXPECT_EQ(commander.moveUp({0, 2}), (QList<int>{0, 2}));
    EXPECT_EQ(names(), (QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"}));
    // Down goes from the bottom: the last row stops the whole move.
    EXPECT_EQ(commander.moveDown({1, 3}), (QList<int>{1, 3}));
    EXPECT_EQ(names(), (QStringList{"b.jpg", "c.jpg", "a.jpg", "d.jpg"}));
    EXPECT_EQ(commander.moveDown({0, 1}), (QList<int>{1, 2}));
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    EXPECT_EQ(cell(2, Grid::DurationColumn), "30");
}

TEST_F(CommanderFixture, CellChecksShowTheTextAndEmptyTheCell) {
    add({"/m/a.jpg", "/m/v.mpg", "ScrollText.End"});
    struct Case {
        int col;
        const char* typed;
        const char* kept;  // what the cell holds afterwards
        const char* message;
    } cases[] = {
        {Grid::DurationColumn, "30", "30", nullptr},
        {Grid::DurationColumn, "12a", "", texts::kOnlyNumeric},
        {Grid::DurationColumn, " 5", "", texts::kOnlyNumeric},
        {Grid::DurationColumn, "", "", nullptr},
        {Grid::FromColumn, "0930", "0930", nullptr},
        {Grid::FromColumn, "2400", "", texts::kTimeFormat},
        {Grid::ToColumn, "23:59", "23:59", nullptr},
        {Grid::ToColumn, "9:30", "", texts::kTimeFormat},
        {Grid::ToColumn, "0960", "", texts::kTimeFormat},
    };
    for (const Case& c : cases) {
        prompt.messages.clear();
        EXPECT_TRUE(edit(0, c.col, QString::fromLatin1(c.typed))) << c.typed;
        EXPECT_EQ(cell(0, c.col), QString::fromLatin1(c.kept)) << c.typed;
        EXPECT_EQ(prompt.messages, c.message ? QStringList{c.message} : QStringList{}) << c.typed;
    }
    // The Transition cell is a picture's only, and takes table entries only.
    EXPECT_TRUE(grid()->flags(grid()->index(0, Grid::TransitionColumn)) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid()->flags(grid()->index(1, Grid::TransitionColumn)) &
                 (Qt::ItemIsEditable | Qt::ItemIsEnabled));
    EXPECT_TRUE(edit(0, Grid::TransitionColumn, "CROSS FADE"));
    EXPECT_FALSE(edit(0, Grid::TransitionColumn, "cross fade"));
    EXPECT_FALSE(edit(1, Grid::TransitionColumn, "CROSS FADE"));
    EXPECT_EQ(cell(0, Grid::TransitionColumn), "CROSS FADE");
    // Check cells; the scroll-text marker row has no editable cells.
    EXPECT_TRUE(grid()->setData(grid()->index(1, Grid::DlOnlyColumn), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(commander.document().rows()[1].cells.dlOnly);
    EXPECT_FALSE(grid()->flags(grid()->index(2, Grid::DurationColumn)) & Qt::ItemIsEditable);
    EXPECT_FALSE(edit(2, Grid::DurationColumn, "5"));
    EXPECT_FALSE(edit(0, Grid::NameColumn, "other.jpg"));
}

TEST_F(CommanderFixture, FullScreenLeavesTextAndZoneImageRowsAlone) {
    add({"/m/a.jpg", "/m/n.txt", "/m/N.TXT", "/m/z.yuv", "/m/Z.YUV", "/m/w.Yuv", "/m/v.mpg"});
    commander.toggleFullScreen({0, 1, 2, 3, 4, 5, 6});
    QList<int> flags;
    for (const PlaylistRow& r : commander.document().rows()) flags << r.item.fullScreen;
    EXPECT_EQ(flags, (QList<int>{1, 0, 0, 0, 0, 1, 1}));
    commander.toggleFullScreen({0});
    EXPECT_EQ(commander.document().rows()[0].item.fullScreen, 0);

    // The rows show their state as images while Multi Zone is on, numbers otherwise.
    EXPECT_FALSE(grid()->index(5, Grid::SeqColumn).data(Grid::RowImageRole).isValid());
    QSignalSpy zone(&commander, &PlaylistCommander::multiZoneChanged);
    commander.setMultiZone(true);
    EXPECT_EQ(zone.count(), 1);
    EXPECT_EQ(grid()->index(5, Grid::SeqColumn).data(Grid::RowImageRole).toInt(), 1);
    EXPECT_EQ(grid()->index(0, Grid::SeqColumn).data(Grid::RowImageRole).toInt(), 0);
    EXPECT_TRUE(cell(0, Grid::SeqColumn).isEmpty());
    commander.setMultiZone(false);
    EXPECT_EQ(cell(0, Grid::SeqColumn), "1");
}

TEST_F(CommanderFixture, NamesAreColouredAndTheGridKeepsItsColumns) {
    add({"/m/top_tz1.yuv", "/m/logo_mz.yuv", "/m/plain.yuv", "/m/_mz.yuv", "/m/a.jpg"});
    auto colour = [&](int r) { return grid()->index(r, Grid::NameColumn).data(Qt::ForegroundRole); };
    EXPECT_EQ(colour(0).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(colour(1).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(colour(2).value<QColor>(), QColor(Qt::blue));
    EXPECT_EQ(colour(3).value<QColor>(), QColor(Qt::blue));  // the marker must follow a character
    EXPECT_FALSE(colour(4).isValid());
    QStringList headings;
    QList<int> widths;
    for (int c = 0; c < grid()->columnCount(); ++c) {
        headings << grid()->headerData(c, Qt::Horizontal).toString();
        widths << grid()->headerData(c, Qt::Horizontal, Grid::ColumnWidthRole).toInt();
    }
    EXPECT_EQ(headings, (QStringList{"Seq.", "File Name", "File Path", "Duration/Times",
                                     "From hhmm", "To hhmm", "Transition", "Reload", "D/L Only"}));
    EXPECT_EQ(widths, (QList<int>{60, 80, 10, 65, 0, 0, 30, 30, 30}));
}

TEST_F(CommanderFixture, PseudoItemsClearAndNew) {
    add({"/m/a.jpg", "/m/b.jpg"});
    EXPECT_EQ(commander.addTvFeed(0), 1);
    EXPECT_EQ(commander.addScrollTextOff(), 3);
    EXPECT_EQ(names(), (QStringList{"a.jpg", "TV_FEED_ON", "b.jpg", "ScrollText.End"}));
    EXPECT_EQ(PlaylistItem::field(commander.document().rows()[1].item.path), "TV_FEED_ON");
    EXPECT_TRUE(grid()->flags(grid()->index(1, Grid::FromColumn)) & Qt::ItemIsEditable);

    commander.document().zoneItems().push_back(item("/m/l_mz.yuv"));
    PlaylistSettings s;
    s.globalInterval = 9;
    s.mute = true;
    commander.setSettings(s);
    commander.newFile();
    EXPECT_EQ(commander.rowCount(), 0);
    EXPECT_EQ(commander.document().zoneItems().size(), 1u);
    EXPECT_EQ(commander.settings().globalInterval, 9);

    add({"/m/a.jpg"});
    commander.document().setCurrentPath("/p/x.mpl");
    QSignalSpy title(&commander, &PlaylistCommander::titleChanged);
    ASSERT_TRUE(commander.save(QDir::temp().filePath("lum-commander-title-test.mpl")));
    QFile::remove(QDir::temp().filePath("lum-commander-title-test.mpl"));
    EXPECT_EQ(title.count(), 0);  // a playlist with a path keeps its title when saved
    commander.clear();
    EXPECT_EQ(commander.rowCount(), 0);
    EXPECT_TRUE(commander.document().zoneItems().empty());
    EXPECT_EQ(commander.settings().globalInterval, 5);
    EXPECT_FALSE(commander.settings().mute);
    EXPECT_TRUE(commander.document().currentPath().isEmpty());
    EXPECT_EQ(commander.title(), texts::kCommanderCaption);
}

TEST_F(CommanderFixture, SaveChecksThenWritesAndOpenReplacesEverything) {
    QTemporaryDir dir;
    const QString path = dir.filePath("show.mpl");
    EXPECT_FALSE(commander.readyToSave());  // an empty grid: nothing happens, nothing is said
    EXPECT_TRUE(prompt.messages.isEmpty());

    add({"/m/a.jpg", "/m/v.mpg"});
    ASSERT_TRUE(edit(1, Grid::ToColumn, "1200"));
    EXPECT_FALSE(commander.readyToSave());
    EXPECT_EQ(prompt.messages, (QStringList{texts::kStopNeedsStart, texts::kInvalidTime}));
    ASSERT_TRUE(edit(1, Grid::FromColumn, "0930"));
    ASSERT_TRUE(commander.readyToSave());
    QSignalSpy title(&commander, &PlaylistCommander::titleChanged);
    ASSERT_TRUE(commander.save(path));
    EXPECT_EQ(title.count(), 1);
    EXPECT_EQ(commander.title(), QString(texts::kCommanderCaption) + texts::kTitleSeparator + path);
    EXPECT_TRUE(commander.document().currentPath().isEmpty());  // saving never sets the path
    EXPECT_EQ(lumtest::readFile(path),
              QByteArray("[configuration]\r\nglobalinterval=5\r\n[file0]\r\npath=/m/a.jpg\r\nsize=0\r\n"
                         "[file1]\r\npath=/m/v.mpg\r\nsize=0\r\nstarttime=09:30\r\nstoptime=12:00\r\n"));

    // Open: a zone item ticks Multi Zone; the grid shows the file's rows.
    ASSERT_TRUE(writeFile(path, "[configuration]\r\nglobalinterval=7\r\n[file0]\r\npath=/m/l_mz.yuv\r\n"
                                "size=3\r\nperiod=4\r\n[file1]\r\npath=/m/b.jpg\r\nsize=1\r\ntransition=12\r\n"));
    QSignalSpy zone(&commander, &PlaylistCommander::multiZoneChanged);
    ASSERT_TRUE(commander.open(path));
    EXPECT_EQ(zone.count(), 1);
    EXPECT_TRUE(commander.multiZone());
    EXPECT_EQ(names(), QStringList{"b.jpg"});
    EXPECT_EQ(cell(0, Grid::TransitionColumn), "CROSS FADE");
    EXPECT_EQ(commander.settings().globalInterval, 7);
    EXPECT_EQ(commander.document().currentPath(), path);
    prompt.messages.clear();
    EXPECT_FALSE(commander.open(dir.filePath("none.mpl")));
    EXPECT_EQ(prompt.messages, QStringList{QString(texts::kCannotOpen) + dir.filePath("none.mpl")});
    EXPECT_EQ(names(), QStringList{"b.jpg"});  // unchanged
    ASSERT_TRUE(writeFile(dir.filePath("blocked"), "a file where a folder belongs"));
    EXPECT_FALSE(commander.save(dir.filePath("blocked/x.mpl")));
    EXPECT_TRUE(prompt.messages.last().startsWith(texts::kCannotSave));
}

TEST_F(CommanderFixture, FileTypeFiltersListAndTheirSideEffects) {
    QTemporaryDir dir;
    for (const char* n : {"a.jpg", "B.JPEG", "week.sch", "show.MPL", "school.jpg", "z_mz.yuv",
                          "Z2.YUV", "notes.doc", "noext"})
        ASSERT_TRUE(writeFile(dir.filePath(n), "12345"));
    QDir().mkpath(dir.filePath("sub.jpg"));  // a folder is never listed
    // A path longer than an item holds would be cut into another file's name: not offered.
    const QString deep = dir.filePath(QString(120, 'd'));
    QDir().mkpath(deep);
    ASSERT_TRUE(writeFile(deep + "/" + QString(90, 'n') + ".jpg", "x"));
    commander.listFolder(deep);
    EXPECT_EQ(commander.sources()->rowCount(), 0);
    auto listed = [&] {
        QStringList out;
        for (int r = 0; r < commander.sources()->rowCount(); ++r)
            out << commander.sources()->index(r, 0).data().toString();
        return out;
    };
    commander.listFolder(dir.path());
    EXPECT_EQ(listed(), (QStringList{"a.jpg", "B.JPEG", "school.jpg", "show.MPL", "week.sch",
                                     "Z2.YUV", "z_mz.yuv"}));
    EXPECT_EQ(commander.sources()->index(1, SourceListModel::TypeColumn).data().toString(), "JPEG");
    EXPECT_EQ(commander.sources()->index(1, SourceListModel::SizeColumn).data().toString(), "5");
    EXPECT_EQ(PlaylistItem::field(commander.sources()->sources()[0].path),
              QDir(dir.path()).filePath("a.jpg").toLatin1());

    add({"/m/a.jpg"});
    commander.document().setCurrentPath("/p/x.mpl");
    commander.setZoneFilter(true);
    commander.relist();
    EXPECT_EQ(listed(), (QStringList{"Z2.YUV", "z_mz.yuv"}));
    EXPECT_TRUE(commander.document().currentPath().isEmpty());
    EXPECT_EQ(commander.rowCount(), 1);  // "yuv" keeps the grid

    commander.setPlaylistFilter(true);  // unticks "yuv", empties the grid
    commander.relist();
    EXPECT_FALSE(commander.zoneFilter());
    EXPECT_EQ(listed(), (QStringList{"school.jpg", "show.MPL", "week.sch"}));
    EXPECT_EQ(commander.rowCount(), 0);
    commander.setZoneFilter(true);
    EXPECT_FALSE(commander.playlistFilter());
    commander.setZoneFilter(false);
    commander.relist();
    EXPECT_EQ(listed().size(), 7);

    // A player's storage report as the file list: directories and other files left out.
    const QString report = dir.filePath("filereport_00-11-22-33-44-55.zeb");
    ASSERT_TRUE(writeFile(report, "  a.mpg\tFile\t100\textra\r\nMEDIA\tDirectory\t0\r\nx.doc\tFile\t1\r\n"
                                  "b.jpg\tFile\t7\r\n"));
    commander.listPlayerStorage(report);
    EXPECT_EQ(listed(), (QStringList{"a.mpg", "b.jpg"}));
    EXPECT_EQ(commander.sources()->sources()[0].size, 100);
    EXPECT_EQ(PlaylistItem::field(commander.sources()->sources()[0].path), "a.mpg");
}

TEST(FileTypeFilter, WhichNamesPass) {
    struct Case {
        const char* name;
        bool all, playlists, zones;
    } cases[] = {
        {"a.jpg", true, false, false},    {"a.JPE", true, false, false},
        {"list.mpl", true, true, false},  {"week.SCH", true, true, false},
        {"mplayer.avi", true, true, false}, {"z.yuv", true, false, true},
        {"z.YuV", true, false, true},     {"z.yuv.bak", false, false, false},
        {"a.doc", false, false, false},   {"mpl", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(passesFileTypeFilter(c.name, FileTypeFilter::All), c.all) << c.name;
        EXPECT_EQ(passesFileTypeFilter(c.name, FileTypeFilter::PlaylistsAndSchedules), c.playlists) << c.name;
        EXPECT_EQ(passesFileTypeFilter(c.name, FileTypeFilter::ZoneImages), c.zones) << c.name;
    }
}

TEST(GroupDeviceList, GroupsInTableOrderThenTheirListedPlayers) {
    const std::vector<ListedPlayer> players = {
        {"p1", "lobby", "Alive"}, {"p2", "Hall", "Offline"}, {"p3", "Lobby", "S3:Playing"},
        {"p4", "Hall", "OFFLINE"}, {"p5", "Nowhere", "Alive"}};
    const std::vector<TargetEntry> entries = groupDeviceEntries({"Home", "Lobby", "Hall"}, players);
    EXPECT_EQ(entries, (std::vector<TargetEntry>{
                           {"Home", false}, {"Lobby", false}, {"--  p1", true}, {"--  p3", true},
                           {"Hall", false}}));
    EXPECT_FALSE(targetOfEntry("").has_value());
    EXPECT_EQ(targetOfEntry("Lobby")->kind, CommandTarget::Kind::Group);
    const auto player = targetOfEntry("--  p3");
    EXPECT_EQ(player->kind, CommandTarget::Kind::Player);
    EXPECT_EQ(player->name, "p3");
}
