#include "core/Codepage.h"
#include "accounts/UserStore.h"
#include "media/RssAccounts.h"
#include "media/RssConfig.h"
#include "media/RssEditor.h"
#include "media/RssFeed.h"
#include "media/RssThread.h"
#include "media/RssTreeModel.h"

#include "MediaTestSupport.h"
#include "common/OnlinePlayers.h"
#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QByteArray kFeed =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<rss version=\"2.0\"><channel><title>Town News</title><description>Local</description>"
    "<item><title>A</title><description>plain &amp; simple</description></item>"
    "<item><title>B &lt;b&gt;</title><description><![CDATA[<p><a href=\"http://x/1\"><img src=\"p.jpg\"/></a>"
    "Story.</p>]]></description></item>"
    "</channel></rss>";

const QByteArray kTitles = " <<Town News \r\n <<A \r\n <<B  \r\n";
const QByteArray kDescriptions = " <<Local \r\n <<plain & simple \r\n <<Story \r\n";

QByteArray channelFile(const QByteArray& titles, const QByteArray& descriptions) {
    QByteArray d(4, '\0');
    qToLittleEndian(qint32(titles.size()), d.data());
    return d + titles + descriptions;
}

using lum::CommandIndex;
using Sent = std::vector<std::pair<quint32, CommandIndex>>;

// A program folder with a configuration document and one group "Lobby", whose player p1 is
// online on connection 1.
struct RssFixture : lumtest::OnlinePlayers {
    QString lobby;
    QList<lum::RssGroupInfo> groups;

    RssFixture() {
        lum::setAnsiCodepage("windows-1252");
        lumtest::addGroup(store, "Lobby");
        lumtest::addUser(store, "p1", "Lobby");
        login(1, "p1", "00-00-00-00-00-01");
        lobby = home("Lobby");
        QDir().mkpath(dir.filePath("server data"));
        groups = {{"Lobby", lobby}};
    }
    Sent sent() const { return connections.sent(); }
    QString config() const { return dir.filePath("server data/rssconfig.xml"); }
    QString serverData(const QString& name) const { return dir.filePath("server data/" + name); }
    QString ticker() const { return lobby + "/rssmsg.txt"; }
    lum::RssGroupSource source() {
        return [this] { return groups; };
    }
    void writeConfig(const QList<lum::RssChannel>& channels, int autorss = 1, int speed = 1) {
        lum::RssConfig c = lum::RssConfig::createDefault({"Lobby"});
        lum::RssDisplaySettings s{1, 0, 4, speed, 1, autorss};
        c.setSettings(s);
        for (const auto& ch : channels) c.addChannel("lobby", ch);
        ASSERT_TRUE(c.save(config()));
    }
};

}  // namespace

TEST(RssConfig, FileNameRuleAndSettingsLine) {
    const std::pair<QString, QString> names[] = {
        {"http://a.b/c/dfeed", "abcdf"}, {"HTTP://a.b/c", "abc"}, {"Http://ab.cd", "abcd"},
        {"https://x.org/f?q=1", "https_xorgf_"}, {"http://" + QString(249, 'a'), ""},
        {"http://" + QString(248, 'a'), QString(245, 'a')}};
    for (const auto& [url, name] : names) EXPECT_EQ(lum::feedFileName(url), name) << url.left(20).toStdString();

    EXPECT_EQ(lum::settingsLineFor({1, 0, 4, 0, 1, 0}), "osd_settings=1,0,4,4,0,1\r\n");
    EXPECT_EQ(lum::settingsLineFor({7, 1, 0, 2, 0, 1}), "osd_settings=7,1,0,1,0,0\r\n");
    EXPECT_EQ(lum::settingsLineFor({1, 0, 4, 9, 1, 0}), "osd_settings=1,0,4,2,0,1\r\n");
}

