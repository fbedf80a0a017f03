#include "media/MediaRequests.h"
#include "media/RssConfig.h"

#include "MediaTestSupport.h"
#include "common/OnlinePlayers.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <gtest/gtest.h>

using lum::CommandIndex;
using Sent = std::vector<std::pair<quint32, CommandIndex>>;

TEST(MediaRequests, TickerRssAndPictureRequests) {
    lumtest::OnlinePlayers players;
    const QTemporaryDir& dir = players.dir;
    lumtest::addGroup(players.store, "Lobby");
    lumtest::addUser(players.store, "p7", "Lobby");
    players.login(7, "p7", "00-00-00-00-00-07");
    lumtest::TestHttpServer http;
    http.set("/feed.xml", {"<rss><channel><title>Harbour radio</title>"
                           "<item><title>Ferry late</title></item></channel></rss>"});
    const QString lobby = players.home("Lobby");
    lum::CRssThread rss(dir.path(), [&] { return QList<lum::RssGroupInfo>{{"Lobby", lobby}}; },
                        &players.online);
    lum::MediaServices services{dir.path(), &rss, &players.online,
                                [] { return QStringList{"Home", "Lobby"}; }};
    QJsonObject reply;
    // Handles a request and waits for its reply, which may come later from the event loop.
    auto handle = [&](const QJsonObject& request, const lum::MediaServices& s, QJsonObject* out) {
        bool answered = false;
        const bool mine = lum::handleMediaRequest(request, s, [&](const QJsonObject& r) {
            *out = r;
            answered = true;
        });
        return mine && lumtest::waitUntil([&] { return answered; }, 20000);
    };

    EXPECT_FALSE(handle({{"verb", "players"}}, services, &reply));
    EXPECT_TRUE(reply.isEmpty());

    // rss add creates the document, fetches the feed and takes its first title.
    ASSERT_TRUE(handle(
        {{"verb", "rss"}, {"action", "add"}, {"group", "Lobby"}, {"url", http.url("/feed.xml")}},
        services, &reply));
    ASSERT_TRUE(reply["ok"].toBool()) << reply["error"].toString().toStdString();
    EXPECT_EQ(reply["title"].toString(), "Harbour radio");
    lum::RssConfig doc;
    ASSERT_TRUE(doc.load(rss.configPath()));
    ASSERT_EQ(doc.channels("Lobby").size(), 1);
    EXPECT_EQ(doc.channels("Lobby")[0].link, http.url("/feed.xml"));

    ASSERT_TRUE(handle(
        {{"verb", "rss"}, {"action", "add"}, {"group", "Lobby"}, {"url", http.url("/none.xml")}},
        services, &reply));
    EXPECT_FALSE(reply["ok"].toBool());
    EXPECT_EQ(reply["messages"].toArray().first().toString(), "Can not connect to: " + http.url("/none.xml"));

    // ticker: built from the channel text the add wrote, then command 13.
    ASSERT_TRUE(handle({{"verb", "ticker"}, {"target", QJsonObject{{"group", "lobby"}}}}, services, &reply));
    EXPECT_TRUE(reply["ok"].toBool());
    EXPECT_EQ(reply["delivered"].toInt(), 1);
    EXPECT_EQ(lumtest::readFile(lobby + "/rssmsg.txt"),
              "osd_settings=1,0,4,2,0,1\r\n <<Harbour radio \r\n <<Ferry late \r\n");
    EXPECT_EQ(players.connections.sent(), (Sent{{7, CommandIndex::RssMessage}}));

    // refresh needs the running worker.
    ASSERT_TRUE(handle({{"verb", "rss"}, {"action", "refresh"}}, services, &reply));
    EXPECT_FALSE(reply["ok"].toBool());
    int refreshes = 0;
    QObject::connect(&rss, &lum::CRssThread::refreshed, &rss, [&] { ++refreshes; });
    rss.start();
    ASSERT_TRUE(lumtest::waitUntil([&] { return refreshes == 1; }, 20000));
    ASSERT_TRUE(handle({{"verb", "rss"}, {"action", "refresh"}}, services, &reply));
    EXPECT_TRUE(reply["ok"].toBool());
    ASSERT_TRUE(lumtest::waitUntil([&] { return refreshes == 2; }, 20000));
    rss.stop();

    // picture: copied over instant.jpg, command 45 to the player.
    QImage img(2, 2, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(dir.filePath("promo.jpg")));
    ASSERT_TRUE(handle(
        {{"verb", "picture"}, {"file", dir.filePath("promo.jpg")}, {"seconds", 12}, {"target", QJsonObject{{"player", "p7"}}}},
        services, &reply));
    ASSERT_TRUE(reply["ok"].toBool());
    EXPECT_EQ(reply["delivered"].toInt(), 1);
    EXPECT_TRUE(QFile::exists(dir.filePath("instant.jpg")));
    ASSERT_EQ(players.connections.posts.size(), 2u);
    const auto& picture = players.connections.posts[1];
    EXPECT_EQ(picture.index, CommandIndex::Picture);
    EXPECT_EQ(picture.args.imageName, "promo.jpg");
    EXPECT_EQ(picture.args.displaySeconds, 12u);
    // Nobody of that name online: the reply says what the operator would be told.
    ASSERT_TRUE(handle(
        {{"verb", "picture"}, {"file", dir.filePath("promo.jpg")}, {"target", QJsonObject{{"player", "p8"}}}},
        services, &reply));
    EXPECT_EQ(reply["messages"].toArray().first().toString(),
              "No client is online and no client will be effected!");
    ASSERT_TRUE(handle(
        {{"verb", "picture"}, {"file", "rel.jpg"}, {"target", QJsonObject{{"all", true}}}}, services, &reply));
    EXPECT_FALSE(reply["ok"].toBool());
    ASSERT_TRUE(handle({{"verb", "picture"}, {"file", dir.filePath("promo.jpg")}}, services, &reply));
    EXPECT_FALSE(reply["ok"].toBool());  // no target
    EXPECT_EQ(players.connections.posts.size(), 2u);
}
