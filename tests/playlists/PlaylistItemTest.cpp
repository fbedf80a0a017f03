#include "playlists/PlaylistItem.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

using namespace lum;

TEST(PlaylistItem, TextFieldsAreCutAtWidthMinusOne) {
    PlaylistItem item;
    PlaylistItem::setField(item.protocol, "HTTPSXYZW");
    EXPECT_EQ(PlaylistItem::field(item.protocol), QByteArray("HTTPSXY"));
    PlaylistItem::setField(item.protocol, "FTP");
    // The old tail must not show through a shorter value.
    EXPECT_EQ(PlaylistItem::field(item.protocol), QByteArray("FTP"));
    EXPECT_EQ(item.protocol[3], '\0');
    EXPECT_EQ(item.protocol[6], '\0');

    item.setPathAndName("/media/" + QByteArray(300, 'x') + ".jpg");
    EXPECT_EQ(PlaylistItem::field(item.path).size(), PlaylistItem::kPathWidth - 1);
    item.setPathAndName("/m/" + QByteArray(150, 'n'));
    EXPECT_EQ(PlaylistItem::field(item.filename), QByteArray(PlaylistItem::kFileNameWidth - 1, 'n'));
    PlaylistItem::setField(item.startTime, "12:34:56:78:90");
    EXPECT_EQ(PlaylistItem::field(item.startTime), QByteArray("12:34:56:"));
}

TEST(PlaylistItem, ZoneMembershipIsCaseSensitiveForTwoSpellings) {
    EXPECT_TRUE(isZonePath("/m/logo_mz.yuv"));
    EXPECT_TRUE(isZonePath("/m/LOGO_MZ.YUV"));
    EXPECT_FALSE(isZonePath("/m/a_mz.Yuv"));
    EXPECT_FALSE(isZonePath("/m/a.yUV"));
    EXPECT_TRUE(isZonePath("/m/a.yuv.bak"));
    // The editor's red names: the marker after the first character.
    EXPECT_TRUE(isZoneImageName("a_tz2.yuv"));
    EXPECT_FALSE(isZoneImageName("_mz.yuv"));
}

TEST(PlaylistItem, KindsOfItems) {
    PlaylistItem item;
    item.setPathAndName("C:\\m\\pic.jpg");
    EXPECT_EQ(item.fileNameText(), "pic.jpg");
    // The schedule marker must come after the first character of the name.
    struct Case { const char* path; bool picture, schedule; };
    for (const Case& c : {Case{"/m/A.JPEG", true, false}, Case{"/m/a.Jpg", true, false},
                          Case{"/m/jpg.mpg", false, false}, Case{"/m/week.sch", false, true},
                          Case{"/m/.sch", false, false}}) {
        item.setPathAndName(c.path);
        EXPECT_EQ(item.isPicture(), c.picture) << c.path;
        EXPECT_EQ(item.isSchedule(), c.schedule) << c.path;
    }
}

TEST(PlaylistItem, CopyNamesOfZoneImages) {
    EXPECT_EQ(copyNameForPath("/m/logo_mz.yuv"), QByteArray("logozone.yuv"));
    EXPECT_EQ(copyNameForPath("/m/x_bz.YUV"), QByteArray("rsszone.yuv"));
    EXPECT_EQ(copyNameForPath("/m/x_TZ1.yuv"), QByteArray("topzone.mode1.yuv"));
    EXPECT_EQ(copyNameForPath("/m/x_tz2.yuv"), QByteArray("topzone.mode2.yuv"));
    // No underscore four places before the dot: the name stays.
    EXPECT_EQ(copyNameForPath("/m/tz1.yuv"), QByteArray("tz1.yuv"));
    EXPECT_EQ(copyNameForPath("/m/xtz2.yuv"), QByteArray("xtz2.yuv"));
    // The extension is compared in any case, unlike zone membership.
    EXPECT_EQ(copyNameForPath("/m/a_mz.Yuv"), QByteArray("logozone.yuv"));
    EXPECT_EQ(copyNameForPath("/m/a_mz.jpg"), QByteArray("a_mz.jpg"));
    EXPECT_EQ(copyNameForPath("C:\\m\\logo_mz.yuv"), QByteArray("logozone.yuv"));
    // Short texts are left alone and never read before their start.
    EXPECT_EQ(copyNameForPath("z.yuv"), QByteArray("z.yuv"));
    EXPECT_EQ(copyNameForPath(".yuv"), QByteArray(".yuv"));
    EXPECT_EQ(copyNameForPath("ab.yuv"), QByteArray("ab.yuv"));
}

TEST(PlaylistItem, TransitionTable) {
    EXPECT_EQ(transitionIndex("Full Screen"), 0);
    EXPECT_EQ(transitionIndex("ROLL:CENTER TO TOP/BOTTOM"), 4);
    EXPECT_EQ(transitionIndex("CROSS FADE"), 12);
    EXPECT_EQ(transitionIndex("Cross Fade"), -1);  // the global name, not a table entry
    EXPECT_EQ(transitionIndex(""), -1);
}

TEST(ParseHourMinute, ValidAndInvalidTimes) {
    struct Case { const char* text; int h, m; };
    for (const Case& c : {Case{"0930", 9, 30}, Case{"09:30", 9, 30}, Case{"2359", 23, 59},
                          Case{"00:00", 0, 0}, Case{"1905", 19, 5}}) {
        int h = -1, m = -1;
        EXPECT_TRUE(ParseHourMinute(c.text, &h, &m)) << c.text;
        EXPECT_EQ(h, c.h) << c.text;
        EXPECT_EQ(m, c.m) << c.text;
    }
    int h = 7, m = 8;
    EXPECT_TRUE(ParseHourMinute("", &h, &m));  // empty: valid, outputs untouched
    EXPECT_EQ(h * 100 + m, 708);
    // Invalid times leave the outputs untouched.
    for (const char* text : {"2400", "24:00", "2360", "12:60", "3000", "930", "9:30", "09:3",
                             "09300", "1:234", "123:4", "12::3", "ab:cd", "12a0", " 930",
                             "0930 ", ":0930", "09-30", "1 30"}) {
        h = 7, m = 8;
        EXPECT_FALSE(ParseHourMinute(text, &h, &m)) << text;
        EXPECT_EQ(h * 100 + m, 708) << text;
    }
}
