#include "media/ImageEditor.h"
#include "media/YuvImage.h"

#include "common/OnlinePlayers.h"
#include "common/TestSupport.h"
#include "MediaTestSupport.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

using lumtest::solidPicture;

}  // namespace

// White and blue blocks, byte for byte, are checked through lumctl convert-yuv (RssServerTest).
TEST(YuvConvert, ChromaStoreRules) {
    const std::pair<int, int> cases[] = {{-5, 0}, {0, 0}, {1, 129}, {127, 255}, {128, 0}, {255, 127}, {256, 127}};
    for (auto [in, stored] : cases) EXPECT_EQ(lum::storeChroma(in), stored) << in;
    EXPECT_EQ(lum::storeLuma(0), 0x80);
}

TEST(YuvConvert, SizesHeaderAndUnloadableSources) {
    QTemporaryDir dir;
    const QString pic = solidPicture(dir.path(), "red.png", 6, 4, Qt::red);
    // Own size, big-endian header, chroma rows of U then V.
    EXPECT_EQ(lum::convertToYuv(pic, dir.filePath("own.yuv"), 0, 0), 16 + 24 + 12);
    const QByteArray own = lumtest::readFile(dir.filePath("own.yuv"));
    EXPECT_EQ(own.mid(8, 8), QByteArray("\x00\x06\x00\x04\x00\x00\x00\x00", 8));
    // Red: U = ((-44*255)>>8)+128 = 84, V = ((131*255)>>8)+128 = 258.
    EXPECT_EQ(own.mid(40, 6), QByteArray(3, char(84 ^ 0x80)) + QByteArray(3, char(127)));

    // Stretched to a requested size.
    EXPECT_EQ(lum::convertToYuv(pic, dir.filePath("big.yuv"), 300, 2), 16 + 600 + 300);

    // Odd sizes: chroma only from whole 2 x 2 blocks.
    EXPECT_EQ(lum::convertToYuv(pic, dir.filePath("odd.yuv"), 3, 5), 16 + 15 + 2 * 1 * 2);
    lum::RgbPlanes odd;
    ASSERT_TRUE(lum::readYuv(dir.filePath("odd.yuv"), &odd));
    EXPECT_EQ(odd.width, 3);
    EXPECT_EQ(odd.r.size(), 15);
    EXPECT_GT(quint8(odd.r[14]), 200);  // the borrowed chroma still gives red

    // Not a picture: black of the requested size, or the header alone at the own size.
    lumtest::writeFile(dir.filePath("junk.jpg"), "not a picture");
    EXPECT_EQ(lum::convertToYuv(dir.filePath("junk.jpg"), dir.filePath("j.yuv"), 2, 2), 22);
    EXPECT_EQ(lumtest::readFile(dir.filePath("j.yuv")).mid(16), QByteArray("\x80\x80\x80\x80\x00\x00", 6));
    EXPECT_EQ(lum::convertToYuv(dir.filePath("junk.jpg"), dir.filePath("j0.yuv"), 0, 0), 16);

    // A target in a folder that cannot be created gives 0.
    lumtest::writeFile(dir.filePath("file"), "x");
    EXPECT_EQ(lum::convertToYuv(pic, dir.filePath("file/sub/t.yuv"), 2, 2), 0);
    EXPECT_EQ(lum::convertToYuv(pic, dir.filePath("huge.yuv"), 70000, 2), 0);
    EXPECT_EQ(lum::convertToYuv(pic, dir.filePath("huge.yuv"), 8193, 8193), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("huge.yuv")));
}

TEST(YuvRead, BmpRowsArePaddedAndBottomUp) {
    QTemporaryDir dir;
    lum::RgbPlanes p;
    p.width = 3;
    p.height = 2;
    p.r = QByteArray("\x01\x02\x03\x04\x05\x06", 6);
    p.g = QByteArray(6, '\0');
    p.b = QByteArray(6, '\x10');
    ASSERT_TRUE(lum::writeBmp24(dir.filePath("t.bmp"), p));
    const QByteArray raw = lumtest::readFile(dir.filePath("t.bmp"));
    ASSERT_EQ(raw.size(), 54 + 2 * 12);
    // The first stored row is the picture's last row, in B G R order, padded to 12 bytes.
    EXPECT_EQ(raw.mid(54, 12), QByteArray("\x10\x00\x04\x10\x00\x05\x10\x00\x06\x00\x00\x00", 12));
    EXPECT_EQ(raw.mid(66, 3), QByteArray("\x10\x00\x01", 3));
    // The header is one a picture reader accepts.
    const QImage back(dir.filePath("t.bmp"));
    EXPECT_EQ(back.size(), QSize(3, 2));
    EXPECT_EQ(back.pixel(0, 0), qRgb(1, 0, 0x10));
}

