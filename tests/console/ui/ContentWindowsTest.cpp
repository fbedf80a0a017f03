// The content windows opened from the main window, end to end: simulated players of one group
// get the instant message, the label and the picture, fetch the files, and the others get
// nothing; the commands' places and enabling; the Image Editor on a playlist file.
#include "accounts/UserStore.h"
#include "accounts/ui/AccountView.h"
#include "console/ConsoleModels.h"
#include "console/ui/ConsoleApp.h"
#include "console/ui/MainFrame.h"
#include "core/LogHub.h"
#include "media/ui/DlgImageEditor.h"
#include "media/ui/DlgInstantJpeg.h"
#include "playlists/PlaylistDocument.h"
#include "playlists/ui/DlgInstantMessage.h"
#include "playlists/ui/DlgPlaylistScheduler.h"
#include "playlists/ui/DlgScreenLabel.h"
#include "server/ControlServer.h"
#include "SimPlayer.h"

#include "common/OnlinePlayers.h"
#include "common/RecordingPrompt.h"
#include "console/ui/ConsoleAppSupport.h"
#include "common/TestSupport.h"
#include "common/WindowTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QIdentityProxyModel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace lum;

namespace {

class ContentWindows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_EQ(lumtest::startConsoleIn(app, dir, prompt, "[SERVER]\r\nPORT=0\r\nLOGLEVEL=2\r\n"),
                  CConsoleApp::StartResult::Started);
        data = dir.filePath(QStringLiteral("data"));
        frame = app.mainFrame();
        chooser = std::make_shared<lumtest::ScriptedChooser>();
        frame->setFileChooser(lumtest::ScriptedChooser::make(chooser));
        lumtest::addGroup(*app.store(), QStringLiteral("Shop"));
        lumtest::addGroup(*app.store(), QStringLiteral("Empty"));
        lumtest::addUser(*app.store(), QStringLiteral("S01"), QStringLiteral("Shop"));
        lumtest::addUser(*app.store(), QStringLiteral("S02"), QStringLiteral("Shop"));
    }
    void TearDown() override {
        players.clear();
        app.server()->Stop();
    }
    sim::CSimPlayer& player(const char* name, const char* mac) {
        players.push_back(lumtest::stayingPlayer(app.server()->ListeningPort(), QString::fromLatin1(name),
                                                 QString::fromLatin1(mac)));
        players.back()->start();
        return *players.back();
    }
    void select(const QModelIndex& source) {
        QTreeView* tree = frame->accountView()->tree();
        auto* proxy = static_cast<QIdentityProxyModel*>(tree->model());
        tree->setCurrentIndex(proxy->mapFromSource(source));
    }
    void selectGroup(const char* g) { select(app.models()->tree().groupIndex(QString::fromLatin1(g))); }
    template <class Dialog>
    Dialog* opened(int command) {
        EXPECT_TRUE(frame->action(command)->isEnabled()) << command;
        frame->action(command)->trigger();
        auto* dlg = frame->findChild<Dialog*>();
        EXPECT_NE(dlg, nullptr) << command;
        return dlg;
    }
    static bool received(const sim::CSimPlayer& p, const QString& prefix) {
        for (const QString& l : p.receivedLines())
            if (l.startsWith(prefix)) return true;
        return false;
    }
    static QString text(QAction* a) { return a->isSeparator() ? QStringLiteral("|") : a->iconText(); }

    QTemporaryDir dir;
    QString data;
    lumtest::RecordingPrompt prompt;
    CConsoleApp app;
    CMainFrame* frame = nullptr;
    std::shared_ptr<lumtest::ScriptedChooser> chooser;
    std::vector<std::unique_ptr<sim::CSimPlayer>> players;
};

}  // namespace

