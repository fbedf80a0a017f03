#include "core/Codepage.h"
#include "media/RssThread.h"
#include "media/ui/DlgAddFeed.h"
#include "media/ui/DlgRssMessage.h"
#include "media/ui/DlgRssSettings.h"

#include "common/WindowTestSupport.h"
#include "console/ui/GuiTestSupport.h"
#include "media/MediaTestSupport.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeView>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::click;
using lumtest::typeInto;

namespace {

const QByteArray kFeed =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<rss version=\"2.0\"><channel><title>Town News</title><description>Local</description>"
    "<item><title>A</title><description>plain &amp; simple</description></item>"
    "<item><title>B &lt;b&gt;</title><description>more</description></item>"
    "</channel></rss>";
const QByteArray kLaterFeed =
    "<rss version=\"2.0\"><channel><title>Town News</title>"
    "<item><title>C</title><description>later</description></item></channel></rss>";

QByteArray channelFile(const QByteArray& titles, const QByteArray& descriptions) {
    QByteArray d(4, '\0');
    qToLittleEndian(qint32(titles.size()), d.data());
    return d + titles + descriptions;
}

QAction* menuAction(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    ADD_FAILURE() << "no menu entry " << text.toStdString();
    return nullptr;
}

class RssWindow : public ::testing::Test, public lumtest::ConsoleFixture {
protected:
    RssWindow() {
        setAnsiCodepage("windows-1252");
        addGroup(QStringLiteral("Home"));
        addGroup(QStringLiteral("Lobby"));
        QDir().mkpath(data + QStringLiteral("/server data"));
        rss = std::make_unique<CRssThread>(data, [this] {
            QList<RssGroupInfo> out;
            for (const QString& g : store->GroupNames()) out.append({g, store->homeDirectoryFor(g)});
            return out;
        }, online.get());
        http.set(QStringLiteral("/town.xml"), {kFeed});
    }
    std::unique_ptr<CDlgRssMessage> open() {
        auto dlg = std::make_unique<CDlgRssMessage>(
            RssEditorParts{*rss, prompt, [this] { return store->GroupNames(); }});
        EXPECT_TRUE(lumtest::showActive(dlg.get()));
        tester = std::make_unique<QAbstractItemModelTester>(
            dlg->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        return dlg;
    }
    RssConfig onDisk() const {
        RssConfig c;
        EXPECT_TRUE(c.load(rss->configPath()));
        return c;
    }
    QString serverData(const QString& name) const { return data + QStringLiteral("/server data/") + name; }
    // Clicks "Connect" and waits for its answer.
    static bool connectFeed(CDlgAddFeed* add) {
        QSignalSpy done(add, &CDlgAddFeed::connectFinished);
        click(add->connectButton());
        return done.wait(20000);
    }

    lumtest::TestHttpServer http;
    std::unique_ptr<CRssThread> rss;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(RssWindow, AddFeedConnectsOffTheWindowThreadAndSavesTheChannel) {
    auto dlg = open();
    // A missing document is created: every group, the default channel in Home.
    ASSERT_TRUE(QFileInfo::exists(rss->configPath()));
    EXPECT_EQ(dlg->model()->rowCount(), 2);
    EXPECT_EQ(dlg->model()->rowCount(dlg->model()->groupIndex("Home")), 1);

    dlg->select(QStringLiteral("Lobby"));
    click(dlg->addFeedButton());
    CDlgAddFeed* add = dlg->feedDialog();
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->groupList()->currentText(), "Lobby");  // the group chosen in the tree
    EXPECT_TRUE(add->activeCheck()->isChecked());
    EXPECT_FALSE(add->detailedCheck()->isChecked());

    // A feed that cannot be fetched: the fixed text, and the address and the reason in the box.
    const QString dead = QStringLiteral("http://127.0.0.1:%1/x.xml").arg(lumtest::deadPort());
    typeInto(add->urlEdit(), " " + dead + " ");
    ASSERT_TRUE(connectFeed(add));
    EXPECT_EQ(prompt.messages, QStringList{"Can not connect to: " + dead});
    EXPECT_TRUE(add->statusLine()->text().startsWith("Can not connect to: " + dead + "\n"));
    EXPECT_GT(add->statusLine()->text().size(), ("Can not connect to: " + dead + "\n").size());
    EXPECT_TRUE(add->titleEdit()->text().isEmpty());

    typeInto(add->urlEdit(), http.url("/town.xml"));
    QSignalSpy done(add, &CDlgAddFeed::connectFinished);
    click(add->connectButton());
    // While it connects the box waits (and says so), but the window thread goes on.
    EXPECT_TRUE(add->isConnecting());
    EXPECT_EQ(add->cursor().shape(), Qt::WaitCursor);
    EXPECT_FALSE(add->okButton()->isEnabled());
    EXPECT_EQ(add->statusLine()->text(), "Connecting to " + http.url("/town.xml") + " ...");
    ASSERT_TRUE(done.wait(20000));
    EXPECT_EQ(add->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(add->titleEdit()->text(), "Town News");

    // OK needs a title.
    typeInto(add->titleEdit(), "");
    click(add->okButton());
    EXPECT_TRUE(add->isVisible());
    typeInto(add->titleEdit(), "Town");
    click(add->detailedCheck());
    lumtest::screenshot(add, QStringLiteral("rss-add-feed"));
    click(add->okButton());
    EXPECT_FALSE(dlg->feedDialog() && dlg->feedDialog()->isVisible());

    // Saved, the worker reloaded, the tree shows it selected with its preview.
    const QString link = http.url("/town.xml");
    const QList<RssChannel> lobby = onDisk().channels("Lobby");
    ASSERT_EQ(lobby.size(), 1);
    EXPECT_EQ(lobby[0], (RssChannel{"Town", link, feedFileName(link), true, true}));
    EXPECT_EQ(rss->channelList().size(), 2);
    EXPECT_EQ(dlg->tree()->currentIndex(), dlg->model()->channelIndex("Lobby", 0));
    const QByteArray titles = " <<Town News \r\n <<A \r\n <<B <b> \r\n";  // quotes only until a refresh
    const QByteArray descriptions = " <<Local \r\n <<plain & simple \r\n <<more \r\n";
    EXPECT_EQ(lumtest::readFile(serverData(lobby[0].fileName)), channelFile(titles, descriptions));
    EXPECT_EQ(dlg->preview()->toPlainText(), QString::fromLatin1(descriptions).replace("\r\n", "\n"));
    lumtest::screenshot(dlg.get(), QStringLiteral("rss-message"));
}

TEST_F(RssWindow, RefreshRunsOnAWorkerAndShowsWhatFailed) {
    const QString link = http.url("/town.xml");
    RssConfig doc = RssConfig::createDefault({"Home", "Lobby"});
    doc.addChannel("Lobby", {"Town", link, "town", true, false});
    ASSERT_TRUE(doc.save(rss->configPath()));
    ASSERT_TRUE(lumtest::writeFile(serverData("town"), channelFile("old titles", "")));
    auto dlg = open();
    dlg->select("Lobby", 0);
    EXPECT_EQ(dlg->preview()->toPlainText(), "old titles");
    const QModelIndex town = dlg->model()->channelIndex("Lobby", 0);

    http.set("/town.xml", {kLaterFeed});
    QSignalSpy finished(dlg.get(), &CDlgRssMessage::refreshFinished);
    menuAction(dlg->channelMenu(), "&Refresh")->trigger();
    EXPECT_EQ(dlg->refreshesRunning(), 1);
    EXPECT_EQ(dlg->statusLine()->text(), "Refreshing " + link + " ...");
    EXPECT_EQ(town.data(RssTreeModel::StateRole).toInt(), RssTreeModel::Refreshing);
    EXPECT_EQ(dlg->tree()->cursor().shape(), Qt::BusyCursor);
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished[0][0].toBool());
    EXPECT_EQ(dlg->statusLine()->text(), "Refreshed " + link);
    EXPECT_EQ(town.data(RssTreeModel::StateRole).toInt(), RssTreeModel::Idle);
    EXPECT_EQ(dlg->tree()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(lumtest::readFile(serverData("town")), channelFile(" <<Town News \r\n <<C \r\n", " <<later \r\n"));
    EXPECT_EQ(dlg->preview()->toPlainText(), " <<Town News \n <<C \n");

    // Gone from the server: the address and the reason show, the text file stays.
    http.set("/town.xml", {"gone", true, 404});
    menuAction(dlg->channelMenu(), "&Refresh")->trigger();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(finished[1][0].toBool());
    const QString status = dlg->statusLine()->text();
    EXPECT_TRUE(status.startsWith("Can not refresh " + link + ": ")) << status.toStdString();
    EXPECT_TRUE(status.contains("404")) << status.toStdString();
    EXPECT_EQ(town.data(RssTreeModel::StateRole).toInt(), RssTreeModel::Failed);
    EXPECT_TRUE(town.data(Qt::ToolTipRole).toString().contains("404"));
    EXPECT_EQ(lumtest::readFile(serverData("town")), channelFile(" <<Town News \r\n <<C \r\n", " <<later \r\n"));
    EXPECT_TRUE(prompt.messages.isEmpty());  // no box for a refresh: the window says it
}

TEST_F(RssWindow, PropertyDeleteAndBothSettingsReachTheTickerWorker) {
    const QString link = http.url("/town.xml");
    RssConfig doc = RssConfig::createDefault({"Home", "Lobby"});
    doc.addChannel("Lobby", {"Town", link, "town", true, false});
    ASSERT_TRUE(doc.save(rss->configPath()));
    ASSERT_TRUE(lumtest::writeFile(serverData("town"), channelFile("t", "d")));
    ASSERT_TRUE(rss->loadConfiguration());
    auto dlg = open();

    // "&Property": the address read-only, nothing to connect; title, Active, group changed.
    dlg->select("Lobby", 0);
    menuAction(dlg->channelMenu(), "&Property")->trigger();
    CDlgAddFeed* prop = dlg->feedDialog();
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->urlEdit()->text(), link);
    EXPECT_TRUE(prop->urlEdit()->isReadOnly());
    EXPECT_FALSE(prop->connectButton()->isEnabled());
    EXPECT_EQ(prop->groupList()->currentText(), "Lobby");
    typeInto(prop->titleEdit(), "Town 2");
    click(prop->activeCheck());
    lumtest::choose(prop->groupList(), 0);  // Home
    click(prop->okButton());
    RssConfig saved = onDisk();
    EXPECT_TRUE(saved.channels("Lobby").isEmpty());
    ASSERT_EQ(saved.channels("Home").size(), 2);
    EXPECT_EQ(saved.channels("Home")[1], (RssChannel{"Town 2", link, "town", false, false}));
    EXPECT_EQ(dlg->tree()->currentIndex(), dlg->model()->channelIndex("Home", 1));
    EXPECT_EQ(rss->configuration().channels("Home").size(), 2);

    // Delete: the channel goes, its text file stays.
    menuAction(dlg->channelMenu(), "Delete")->trigger();
    EXPECT_EQ(onDisk().channels("Home").size(), 1);
    EXPECT_EQ(dlg->model()->rowCount(dlg->model()->groupIndex("Home")), 1);
    EXPECT_TRUE(QFileInfo::exists(serverData("town")));
    EXPECT_EQ(rss->channelList().size(), 1);

    // A group's "&RSS Settings": the six lists only, stored on the group element.
    dlg->select("Lobby");
    EXPECT_FALSE(menuAction(dlg->channelMenu(), "Delete")->isEnabled());
    menuAction(dlg->groupMenu(), "&RSS Settings")->trigger();
    CDlgRssSettings* group = dlg->settingsDialog();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->leadEdit(), nullptr);
    lumtest::choose(group->list(0), 2);  // red
    click(group->saveButton());
    EXPECT_EQ(onDisk().groupSettings("Lobby").bgcolor, 2);
    EXPECT_EQ(rss->settingsLine(), "osd_settings=1,0,4,2,0,1\r\n");  // the ticker line is the global one

