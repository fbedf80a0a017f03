// The Playlist Commander's window driven through its controls: clicks and keys build a
// playlist, the saved bytes are compared, and the refusals show their texts.
#include "media/ui/DlgMPLEditor.h"
#include "media/ui/PlaylistSettingsDialog.h"
#include "playlists/PlaylistTexts.h"
#include "widgets/CopyProgress.h"
#include "widgets/RemovableDriveDialog.h"

#include "CommanderTestSupport.h"
#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::readFile;
using lumtest::writeFile;
namespace texts = playlist_texts;
using Grid = PlaylistGridModel;

namespace {

class CommanderWindowTest : public ::testing::Test, public lumtest::OnlinePlayers {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("profile"));
        QCoreApplication::setOrganizationName("ZEB Software Solutions-LUM");
        QCoreApplication::setApplicationName("LUM");
        media = dir.filePath("media");
        QDir().mkpath(media);
        for (const char* n : {"a.jpg", "b.jpg", "clip.mpg", "news.txt", "week.sch", "logo_mz.yuv"})
            ASSERT_TRUE(writeFile(media + '/' + n, QByteArray(n).repeated(3)));
        lumtest::addGroup(store, "Home");
        lumtest::addGroup(store, "Shop");
        lumtest::addUser(store, "s1", "Shop");
        lumtest::addUser(store, "s2", "Shop");
        CommanderServices s;
        s.programFolder = dir.path();
        s.startFolder = media;
        s.groups = [this] { return store.GroupNames(); };
        s.players = [this] {
            std::vector<ListedPlayer> out;
            for (const auto& r : online.records()) out.push_back({r.name, r.group, r.status});
            return out;
        };
        s.ezPlay = [this](const CommandTarget& t, CPlaylistDocument& doc) {
            ezPlays << t.name;
            lastEzPlay = doc.toBytes();
        };
        s.autoPlay = [this](const CommandTarget& t, CPlaylistDocument&) { autoPlays << t.name; };
        s.sender = &online;
        s.showStatus = [this](const QString& text) { statusTexts << text; };
        s.volumes = [this] { return volumes; };
        view = std::make_unique<CDlgMPLEditor>(s, prompt);
        view->setFileChooser(lumtest::ScriptedChooser::make(chooser));
        view->resize(1400, 420);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    QTableView* grid() { return view->grid(); }
    Grid* model() { return view->commander().grid(); }
    void click(const char* label) {
        QPushButton* b = view->button(label);
        ASSERT_NE(b, nullptr) << label;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Selects rows of a list the way the operator does: click, then Ctrl+click.
    void selectRows(QTableView* list, QList<int> rows) {
        list->clearSelection();
        for (int i = 0; i < rows.size(); ++i) {
            const QModelIndex index = list->model()->index(rows[i], 0);
            const QRect r = list->visualRect(index);
            QTest::mouseClick(list->viewport(), Qt::LeftButton,
                              i == 0 ? Qt::KeyboardModifiers() : Qt::ControlModifier, r.center());
        }
    }
    int fileRow(const QString& name) {
        for (int r = 0; r < view->commander().sources()->rowCount(); ++r)
            if (view->commander().sources()->index(r, 0).data().toString() == name) return r;
        return -1;
    }
    // Types into a grid cell through its editor and commits with Return.
    void type(int row, int col, const QString& text) {
        const QModelIndex index = grid()->model()->index(row, col);
        grid()->setCurrentIndex(index);
        grid()->edit(index);
        QWidget* editor = grid()->indexWidget(index);
        ASSERT_NE(editor, nullptr) << row << ' ' << col;
        if (auto* line = qobject_cast<QLineEdit*>(editor)) line->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // Return commits through a queued call: the editor closes once it is done.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !grid()->indexWidget(index); }));
    }
    void chooseTransition(int row, const QString& text) {
        const QModelIndex index = grid()->model()->index(row, Grid::TransitionColumn);
        grid()->setCurrentIndex(index);
        grid()->edit(index);
        auto* box = qobject_cast<QComboBox*>(grid()->indexWidget(index));
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(box->findText(text));
        QTest::keyClick(box, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !grid()->indexWidget(index); }));
    }
    void toggleCheck(int row, int col) {
        grid()->setCurrentIndex(grid()->model()->index(row, col));
        QTest::keyClick(grid(), Qt::Key_Space);
    }
    QStringList names() {
        QStringList out;
        for (int r = 0; r < model()->rowCount(); ++r)
            out << model()->index(r, Grid::NameColumn).data().toString();
        return out;
    }

    QString media;
    lumtest::RecordingPrompt prompt;
    std::unique_ptr<CDlgMPLEditor> view;
    QStringList ezPlays, autoPlays, statusTexts;
    QByteArray lastEzPlay;
    std::vector<RemovableVolume> volumes;
    std::shared_ptr<lumtest::ScriptedChooser> chooser = std::make_shared<lumtest::ScriptedChooser>();
};

}  // namespace

