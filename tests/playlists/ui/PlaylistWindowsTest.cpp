// The Playlist Scheduler, Instant Message and On Screen Label windows driven through their
// controls; what they write is compared byte for byte, what they send through the online list.
#include "playlists/ui/DlgInstantMessage.h"
#include "playlists/ui/DlgPlaylistScheduler.h"
#include "playlists/ui/DlgScreenLabel.h"
#include "widgets/CopyProgress.h"
#include "widgets/RemovableDriveDialog.h"

#include "core/Codepage.h"
#include "console/ui/GuiTestSupport.h"
#include "common/WindowTestSupport.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::control;

namespace {

using Sent = std::vector<std::pair<quint32, CommandIndex>>;

// The editor a list has open in a cell (closed ones wait for deletion).
QLineEdit* openEditor(QAbstractItemView* list) {
    for (QLineEdit* e : list->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) return e;
    return nullptr;
}

class PlaylistWindows : public ::testing::Test, public lumtest::ConsoleFixture {
protected:
    void SetUp() override {
        addGroup(QStringLiteral("Home"));
        addGroup(QStringLiteral("Shop"));
        addUser(QStringLiteral("p1"), QStringLiteral("Home"));
        addUser(QStringLiteral("s1"), QStringLiteral("Shop"));
        addUser(QStringLiteral("s2"), QStringLiteral("Shop"));
        online->ClientLoggedIn(1, QStringLiteral("s1"), QStringLiteral("127.0.0.1"), QStringLiteral("00-00-00-00-00-01"));
        online->ClientLoggedIn(2, QStringLiteral("p1"), QStringLiteral("127.0.0.1"), QStringLiteral("00-00-00-00-00-02"));
        online->ClientLoggedIn(3, QStringLiteral("s2"), QStringLiteral("127.0.0.1"), QStringLiteral("00-00-00-00-00-03"));
        chooser = std::make_shared<lumtest::ScriptedChooser>();
    }
    QString file(const char* group, const char* name) const {
        return store->homeDirectoryFor(QString::fromLatin1(group)) + '/' + QString::fromLatin1(name);
    }
    QPushButton* button(QWidget* w, const char* label) {
        return control<QPushButton>(w, QString::fromLatin1(label));
    }
    void click(QWidget* w, const char* label) {
        QPushButton* b = button(w, label);
        ASSERT_NE(b, nullptr) << label;
        ASSERT_TRUE(b->isEnabled()) << label;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void expectAllNamed(QWidget* w) { EXPECT_EQ(lumtest::controlsWithoutAccessibleName(w), QStringList()); }

    std::shared_ptr<lumtest::ScriptedChooser> chooser;
};

}  // namespace

TEST_F(PlaylistWindows, SchedulerMakesRowsSavesAndOpensFiles) {
    CDlgPlaylistScheduler dlg(*store, prompt);
    dlg.setFileChooser(lumtest::ScriptedChooser::make(chooser));
    dlg.show();
    expectAllNamed(&dlg);
    QAbstractItemModelTester tester(&dlg.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    // Opening: today to today plus this month's days; two groups, none chosen; nothing to act on.
    const QDate today = QDate::currentDate();
    EXPECT_EQ(control<QDateEdit>(&dlg, "Start date")->date(), today);
    EXPECT_EQ(control<QDateEdit>(&dlg, "End date")->date(), today.addDays(today.daysInMonth()));
    auto* groups = control<QComboBox>(&dlg, "Group");
    EXPECT_EQ(groups->count(), 2);
    EXPECT_EQ(groups->currentIndex(), -1);
    for (const char* b : {"Add", "Update", "Delete", "Assign to Group", "Save to disc"})
        EXPECT_FALSE(button(&dlg, b)->isEnabled()) << b;

    chooser->answers << QStringList{"C:\\m\\a.mpl"};
    click(&dlg, "Browse...");
    ASSERT_EQ(chooser->asked.size(), 1);
    EXPECT_EQ(chooser->asked[0].filter, QStringLiteral("Playlist Files (*.mpl)|*.mpl||"));
    EXPECT_EQ(control<QLineEdit>(&dlg, "Playlist")->text(), QStringLiteral("C:\\m\\a.mpl"));
    control<QDateEdit>(&dlg, "Start date")->setDate(QDate(2013, 3, 1));
    control<QDateEdit>(&dlg, "End date")->setDate(QDate(2013, 3, 31));
    for (const char* day : {"Mon", "Tue", "Wed", "Thr", "Fri"})
        QTest::mouseClick(control<QCheckBox>(&dlg, day), Qt::LeftButton);
    click(&dlg, "Add");
    EXPECT_TRUE(button(&dlg, "Update")->isEnabled());  // the new row is selected
    EXPECT_TRUE(button(&dlg, "Save to disc")->isEnabled());

    // A second entry with no weekday.
    control<QLineEdit>(&dlg, "Playlist")->setText(QStringLiteral("C:\\m\\b.mpl"));
    for (const char* day : {"Mon", "Tue", "Wed", "Thr", "Fri"})
        QTest::mouseClick(control<QCheckBox>(&dlg, day), Qt::LeftButton);
    click(&dlg, "Add");
    ASSERT_EQ(dlg.model().rowCount(), 2);
    EXPECT_EQ(dlg.model().entries()[1].weekdays, QString());

    // Selecting the first row fills the fields; Update keeps its path whatever the field says.
    auto* list = control<QTableView>(&dlg, "Schedule");
    list->selectRow(0);
    EXPECT_EQ(control<QLineEdit>(&dlg, "Playlist")->text(), QStringLiteral("C:\\m\\a.mpl"));
    EXPECT_TRUE(control<QCheckBox>(&dlg, "Thr")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(&dlg, "Sun")->isChecked());
    control<QLineEdit>(&dlg, "Playlist")->setText(QStringLiteral("C:\\m\\other.mpl"));
    QTest::mouseClick(control<QCheckBox>(&dlg, "Fri"), Qt::LeftButton);
    click(&dlg, "Update");
    EXPECT_EQ(dlg.model().entries()[0].playlist, QStringLiteral("C:\\m\\a.mpl"));
    EXPECT_EQ(dlg.model().entries()[0].weekdays, QStringLiteral("Mon,Tue,Wed,Thr"));

    const QString saved = dir.filePath(QStringLiteral("week.sch"));
    chooser->answers << QStringList{saved};
    click(&dlg, "Save");
    EXPECT_EQ(chooser->asked.last().mode, FileChoice::Mode::Save);
    EXPECT_EQ(chooser->asked.last().defaultName, QStringLiteral("playlist"));
    EXPECT_EQ(chooser->asked.last().defaultSuffix, QStringLiteral("sch"));
    EXPECT_EQ(lumtest::readFile(saved),
              QByteArray("C:\\m\\a.mpl,20130301,20130331,0111100\r\n"
                         "C:\\m\\b.mpl,20130301,20130331,0000000\r\n"));

    lumtest::screenshot(&dlg, QStringLiteral("scheduler"));
    list->selectRow(1);
    click(&dlg, "Delete");
    EXPECT_EQ(dlg.model().rowCount(), 1);

    // Open: a cancelled chooser keeps the rows; a file replaces them.
    chooser->answers << QStringList{};
    click(&dlg, "Open");
    EXPECT_EQ(dlg.model().rowCount(), 1);
    EXPECT_EQ(chooser->asked.last().filter, QStringLiteral("Playlist Schedule Files (*.sch)|*.sch||"));
    const QString other = dir.filePath(QStringLiteral("other.sch"));
    ASSERT_TRUE(lumtest::writeFile(other, "a.mpl,20130101,20130131,1000001\r\nno comma\r\n"));
    chooser->answers << QStringList{other};
    click(&dlg, "Open");
    ASSERT_EQ(dlg.model().rowCount(), 1);
    EXPECT_EQ(dlg.model().entries()[0].weekdays, QStringLiteral("Sun,Sat"));

    // A file that cannot be created.
    ASSERT_TRUE(lumtest::writeFile(dir.filePath(QStringLiteral("blocker")), "a file, not a folder"));
    chooser->answers << QStringList{dir.filePath(QStringLiteral("blocker/x.sch"))};
    click(&dlg, "Save");
    EXPECT_EQ(prompt.messages, QStringList{"Can not save file!\n"});
}

TEST_F(PlaylistWindows, SchedulerAssignsToTheChosenGroup) {
    CDlgPlaylistScheduler dlg(*store, prompt);
    dlg.show();
    control<QLineEdit>(&dlg, "Playlist")->setText(QStringLiteral("/m/a.mpl"));
    control<QDateEdit>(&dlg, "Start date")->setDate(QDate(2013, 1, 1));
    control<QDateEdit>(&dlg, "End date")->setDate(QDate(2013, 1, 31));
    QTest::mouseClick(control<QCheckBox>(&dlg, "Sun"), Qt::LeftButton);
    auto* groups = control<QComboBox>(&dlg, "Group");
    groups->setCurrentIndex(groups->findText(QStringLiteral("Shop")));
    EXPECT_FALSE(button(&dlg, "Assign to Group")->isEnabled());  // no row yet
    click(&dlg, "Add");
    click(&dlg, "Assign to Group");
    EXPECT_EQ(lumtest::readFile(file("Shop", "playlist.sch")), QByteArray("/m/a.mpl,20130101,20130131,1000000\r\n"));
    EXPECT_EQ(prompt.messages,
              QStringList{"AutoPlay function will be executed after players restart or power up next time"});
    CUserGroup shop;
    ASSERT_TRUE(store->FindGroup(QStringLiteral("Shop"), &shop));
    EXPECT_EQ(shop.autoPlay, 1);
    EXPECT_EQ(shop.autoPlaylist, file("Shop", "playlist.sch"));
}

TEST_F(PlaylistWindows, InstantMessageSendsToTheTargetGroupInAnsiAndUtf8) {
    {
        CDlgInstantMessage dlg(CommandTarget::group(QStringLiteral("Shop")), *store, *online, prompt);
        dlg.show();
        expectAllNamed(&dlg);
        auto* send = button(&dlg, "Send");
        EXPECT_FALSE(send->isEnabled());
        EXPECT_EQ(control<QComboBox>(&dlg, "Speed")->currentText(), QStringLiteral("Normal"));
        EXPECT_EQ(control<QComboBox>(&dlg, "Encoding")->currentText(), QStringLiteral("ANSI"));
        auto* text = control<QPlainTextEdit>(&dlg, "Message");
        QTest::keyClicks(text, QStringLiteral("Caf"));
        text->insertPlainText(QStringLiteral("\u00e9"));  // QTest types ASCII only
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("open"));
        EXPECT_TRUE(send->isEnabled());
        lumtest::screenshot(&dlg, QStringLiteral("instant-message"));
        control<QComboBox>(&dlg, "B/G")->setCurrentIndex(2);
        control<QComboBox>(&dlg, "Speed")->setCurrentIndex(2);
        control<QComboBox>(&dlg, "Clock")->setCurrentIndex(1);
        QTest::mouseClick(send, Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    EXPECT_EQ(lumtest::readFile(file("Shop", "instantmessage.txt")),
              QByteArray("osd_settings=2,0,0,1,0,1\r\nCaf\xE9\r\nopen"));
    EXPECT_FALSE(QFile::exists(file("Home", "instantmessage.txt")));
    EXPECT_EQ(connections.sent(), (Sent{{1, CommandIndex::InstantMessage}, {3, CommandIndex::InstantMessage}}));

    // UTF-8, to one player: the player's group's file, the command to that player only.
    connections.posts.clear();
    {
        CDlgInstantMessage dlg(CommandTarget::player(QStringLiteral("p1")), *store, *online, prompt);
        control<QComboBox>(&dlg, "Encoding")->setCurrentIndex(1);
        control<QPlainTextEdit>(&dlg, "Message")->insertPlainText(QStringLiteral("\u00e9"));
        click(&dlg, "Send");
    }
    EXPECT_EQ(lumtest::readFile(file("Home", "instantmessage.txt")),
              QByteArray("\xEF\xBB\xBFosd_settings=0,0,0,2,0,0\r\n\xC3\xA9"));
    EXPECT_EQ(connections.sent(), (Sent{{2, CommandIndex::InstantMessage}}));
    // The encoding is remembered and chosen at the next opening.
    CDlgInstantMessage next(CommandTarget::all(), *store, *online, prompt);
    EXPECT_EQ(control<QComboBox>(&next, "Encoding")->currentIndex(), 1);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(PlaylistWindows, InstantMessageRefusesTooLongTextsLoadsSavesAndExits) {
    const QByteArray older("osd_settings=0,0,0,2,0,0\r\nolder");
    ASSERT_TRUE(lumtest::writeFile(file("Shop", "instantmessage.txt"), older));
    {
        CDlgInstantMessage dlg(CommandTarget::group(QStringLiteral("Shop")), *store, *online, prompt);
        // 26 characters of settings line: 20454 more reach the limit.
        control<QPlainTextEdit>(&dlg, "Message")->setPlainText(QString(20454, QLatin1Char('x')));
        click(&dlg, "Send");
        EXPECT_EQ(dlg.result(), QDialog::Accepted);  // closes as the console always did
    }
    EXPECT_EQ(prompt.messages, QStringList{"The maximum text length is 20480 bytes!"});
    EXPECT_EQ(lumtest::readFile(file("Shop", "instantmessage.txt")), older);  // the older one stays
    EXPECT_EQ(connections.sent().size(), 2u);  // and is announced again

    prompt.messages.clear();
    CDlgInstantMessage dlg(CommandTarget::group(QStringLiteral("Shop")), *store, *online, prompt);
    dlg.setFileChooser(lumtest::ScriptedChooser::make(chooser));
    const QString loaded = dir.filePath(QStringLiteral("in.txt"));
    ASSERT_TRUE(lumtest::writeFile(loaded, "osd_settings=3,1,2,4,0,1\r\nLoaded\r\ntext"));
    chooser->answers << QStringList{loaded};
    click(&dlg, "Browse");
    EXPECT_EQ(chooser->asked[0].filter, QStringLiteral("Instant Message files(*.txt)|*.txt||"));
    EXPECT_EQ(control<QLineEdit>(&dlg, "Message file")->text(), loaded);
    EXPECT_EQ(control<QComboBox>(&dlg, "B/G")->currentText(), QStringLiteral("cyan"));
    EXPECT_EQ(control<QComboBox>(&dlg, "F/G")->currentText(), QStringLiteral("black"));
    EXPECT_EQ(control<QComboBox>(&dlg, "Transparent")->currentText(), QStringLiteral("50%"));
    EXPECT_EQ(control<QComboBox>(&dlg, "Speed")->currentText(), QStringLiteral("Fast"));
    EXPECT_EQ(control<QComboBox>(&dlg, "Clock")->currentText(), QStringLiteral("On"));
    EXPECT_TRUE(button(&dlg, "Send")->isEnabled());

    const QString saved = dir.filePath(QStringLiteral("out.txt"));
    chooser->answers << QStringList{saved};
    click(&dlg, "Save");
    EXPECT_EQ(chooser->asked[1].filter, QStringLiteral("text files(*.txt)|*.txt|All Files (*.*)|*.*||"));
    EXPECT_EQ(chooser->asked[1].defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(lumtest::readFile(saved), QByteArray("osd_settings=3,1,2,4,0,1\r\nLoaded\r\ntext"));

    // Exit sends nothing and remembers the encoding.
    connections.posts.clear();
    control<QComboBox>(&dlg, "Encoding")->setCurrentIndex(1);
    click(&dlg, "Exit");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(connections.posts.empty());
    QSettings profile;
    EXPECT_EQ(profile.value(QStringLiteral("MOTIONTEXT/Encoding")).toInt(), 1);
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(PlaylistWindows, LabelEditorTypesLinesAndSendsThem) {
    CDlgScreenLabel dlg(CommandTarget::group(QStringLiteral("Shop")), *store, *online, prompt);
    dlg.show();
    expectAllNamed(&dlg);
    QAbstractItemModelTester tester(&dlg.lines(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    // No file yet: row "0" to type into, always on, white.
    EXPECT_EQ(dlg.lines().rowCount(), 1);
    auto* alwaysOn = control<QCheckBox>(&dlg, "Always On");
    auto* minutes = control<QSpinBox>(&dlg, "Minutes");
    auto* seconds = control<QSpinBox>(&dlg, "Seconds");
    EXPECT_TRUE(alwaysOn->isChecked());
    EXPECT_FALSE(minutes->isEnabled());
    EXPECT_FALSE(seconds->isEnabled());
    QTest::mouseClick(alwaysOn, Qt::LeftButton);
    EXPECT_TRUE(seconds->isEnabled());
    EXPECT_EQ(seconds->value(), 5);
    minutes->setValue(1);

    // Typing into the list: Enter commits the row and the next one opens.
    QTableView* list = dlg.lineList();
    list->setCurrentIndex(dlg.lines().index(0, ScreenLabelLinesModel::TextColumn));
    QTest::keyClick(list, 'S');  // a key starts editing the row
    QLineEdit* editor = openEditor(list);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("ale"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(lumtest::waitUntil([&] { return !dlg.lines().lines().isEmpty(); }));  // committed queued
    EXPECT_EQ(dlg.lines().lines(), QStringList{"Sale"});
    ASSERT_EQ(dlg.lines().rowCount(), 2);
    dlg.lines().setData(dlg.lines().index(1, 1), QStringLiteral("-"));
    dlg.lines().setData(dlg.lines().index(2, 1), QStringLiteral("Today"));
    dlg.lines().setData(dlg.lines().index(1, 1), QString());
    QTest::mouseClick(control<QCheckBox>(&dlg, "Center Alignment"), Qt::LeftButton);
    control<QComboBox>(&dlg, "F/G")->setCurrentIndex(4);

    lumtest::screenshot(&dlg, QStringLiteral("label-editor"));
    click(&dlg, "Send");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(lumtest::readFile(file("Shop", "ostnmessage.txt")),
              QByteArray("[OSTM]\r\nLINE0=Sale\r\nLINE1= \r\nLINE2=Today\r\n[SETSEC]\r\nSETTING=4,65,1,0\r\n"));
    EXPECT_FALSE(QFile::exists(file("Home", "ostnmessage.txt")));
    ASSERT_EQ(connections.sent(), (Sent{{1, CommandIndex::Label}, {3, CommandIndex::Label}}));
    EXPECT_EQ(connections.posts[0].args.text, QStringLiteral("osd_settings=4,65,1,0\rSale\r \rToday\r"));

    // Opening again loads the group's file: seven rows, the settings.
    CDlgScreenLabel again(CommandTarget::player(QStringLiteral("s1")), *store, *online, prompt);
    EXPECT_EQ(again.lines().rowCount(), 7);
    EXPECT_EQ(again.label().lines.mid(0, 3), (QStringList{"Sale", "", "Today"}));
    EXPECT_EQ(control<QSpinBox>(&again, "Minutes")->value(), 1);
    EXPECT_EQ(control<QSpinBox>(&again, "Seconds")->value(), 5);
    EXPECT_FALSE(control<QCheckBox>(&again, "Always On")->isChecked());
    EXPECT_EQ(control<QComboBox>(&again, "F/G")->currentText(), QStringLiteral("red"));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(PlaylistWindows, LabelEditorNumberRulesMenuAndClear) {
    CDlgScreenLabel dlg(CommandTarget::group(QStringLiteral("Shop")), *store, *online, prompt);
    dlg.setFileChooser(lumtest::ScriptedChooser::make(chooser));
    dlg.show();
    auto* numberOnly = control<QCheckBox>(&dlg, "Number only (000-999)");
    auto* number = control<QLineEdit>(&dlg, "Number");
    EXPECT_FALSE(number->isEnabled());
    QTest::mouseClick(numberOnly, Qt::LeftButton);
    EXPECT_TRUE(number->isEnabled());
    EXPECT_FALSE(dlg.lineList()->isEnabled());

    // An empty number: nothing written, nothing said, the window stays.
    click(&dlg, "Send");
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(prompt.messages.isEmpty());
    // Not digits: refused, the field selected for correction.
    QTest::keyClicks(number, QStringLiteral("4a"));
    click(&dlg, "Send");
    EXPECT_EQ(prompt.messages, QStringList{"Only digital number(000-999) is allowed!"});
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(number->selectedText(), QStringLiteral("4a"));
    EXPECT_FALSE(QFile::exists(file("Shop", "ostnmessage.txt")));
    EXPECT_TRUE(connections.posts.empty());

    number->setText(QStringLiteral("042"));
    const QString saved = dir.filePath(QStringLiteral("label.txt"));
    chooser->answers << QStringList{saved};
    QMenu* fileMenu = dlg.menu()->actions().first()->menu();
    ASSERT_NE(fileMenu, nullptr);
    QAction* saveAs = nullptr;
    QAction* open = nullptr;
    for (QAction* a : fileMenu->actions()) {
        if (a->text() == QStringLiteral("Save as")) saveAs = a;
        if (a->text() == QStringLiteral("Open")) open = a;
    }
    ASSERT_TRUE(saveAs && open);
    saveAs->trigger();
    EXPECT_EQ(lumtest::readFile(saved), QByteArray("[NUMSEC]\r\nNUMBER=042\r\n[SETSEC]\r\nSETTING=0,0,0,1\r\n"));

    // A label file without [SETSEC]: white, always on, not centred, lines.
    const QString bare = dir.filePath(QStringLiteral("bare.txt"));
    ASSERT_TRUE(lumtest::writeFile(bare, "[OSTM]\r\nLINE0=Hi\r\n"));
    chooser->answers << QStringList{bare};
    open->trigger();
    EXPECT_EQ(chooser->asked.last().filter, QStringLiteral("Instant Message files(*.txt)|*.txt||"));
    EXPECT_FALSE(numberOnly->isChecked());
    EXPECT_TRUE(dlg.lineList()->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(&dlg, "Always On")->isChecked());
    EXPECT_EQ(dlg.label().lines.first(), QStringLiteral("Hi"));

    click(&dlg, "Clear");
    EXPECT_EQ(dlg.lines().rowCount(), 1);
    EXPECT_TRUE(dlg.label().lines.isEmpty());
    EXPECT_NE(openEditor(dlg.lineList()), nullptr);  // typing row "0"
}

TEST_F(PlaylistWindows, SaveToDiscCopiesPlaylistsAndMediaThenTheScheduleAndNamesEachFailure) {
    // A "drive" and a playlist with two pictures.
    const QString drive = dir.filePath(QStringLiteral("usb"));
    QDir().mkpath(drive);
    const QString media = dir.filePath(QStringLiteral("media"));
    QDir().mkpath(media);
    ASSERT_TRUE(lumtest::writeFile(media + "/one.jpg", "first picture"));
    ASSERT_TRUE(lumtest::writeFile(media + "/two.jpg", "second"));
    const QString playlist = media + "/week.mpl";
    const QByteArray list = "[file0]\r\npath=" + toAnsi(media) + "/one.jpg\r\n[file1]\r\npath=" +
                            toAnsi(media) + "/two.jpg\r\n";
    ASSERT_TRUE(lumtest::writeFile(playlist, list));

    CDlgPlaylistScheduler dlg(*store, prompt);
    dlg.setVolumeSource([&] { return std::vector<RemovableVolume>{{drive, QStringLiteral("STICK")}}; });
    dlg.show();
    control<QLineEdit>(&dlg, "Playlist")->setText(playlist);
    control<QDateEdit>(&dlg, "Start date")->setDate(QDate(2013, 3, 1));
    control<QDateEdit>(&dlg, "End date")->setDate(QDate(2013, 3, 31));
    click(&dlg, "Add");

    auto saveToDisc = [&] {
        click(&dlg, "Save to disc");
        auto* drives = dlg.findChild<CRemovableDriveDialog*>();
        ASSERT_NE(drives, nullptr);
        expectAllNamed(drives);
        EXPECT_EQ(drives->windowTitle(), QStringLiteral("Save to disc"));
        EXPECT_EQ(drives->mountPoint(), drive);  // the first drive is preselected
        lumtest::screenshot(drives, QStringLiteral("save-to-disc"));
        QTest::mouseClick(lumtest::control<QPushButton>(drives, "OK"), Qt::LeftButton);
    };
    saveToDisc();
    const QString sch = drive + "/MEDIA/playlist.sch";
    ASSERT_TRUE(lumtest::waitUntil([&] { return QFile::exists(sch); }, 20000));
    EXPECT_EQ(lumtest::readFile(sch), toAnsi(playlist) + ",20130301,20130331,0000000\r\n");
    EXPECT_EQ(lumtest::readFile(drive + "/MEDIA/week.mpl"), list);
    EXPECT_EQ(lumtest::readFile(drive + "/MEDIA/one.jpg"), QByteArray("first picture"));
    EXPECT_EQ(lumtest::readFile(drive + "/MEDIA/two.jpg"), QByteArray("second"));
    ASSERT_TRUE(lumtest::waitUntil([&] { return dlg.findChild<CCopyProgress*>() == nullptr; }));
    EXPECT_TRUE(prompt.messages.isEmpty());

    // A media file gone: the operator is told which and why, and no schedule names it.
    QFile::remove(sch);
    QFile::remove(media + "/two.jpg");
    saveToDisc();
    ASSERT_TRUE(lumtest::waitUntil([&] { return !prompt.messages.isEmpty(); }, 20000));
    EXPECT_TRUE(prompt.messages[0].startsWith(QStringLiteral("Copying failed; ") + sch));
    EXPECT_TRUE(prompt.messages[0].contains(media + "/two.jpg: the file does not exist"));
    EXPECT_FALSE(QFile::exists(sch));
}
