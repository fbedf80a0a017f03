#include "server/PlayerMessages.h"

#include "core/IniFile.h"

#include "common/TestSupport.h"

#include <QDate>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace lum;

TEST(PlayerMessages, StatusCodesGiveTheirTextsAndChanges) {
    auto s = InterpretStatus("17 clip01.mpg");
    EXPECT_FALSE(s.logText);
    EXPECT_EQ(*s.statusChange, QString("S3:Playing clip01.mpg"));

    s = InterpretStatus("24 anything");
    EXPECT_EQ(*s.logText, QString("Start downloading..."));
    EXPECT_EQ(*s.statusChange, QString("S2:Downloading"));

    s = InterpretStatus("23");
    EXPECT_EQ(*s.statusChange, QString("S2:D/L done"));
    s = InterpretStatus("21");
    EXPECT_EQ(*s.logText, QString("Playback Started"));
    EXPECT_EQ(*s.statusChange, QString("S3:Playing"));
    s = InterpretStatus("16");
    EXPECT_EQ(*s.statusChange, QString("S1:Playlist Done"));

    s = InterpretStatus("99 System Idle now");
    EXPECT_EQ(*s.logText, QString("99 System Idle now"));
    EXPECT_EQ(*s.statusChange, QString("Alive"));
    s = InterpretStatus("nonsense");
    EXPECT_EQ(*s.logText, QString("nonsense"));
    EXPECT_FALSE(s.statusChange);

    EXPECT_TRUE(InterpretStatus("26").endConnection);
    EXPECT_EQ(*InterpretStatus("26").logText, QString());
    EXPECT_TRUE(InterpretStatus("27 x").endConnection);
    EXPECT_TRUE(InterpretStatus("11").operatorNotice);
    for (const char* quiet : {"28", "52"}) {
        const auto q = InterpretStatus(quiet);
        EXPECT_FALSE(q.logText || q.statusChange || q.endConnection) << quiet;
    }
    EXPECT_EQ(*InterpretStatus("53").logText, QString("Done, Displaying Pictavo Image"));
}

TEST(PlayerMessages, MacHandoutCountsUpWithCarryAndStopsAtTheRange) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Log/Mac.txt");
    MacRange range{true, "00-11-22-33-44-FE", 4};
    QStringList got;
    for (int i = 0; i < 4; ++i) {
        auto h = AssignMac(path, QString("player-%1").arg(i), range);
        ASSERT_TRUE(h.address) << i;
        got << *h.address;
    }
    EXPECT_EQ(got, QStringList({"00-11-22-33-44-FE", "00-11-22-33-44-FF", "00-11-22-33-45-00",
                                "00-11-22-33-45-01"}));
    EXPECT_EQ(lumtest::readFile(path), QByteArray("00-11-22-33-44-FE\r\n00-11-22-33-44-FF\r\n"
                                                  "00-11-22-33-45-00\r\n00-11-22-33-45-01\r\n"));
    // A player that already holds an address of the range gets nothing new.
    auto again = AssignMac(path, "00-11-22-33-44-ff", range);
    EXPECT_FALSE(again.address);
    EXPECT_FALSE(again.logText);
    // The range is used up.
    auto none = AssignMac(path, "new", range);
    EXPECT_FALSE(none.address);
    EXPECT_EQ(*none.logText, QString("No more MAC address aviliable!"));

    EXPECT_EQ(NextMacAddress("00-00-00-FF-FF-FF"), QString("00-00-01-00-00-00"));
    // Colons separate too: the address after a range start written with them follows it.
    EXPECT_EQ(NextMacAddress("00:11:22:33:44:FF"), QString("00-11-22-33-45-00"));
}

TEST(PlayerMessages, MacHandoutNeverSendsARangeStartThatIsNoAddress) {
    QTemporaryDir dir;
    for (const char* first : {"", "not a mac", "00-11-22-33-44", "00-11-22-33-44-GG"}) {
        const QString path = dir.filePath(QString("Mac-%1.txt").arg(qHash(QString(first))));
        auto h = AssignMac(path, "player", MacRange{true, first, 10});
        EXPECT_FALSE(h.address) << first;
        EXPECT_EQ(h.logText.value_or(QString()), QString("No more MAC address aviliable!")) << first;
        EXPECT_TRUE(lumtest::readFile(path).isEmpty()) << first;
    }
    QStringList got;
    const QString path = dir.filePath("colons.txt");
    for (int i = 0; i < 2; ++i) got << AssignMac(path, QString("p%1").arg(i), MacRange{true, "02:00:00:00:00:09", 10}).address.value_or("none");
    EXPECT_EQ(got, QStringList({"02:00:00:00:00:09", "02-00-00-00-00-0A"}));
}