TEST_F(CommanderWindowTest, ClicksBuildAPlaylistWhoseSavedBytesAreExact) {
    ASSERT_EQ(view->commander().sources()->rowCount(), 6);
    // "From hhmm" and "To hhmm" hidden until widened, "File Path" nearly so; the others at
    // their widths, or as wide as their headings.
    EXPECT_GE(view->fileList()->horizontalHeader()->sectionSize(0), 100);
    EXPECT_EQ(grid()->columnWidth(Grid::FromColumn), 0);
    EXPECT_EQ(grid()->columnWidth(Grid::ToColumn), 0);
    EXPECT_EQ(grid()->columnWidth(Grid::PathColumn), 10);
    EXPECT_GE(grid()->columnWidth(Grid::DurationColumn), 65);
    EXPECT_GE(grid()->columnWidth(Grid::SeqColumn), 60);
    lumtest::screenshot(view.get(), "commander-empty");

    // ">" adds the selected files in list order and deselects them; ">>" appends the rest.
    selectRows(view->fileList(), {fileRow("clip.mpg"), fileRow("a.jpg")});
    click(">");
    EXPECT_EQ(names(), (QStringList{"a.jpg", "clip.mpg"}));
    EXPECT_FALSE(view->fileList()->selectionModel()->hasSelection());
    // With the first row selected, the next file becomes the second row.
    selectRows(grid(), {0});
    selectRows(view->fileList(), {fileRow("b.jpg")});
    click(">");
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.jpg", "clip.mpg"}));
    EXPECT_EQ(model()->index(2, Grid::SeqColumn).data().toString(), "3");

    // Cells through their editors.
    type(0, Grid::DurationColumn, "12");
    type(2, Grid::DurationColumn, "90");
    type(2, Grid::FromColumn, "0930");
    type(2, Grid::ToColumn, "17:45");
    chooseTransition(1, "ROLL:IMPLODE");
    toggleCheck(2, Grid::ReloadColumn);
    toggleCheck(0, Grid::DlOnlyColumn);
    // The Transition cell of a video is no cell to edit.
    grid()->setCurrentIndex(grid()->model()->index(2, Grid::TransitionColumn));
    grid()->edit(grid()->currentIndex());
    EXPECT_EQ(grid()->indexWidget(grid()->currentIndex()), nullptr);
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('|').toStdString();

    // Pseudo-items.
    grid()->clearSelection();
    click("Scroll.Text.Off");
    EXPECT_EQ(names().last(), "ScrollText.End");

    // "Playlist Settings": picture time, cross fade, delete files in the playlist, download.
    lumtest::whenModal<CPlaylistSettingsDialog>([](CPlaylistSettingsDialog* d) {
        EXPECT_EQ(d->pictureTime()->value(), 5);
        EXPECT_FALSE(d->hour()->isEnabled());
        d->pictureTime()->setValue(8);
        lumtest::clickBox(d->downloadSchedule());
        EXPECT_TRUE(d->hour()->isEnabled());
        d->hour()->setValue(7);
        d->minute()->setValue(5);
        d->deleteFiles()->setCurrentIndex(3);
        lumtest::clickBox(d->mute());
        QTest::mouseClick(d->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    click("Settings");
    EXPECT_EQ(view->commander().settings().globalInterval, 8);

    const QString path = dir.filePath("show.mpl");
    chooser->answers << QStringList{path};
    click("Save");
    const QByteArray expected =
        "[configuration]\r\nglobalinterval=8\r\nmute=ON\r\ndltime=7:5\r\n"
        "[file0]\r\npath=" + (media + "/a.jpg").toUtf8() + "\r\nsize=15\r\nfileaction=DEL\r\n"
        "period=12\r\ndlonly=1\r\n"
        "[file1]\r\npath=" + (media + "/b.jpg").toUtf8() + "\r\nsize=15\r\nfileaction=DEL\r\n"
        "transition=10\r\n"
        "[file2]\r\npath=" + (media + "/clip.mpg").toUtf8() + "\r\nsize=24\r\nfileaction=DEL\r\n"
        "period=90\r\nstarttime=09:30\r\nstoptime=17:45\r\nreload=1\r\n"
        "[file3]\r\npath=ScrollText.End\r\nsize=0\r\nfileaction=DEL\r\n";
    EXPECT_EQ(readFile(path), expected);
    EXPECT_EQ(view->windowTitle(), QString(texts::kCommanderCaption) + texts::kTitleSeparator + path);
    ASSERT_EQ(chooser->asked.size(), 1);
    EXPECT_EQ(chooser->asked[0].mode, FileChoice::Mode::Save);
    EXPECT_EQ(chooser->asked[0].filter, "Playlist files(*.mpl)|*.mpl|All Files (*.*)|*.*||");
    EXPECT_EQ(chooser->asked[0].defaultSuffix, "mpl");
    lumtest::screenshot(view.get(), "commander-built");

    // New empties the grid; Open brings the playlist back and saving it again gives the same bytes.
    lumtest::whenMenu("New");
    QTest::mouseClick(view->fileMenuButton(), Qt::LeftButton);
    EXPECT_EQ(model()->rowCount(), 0);
    chooser->answers << QStringList{path};
    click("Open");
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.jpg", "clip.mpg", "ScrollText.End"}));
    EXPECT_EQ(model()->index(1, Grid::TransitionColumn).data().toString(), "ROLL:IMPLODE");
    EXPECT_EQ(chooser->asked[1].mode, FileChoice::Mode::Open);
    EXPECT_EQ(chooser->asked[1].filter, "Playlist files(*.mpl)|*.mpl||");
    const QString again = dir.filePath("again.mpl");
    chooser->answers << QStringList{again};
    click("Save");
    // A picture read without a transition shows the table's first entry, which it then keeps.
    QByteArray reread = expected;
    reread.replace("dlonly=1\r\n", "dlonly=1\r\ntransition=0\r\n");
    EXPECT_EQ(readFile(again), reread);
    EXPECT_EQ(view->windowTitle(), QString(texts::kCommanderCaption) + texts::kTitleSeparator + path);
}

TEST_F(CommanderWindowTest, RefusalsAndTheRulesOfTheButtons) {
    // "Save" with an empty grid opens no dialog and says nothing.
    click("Save");
    EXPECT_TRUE(chooser->asked.isEmpty());
    EXPECT_TRUE(prompt.messages.isEmpty());

    click(">>");
    EXPECT_EQ(names(), (QStringList{"a.jpg", "b.jpg", "clip.mpg", "logo_mz.yuv", "news.txt", "week.sch"}));
    // The second schedule is refused; after deleting the first it can be added again.
    selectRows(view->fileList(), {fileRow("week.sch")});
    click(">");
    EXPECT_EQ(prompt.messages, QStringList{texts::kOnlyOneSchedule});
    selectRows(grid(), {5});
    click("Del");
    selectRows(view->fileList(), {fileRow("week.sch")});
    click(">");
    EXPECT_EQ(names().last(), "week.sch");
    EXPECT_EQ(prompt.messages.size(), 1);

    // Typed 12a and 2400: the text, the cell emptied.
    type(0, Grid::DurationColumn, "12a");
    EXPECT_EQ(prompt.messages.last(), texts::kOnlyNumeric);
    EXPECT_TRUE(model()->index(0, Grid::DurationColumn).data().toString().isEmpty());
    type(1, Grid::FromColumn, "2400");
    EXPECT_EQ(prompt.messages.last(), texts::kTimeFormat);
    EXPECT_TRUE(model()->index(1, Grid::FromColumn).data().toString().isEmpty());
    // A stop time without a start time stops the save.
    prompt.messages.clear();
    type(1, Grid::ToColumn, "1000");
    click("Save");
    EXPECT_EQ(prompt.messages, (QStringList{texts::kStopNeedsStart, texts::kInvalidTime}));
    type(1, Grid::ToColumn, "");

    // Multi Zone: FullScrn and "Add TV-feed" with it; no image editor: disabled with its tip.
    QPushButton* image = view->button("Imag Zone...");
    EXPECT_FALSE(view->button("FullScrn")->isEnabled());
    EXPECT_FALSE(view->button("Add TV-feed")->isVisible());
    lumtest::clickBox(view->multiZoneBox());
    EXPECT_TRUE(view->button("FullScrn")->isEnabled());
    EXPECT_TRUE(view->button("Add TV-feed")->isVisible());
    EXPECT_FALSE(image->isEnabled());
    EXPECT_EQ(image->toolTip(), "The image editor is not available");
    // FullScrn on the picture, the zone image and the text: only the picture changes.
    selectRows(grid(), {0, 3, 4});
    click("FullScrn");
    QList<int> full;
    for (const PlaylistRow& r : view->commander().document().rows()) full << r.item.fullScreen;
    EXPECT_EQ(full, (QList<int>{1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(model()->index(0, Grid::SeqColumn).data(Grid::RowImageRole).toInt(), 1);
    selectRows(grid(), {0});
    click("Add TV-feed");
    EXPECT_EQ(names().at(1), "TV_FEED_ON");

    // The image editor edits the zone list in place.
    std::vector<PlaylistItem> handed;
    view->setImageEditorHook([&](QWidget* parent, std::vector<PlaylistItem>& zones) {
        EXPECT_EQ(parent, view.get());
        handed = zones;
        PlaylistItem z;
        z.setPathAndName((media + "/logo_mz.yuv").toUtf8());
        zones.push_back(z);
        return true;
    });
    EXPECT_TRUE(image->isEnabled());
    EXPECT_TRUE(image->toolTip().isEmpty());
    click("Imag Zone...");
    EXPECT_TRUE(handed.empty());
    ASSERT_EQ(view->commander().document().zoneItems().size(), 1u);
    lumtest::clickBox(view->multiZoneBox());
    EXPECT_FALSE(image->isEnabled());
    EXPECT_EQ(model()->index(0, Grid::SeqColumn).data().toString(), "1");

    // The arrows move the selection with the rows and stop at the edges.
    selectRows(grid(), {1, 2});
    click("Up");
    EXPECT_EQ(names().mid(0, 3), (QStringList{"TV_FEED_ON", "b.jpg", "a.jpg"}));
    click("Up");
    EXPECT_EQ(names().mid(0, 3), (QStringList{"TV_FEED_ON", "b.jpg", "a.jpg"}));
    click("Down");
    EXPECT_EQ(names().mid(0, 3), (QStringList{"a.jpg", "TV_FEED_ON", "b.jpg"}));

    // New keeps the zone list and the settings, Clear does not.
    view->commander().document().settings().globalInterval = 30;
    lumtest::whenMenu("New");
    QTest::mouseClick(view->fileMenuButton(), Qt::LeftButton);
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_EQ(view->commander().document().zoneItems().size(), 1u);
    EXPECT_EQ(view->commander().settings().globalInterval, 30);
    click("Clear");
    EXPECT_TRUE(view->commander().document().zoneItems().empty());
    EXPECT_EQ(view->commander().settings().globalInterval, 5);
}

TEST_F(CommanderWindowTest, FilterBoxesExcludeEachOtherAndRestoreTheCaption) {
    click(">>");
    chooser->answers << QStringList{dir.filePath("x.mpl")};
    click("Save");
    ASSERT_NE(view->windowTitle(), QString(texts::kCommanderCaption));
    lumtest::clickBox(view->zoneFilterBox());
    EXPECT_EQ(view->commander().sources()->rowCount(), 1);  // logo_mz.yuv
    EXPECT_EQ(model()->rowCount(), 6);
    lumtest::clickBox(view->playlistFilterBox());
    EXPECT_FALSE(view->zoneFilterBox()->isChecked());
    EXPECT_EQ(view->commander().sources()->rowCount(), 1);  // week.sch
    EXPECT_EQ(model()->rowCount(), 0);
    EXPECT_EQ(view->windowTitle(), QString(texts::kCommanderCaption));
    lumtest::clickBox(view->playlistFilterBox());
    EXPECT_EQ(view->commander().sources()->rowCount(), 6);
}

TEST_F(CommanderWindowTest, GroupDeviceListEzPlayAndAutoPlay) {
    login(1, "s1", "00-00-00-00-00-01");
    login(2, "s2", "00-00-00-00-00-02");
    online.ClientLoggedOut(2);
    CTargetCombo* target = view->targetList();
    EXPECT_EQ(target->count(), 0);
    // Nothing chosen: the hand-overs get an empty group (they say "Please select ...").
    click("EZ-Play");
    EXPECT_EQ(ezPlays, QStringList{""});
    click("AutoPlay");  // an empty grid: nothing happens
    EXPECT_TRUE(autoPlays.isEmpty());

    target->showPopup();
    QStringList entries;
    for (int i = 0; i < target->count(); ++i) entries << target->itemText(i) + '/' + target->itemData(i).toString();
    target->hidePopup();
    EXPECT_EQ(entries, (QStringList{"Home/0", "Shop/0", "--  s1/1"}));
    EXPECT_EQ(target->currentIndex(), -1);
    target->setCurrentIndex(2);
    click(">>");
    click("EZ-Play");
    click("AutoPlay");
    EXPECT_EQ(ezPlays.last(), "s1");
    EXPECT_EQ(autoPlays, QStringList{"s1"});
    EXPECT_EQ(lastEzPlay, view->commander().document().toBytes());

    // A single entry is chosen by itself.
    store.DeleteGroup("Shop");
    target->showPopup();
    target->hidePopup();
    EXPECT_EQ(target->count(), 1);
    EXPECT_EQ(target->currentText(), "Home");
}

TEST_F(CommanderWindowTest, EveryVisibleControlHasItsLabelAsName) {
    lumtest::clickBox(view->multiZoneBox());
    for (int tab = 0; tab < view->tabs()->count(); ++tab) {
        view->tabs()->setCurrentIndex(tab);
        EXPECT_EQ(lumtest::controlsWithoutAccessibleName(view.get()), QStringList()) << tab;
    }
    EXPECT_EQ(view->button("Up")->accessibleName(), "Up");
    EXPECT_TRUE(view->button("Up")->text().isEmpty());
    EXPECT_EQ(view->button("Down")->accessibleName(), "Down");

    CPlaylistSettingsDialog settings(PlaylistSettings{}, view.get());
    settings.show();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&settings), QStringList());
    CSavePlaylistToFtpDialog name(view.get());
    name.show();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&name), QStringList());
    EXPECT_EQ(name.nameField()->selectedText(), "playlist");
    name.nameField()->clear();
    EXPECT_FALSE(name.okButton()->isEnabled());
    CRemovableDriveDialog drives("Copy All to Removable drive", {{"/media/op/STICK", "STICK"}}, true,
                                 view.get());
    drives.show();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(&drives), QStringList());
}

TEST_F(CommanderWindowTest, PlaylistSettingsShowAndReturnEveryValue) {
    PlaylistSettings given;
    given.globalInterval = 99999;
    given.useGlobalTransition = true;
    given.globalTransition = 2;
    given.mute = true;
    given.downloadSchedule = true;
    given.downloadHour = 23;
    given.downloadMinute = 59;
    given.setDeleteFilesChoice(1);
    auto same = [](const PlaylistSettings& a, const PlaylistSettings& b) {
        return std::tuple(a.globalInterval, a.useGlobalTransition, a.globalTransition, a.mute,
                          a.downloadSchedule, a.downloadHour, a.downloadMinute, a.format,
                          a.deleteNotInPlaylist, a.deleteInPlaylist) ==
               std::tuple(b.globalInterval, b.useGlobalTransition, b.globalTransition, b.mute,
                          b.downloadSchedule, b.downloadHour, b.downloadMinute, b.format,
                          b.deleteNotInPlaylist, b.deleteInPlaylist);
    };
    view->commander().setSettings(given);
    lumtest::whenModal<CPlaylistSettingsDialog>([](CPlaylistSettingsDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Playlist Settings");
        lumtest::screenshot(d, "playlist-settings");
        EXPECT_EQ(d->pictureTime()->value(), 99999);
        EXPECT_EQ(d->globalTransition()->currentText(), "Cross Fade");
        EXPECT_EQ(d->deleteFiles()->currentText(), "Format CF card");
        EXPECT_TRUE(d->hour()->isEnabled());
        EXPECT_EQ(d->minute()->maximum(), 59);
        EXPECT_EQ(d->hour()->maximum(), 23);
        QTest::mouseClick(d->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    click("Settings");
    EXPECT_TRUE(same(view->commander().settings(), given));

    // Cancel keeps the settings; the choice "Files not in the playlist" is its one flag.
    lumtest::whenModal<CPlaylistSettingsDialog>([](CPlaylistSettingsDialog* d) {
        d->pictureTime()->setValue(1);
        QTest::mouseClick(d->buttons()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    click("Settings");
    EXPECT_TRUE(same(view->commander().settings(), given));
    lumtest::whenModal<CPlaylistSettingsDialog>([](CPlaylistSettingsDialog* d) {
        d->deleteFiles()->setCurrentIndex(2);
        lumtest::clickBox(d->downloadSchedule());
        EXPECT_FALSE(d->hour()->isEnabled());
        QTest::mouseClick(d->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    click("Settings");
    const PlaylistSettings now = view->commander().settings();
    EXPECT_EQ(std::tuple(now.format, now.deleteNotInPlaylist, now.deleteInPlaylist, now.downloadSchedule),
              std::tuple(false, true, false, false));
}
