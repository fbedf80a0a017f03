// Reading Log/PlayReport.txt as the server writes it and as damage leaves it, the sums per
// player and media, the CSV bytes and the window's table model.
#include "monitor/PlayReport.h"
#include "monitor/PlayReportModel.h"
#include "server/PlayerMessages.h"

#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::readFile;
using lumtest::writeFile;

namespace {

QStringList counts(const PlayReportData& d) {
    QStringList out;
    for (const PlayCount& c : d.counts)
        out << QStringLiteral("%1 %2 %3=%4").arg(c.mac, c.day.toString(Qt::ISODate), c.media).arg(c.count);
    return out;
}

const PlayerDirectory kDirectory{{"00-11-22-33-44-55", {"lobby1", "Lobby"}},
                                 {"00-11-22-33-44-66", {"lobby2", "Lobby"}},
                                 {"00-11-22-33-44-77", {"bar", "Bar"}}};

}  // namespace

TEST(PlayReport, ReadsWhatTheServerWritesAndLeavesTheFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PlayReport.txt");
    ASSERT_TRUE(AddPlayReport(path, "00-11-22-33-44-55", "clip01.mpg,3"));
    ASSERT_TRUE(AddPlayReport(path, "00-11-22-33-44-55", "clip01.mpg, 4"));
    ASSERT_TRUE(AddPlayReport(path, "00-11-22-33-44-55", "a=b[c].jpg,1"));  // made a safe key
    ASSERT_TRUE(AddPlayReport(path, "00-11-22-33-44-66", "clip01.mpg,2"));
    const QByteArray bytes = readFile(path);

    const PlayReportData d = readPlayReport(path);
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(counts(d), (QStringList{"00-11-22-33-44-55 " + today + " clip01.mpg=7",
                                      "00-11-22-33-44-55 " + today + " a_b_c_.jpg=1",
                                      "00-11-22-33-44-66 " + today + " clip01.mpg=2"}));
    EXPECT_EQ(d.damagedLines, 0);
    EXPECT_FALSE(d.missing);
    EXPECT_EQ(readFile(path), bytes);

    const PlayReportData none = readPlayReport(dir.filePath("nothing.txt"));
    EXPECT_TRUE(none.missing);
    EXPECT_TRUE(none.counts.empty());
}

TEST(PlayReport, DamagedLinesAreCountedAndSkippedTheRestIsRead) {
    const struct {
        const char* what;
        QByteArray bytes;
        QStringList counts;
        int damaged;
    } cases[] = {
        {"LF line ends, blanks, comments, a lower-case MAC with colons",
         "; kept by hand\n\n[00:11:22:33:44:aa@24-05-01]\n  clip.mpg = 3 \n", {"00-11-22-33-44-AA 2024-05-01 clip.mpg=3"}, 0},
        {"a cut last line", "[M@24-05-01]\r\na.mpg=2\r\nb.mp", {"M 2024-05-01 a.mpg=2"}, 1},
        {"keys before any section", "a.mpg=1\r\n[M@24-05-01]\r\nb.mpg=1\r\n", {"M 2024-05-01 b.mpg=1"}, 1},
        {"section without a date: its keys go with it",
         "[M]\r\na.mpg=1\r\nb.mpg=1\r\n[M@24-05-02]\r\nc.mpg=1\r\n", {"M 2024-05-02 c.mpg=1"}, 3},
        {"impossible date and unclosed header", "[M@24-02-30]\r\na=1\r\n[M@24-05-01\r\nb=1\r\n", {}, 4},
        {"counts: text, negative, zero, trailing junk, huge",
         "[M@24-05-01]\r\na=x\r\nb=-3\r\nc=0\r\nd=5x\r\ne=99999999999999999999\r\n",
         {"M 2024-05-01 d=5", "M 2024-05-01 e=9223372036854775807"}, 2},
        {"binary junk and an overlong line",
         "[M@24-05-01]\r\n\x01\x02garbage\x7f=3\r\n" + QByteArray(5000, 'x') + "=1\r\nok=1\r\n",
         {"M 2024-05-01 ok=1"}, 2},
        {"a second copy of a section or key is not what the writer updates",
         "[M@24-05-01]\r\na=1\r\nA=5\r\n[m@24-05-01]\r\na=7\r\n", {"M 2024-05-01 a=1"}, 3},
        {"no equals sign", "[M@24-05-01]\r\njust text\r\n=4\r\n", {}, 2},
    };
    for (const auto& c : cases) {
        const PlayReportData d = parsePlayReport(c.bytes);
        EXPECT_EQ(counts(d), c.counts) << c.what;
        EXPECT_EQ(d.damagedLines, c.damaged) << c.what;
    }
}