TEST(RssConfig, DefaultDocumentAndEdits) {
    QTemporaryDir dir;
    const QString path = dir.filePath("rssconfig.xml");
    lum::RssConfig c = lum::RssConfig::createDefault({"HOME", "Lobby"});
    ASSERT_TRUE(c.save(path));
    const QByteArray bytes = lumtest::readFile(path);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<config bgcolor=\"1\" fgcolor=\"0\" "
                                 "trans=\"4\" speed=\"1\" clkon=\"1\" autorsson=\"0\" rssdesc=\"0\" leadingc=\" &lt;&lt;\">"))
        << bytes.toStdString();
    EXPECT_EQ(bytes.count("<?xml"), 1);

    lum::RssConfig back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.groupNames(), QStringList({"HOME", "Lobby"}));
    ASSERT_EQ(back.channels("home").size(), 1);
    EXPECT_TRUE(back.channels("Lobby").isEmpty());
    const lum::RssChannel news = back.channels("home")[0];
    EXPECT_EQ(std::tuple(news.active, news.detailed, news.fileName), std::tuple(true, false, lum::feedFileName(news.link)));
    EXPECT_EQ(std::tuple(back.leadChars(), back.settingsLine()), std::tuple(" <<", "osd_settings=1,0,4,2,0,1\r\n"));

    // Channel property change moves the channel; group settings stay on the group element.
    back.addChannel("Lobby", {"Feed", "http://f/x", "fx", true, false});
    ASSERT_TRUE(back.changeChannel("lobby", 0, {"Feed 2", "", "", false, true}, "Home"));
    EXPECT_TRUE(back.channels("Lobby").isEmpty());
    EXPECT_EQ(back.channels("Home").last(), (lum::RssChannel{"Feed 2", "http://f/x", "fx", false, true}));
    ASSERT_TRUE(back.setGroupSettings("lobby", {2, 1, 0, 0, 0, 1}));
    EXPECT_EQ(back.groupSettings("Lobby").speed, 0);
    EXPECT_EQ(back.settings().speed, 1);
    EXPECT_FALSE(back.addGroup("LOBBY"));
    ASSERT_TRUE(back.renameGroup("lobby", "Hall"));
    ASSERT_TRUE(back.removeGroup("HALL"));
    EXPECT_EQ(back.groupNames(), QStringList({"HOME"}));

    // Missing or empty attributes read as the defaults; no config element gives the fixed line.
    lumtest::writeFile(path, "<config bgcolor=\"\" fgcolor=\"1\"/>");
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.settingsLine(), "osd_settings=1,1,4,1,0,1\r\n");
    lumtest::writeFile(path, "<other/>");
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.settingsLine(), "osd_settings=1,0,4,2,0,1\r\n");
    lumtest::writeFile(path, "<config><group");
    EXPECT_FALSE(back.load(path));
}

TEST(RssFeed, ContentHandlerCollectsTitlesAndDescriptions) {
    lum::CRssContentHandler h(" <<");
    auto element = [&h](const char* name, const char* text) {
        h.startElement(name);
        h.characters(text);
        h.endElement(name);
    };
    h.startElement("channel");
    h.characters("\n");
    element("title", "Chan");
    h.characters("  ");  // follows the closing tag: still the titles text
    h.startElement("item");
    element("title", "A");
    for (const char* d : {"<p><a href='x'><img/></a>Story.</p>", "<a>x</a>no paragraph end",
                          "<a>x</a> <p>inner</p>.</p>", "whole <b>text</b>"})
        element("description", d);
    EXPECT_EQ(h.titles(), " <<Chan \r\n   <<A \r\n");
    EXPECT_EQ(h.firstTitle(), "Chan");
    // The text between "</a>" and the first "</p>" loses its last character, markup and all.
    EXPECT_EQ(h.descriptions(), " <<Story \r\n <<"
                                " \r\n << <p>inne \r\n <<whole <b>text</b> \r\n");
}

TEST(RssFeed, CleaningRulesInOrder) {
    EXPECT_EQ(lum::cleanPart(" <<&lt;b&gt;Bold&lt;/b&gt; news \r\n"), " <<Bold news \r\n");
    EXPECT_EQ(lum::cleanPart("a\r\n'\r\nb\r\n\"\r\nc\r\n&\r\nd"), "a'b\"c&d");
    EXPECT_EQ(lum::cleanPart("x&nbsp;y &quot;q&quot;"), "x y \"q\"");
    EXPECT_EQ(lum::cleanPart("a<br>b<<c <i>d"), "ab<<c d");
    EXPECT_EQ(lum::cleanPart("keep <unclosed tail"), "keep <unclosed tail");
    EXPECT_EQ(lum::cleanPart("a <x> b <c"), "a  b <c");
    EXPECT_EQ(lum::cleanPart("a <open b>"), "a ");
    EXPECT_EQ(lum::cleanPart("x<"), "x<");
    EXPECT_EQ(lum::cleanPart("&lt;b&gt;x", false), "&lt;b&gt;x");
    EXPECT_EQ(lum::cleanPart("a\r\n'\r\n<b>", false), "a'<b>");
}