TEST(YuvRead, RefusesDamagedFiles) {
    QTemporaryDir dir;
    lum::RgbPlanes p;
    EXPECT_FALSE(lum::readYuv(dir.filePath("missing.yuv"), &p));
    lumtest::writeFile(dir.filePath("magic.yuv"), QByteArray("%ABCV1.0\x00\x02\x00\x02\x00\x00\x00\x00", 16) + QByteArray(6, 0));
    EXPECT_FALSE(lum::readYuv(dir.filePath("magic.yuv"), &p));
    lumtest::writeFile(dir.filePath("zero.yuv"), QByteArray("%YUVV1.0\x00\x00\x00\x02\x00\x00\x00\x00", 16));
    EXPECT_FALSE(lum::readYuv(dir.filePath("zero.yuv"), &p));
    lumtest::writeFile(dir.filePath("short.yuv"), QByteArray("%YUVV1.0\x00\x10\x00\x10\x00\x00\x00\x00", 16) + QByteArray(20, 0));
    EXPECT_FALSE(lum::readYuv(dir.filePath("short.yuv"), &p));
    // A header claiming 65535 x 65535 pixels in a file of a few bytes is refused before
    // anything that size is allocated (it took gigabytes).
    lumtest::writeFile(dir.filePath("huge.yuv"), QByteArray("%YUVV1.0\xff\xff\xff\xff\x00\x00\x00\x00", 16) + QByteArray(20, 0));
    EXPECT_FALSE(lum::readYuv(dir.filePath("huge.yuv"), &p));
    EXPECT_EQ(p.width, 0);
}

TEST(ImageEditor, StateNamingAndDurations) {
    const QList<lum::ZoneItem> items = {
        {"/y/a_tz2.yuv", 10, 10}, {"/y/one.yuv", 10, 10}, {"/y/two.yuv", 10, 40}};
    const lum::ImageEditorState s = lum::imageEditorStateFor(items);
    EXPECT_EQ(s.banner, "/y/a_tz2.yuv");
    EXPECT_EQ(s.bannerTemplate, lum::BannerTemplate::Template2);
    EXPECT_EQ(s.slides, QStringList({"/y/one.yuv", "/y/two.yuv"}));
    EXPECT_EQ(lum::slideDurationForChoice(s.slideChoice), 40);
    EXPECT_EQ(lum::slideChoiceForDuration(25), 0);  // no such choice
    EXPECT_EQ(lum::slideDurationForChoice(-1), 10);  // out of range: clamped, never indexed
    EXPECT_EQ(lum::slideDurationForChoice(5), 60);

    EXPECT_EQ(lum::bannerTargetPath("/Y", "C:\\pics\\sky_tz1.jpg", lum::BannerTemplate::Template2), "/Y/sky_tz2.yuv");
    EXPECT_EQ(lum::bannerTargetPath("/Y", "/p/sky.v2.jpg", lum::BannerTemplate::Template1), "/Y/sky.v2_tz1.yuv");
    EXPECT_EQ(lum::bannerTargetPath("/Y", "/p_tz1/sky.jpg", lum::BannerTemplate::Template1), "/Y/sky_tz1.yuv");
    EXPECT_TRUE(lum::isYuvFile("a.YUV"));
    EXPECT_FALSE(lum::isYuvFile("a.Yuv"));
}