TEST(PlayReport, SumsPerPlayerAndMediaWithinTheFilter) {
    const QByteArray file =
        "[00-11-22-33-44-55@24-05-01]\r\nclip.mpg=3\r\nad.jpg=1\r\n"
        "[00-11-22-33-44-55@24-05-03]\r\nCLIP.MPG=4\r\n"
        "[00-11-22-33-44-66@24-05-02]\r\nclip.mpg=10\r\n"
        "[00-11-22-33-44-77@24-05-02]\r\nclip.mpg=1\r\n"
        "[FF-FF-FF-FF-FF-FF@24-05-02]\r\nclip.mpg=8\r\n"
        "[00-11-22-33-44-55@24-05-04]\r\nbig=9223372036854775807\r\n"
        "[00-11-22-33-44-55@24-05-05]\r\nbig=5\r\n";
    const PlayReportData d = parsePlayReport(file);
    auto rows = [&](PlayReportFilter f) {
        QStringList out;
        for (const PlayReportRow& r : aggregatePlayReport(d, f, kDirectory))
            out << QStringLiteral("%1/%2/%3/%4=%5 %6..%7")
                       .arg(r.mac.right(2), r.player, r.group, r.media)
                       .arg(r.plays)
                       .arg(r.first.toString("MM-dd"), r.last.toString("MM-dd"));
        return out;
    };
    EXPECT_EQ(rows({}), (QStringList{"55/lobby1/Lobby/ad.jpg=1 05-01..05-01",
                                     "55/lobby1/Lobby/big=9223372036854775807 05-04..05-05",
                                     "55/lobby1/Lobby/clip.mpg=7 05-01..05-03",
                                     "66/lobby2/Lobby/clip.mpg=10 05-02..05-02",
                                     "77/bar/Bar/clip.mpg=1 05-02..05-02",
                                     "FF///clip.mpg=8 05-02..05-02"}));
    EXPECT_EQ(rows({QDate(2024, 5, 2), QDate(2024, 5, 3), "lobby", {}}),
              (QStringList{"55/lobby1/Lobby/CLIP.MPG=4 05-03..05-03", "66/lobby2/Lobby/clip.mpg=10 05-02..05-02"}));
    EXPECT_EQ(rows({{}, QDate(2024, 5, 1), {}, "LOBBY1"}),
              (QStringList{"55/lobby1/Lobby/ad.jpg=1 05-01..05-01", "55/lobby1/Lobby/clip.mpg=3 05-01..05-01"}));
    EXPECT_TRUE(rows({QDate(2024, 6, 1), {}, {}, {}}).isEmpty());

    const auto top = playsByMedia(aggregatePlayReport(d, {QDate(2024, 5, 1), QDate(2024, 5, 3), {}, {}}, kDirectory), 2);
    EXPECT_EQ(top, (std::vector<std::pair<QString, qint64>>{{"clip.mpg", 26}, {"ad.jpg", 1}}));
}