TEST(RssFeed, FetchOverRealServerAndFailuresKeepOldFile) {
    lum::setAnsiCodepage("windows-1252");
    lumtest::TestHttpServer http;
    http.set("/news.xml", {kFeed});
    http.set("/bad.xml", {"<rss><channel><title>x</channel>"});
    // Success is checked through the refresh below and the editor's connectFeed.
    lum::FetchedFeed feed;
    EXPECT_FALSE(lum::fetchFeed(http.url("/bad.xml"), " <<", true, &feed));
    EXPECT_FALSE(lum::fetchFeed(http.url("/missing.xml"), " <<", true, &feed));
    QTemporaryDir local;
    lumtest::writeFile(local.filePath("feed.xml"), kFeed);
    EXPECT_FALSE(lum::fetchFeed("file://" + local.filePath("feed.xml"), " <<", true, &feed));

    RssFixture f;
    lum::RssChannel good{"News", http.url("/news.xml"), "news", true, false};
    lum::RssChannel bad{"Bad", http.url("/bad.xml"), "bad", true, false};
    lum::RssChannel gone{"Gone", http.url("/missing.xml"), "gone", true, false};
    f.writeConfig({good, bad, gone});
    lumtest::writeFile(f.serverData("bad"), channelFile("old", ""));
    lumtest::writeFile(f.serverData("gone"), channelFile("older", ""));
    lum::CRssThread rss(f.dir.path(), f.source(), &f.online);
    ASSERT_TRUE(rss.loadConfiguration());
    rss.refresh(false);
    EXPECT_EQ(lumtest::readFile(f.serverData("news")), channelFile(kTitles, kDescriptions));
    EXPECT_EQ(lumtest::readFile(f.serverData("bad")), channelFile("old", ""));
    EXPECT_EQ(lumtest::readFile(f.serverData("gone")), channelFile("older", ""));
    EXPECT_EQ(lumtest::readFile(f.ticker()),
              "osd_settings=1,0,4,2,0,1\r\n" + kTitles + "old" + "older");
    EXPECT_TRUE(f.sent().empty());
}

TEST(RssTicker, ChangeRuleCommandsAndDeletion) {
    RssFixture f;
    lumtest::writeFile(f.serverData("one"), channelFile("Titles one ", "Details one "));
    lumtest::writeFile(f.serverData("two"), channelFile("Titles two ", "Details two "));
    f.writeConfig({{"One", "http://x/1", "one", true, false},
                   {"Two", "http://x/2", "two", true, true},
                   {"Off", "http://x/3", "one", false, false}});
    lum::CRssThread rss(f.dir.path(), f.source(), &f.online);
    ASSERT_TRUE(rss.loadConfiguration());
    EXPECT_TRUE(rss.autoRss());

    ASSERT_TRUE(rss.buildTickerFile("lobby", true));
    EXPECT_EQ(lumtest::readFile(f.ticker()), "osd_settings=1,0,4,2,0,1\r\nTitles one Details two ");
    EXPECT_EQ(f.sent(), (Sent{{1, CommandIndex::UpdateRss}}));

    // Same size, same settings: no change, no command.
    lumtest::writeFile(f.serverData("one"), channelFile("Titles ONE ", "Details one "));
    EXPECT_FALSE(rss.buildTickerFile("Lobby", true));
    EXPECT_EQ(f.sent().size(), 1u);
    EXPECT_TRUE(lumtest::readFile(f.ticker()).contains("Titles ONE"));

    // New settings: same size but a change; "Fast" puts 4 in the fourth field.
    lum::RssConfig c;
    ASSERT_TRUE(c.load(f.config()));
    c.setSettings({1, 0, 4, 0, 1, 1});
    ASSERT_TRUE(c.save(f.config()));
    ASSERT_TRUE(rss.loadConfiguration());
    EXPECT_TRUE(rss.settingsChanged());
    EXPECT_TRUE(rss.buildTickerFile("Lobby", true));
    EXPECT_TRUE(lumtest::readFile(f.ticker()).startsWith("osd_settings=1,0,4,4,0,1\r\n"));
    EXPECT_EQ(f.sent().size(), 2u);

    // Without notify, or with auto RSS off, nothing is sent.
    lumtest::writeFile(f.serverData("one"), channelFile("Longer titles one ", ""));
    EXPECT_TRUE(rss.buildTickerFile("Lobby", false));
    EXPECT_EQ(f.sent().size(), 2u);

    // "Start RSS Feeds" builds without notify and sends 13.
    EXPECT_EQ(rss.startRssFeeds("lobby").delivered, 1);
    ASSERT_EQ(f.sent().size(), 3u);
    EXPECT_EQ(f.sent()[2].second, CommandIndex::RssMessage);

    // No active channel with text: the ticker file goes.
    f.writeConfig({{"Off", "http://x/1", "one", false, false}});
    ASSERT_TRUE(rss.loadConfiguration());
    EXPECT_FALSE(rss.buildTickerFile("Lobby", true));
    EXPECT_FALSE(QFile::exists(f.ticker()));
    EXPECT_FALSE(rss.buildTickerFile("Nobody", true));
}