TEST(ImageEditor, OkConvertsBannerAndSlides) {
    QTemporaryDir dir;
    const QString banner = solidPicture(dir.path(), "top_tz1.jpg", 64, 8, Qt::green);
    const QString slide = solidPicture(dir.path(), "slide.bmp", 10, 10, Qt::blue);
    const QString ready = dir.filePath("ready.yuv");
    lumtest::writeFile(ready, QByteArray(22, 'x'));

    lum::ImageEditorState s;
    s.banner = banner;
    s.bannerTemplate = lum::BannerTemplate::Template2;
    s.slides = {slide, dir.filePath("gone.jpg"), ready};
    s.slideChoice = 2;
    QList<int> steps;
    const QString yuvDir = dir.filePath("YUVDATA");
    const QList<lum::ZoneItem> out =
        lum::applyImageEditor(s, yuvDir, [&](int pct) { steps << pct; });

    ASSERT_EQ(out.size(), 3);
    EXPECT_EQ(out[0], (lum::ZoneItem{yuvDir + "/top_tz2.yuv", 16 + 1280 * 150, 30}));
    EXPECT_EQ(out[1], (lum::ZoneItem{yuvDir + "/slide.yuv", 16 + 560 * 840, 30}));
    EXPECT_EQ(out[2], (lum::ZoneItem{ready, 22, 30}));  // taken unconverted
    EXPECT_EQ(QFileInfo(yuvDir + "/slide.yuv").size(), 16 + 560 * 840);
    EXPECT_EQ(steps, QList<int>({25, 50, 75, 100}));
}

TEST(ImageEditor, ZoneListRoundTripsThroughPlaylistItems) {
    const QList<lum::ZoneItem> zones = {{"/data/YUVDATA/top_tz1.yuv", 192016, 10},
                                        {"/data/YUVDATA/slide.yuv", 470416, 30}};
    const std::vector<lum::PlaylistItem> items = lum::playlistItemsFor(zones);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].fileNameText(), "top_tz1.yuv");
    EXPECT_TRUE(items[1].isYuv());
    EXPECT_EQ(items[1].period, 30);
    EXPECT_EQ(lum::zoneItemsOf(items), zones);
}

// The command's fields are checked where it reaches players (MediaRequestsTest).
TEST(InstantPicture, ReplacesInstantJpgAndPostsNothingForAMissingPicture) {
    lumtest::OnlinePlayers players;
    lumtest::addGroup(players.store, "Lobby");
    lumtest::addUser(players.store, "p1", "Lobby");
    players.login(1, "p1", "m1");
    const QTemporaryDir& dir = players.dir;
    const QString pic = solidPicture(dir.path(), "shot.jpg", 4, 4, Qt::gray);
    lumtest::writeFile(dir.filePath("instant.jpg"), "old");
    const auto posted = lum::sendInstantPicture(pic, dir.path(), 30,
                                                lum::CommandTarget::group("Lobby"), players.online);
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->delivered, 1);
    EXPECT_EQ(lumtest::readFile(dir.filePath("instant.jpg")), lumtest::readFile(pic));

    EXPECT_FALSE(lum::sendInstantPicture(dir.filePath("none.jpg"), dir.path(), 0,
                                         lum::CommandTarget::all(), players.online));
    EXPECT_EQ(players.connections.posts.size(), 1u);
}

TEST(ImageEditor, BannerHistoryInTheProfile) {
    QTemporaryDir dir;
    QSettings profile(dir.filePath("p.ini"), QSettings::IniFormat);
    lum::recordBannerChoice(profile, "TopBanners", "/a.jpg");
    lum::recordBannerChoice(profile, "TopBanners", "/b.jpg");
    lum::recordBannerChoice(profile, "TopBanners", "/a.jpg");
    lum::BannerHistory h = lum::readBannerHistory(profile, "TopBanners");
    EXPECT_EQ(h.entries, QStringList({"/a.jpg", "/b.jpg"}));
    EXPECT_EQ(h.last, "/a.jpg");
    EXPECT_EQ(profile.value("BannerHistory/TopBanners1").toString(), "/b.jpg");
    EXPECT_TRUE(lum::readBannerHistory(profile, "LogoBanners").entries.isEmpty());
    for (int i = 0; i < 20; ++i) lum::recordBannerChoice(profile, "TopBanners", QString("/%1.jpg").arg(i));
    h = lum::readBannerHistory(profile, "TopBanners");
    EXPECT_EQ(h.entries.size(), lum::kBannerHistoryMax);
    EXPECT_EQ(h.entries.first(), "/19.jpg");
    EXPECT_TRUE(QFileInfo(lum::ensureYuvFolder(dir.path())).isDir());
}
