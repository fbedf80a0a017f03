#include "playlists/MessageFiles.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"
#include "core/CommandSender.h"


#include <gtest/gtest.h>

using lum::InstantMessage;
using lum::MessageWriteStatus;
using lum::ScreenLabel;

TEST(InstantMessageFile, AnsiAndUtf8BytesExactly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("instantmessage.txt");
    InstantMessage m;
    m.text = QString::fromUtf8("Caf\xc3\xa9\r\nline 2");
    ASSERT_EQ(lum::writeInstantMessage(m, path), MessageWriteStatus::Written);
    EXPECT_EQ(lumtest::readFile(path), QByteArray("osd_settings=0,0,0,2,0,0\r\nCaf\xe9\r\nline 2"));

    m.background = 7;
    m.foreground = 1;
    m.transparency = 4;
    m.speed = InstantMessage::Fast;
    m.clock = 1;
    m.encoding = InstantMessage::Utf8;
    m.text = QString::fromUtf8("Caf\xc3\xa9\nx");  // a bare LF gets its CR
    ASSERT_EQ(lum::writeInstantMessage(m, path), MessageWriteStatus::Written);
    EXPECT_EQ(lumtest::readFile(path),
              QByteArray("\xEF\xBB\xBFosd_settings=7,1,4,4,0,1\r\nCaf\xc3\xa9\r\nx"));

    m.speed = InstantMessage::Slow;
    EXPECT_EQ(m.settingsLine(), QByteArray("osd_settings=7,1,4,1,0,1\r\n"));
}

TEST(InstantMessageFile, LengthLimitCountsSettingsLineAndKeepsOlderFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("instantmessage.txt");
    InstantMessage m;
    const int line = int(m.settingsLine().size());  // 26
    m.text = QString(InstantMessage::kMaxLength - line - 1, 'a');
    ASSERT_EQ(lum::writeInstantMessage(m, path), MessageWriteStatus::Written);
    EXPECT_EQ(lumtest::readFile(path).size(), InstantMessage::kMaxLength - 1);

    m.text += 'b';  // exactly 20480 with the settings line: refused
    EXPECT_FALSE(m.fitsLimit());
    EXPECT_EQ(lum::writeInstantMessage(m, path), MessageWriteStatus::TooLong);
    EXPECT_EQ(lumtest::readFile(path).size(), InstantMessage::kMaxLength - 1);  // older file kept
}

TEST(InstantMessageFile, Utf8IsCutAt40960BytesOnACharacterBoundary) {
    InstantMessage m;
    m.encoding = InstantMessage::Utf8;
    // 20000 euro signs: 20000 ANSI bytes (within the limit), 60000 bytes of UTF-8.
    m.text = QString(20000, QChar(0x20AC));
    ASSERT_TRUE(m.fitsLimit());
    const QByteArray bytes = m.fileBytes();
    const QByteArray body = bytes.mid(3);
    EXPECT_LE(body.size(), InstantMessage::kMaxUtf8Bytes);
    EXPECT_GE(body.size(), InstantMessage::kMaxUtf8Bytes - 2);
    EXPECT_EQ(QString::fromUtf8(body).toUtf8(), body);  // no broken character at the end
    EXPECT_TRUE(QString::fromUtf8(body).endsWith(QChar(0x20AC)));
}

TEST(InstantMessageFile, LoaderSettingsLineRuleAndDamagedFields) {
    QTemporaryDir dir;
    const QString path = dir.filePath("m.txt");
    InstantMessage m;
    lumtest::writeFile(path, "osd_settings=2,1,3,1,0,1\r\nhello\r\nworld");
    ASSERT_TRUE(lum::loadInstantMessage(m, path));
    EXPECT_EQ(std::tuple(m.background, m.foreground, m.transparency, m.speed, m.clock, m.text, m.encoding),
              std::tuple(2, 1, 3, InstantMessage::Slow, 1, "hello\r\nworld", InstantMessage::Ansi));

    // No "=" within the first 20 characters: the first line is message text.
    lumtest::writeFile(path, "a long first line without equals = here\r\nsecond");
    InstantMessage plain;
    ASSERT_TRUE(lum::loadInstantMessage(plain, path));
    EXPECT_EQ(plain.text, "a long first line without equals = here\r\nsecond");
    EXPECT_EQ(plain.speed, InstantMessage::Normal);

    // Values no list has fall back to usable entries; a missing line end leaves no text.
    lumtest::writeFile(path, "x=99,-1,7,3");
    InstantMessage bad;
    ASSERT_TRUE(lum::loadInstantMessage(bad, path));
    EXPECT_EQ(std::tuple(bad.background, bad.foreground, bad.transparency, bad.speed, bad.text),
              std::tuple(0, 0, 0, InstantMessage::Normal, ""));

    // A file written as UTF-8 loads as UTF-8.
    InstantMessage u;
    u.encoding = InstantMessage::Utf8;
    u.text = QString::fromUtf8("\xe4\xbd\xa0\xe5\xa5\xbd");
    ASSERT_EQ(lum::writeInstantMessage(u, path), MessageWriteStatus::Written);
    InstantMessage back;
    ASSERT_TRUE(lum::loadInstantMessage(back, path));
    EXPECT_EQ(back.encoding, InstantMessage::Utf8);
    EXPECT_EQ(back.text, u.text);

    EXPECT_FALSE(lum::loadInstantMessage(back, dir.filePath("none.txt")));
}