    // "Exit" closes without saving.
    const QByteArray before = lumtest::readFile(rss->configPath());
    click(dlg->settingsButton());
    CDlgRssSettings* global = dlg->settingsDialog();
    ASSERT_NE(global, nullptr);
    lumtest::choose(global->list(3), 0);
    click(global->exitButton());
    EXPECT_EQ(lumtest::readFile(rss->configPath()), before);

    // The global "RSS Settings": speed "Fast" and at most 20 lead characters.
    click(dlg->settingsButton());
    global = dlg->settingsDialog();
    EXPECT_EQ(global->leadEdit()->text(), " <<");
    lumtest::choose(global->list(3), 0);  // Fast
    lumtest::choose(global->list(5), 1);  // auto RSS on
    typeInto(global->leadEdit(), QString(25, '>'));
    EXPECT_EQ(global->leadEdit()->text(), QString(20, '>'));
    lumtest::screenshot(global, QStringLiteral("rss-settings"));
    click(global->saveButton());
    saved = onDisk();
    EXPECT_EQ(saved.leadChars(), QString(20, '>'));
    EXPECT_EQ(saved.settings(), (RssDisplaySettings{1, 0, 4, 0, 1, 1}));
    EXPECT_EQ(std::tuple(rss->settingsLine(), rss->settingsChanged(), rss->autoRss()),
              std::tuple(QByteArray("osd_settings=1,0,4,4,0,1\r\n"), true, true));
    EXPECT_TRUE(prompt.messages.isEmpty());
}

TEST_F(RssWindow, AWindowClosedWhileItsRefreshRunsLosesOnlyTheAnswer) {
    // A feed server that answers only when the test says so.
    QTcpServer held;
    ASSERT_TRUE(held.listen(QHostAddress::LocalHost, 0));
    QTcpSocket* client = nullptr;
    QByteArray request;
    QObject::connect(&held, &QTcpServer::newConnection, &held, [&] {
        client = held.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [&] { request += client->readAll(); });
    });
    const QString link = QStringLiteral("http://127.0.0.1:%1/slow.xml").arg(held.serverPort());
    RssConfig doc = RssConfig::createDefault({"Home", "Lobby"});
    doc.addChannel("Lobby", {"Slow", link, "slow", true, false});
    ASSERT_TRUE(doc.save(rss->configPath()));
    ASSERT_TRUE(lumtest::writeFile(serverData("slow"), channelFile("old", "")));

