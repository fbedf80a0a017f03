#include "media/WebItem.h"

#include "MediaTestSupport.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

TEST(WebLength, RealServerLengthsAndFailures) {
    lumtest::TestHttpServer http;
    http.set("/media/clip.mp4", {QByteArray(12345, 'v')});
    http.set("/empty.jpg", {QByteArray()});
    http.set("/stream", {QByteArray(500, 's'), false});
    http.set("/gone", {QByteArray("x"), true, 410});

    EXPECT_EQ(lum::queryWebLength(http.url("/media/clip.mp4")), 12345u);
    EXPECT_EQ(lum::queryWebLength(http.url("/empty.jpg")), 0u);
    EXPECT_EQ(lum::queryWebLength(http.url("/stream")), lum::kWebLengthFailed);  // no length given
    EXPECT_EQ(lum::queryWebLength(http.url("/missing")), lum::kWebLengthFailed);
    EXPECT_EQ(lum::queryWebLength(http.url("/gone")), lum::kWebLengthFailed);

    QTemporaryDir local;
    lumtest::writeFile(local.filePath("f.bin"), "12345");
    EXPECT_EQ(lum::queryWebLength("file://" + local.filePath("f.bin")), lum::kWebLengthFailed);

    EXPECT_EQ(lum::queryWebLength(QString("http://127.0.0.1:%1/x").arg(lumtest::deadPort())),
              lum::kWebLengthFailed);
}

TEST(WebItem, CompositionLowerCasesOnlyTheUrlField) {
    lumtest::TestHttpServer http;
    http.set("/promo/spring/Banner.JPG", {QByteArray(777, 'j')});
    const QString hostPort = QString("127.0.0.1:%1").arg(http.port());
    lumtest::RecordingPrompt prompt;

    const lum::WebItemResult r = lum::composeWebItem(
        "  HTTP://" + hostPort + "/PROMO/Spring/ ", " Banner.JPG ", prompt);
    ASSERT_TRUE(r.ok) << prompt.messages.join("|").toStdString();
    EXPECT_EQ(std::tuple(r.item.host, r.item.path, r.item.size, r.item.port, r.item.protocol),
              std::tuple("http://" + hostPort, "promo/spring/Banner.JPG", 777u, 80, "HTTP"));
    EXPECT_TRUE(prompt.messages.isEmpty());

    const lum::PlaylistItem item = lum::toPlaylistItem(r.item);
    EXPECT_EQ(std::tuple(lum::PlaylistItem::field(item.protocol), item.hostText(), item.port, item.pathText(),
                         item.fileNameText(), item.size),
              std::tuple("HTTP", "http://" + hostPort, 80, "promo/spring/Banner.JPG", "Banner.JPG", 777));
}

TEST(WebItem, PathRulesAndRefusals) {
    lumtest::RecordingPrompt prompt;
    QStringList asked;
    auto fixed = [&](quint32 v) {
        return [&asked, v](const QString& url) { asked << url; return v; };
    };

    lum::WebItemResult r = lum::composeWebItem("www.Example.com", "a.jpg", prompt, fixed(5));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.item.path, "a.jpg");
    r = lum::composeWebItem("http://x.org/dir", "b.jpg", prompt, fixed(5));
    EXPECT_EQ(r.item.path, "dir/b.jpg");
    EXPECT_EQ(asked, QStringList({"http://www.example.com/a.jpg", "http://x.org/dir/b.jpg"}));

    r = lum::composeWebItem("", "b.jpg", prompt, fixed(5));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.focus, lum::WebItemResult::Focus::UrlField);
    r = lum::composeWebItem("x.org", "", prompt, fixed(5));
    EXPECT_EQ(r.focus, lum::WebItemResult::Focus::FileNameField);
    r = lum::composeWebItem("x.org", "c.jpg", prompt, fixed(0xFFFFFFFEu));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(prompt.messages, QStringList({"URL can not be 'Blank'", "File name can not be 'Blank'",
                                            "Can't get the file length, please check url"}));
}

TEST(WebItem, UnreachableHostAddsNothing) {
    lumtest::RecordingPrompt prompt;
    const lum::WebItemResult r =
        lum::composeWebItem(QString("127.0.0.1:%1/v").arg(lumtest::deadPort()), "clip.mp4", prompt);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(prompt.messages, QStringList({"Can't get the file length, please check url"}));
}

TEST(WebItem, AddressFromAnotherWindowKeepsItsCaseAndAsksTheServer) {
    struct Case {
        const char* address;
        const char* host;
        const char* path;
    } cases[] = {
        {"  http://Media.Example.com/Spring Sale/Clip.MP4 ", "Media.Example.com", "SpringSale/Clip.MP4"},
        {"https://x.org/a.jpg", "x.org", "a.jpg"},
        {"x.org/dir/b.jpg", "x.org", "dir/b.jpg"},
        {"x.org", "x.org", ""},
    };
    for (const Case& c : cases) {
        const std::optional<lum::WebItem> w = lum::webItemFromAddress(c.address);
        ASSERT_TRUE(w.has_value()) << c.address;
        EXPECT_EQ(std::tuple(w->host, w->path, w->port, w->protocol),
                  std::tuple(QString(c.host), QString(c.path), 80, QString("HTTP")))
            << c.address;
    }
    EXPECT_FALSE(lum::webItemFromAddress("   ").has_value());
    EXPECT_FALSE(lum::webItemFromAddress("http:///a.jpg").has_value());

    // The length comes from the server for that host and path.
    lumtest::TestHttpServer http;
    http.set("/Promo/Clip.mp4", {QByteArray(321, 'c')});
    auto w = lum::webItemFromAddress(QString("http://127.0.0.1:%1/Promo/Clip.mp4").arg(http.port()));
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(lum::webItemUrl(*w), QString("http://127.0.0.1:%1/Promo/Clip.mp4").arg(http.port()));
    EXPECT_EQ(lum::queryWebLength(lum::webItemUrl(*w)), 321u);
}

TEST(WebItem, FieldChecksAndTheLengthInTwoHalves) {
    lumtest::RecordingPrompt prompt;
    lum::WebItemResult r = lum::prepareWebItem("X.org/Dir/", "Clip.MP4", prompt);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(lum::webItemUrl(r.item), "http://x.org/dir/Clip.MP4");
    EXPECT_TRUE(lum::finishWebItem(r, 99, prompt));
    EXPECT_EQ(r.item.size, 99u);
    EXPECT_FALSE(lum::finishWebItem(r, lum::kWebLengthFailed, prompt));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(lum::prepareWebItem("", "a.jpg", prompt).ok);
    EXPECT_EQ(prompt.messages, QStringList({"Can't get the file length, please check url",
                                            "URL can not be 'Blank'"}));
}