TEST(ScreenLabelFile, LinesFileAndMessageExactly) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ostnmessage.txt");
    lumtest::RecordingPrompt prompt;
    ScreenLabel l;
    l.lines = {"Welcome", "", "Floor 2"};
    l.colour = 4;
    l.setDuration(false, 1, 30);
    l.centred = true;
    ASSERT_TRUE(lum::writeScreenLabel(l, path, prompt));
    EXPECT_EQ(lumtest::readFile(path),
              QByteArray("[OSTM]\r\nLINE0=Welcome\r\nLINE1= \r\nLINE2=Floor 2\r\n"
                         "[SETSEC]\r\nSETTING=4,90,1,0\r\n"));
    EXPECT_EQ(l.labelMessage(), "osd_settings=4,90,1,0\rWelcome\r \rFloor 2\r");

    // A shorter label replaces the file whole: no rows of the older one come back.
    l.lines = {"Only"};
    ASSERT_TRUE(lum::writeScreenLabel(l, path, prompt));
    const ScreenLabel back = lum::loadScreenLabel(path);
    EXPECT_EQ(back.lines, QStringList({"Only", "", "", "", "", "", ""}));
    EXPECT_EQ(std::tuple(back.colour, back.minutes(), back.seconds(), back.centred), std::tuple(4, 1, 30, true));
    EXPECT_TRUE(prompt.messages.isEmpty());

    // Unticking "Always On" with no time set starts from 5 seconds; a set time stays.
    l.setAlwaysOn(true);
    EXPECT_TRUE(l.alwaysOn());
    l.setAlwaysOn(false);
    EXPECT_EQ(l.seconds(), 5);
    l.setDuration(false, 2, 0);
    l.setAlwaysOn(false);
    EXPECT_EQ(l.durationSeconds, 120);

    // No rows: nothing but an empty file.
    l.lines.clear();
    ASSERT_TRUE(lum::writeScreenLabel(l, path, prompt));
    EXPECT_EQ(lumtest::readFile(path), QByteArray());
}

TEST(ScreenLabelFile, NumberOnlyRules) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ostnmessage.txt");
    lumtest::RecordingPrompt prompt;
    ScreenLabel l;
    l.numberOnly = true;
    l.lines = {"ignored"};
    l.number = "042";
    ASSERT_TRUE(lum::writeScreenLabel(l, path, prompt));
    EXPECT_EQ(lumtest::readFile(path),
              QByteArray("[NUMSEC]\r\nNUMBER=042\r\n[SETSEC]\r\nSETTING=0,0,0,1\r\n"));
    EXPECT_EQ(l.labelMessage(), "osd_settings=0,0,0,1\r042\r");
    const ScreenLabel back = lum::loadScreenLabel(path);
    EXPECT_EQ(std::tuple(back.numberOnly, back.number, back.alwaysOn()), std::tuple(true, "042", true));

    for (const char* bad : {"4a", "-1", "1234", " 12"}) {
        l.number = bad;
        EXPECT_FALSE(lum::writeScreenLabel(l, path, prompt)) << bad;
    }
    EXPECT_EQ(prompt.messages.size(), 4);
    EXPECT_EQ(prompt.messages.first(), "Only digital number(000-999) is allowed!");
    l.number.clear();
    EXPECT_FALSE(lum::writeScreenLabel(l, path, prompt));
    EXPECT_EQ(prompt.messages.size(), 4);  // empty: nothing written, nothing shown
    EXPECT_EQ(lum::loadScreenLabel(path).number, "042");
}

TEST(ScreenLabelFile, MissingSectionsLoadDefaultsAndMessageIsCut) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ostnmessage.txt");
    lumtest::writeFile(path, "[OSTM]\r\nLINE3=x\r\n");
    const ScreenLabel l = lum::loadScreenLabel(path);
    EXPECT_EQ(std::tuple(l.colour, l.alwaysOn(), l.centred, l.numberOnly), std::tuple(0, true, false, false));
    EXPECT_EQ(l.lines, QStringList({"", "", "", "x", "", "", ""}));

    lumtest::writeFile(path, "[SETSEC]\r\nSETTING=99,-5,junk\r\n");
    const ScreenLabel d = lum::loadScreenLabel(path);
    EXPECT_EQ(std::tuple(d.colour, d.durationSeconds), std::tuple(0, 0));

    ScreenLabel big;
    big.lines = QStringList(7, QString(200, 'z'));
    EXPECT_EQ(big.labelMessage().size(), lum::kScreenLabelTextMax);
    EXPECT_TRUE(big.labelMessage().startsWith("osd_settings=0,0,0,0\rzzz"));
}