    auto dlg = open();
    dlg->select("Lobby", 0);
    menuAction(dlg->channelMenu(), "&Refresh")->trigger();
    ASSERT_TRUE(lumtest::waitUntil([&] { return request.contains("\r\n\r\n"); }, 20000));
    tester.reset();
    dlg.reset();  // closed while the worker waits for the feed

    client->write("HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(kLaterFeed.size()) + "\r\n\r\n" +
                  kLaterFeed);
    client->disconnectFromHost();
    // The worker finishes its job; only the answer to the window is dropped.
    const QByteArray fresh = channelFile(" <<Town News \r\n <<C \r\n", " <<later \r\n");
    EXPECT_TRUE(lumtest::waitUntil([&] { return lumtest::readFile(serverData("slow")) == fresh; }, 20000));

    // A new window works on as usual.
    dlg = open();
    dlg->select("Lobby", 0);
    EXPECT_EQ(dlg->preview()->toPlainText(), " <<Town News \n <<C \n");
    EXPECT_TRUE(dlg->statusLine()->text().isEmpty());
    EXPECT_EQ(dlg->refreshesRunning(), 0);
}

TEST_F(RssWindow, TreeFollowsChangesMadeElsewhere) {
    auto dlg = open();
    ASSERT_TRUE(rss->editDocument([](RssConfig& d) {
        d.addChannel("Lobby", {"From lumctl", "http://127.0.0.1:1/f", "f", true, false});
        return true;
    }));
    EXPECT_TRUE(lumtest::waitUntil([&] { return dlg->model()->rowCount(dlg->model()->groupIndex("Lobby")) == 1; }));
    EXPECT_EQ(dlg->model()->channelIndex("Lobby", 0).data().toString(), "From lumctl");
    // A group added in the account pane arrives through the worker's upkeep.
    ASSERT_TRUE(rss->addGroupElement("Shop"));
    EXPECT_TRUE(lumtest::waitUntil([&] { return dlg->model()->groupIndex("Shop").isValid(); }));
}

