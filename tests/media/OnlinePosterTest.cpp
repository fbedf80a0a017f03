// The media commands reach players through the real online model: the ticker worker's
// command 14 and the instant picture's command 45.
#include "accounts/UserStore.h"
#include "console/OnlineCommandPoster.h"
#include "media/ImageEditor.h"
#include "media/RssConfig.h"
#include "media/RssThread.h"

#include "MediaTestSupport.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

// The control server's side as the online model sees it.
class RecordingConnections : public lum::IPlayerConnections {
public:
    struct Post {
        quint32 id;
        int index;
        QString image;
        quint32 seconds;
    };
    void StopConnection(quint32) override {}
    bool PostThreadCommand(quint32 id, int index, const lum::OperatorCommandArgs& args) override {
        posts.push_back({id, index, args.imageName, args.displaySeconds});
        return true;
    }
    std::vector<Post> posts;
};

}  // namespace

TEST(OnlineCommandPoster, TickerAndPictureCommandsReachTheGroupsPlayers) {
    QTemporaryDir dir;
    lum::CUserStore store(dir.path());
    for (const char* g : {"Home", "Lobby"}) {
        lum::CUserGroup group;
        group.name = g;
        ASSERT_EQ(store.AddGroup(group), 1);
        QDir().mkpath(store.homeDirectoryFor(g));
    }
    for (auto [name, group] : {std::pair{"p1", "Home"}, std::pair{"p2", "Lobby"}}) {
        lum::CUser u;
        u.name = name;
        u.group = group;
        ASSERT_EQ(store.AddUser(u), 1);
    }
    lumtest::ScriptedPrompt prompt;
    lum::COnlineModel online(store, prompt);
    RecordingConnections conns;
    online.setConnections(&conns);
    online.ClientLoggedIn(1, "p1", "127.0.0.1", "00-00-00-00-00-01");
    online.ClientLoggedIn(2, "p2", "127.0.0.1", "00-00-00-00-00-02");
    ASSERT_TRUE(lumtest::waitUntil([&] { return online.rowCount() == 2; }));
    lum::COnlineCommandPoster poster(online);

    // A Lobby ticker built with notify and auto RSS on: command 14 to p2 only.
    QByteArray file(4, '\0');
    qToLittleEndian(qint32(6), file.data());
    ASSERT_TRUE(lumtest::writeFile(dir.filePath("server data/lobbyfeed"), file + "Hello "));
    lum::RssConfig config = lum::RssConfig::createDefault({"Lobby"});
    config.setSettings({1, 0, 4, 1, 1, 1});
    config.addChannel("Lobby", {"Lobby", "http://127.0.0.1:1/x", "lobbyfeed", true, false});
    ASSERT_TRUE(config.save(dir.filePath("server data/rssconfig.xml")));
    lum::CRssThread rss(dir.path(), [&] {
        return QList<lum::RssGroupInfo>{{"Lobby", store.homeDirectoryFor("Lobby")}};
    }, &poster);
    ASSERT_TRUE(rss.loadConfiguration());
    ASSERT_TRUE(rss.buildTickerFile("Lobby", true));
    ASSERT_TRUE(lumtest::waitUntil([&] { return conns.posts.size() == 1; }));
    EXPECT_EQ(conns.posts[0].id, 2u);
    EXPECT_EQ(conns.posts[0].index, 14);

    // The instant picture to one player: command 45 with the name and the display time.
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(dir.filePath("pic.jpg")));
    ASSERT_TRUE(lum::sendInstantPicture(dir.filePath("pic.jpg"), dir.path(), 30,
                                        lum::MediaTarget::player("p1"), poster));
    ASSERT_TRUE(lumtest::waitUntil([&] { return conns.posts.size() == 2; }));
    EXPECT_EQ(conns.posts[1].id, 1u);
    EXPECT_EQ(conns.posts[1].index, 45);
    EXPECT_EQ(conns.posts[1].image, "pic.jpg");
    EXPECT_EQ(conns.posts[1].seconds, 30u);
    EXPECT_TRUE(prompt.messages.isEmpty());
}