TEST(RssTicker, ChannelFilePartsAndLengthLimits) {
    RssFixture f;
    // T beyond the file: everything after the length; T negative likewise.
    QByteArray odd(4, '\0');
    qToLittleEndian(qint32(100), odd.data());
    lumtest::writeFile(f.serverData("odd"), odd + "tail");
    QByteArray part;
    ASSERT_TRUE(lum::readChannelPart(f.serverData("odd"), false, &part));
    EXPECT_EQ(part, "tail");
    lumtest::writeFile(f.serverData("short"), "ab");
    ASSERT_TRUE(lum::readChannelPart(f.serverData("short"), true, &part));
    EXPECT_TRUE(part.isEmpty());
    EXPECT_FALSE(lum::readChannelPart(f.serverData("none"), true, &part));

    // 'a' then 50,000 e-acute: 100,001 bytes of UTF-8, cut to whole characters within 81,920;
    // the byte at 20,480 becomes zero.
    lumtest::writeFile(f.serverData("big"), channelFile("a" + QByteArray(50000, '\xE9'), ""));
    f.writeConfig({{"Big", "http://x/1", "big", true, false}, {"Sneaky", "http://x/2", "../x", true, false}});
    lum::CRssThread rss(f.dir.path(), f.source(), nullptr);
    ASSERT_TRUE(rss.loadConfiguration());
    ASSERT_TRUE(rss.buildTickerFile("Lobby", true));
    const QByteArray ticker = lumtest::readFile(f.ticker());
    const QByteArray line = "osd_settings=1,0,4,2,0,1\r\n";
    ASSERT_EQ(ticker.size(), line.size() + 81919);
    const QByteArray text = ticker.mid(line.size());
    EXPECT_EQ(text[20480], '\0');
    EXPECT_EQ(text.left(3), "a\xC3\xA9");
    EXPECT_EQ(text.right(2), "\xC3\xA9");

    // Exactly as long as the players read: nothing lies beyond to be zeroed (a Debug build
    // asserted on the index one past the end).
    lumtest::writeFile(f.serverData("big"), channelFile(QByteArray(20480, 'x'), ""));
    ASSERT_TRUE(rss.buildTickerFile("Lobby", false));
    EXPECT_EQ(lumtest::readFile(f.ticker()), line + QByteArray(20480, 'x'));

    EXPECT_EQ(lum::toAnsiLimited(QString(50000, QChar(0xE9)), 0xA000).size(), 0xA000);
    lum::setAnsiCodepage("GBK");
    EXPECT_EQ(lum::toAnsiLimited(QString(3, QChar(0x4E2D)), 5), QByteArray("\xD6\xD0\xD6\xD0"));
    lum::setAnsiCodepage("windows-1252");
}