TEST_F(ContentWindows, CommandsSitInTheirPlacesAndFollowThePlayerRule) {
    // Toolbar: "MSG" after "Stop", "Pictavo" after "Video".
    QStringList bar;
    for (QAction* a : frame->toolBar()->actions()) bar << text(a);
    const QString joined = bar.join(QLatin1Char(' '));
    EXPECT_TRUE(joined.contains(QStringLiteral("Play Stop MSG RSS MSG Off Volume Video Pictavo Options"))) << joined.toStdString();
    // "&Tools": a separator and "Playlist Scheduler" right after "Change Password".
    QMenu* tools = nullptr;
    for (QAction* m : frame->menuBar()->actions())
        if (m->text() == QStringLiteral("&Tools")) tools = m->menu();
    ASSERT_NE(tools, nullptr);
    const QList<QAction*> entries = tools->actions();
    const qsizetype at = entries.indexOf(frame->action(cmd::ChangePassword));
    ASSERT_GE(at, 0);
    ASSERT_GT(entries.size(), at + 2);
    EXPECT_TRUE(entries[at + 1]->isSeparator());
    EXPECT_EQ(entries[at + 2], frame->action(cmd::PlaylistScheduler));
    EXPECT_EQ(frame->action(cmd::PlaylistScheduler)->text(), QStringLiteral("Playlist Scheduler"));
    EXPECT_EQ(frame->action(cmd::InstantMessage)->text(), QStringLiteral("Instant Message Tool"));

    // Nobody online: the senders wait, the editors do not.
    const int senders[] = {cmd::InstantMessage, cmd::ScreenLabel, cmd::Picture, cmd::InstantJpeg};
    for (int id : senders) EXPECT_FALSE(frame->action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame->action(cmd::PlaylistScheduler)->isEnabled());
    EXPECT_TRUE(frame->action(cmd::ImageEditor)->isEnabled());
    player("S01", "00-11-22-33-44-01");
    ASSERT_TRUE(lumtest::waitUntil([&] { return app.models()->online().rowCount() == 1; }, 20000));
    selectGroup("Shop");
    for (int id : senders) EXPECT_TRUE(frame->action(id)->isEnabled()) << id;
    frame->resize(1400, 800);
    lumtest::screenshot(frame, QStringLiteral("main-window"));
    selectGroup("Empty");
    for (int id : senders) EXPECT_FALSE(frame->action(id)->isEnabled()) << id;

    // The scheduler opens from its command with the group list.
    auto* scheduler = opened<CDlgPlaylistScheduler>(cmd::PlaylistScheduler);
    ASSERT_NE(scheduler, nullptr);
    EXPECT_TRUE(scheduler->isVisible());
    scheduler->close();
}