TEST_F(RssWindow, EveryVisibleControlIsNamedByItsLabel) {
    auto dlg = open();
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(dlg.get()), QStringList());
    dlg->addFeed();
    ASSERT_TRUE(lumtest::waitUntil([&] { return dlg->feedDialog()->isVisible(); }));
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(dlg->feedDialog()), QStringList());
    EXPECT_EQ(dlg->feedDialog()->urlEdit()->accessibleName(), "Please enter URL of feed:");
    dlg->feedDialog()->reject();
    dlg->globalSettings();
    ASSERT_TRUE(lumtest::waitUntil([&] { return dlg->settingsDialog()->isVisible(); }));
    EXPECT_EQ(lumtest::controlsWithoutAccessibleName(dlg->settingsDialog()), QStringList());
    EXPECT_EQ(dlg->settingsDialog()->list(4)->accessibleName(), "Clock");
}

TEST_F(RssWindow, ARefusedDocumentIsShownWithItsReasonAndNeverSavedOver) {
    // Nested deeper than the document allows (see the README's security notes).
    QByteArray deep = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<config>";
    for (int i = 0; i < 10; ++i) deep += "<group name=\"g\">";
    for (int i = 0; i < 10; ++i) deep += "</group>";
    deep += "</config>\n";
    ASSERT_TRUE(lumtest::writeFile(rss->configPath(), deep));
    auto dlg = open();
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].contains("nested deeper than 8 levels")) << prompt.messages[0].toStdString();
    EXPECT_EQ(dlg->statusLine()->text(), prompt.messages[0]);
    EXPECT_EQ(dlg->model()->rowCount(), 0);
    EXPECT_FALSE(dlg->addFeedButton()->isEnabled());
    EXPECT_FALSE(dlg->settingsButton()->isEnabled());
    dlg->addFeed();
    dlg->globalSettings();
    EXPECT_EQ(dlg->feedDialog(), nullptr);
    EXPECT_EQ(dlg->settingsDialog(), nullptr);
    EXPECT_EQ(lumtest::readFile(rss->configPath()), deep);

    // Mended outside the window: the tree comes back with the next load.
    ASSERT_TRUE(RssConfig::createDefault({"Home", "Lobby"}).save(rss->configPath()));
    ASSERT_TRUE(rss->loadConfiguration());
    EXPECT_TRUE(lumtest::waitUntil([&] { return dlg->model()->rowCount() == 2; }));
    EXPECT_TRUE(dlg->addFeedButton()->isEnabled());
    EXPECT_TRUE(dlg->statusLine()->text().isEmpty());
}