TEST(RssThread, WorkerRefreshesOnItsTimerAndNotifies) {
    RssFixture f;
    lumtest::TestHttpServer http;
    http.set("/feed.xml", {kFeed});
    f.writeConfig({{"News", http.url("/feed.xml"), "news", true, false}});
    lum::CRssThread rss(f.dir.path(), f.source(), &f.online, 100);
    int refreshes = 0;
    QObject::connect(&rss, &lum::CRssThread::refreshed, &rss, [&] { ++refreshes; });
    rss.start();
    ASSERT_TRUE(lumtest::waitUntil([&] { return refreshes >= 1; }, 20000));
    EXPECT_TRUE(rss.autoRss());
    EXPECT_EQ(lumtest::readFile(f.ticker()), "osd_settings=1,0,4,2,0,1\r\n" + kTitles);
    // The first refresh does not notify and unchanged ticks send nothing.
    const int seen = refreshes;
    ASSERT_TRUE(lumtest::waitUntil([&] { return refreshes >= seen + 2; }, 20000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.sent().empty());

    QByteArray changed = kFeed;
    changed.replace("<title>A</title>", "<title>A longer headline</title>");
    http.set("/feed.xml", {changed});
    // Sent from the worker's thread: queued to the online list's.
    ASSERT_TRUE(lumtest::waitUntil([&] { return !f.sent().empty(); }, 20000));
    EXPECT_EQ(f.sent(), (Sent{{1, CommandIndex::UpdateRss}}));
    EXPECT_TRUE(lumtest::readFile(f.ticker()).contains("A longer headline"));
    rss.stop();
}

TEST(RssThread, GroupElementUpkeepSavesAtOnce) {
    RssFixture f;
    lum::CRssThread rss(f.dir.path(), f.source(), nullptr);
    EXPECT_FALSE(rss.addGroupElement("Hall"));  // no document yet
    f.writeConfig({{"One", "http://x/1", "one", true, false}});
    ASSERT_TRUE(rss.addGroupElement("Hall"));
    EXPECT_FALSE(rss.addGroupElement("HALL"));
    ASSERT_TRUE(rss.renameGroupElement("lobby", "Foyer"));
    lum::RssConfig c;
    ASSERT_TRUE(c.load(f.config()));
    EXPECT_EQ(c.groupNames(), QStringList({"Foyer", "Hall"}));
    EXPECT_EQ(c.channels("Foyer").size(), 1);
    ASSERT_EQ(rss.channelList().size(), 1);
    EXPECT_EQ(rss.channelList()[0].group, "Foyer");
    ASSERT_TRUE(rss.removeGroupElement("foyer"));
    EXPECT_TRUE(rss.channelList().isEmpty());
}

TEST(RssEditor, OpenAddChangeDeleteRefreshAndSettings) {
    RssFixture f;
    lumtest::TestHttpServer http;
    http.set("/n.xml", {kFeed});
    lum::CRssThread rss(f.dir.path(), f.source(), nullptr);
    lum::CRssEditor editor(rss);
    ASSERT_TRUE(editor.open({"Home", "Lobby"}));
    EXPECT_TRUE(QFile::exists(f.config()));
    EXPECT_EQ(editor.document().groupNames(), QStringList({"Home", "Lobby"}));
    EXPECT_EQ(rss.channelList().size(), 1);

    lumtest::RecordingPrompt prompt;
    lum::FetchedFeed collected;
    EXPECT_FALSE(editor.connectFeed("  " + http.url("/none.xml"), prompt, &collected));
    EXPECT_EQ(prompt.messages, QStringList({"Can not connect to: " + http.url("/none.xml")}));
    ASSERT_TRUE(editor.connectFeed(" " + http.url("/n.xml") + " ", prompt, &collected));
    EXPECT_EQ(collected.firstTitle, "Town News");
    // Adding applies only the quote replacements: the markup stays until the next refresh.
    EXPECT_EQ(collected.titles, " <<Town News \r\n <<A \r\n <<B <b> \r\n");
    EXPECT_EQ(collected.descriptions, kDescriptions);

    EXPECT_EQ(editor.addFeed("Lobby", http.url("/n.xml"), "", true, false, collected), -1);
    const int index = editor.addFeed("Lobby", " " + http.url("/n.xml"), "Town", true, true, collected);
    ASSERT_EQ(index, 0);
    const lum::RssChannel added = editor.document().channels("Lobby")[0];
    EXPECT_EQ(added.fileName, lum::feedFileName(http.url("/n.xml")));
    EXPECT_EQ(editor.preview(added), QString::fromLatin1(collected.descriptions));
    EXPECT_EQ(rss.channelList().size(), 2);

    QString preview, reason;
    bool asyncOk = false, asyncDone = false;
    auto refresh = [&] {
        asyncDone = false;
        editor.refreshChannelAsync("lobby", 0, &rss, [&](bool ok, const QString& p, const QString& why) {
            asyncOk = ok;
            preview = p;
            reason = why;
            asyncDone = true;
        });
        return lumtest::waitUntil([&] { return asyncDone; }, 20000);
    };
    ASSERT_TRUE(refresh());
    EXPECT_EQ(std::tuple(asyncOk, preview, reason), std::tuple(true, QString::fromLatin1(kDescriptions), QString()));
    // A failed refresh says why and keeps the text file.
    const QByteArray before = lumtest::readFile(f.serverData(added.fileName));
    http.set("/n.xml", {"", true, 404});
    ASSERT_TRUE(refresh());
    EXPECT_FALSE(asyncOk);
    EXPECT_TRUE(reason.contains("404")) << reason.toStdString();
    http.set("/n.xml", {"<rss><channel><title>cut"});
    ASSERT_TRUE(refresh());
    EXPECT_TRUE(reason.startsWith("not a feed")) << reason.toStdString();
    EXPECT_EQ(lumtest::readFile(f.serverData(added.fileName)), before);
    http.set("/n.xml", {kFeed});

    ASSERT_TRUE(editor.changeChannel("Lobby", 0, "Town 2", false, false, "home"));
    EXPECT_TRUE(editor.document().channels("Lobby").isEmpty());
    const lum::RssChannel moved = editor.document().channels("Home").last();
    EXPECT_EQ(std::tuple(moved.title, moved.active), std::tuple("Town 2", false));
    ASSERT_TRUE(editor.deleteChannel("Home", 1));
    EXPECT_EQ(editor.document().channels("Home").size(), 1);
    EXPECT_TRUE(QFile::exists(f.serverData(added.fileName)));  // the text file stays

    ASSERT_TRUE(editor.setGlobalSettings({3, 1, 2, 0, 0, 1}, QString(30, '>')));
    EXPECT_EQ(editor.document().leadChars(), QString(20, '>'));
    EXPECT_EQ(std::tuple(rss.settingsLine(), rss.settingsChanged(), rss.autoRss()),
              std::tuple("osd_settings=3,1,2,4,0,0\r\n", true, true));
    ASSERT_TRUE(editor.setGroupSettings("lobby", {5, 0, 0, 2, 1, 0}));
    EXPECT_EQ(editor.document().groupSettings("Lobby").bgcolor, 5);
    EXPECT_EQ(rss.settingsLine(), "osd_settings=3,1,2,4,0,0\r\n");
}

TEST(RssAccounts, StoreGroupsDriveTickersAndGroupElements) {
    RssFixture f;
    lum::CUserStore store(f.dir.path());
    lum::CUserGroup home;
    home.name = "Home";
    ASSERT_EQ(store.AddGroup(home), 1);
    lumtest::writeFile(f.serverData("one"), channelFile("Home titles ", ""));

    lum::CRssThread rss(f.dir.path(), lum::rssGroupsOf(store), nullptr);
    lum::connectRssGroupUpkeep(store, rss);
    lum::CRssEditor editor(rss);
    ASSERT_TRUE(editor.open(store.GroupNames()));
    // The default channel has no text file yet; a second one reads the prepared file.
    ASSERT_TRUE(rss.editDocument([](lum::RssConfig& d) {
        d.addChannel("Home", {"Mine", "http://127.0.0.1:1/x", "one", true, false});
        return true;
    }));
    ASSERT_TRUE(rss.buildTickerFile("home", false));
    EXPECT_EQ(lumtest::readFile(f.dir.filePath("Home/rssmsg.txt")),
              "osd_settings=1,0,4,2,0,1\r\nHome titles ");

    lum::CUserGroup shop;
    shop.name = "Shop";
    ASSERT_EQ(store.AddGroup(shop), 1);
    ASSERT_TRUE(lumtest::waitUntil([&] { return rss.configuration().hasGroup("Shop"); }));
    lum::CUserGroup renamed = shop;
    renamed.name = "Store";
    ASSERT_EQ(store.UpdateGroup("Shop", renamed), 1);
    ASSERT_TRUE(lumtest::waitUntil([&] { return rss.configuration().hasGroup("Store"); }));
    EXPECT_FALSE(rss.configuration().hasGroup("Shop"));
    ASSERT_EQ(store.DeleteGroup("Store"), 1);
    ASSERT_TRUE(lumtest::waitUntil([&] { return !rss.configuration().hasGroup("Store"); }));
    lum::RssConfig onDisk;
    ASSERT_TRUE(onDisk.load(f.config()));
    EXPECT_EQ(onDisk.groupNames(), QStringList({"Home"}));
}

TEST(RssTreeModel, GroupsWithChannelsAndRefreshStatesKeptAcrossDocuments) {
    using M = lum::RssTreeModel;
    M model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    lum::RssConfig doc = lum::RssConfig::createDefault({"Home", "Lobby"});
    doc.addChannel("Lobby", {"One", "http://a/1", "a1", true, false});
    doc.addChannel("Lobby", {"Two", "http://a/2", "a2", false, true});
    model.setDocument(doc);

    ASSERT_EQ(model.rowCount(), 2);
    const QModelIndex lobby = model.groupIndex("LOBBY");
    ASSERT_TRUE(lobby.isValid());
    EXPECT_EQ(lobby.data().toString(), "Lobby");
    EXPECT_EQ(lobby.data(M::KindRole).toInt(), M::GroupItem);
    EXPECT_EQ(model.rowCount(lobby), 2);
    const QModelIndex two = model.channelIndex("lobby", 1);
    EXPECT_EQ(two.parent(), lobby);
    EXPECT_EQ(two.data().toString(), "Two");
    EXPECT_EQ(std::tuple(two.data(M::KindRole).toInt(), two.data(M::GroupRole).toString(),
                         two.data(M::ChannelRole).toInt(), two.data(M::LinkRole).toString()),
              std::tuple(int(M::ChannelItem), QString("Lobby"), 1, QString("http://a/2")));
    EXPECT_EQ(model.channelAt(two), (lum::RssChannel{"Two", "http://a/2", "a2", false, true}));
    EXPECT_FALSE(model.channelIndex("Lobby", 2).isValid());
    EXPECT_FALSE(model.channelIndex("Nowhere", 0).isValid());
    EXPECT_EQ(model.rowCount(model.groupIndex("Home")), 1);  // the default news channel

    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.setRefreshState("lobby", "http://a/2", M::Refreshing);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), two);
    EXPECT_EQ(two.data(M::StateRole).toInt(), M::Refreshing);
    model.setRefreshState("Lobby", "http://a/2", M::Failed, "HTTP 404");
    EXPECT_EQ(two.data(Qt::ToolTipRole).toString(), "Can not refresh http://a/2: HTTP 404");

    // A new document (the channel moved up) keeps the state with its group and address.
    doc.removeChannel("Lobby", 0);
    model.setDocument(doc);
    const QModelIndex moved = model.channelIndex("Lobby", 0);
    EXPECT_EQ(std::tuple(moved.data(M::StateRole).toInt(), moved.data(M::ReasonRole).toString()),
              std::tuple(int(M::Failed), QString("HTTP 404")));
    model.setRefreshState("Lobby", "http://a/2", M::Idle);
    EXPECT_EQ(moved.data(Qt::ToolTipRole).toString(), "http://a/2");
    EXPECT_EQ(model.refreshState("Lobby", "http://a/2"), M::Idle);
}