TEST_F(ContentWindows, MessageLabelAndPictureReachTheTargetGroupsPlayersWhoFetchTheFiles) {
    sim::CSimPlayer& s1 = player("S01", "00-11-22-33-44-01");
    sim::CSimPlayer& s2 = player("S02", "00-11-22-33-44-02");
    sim::CSimPlayer& h1 = player("H01", "00-11-22-33-44-03");
    ASSERT_TRUE(lumtest::waitUntil([&] { return app.models()->online().rowCount() == 3; }, 20000));
    selectGroup("Shop");
    const QString shop = app.store()->homeDirectoryFor(QStringLiteral("Shop"));
    auto fetched = [&](const sim::CSimPlayer& p, const char* name, qint64 size) {
        return p.storage().value(QString::fromLatin1(name), -1) == size;
    };

    // Instant message.
    auto* msg = opened<CDlgInstantMessage>(cmd::InstantMessage);
    ASSERT_NE(msg, nullptr);
    QTest::keyClicks(lumtest::control<QPlainTextEdit>(msg, "Message"), QStringLiteral("Doors close at 6"));
    QTest::mouseClick(lumtest::control<QPushButton>(msg, "Send"), Qt::LeftButton);
    const QByteArray message = lumtest::readFile(shop + "/instantmessage.txt");
    EXPECT_EQ(message, QByteArray("osd_settings=0,0,0,2,0,0\r\nDoors close at 6"));
    ASSERT_TRUE(lumtest::waitUntil([&] {
        return fetched(s1, "instantmessage.txt", message.size()) && fetched(s2, "instantmessage.txt", message.size());
    }, 20000));

    // Label.
    auto* label = opened<CDlgScreenLabel>(cmd::ScreenLabel);
    ASSERT_NE(label, nullptr);
    label->lines().setData(label->lines().index(0, 1), QStringLiteral("Sale"));
    QTest::mouseClick(lumtest::control<QPushButton>(label, "Send"), Qt::LeftButton);
    const QByteArray ostn = lumtest::readFile(shop + "/ostnmessage.txt");
    EXPECT_EQ(ostn, QByteArray("[OSTM]\r\nLINE0=Sale\r\n[SETSEC]\r\nSETTING=0,0,0,0\r\n"));
    ASSERT_TRUE(lumtest::waitUntil([&] {
        return fetched(s1, "ostnmessage.txt", ostn.size()) && fetched(s2, "ostnmessage.txt", ostn.size());
    }, 20000));
    EXPECT_TRUE(received(s1, QStringLiteral("647 osd_settings=0,0,0,0\rSale\r")));

    // Picture, Pictavo mode for 12 seconds; the path goes to the log.
    QImage img(32, 24, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    const QString jpeg = dir.filePath(QStringLiteral("notice.jpg"));
    ASSERT_TRUE(img.save(jpeg, "JPEG"));
    QSignalSpy logged(app.logHub(), &CLogHub::recordAdded);
    auto* pic = opened<CDlgInstantJpeg>(cmd::Picture);
    ASSERT_NE(pic, nullptr);
    chooser->answers << QStringList{jpeg};
    QTest::mouseClick(lumtest::control<QPushButton>(pic, "Browse..."), Qt::LeftButton);
    auto* mode = lumtest::control<QCheckBox>(pic, "Pictavo Mode (TR-50 only)");
    QTest::mouseClick(mode, Qt::LeftButton, {}, QPoint(6, mode->height() / 2));
    lumtest::control<QSpinBox>(pic, "Duration:")->setValue(12);
    QTest::mouseClick(lumtest::control<QPushButton>(pic, "Send"), Qt::LeftButton);
    EXPECT_EQ(lumtest::readFile(data + "/instant.jpg"), lumtest::readFile(jpeg));
    const qint64 size = QFileInfo(jpeg).size();
    ASSERT_TRUE(lumtest::waitUntil([&] { return fetched(s1, "instant.jpg", size) && fetched(s2, "instant.jpg", size); }, 20000));
    EXPECT_TRUE(received(s1, QStringLiteral("650 Send Pictavo image notice.jpg (Dration:12S) to client")));
    app.logHub()->processPending();
    bool pathLogged = false;
    for (const QList<QVariant>& r : logged) pathLogged |= r.at(0).value<CLogRecord>().text == jpeg;
    EXPECT_TRUE(pathLogged);
    EXPECT_EQ(frame->pictureChoice().path, jpeg);  // offered again next time
    EXPECT_FALSE(frame->accountView()->pictureBox(1)->image().isNull());

    // The player of the other group got none of it.
    for (const char* code : {"615 ", "647 ", "650 "}) EXPECT_FALSE(received(h1, QString::fromLatin1(code))) << code;
    EXPECT_TRUE(h1.storage().isEmpty());
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('|').toStdString();

    // With nobody of the group online the operator is told.
    players.clear();
    ASSERT_TRUE(lumtest::waitUntil([&] { return app.models()->online().CountOnline(QStringLiteral("Shop")) == 0; }, 20000));
    EXPECT_FALSE(frame->sendPicture({jpeg, false, 30}, false).targeted);
    EXPECT_EQ(prompt.messages, QStringList{"No client is online and no client will be effected!"});
}

TEST_F(ContentWindows, ImageEditorOnItsOwnEditsAPlaylistFilesZoneList) {
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    const QString slide = dir.filePath(QStringLiteral("slide.png"));
    ASSERT_TRUE(img.save(slide));
    const QString mpl = dir.filePath(QStringLiteral("zones.mpl"));
    CPlaylistDocument doc;
    ASSERT_TRUE(doc.Save(mpl));
    chooser->answers << QStringList{mpl};
    // The editor is modal: answered from the event loop it runs.
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(lumtest::waitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* dlg = qobject_cast<CDlgImageEditor*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->model().addPictures({slide});
        dlg->accept();
    });
    frame->action(cmd::ImageEditor)->trigger();
    EXPECT_EQ(chooser->asked.value(0).filter, QStringLiteral("Playlist Files (*.mpl)|*.mpl||"));
    CPlaylistDocument back;
    ASSERT_TRUE(back.Load(mpl));
    ASSERT_EQ(back.zoneItems().size(), 1u);
    EXPECT_EQ(back.zoneItems()[0].pathText(), data + "/YUVDATA/slide.yuv");
    EXPECT_TRUE(back.multiZone());
    // The Commander's hook works on the zone items it is handed.
    std::vector<PlaylistItem> items = back.zoneItems();
    QTimer::singleShot(0, [] {
        ASSERT_TRUE(lumtest::waitUntil([] { return QApplication::activeModalWidget() != nullptr; }));
        auto* dlg = qobject_cast<CDlgImageEditor*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->model().clearPictures();
        dlg->accept();
    });
    EXPECT_TRUE(frame->imageEditorHook()(frame, items));
    EXPECT_TRUE(items.empty());
}