TEST(PlayerMessages, ConcurrentHandoutsNeverGiveOneAddressTwice) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Mac.txt");
    MacRange range{true, "02-00-00-00-00-00", 1000};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) AssignMac(path, QString("p%1-%2").arg(t).arg(i), range);
        });
    for (auto& th : threads) th.join();
    const QList<QByteArray> lines = lumtest::readFile(path).split('\n');
    QSet<QByteArray> unique;
    int count = 0;
    for (const auto& l : lines)
        if (!l.trimmed().isEmpty()) {
            ++count;
            unique.insert(l.trimmed());
        }
    EXPECT_EQ(count, 200);
    EXPECT_EQ(unique.size(), 200);
}

TEST(PlayerMessages, PlayReportAccumulatesPerPlayerAndDay) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Log/PlayReport.txt");
    EXPECT_FALSE(AddPlayReport(path, "AA", "no comma"));
    EXPECT_TRUE(AddPlayReport(path, "AA", " clip.mpg , 3 "));
    EXPECT_TRUE(AddPlayReport(path, "AA", "clip.mpg,4"));
    EXPECT_TRUE(AddPlayReport(path, "BB", "clip.mpg,2"));
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    const QByteArray today = PlayReportSection("AA", QDate::currentDate()).toLatin1();
    EXPECT_EQ(ini.value(today, "clip.mpg"), QByteArray("7"));
    EXPECT_EQ(PlayReportSection("AA", QDate(2026, 3, 4)), QString("AA@26-03-04"));

    // Many players reporting at once lose nothing.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i) AddPlayReport(path, "CC", "x.jpg,1");
        });
    for (auto& th : threads) th.join();
    ini.load(path);
    // The first report writes its count text as it came; the rest add up.
    EXPECT_EQ(ini.value(PlayReportSection("CC", QDate::currentDate()).toLatin1(), "x.jpg"),
              QByteArray("200"));
}

TEST(PlayerMessages, PlayCountsStopAtTheStoredNumbersLimits) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PlayReport.txt");
    const QByteArray day = PlayReportSection("AA", QDate::currentDate()).toLatin1();
    ASSERT_TRUE(AddPlayReport(path, "AA", "x,2147483647"));
    ASSERT_TRUE(AddPlayReport(path, "AA", "x,2147483647"));
    ASSERT_TRUE(AddPlayReport(path, "AA", "y,5"));
    ASSERT_TRUE(AddPlayReport(path, "AA", "y,-2147483648"));
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.value(day, "x"), QByteArray("2147483647"));
    EXPECT_EQ(ini.value(day, "y"), QByteArray("-2147483643"));
}

TEST(PlayerMessages, ItemNamesNeverBreakTheFileAndItsGrowthIsBounded) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PlayReport.txt");
    const QByteArray day = PlayReportSection("AA", QDate::currentDate()).toLatin1();
    EXPECT_TRUE(AddPlayReport(path, "AA", "[evil],1"));
    EXPECT_TRUE(AddPlayReport(path, "AA", "a=b,2"));
    EXPECT_FALSE(AddPlayReport(path, "AA", ",3"));
    EXPECT_FALSE(AddPlayReport(path, "AA", "  ,3"));
    EXPECT_TRUE(AddPlayReport(path, "AA", QString(1000, 'n') + ",4"));
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.sections(), std::vector<QByteArray>{day});  // no section of the player's making
    EXPECT_EQ(ini.keys(day), (std::vector<QByteArray>{"_evil_", "a_b", QByteArray(kMaxPlayItemBytes, 'n')}));
    EXPECT_EQ(ini.value(day, "a_b"), QByteArray("2"));

    for (int i = 3; i < kMaxPlayItems; ++i) ASSERT_TRUE(AddPlayReport(path, "AA", QString("i%1,1").arg(i)));
    EXPECT_FALSE(AddPlayReport(path, "AA", "one.more,1"));  // the day's section is full
    EXPECT_TRUE(AddPlayReport(path, "AA", "a_b,1"));        // known names still count
    EXPECT_TRUE(AddPlayReport(path, "BB", "one.more,1"));   // another player has its own
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.keys(day).size(), size_t(kMaxPlayItems));
    EXPECT_EQ(ini.value(day, "a_b"), QByteArray("3"));
}

TEST(PlayerMessages, WellFormedMacAddresses) {
    for (const char* ok : {"00-11-22-33-44-55", "aa:BB:cc:dd:ee:ff", "02-00-00-00-00-0A"})
        EXPECT_TRUE(isWellFormedMac(ok)) << ok;
    for (const char* bad : {"", "00-11-22-33-44", "00-11-22-33-44-5G", "00-11:22-33-44-55",
                            "00-11-22-33-44-55-", "0011-22-33-44-5566", "../../x.log"})
        EXPECT_FALSE(isWellFormedMac(bad)) << bad;
}