TEST(RssEditor, ChannelChangedElsewhereIsNotDeletedOrChangedByPlace) {
    RssFixture f;
    f.writeConfig({{"One", "http://127.0.0.1:1/1", "one", true, false},
                   {"Two", "http://127.0.0.1:1/2", "two", true, false}});
    lum::CRssThread rss(f.dir.path(), f.source(), nullptr);
    lum::CRssEditor editor(rss);
    ASSERT_TRUE(editor.open({"Lobby"}));
    // Someone else (lumctl, a second window) removes "One": "Two" now sits where "One" was.
    ASSERT_TRUE(rss.editDocument([](lum::RssConfig& d) { return d.removeChannel("Lobby", 0); }));
    EXPECT_FALSE(editor.deleteChannel("Lobby", 0));
    EXPECT_FALSE(editor.changeChannel("Lobby", 0, "Renamed", true, false, "Lobby"));
    lum::RssConfig onDisk;
    ASSERT_TRUE(onDisk.load(f.config()));
    ASSERT_EQ(onDisk.channels("Lobby").size(), 1);
    EXPECT_EQ(onDisk.channels("Lobby")[0].title, "Two");
    // Read again, the editor addresses "Two" at its new place.
    ASSERT_TRUE(editor.open({"Lobby"}));
    EXPECT_TRUE(editor.deleteChannel("Lobby", 0));
    EXPECT_TRUE(editor.document().channels("Lobby").isEmpty());
}