TEST(PlayReport, CsvBytesQuoteWhatNeedsItAndDisarmFormulas) {
    const std::vector<PlayReportRow> rows = {
        {"00-11-22-33-44-55", "lobby1", "Lobby, East", "say \"hi\".mpg", 3, QDate(2024, 5, 1), QDate(2024, 5, 2)},
        {"00-11-22-33-44-66", "", "", "=HYPERLINK(\"x\")", 1, QDate(2024, 5, 1), QDate(2024, 5, 1)},
        {"00-11-22-33-44-77", "-p", "@g", "+1", 2, QDate(2024, 5, 1), QDate(2024, 5, 1)},
        {"00-11-22-33-44-88", QString::fromUtf8("大堂"), "two\nlines", "ok.jpg", 9, QDate(2024, 5, 1), QDate(2024, 5, 1)},
    };
    EXPECT_EQ(playReportCsv(rows),
              QByteArray("MAC Address,Player,Group,Media,Plays,First Day,Last Day\r\n"
                         "00-11-22-33-44-55,lobby1,\"Lobby, East\",\"say \"\"hi\"\".mpg\",3,2024-05-01,2024-05-02\r\n"
                         "00-11-22-33-44-66,,,\"'=HYPERLINK(\"\"x\"\")\",1,2024-05-01,2024-05-01\r\n"
                         "00-11-22-33-44-77,'-p,'@g,'+1,2,2024-05-01,2024-05-01\r\n"
                         "00-11-22-33-44-88,") + QString::fromUtf8("大堂").toUtf8() +
                  ",\"two\nlines\",ok.jpg,9,2024-05-01,2024-05-01\r\n");
    EXPECT_EQ(playReportCsv({}), "MAC Address,Player,Group,Media,Plays,First Day,Last Day\r\n");
}

TEST(PlayReportModel, LoadsOffThreadSortsByAnyColumnAndKeepsTheTesterQuiet) {
    QTemporaryDir dir;
    const QString path = dir.filePath("PlayReport.txt");
    ASSERT_TRUE(writeFile(path, "[00-11-22-33-44-55@24-05-01]\r\nb.mpg=3\r\na.mpg=20\r\nbroken\r\n"
                                "[00-11-22-33-44-77@24-05-02]\r\nc.mpg=7\r\n"));
    PlayReportModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy loaded(&model, &PlayReportModel::loaded);
    model.load(path, kDirectory, {});
    EXPECT_TRUE(model.isLoading());
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_FALSE(model.isLoading());
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.damagedLines(), 1);
    EXPECT_EQ(model.headerData(PlayReportModel::ColPlays, Qt::Horizontal).toString(), "Plays");

    auto column = [&](int c) {
        QStringList out;
        for (int r = 0; r < model.rowCount(); ++r) out << model.index(r, c).data().toString();
        return out;
    };
    // A selected row follows its data through a sort.
    const QPersistentModelIndex bRow = model.index(1, PlayReportModel::ColMedia);
    ASSERT_EQ(bRow.data().toString(), "b.mpg");
    model.sort(PlayReportModel::ColPlays, Qt::DescendingOrder);
    EXPECT_EQ(column(PlayReportModel::ColPlays), (QStringList{"20", "7", "3"}));  // as numbers
    EXPECT_EQ(bRow.data().toString(), "b.mpg");
    EXPECT_EQ(bRow.row(), 2);
    model.sort(PlayReportModel::ColPlayer, Qt::AscendingOrder);
    EXPECT_EQ(column(PlayReportModel::ColPlayer), (QStringList{"bar", "lobby1", "lobby1"}));
    model.sort(PlayReportModel::ColFirst, Qt::DescendingOrder);
    EXPECT_EQ(column(PlayReportModel::ColFirst).first(), "2024-05-02");

    // A new load keeps the chosen order; a filter narrows it.
    model.load(path, kDirectory, {{}, {}, "Lobby", {}});
    ASSERT_TRUE(loaded.wait(10000));
    EXPECT_EQ(column(PlayReportModel::ColMedia), (QStringList{"a.mpg", "b.mpg"}));
    EXPECT_EQ(model.csv().count("\r\n"), 3);
}
