#include "core/LogFile.h"
#include "core/LogHub.h"
#include "core/LogPrinter.h"

#include "common/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <vector>

using lum::CLogFile;
using lum::CLogHub;
using lum::CLogRecord;

namespace {

// The lines of a log file with their time stamps checked and removed.
QStringList textsOf(const QByteArray& bytes) {
    static const QRegularExpression stamp(
        QStringLiteral("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
    QStringList out;
    if (bytes.isEmpty()) return out;
    EXPECT_TRUE(bytes.endsWith('\n'));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    for (const QByteArray& l : lines) {
        const QString line = QString::fromLatin1(l);
        const auto m = stamp.match(line);
        EXPECT_TRUE(m.hasMatch()) << line.toStdString();
        out << line.mid(m.capturedLength());
    }
    return out;
}

const QString kStart = QStringLiteral("*** START OF APPLICATION ***");
const QString kEnd = QStringLiteral("*** END OF APPLICATION ***");

}  // namespace

TEST(LogFile, LineFormatThresholdAndLevels) {
    QTemporaryDir dir;
    const QString path = dir.filePath("x.log");
    {
        CLogFile f(2);
        ASSERT_TRUE(f.open(path));
        const QDateTime t(QDate(2026, 3, 5), QTime(7, 8, 9, 12));
        f.writeLine(t, 1, QStringLiteral("one"));
        f.writeLine(t, 2, QStringLiteral("two 100% done"));
        f.writeLine(t, 3, QStringLiteral("three"));  // above the threshold
        f.setLevel(3);
        f.append(QByteArray("hidden"));
        f.setLevel(2);
        f.append(QStringLiteral("raw\n"));
    }
    const QByteArray bytes = lumtest::readFile(path);
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 6);  // start, one, two, raw, end, "" after the last line feed
    EXPECT_EQ(lines.mid(1, 3), QList<QByteArray>({"05/03/2026 07:08:09.012 one",
                                                  "05/03/2026 07:08:09.012 two 100% done", "raw"}));
    EXPECT_EQ(textsOf(lines[0] + '\n'), QStringList{kStart});
    EXPECT_EQ(textsOf(lines[4] + '\n'), QStringList{kEnd});

    // Appending: a second open adds to the file.
    {
        CLogFile f(1);
        ASSERT_TRUE(f.open(path));
    }
    const QByteArray after = lumtest::readFile(path);
    ASSERT_TRUE(after.startsWith(bytes));
    EXPECT_EQ(textsOf(after.mid(bytes.size())), (QStringList{kStart, kEnd}));

    // Threshold 0 writes nothing at all, not even the start and end lines.
    const QString quiet = dir.filePath("quiet.log");
    {
        CLogFile f(0);
        ASSERT_TRUE(f.open(quiet));
        f.write(QStringLiteral("x"));
    }
    EXPECT_TRUE(QFileInfo::exists(quiet));
    EXPECT_EQ(lumtest::readFile(quiet), QByteArray());

    // Clear empties the file and leaves the cleared line.
    {
        CLogFile f(1);
        ASSERT_TRUE(f.open(path));
        ASSERT_TRUE(f.clear());
        f.setThreshold(0);  // keep the end line out for the check below
    }
    EXPECT_EQ(textsOf(lumtest::readFile(path)), QStringList{"*** CLEARED LOGFILE ***"});
}

TEST(LogFile, OpenFailureKeepsWriterClosed) {
    QTemporaryDir dir;
    CLogFile f(3);
    QString error;
    const QString path = dir.filePath("missing/dir/x.log");
    EXPECT_FALSE(f.open(path, &error));
    EXPECT_FALSE(f.isOpen());
    EXPECT_EQ(error, "Cannot create or open file: '" + path + "'");
    f.write(QStringLiteral("nothing"));  // must not crash
    EXPECT_FALSE(QFileInfo::exists(path));
}

// ftptrace.log at every LOGLEVEL for entries of every type.
TEST(LogHub, TraceFileFollowsLogLevel) {
    const QStringList all{"type0", "type1", "type2", "type3"};
    // LOGLEVEL changed while running: later records follow the new level.
    {
        QTemporaryDir dir;
        {
            CLogHub hub(dir.path(), 1);
            ASSERT_TRUE(hub.open());
            hub.addLog(lum::LogType(2), QString(), "hidden");
            hub.processPending();
            hub.setLogLevel(2);
            hub.addLog(lum::LogType(2), QString(), "shown");
            hub.processPending();
        }
        EXPECT_EQ(textsOf(lumtest::readFile(dir.filePath("Log/ftptrace.log"))),
                  (QStringList{kStart, "shown", kEnd}));
    }
    // Exact bytes, with the clock fixed at 5 March 2026 07:08:09.012.
    const QByteArray stamp = "05/03/2026 07:08:09.012 ";
    const QByteArray start = stamp + "*** START OF APPLICATION ***\n";
    const QByteArray end = stamp + "*** END OF APPLICATION ***\n";
    auto line = [&](const char* text) { return stamp + text + '\n'; };
    const std::vector<QByteArray> expected{
        QByteArray(),
        start + line("type1") + end,
        start + line("type1") + line("type2") + end,
        start + line("type0") + line("type1") + line("type2") + line("type3") + end,
    };
    for (int level = 0; level <= 3; ++level) {
        QTemporaryDir dir;
        {
            CLogHub hub(dir.path(), level);
            hub.setClock([] { return QDateTime(QDate(2026, 3, 5), QTime(7, 8, 9, 12)); });
            ASSERT_TRUE(hub.open());
            for (int type = 0; type <= 3; ++type) hub.addLog(lum::LogType(type), QString(), all[type]);
            hub.processPending();
            hub.close();
        }
        const QString trace = dir.filePath("Log/ftptrace.log");
        EXPECT_TRUE(QFileInfo::exists(trace)) << level;
        EXPECT_EQ(lumtest::readFile(trace), expected[level]) << "LOGLEVEL " << level;
    }
}

TEST(LogHub, RecordsReachSubscribersInOrderWithScreenLine) {
    QTemporaryDir dir;
    CLogHub hub(dir.path(), 1);
    ASSERT_TRUE(hub.open());
    std::vector<std::pair<CLogRecord, QString>> seen;
    QObject::connect(&hub, &CLogHub::recordAdded,
                     [&](const CLogRecord& r, const QString& line) { seen.emplace_back(r, line); });
    hub.addLog(lum::LogType(3), QString(), QStringLiteral("first"));
    hub.addLog(lum::LogType(0), QStringLiteral("Server"), QStringLiteral("second"));
    EXPECT_TRUE(seen.empty());  // queued, handled by the event loop
    ASSERT_TRUE(lumtest::waitUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(std::tuple(seen[0].first.text, seen[0].first.type, seen[1].first.key),
              std::tuple("first", lum::LogType::Error, "Server"));
    const QTime t = seen[0].first.time.time();
    EXPECT_EQ(seen[0].second, QString::asprintf("%02d:%02d:%02d     first", t.hour(), t.minute(),
                                                t.second()));

    // Clear drops what is not handled yet.
    hub.addLog(lum::LogType(1), QString(), QStringLiteral("dropped"));
    hub.dropPending();
    QCoreApplication::processEvents();
    EXPECT_EQ(seen.size(), 2u);

    // The stderr printer prints the same screen line.
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
        lum::CLogPrinter printer(&hub, out);
        hub.addLog(lum::LogType(2), QString(), QStringLiteral("printed"));
        hub.processPending();
    }
    std::rewind(out);
    char buf[256] = {};
    ASSERT_NE(std::fgets(buf, sizeof buf, out), nullptr);
    std::fclose(out);
    EXPECT_EQ(QString::fromUtf8(buf), seen.back().second + "\n");
    EXPECT_TRUE(seen.back().second.endsWith("     printed"));
}

TEST(LogHub, PlayerFileNamedByAccountAndKey) {
    QTemporaryDir dir;
    const QString mac = QStringLiteral("00-11-22-33-44-55");
    {
        CLogHub hub(dir.path(), 0);  // the player's file does not depend on LOGLEVEL
        ASSERT_TRUE(hub.open());
        hub.addLog(lum::LogType(1), mac, QStringLiteral("[alice] 230 User successfully logged in group [Home]"));
        hub.addLog(lum::LogType(0), mac, QStringLiteral("[alice] server event"));  // type 0: nothing
        hub.addLog(lum::LogType(2), mac, QStringLiteral("[alice] Playback Started"));
        hub.addLog(lum::LogType(3), mac, QStringLiteral("[alice] red"));
        hub.addLog(lum::LogType(2), QString(), QStringLiteral("[alice] no key, no player file"));
        hub.processPending();
    }
    const QString path = dir.filePath("Log/[alice]00-11-22-33-44-55.log");
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(textsOf(lumtest::readFile(path)),
              (QStringList{kStart, "[alice] 230 User successfully logged in group [Home]", kStart,
                           "[alice] Playback Started", kStart, "[alice] red"}));
    EXPECT_EQ(QDir(dir.filePath("Log")).entryList(QDir::Files).size(), 2);  // + ftptrace.log

    // Only type 0 with a key: no file at all.
    QTemporaryDir dir2;
    {
        CLogHub hub(dir2.path(), 3);
        ASSERT_TRUE(hub.open());
        hub.addLog(lum::LogType(0), mac, QStringLiteral("[bob] Client connected"));
        hub.processPending();
    }
    EXPECT_EQ(QDir(dir2.filePath("Log")).entryList(QDir::Files), QStringList{"ftptrace.log"});
}

TEST(LogHub, HostileNamesStayInsideLogFolder) {
    EXPECT_EQ(CLogHub::playerFileName("[../../evil] x", "/../../etc/x\n"),
              "[.._.._evil]_.._.._etc_x_.log");
    EXPECT_EQ(CLogHub::playerFileName("[a\\b] x", ".."), "[a_b]...log");
    EXPECT_EQ(CLogHub::playerFileName("no bracket", "00-11"), "00-11.log");
    EXPECT_EQ(CLogHub::playerFileName("[a] x", QString()), QString());
    EXPECT_LE(CLogHub::playerFileName("[a]", QString(4000, 'k')).toUtf8().size(), 250);

    QTemporaryDir dir;
    const QString root = dir.filePath("prog");
    ASSERT_TRUE(QDir().mkpath(root));
    {
        CLogHub hub(root, 3);
        ASSERT_TRUE(hub.open());
        hub.addLog(lum::LogType(2), QStringLiteral("/../../escaped"), QStringLiteral("[../..] x"));
        hub.addLog(lum::LogType(2), QStringLiteral("k"), QStringLiteral("[/tmp/abs] y"));
        hub.processPending();
    }
    // Nothing outside Log/: the temporary folder holds only prog/, prog only Log/.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"prog"});
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Log"});
    QStringList files = QDir(root + "/Log").entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, (QStringList{"[.._..]_.._.._escaped.log", "[_tmp_abs]k.log",
                                  "ftptrace.log"}));
}

TEST(LogHub, OpenFailuresAreReportedOnceWithoutWindows) {
    QTemporaryDir dir;
    // Log is a file: neither ftptrace.log nor a player's file can be opened.
    ASSERT_TRUE(lumtest::writeFile(dir.filePath("Log"), "not a folder"));
    CLogHub hub(dir.path(), 3);
    QStringList errors;
    QObject::connect(&hub, &CLogHub::recordAdded, [&](const CLogRecord& r, const QString&) {
        if (r.type == lum::LogType::Error) errors << r.text;
    });
    EXPECT_FALSE(hub.open());
    EXPECT_FALSE(hub.open());  // the same failure again: not reported twice
    hub.addLog(lum::LogType(1), QStringLiteral("KEY"), QStringLiteral("[p] one"));
    hub.addLog(lum::LogType(1), QStringLiteral("KEY"), QStringLiteral("[p] two"));
    hub.processPending();
    hub.processPending();  // the reports themselves were queued
    const QString trace = dir.filePath("Log/ftptrace.log");
    const QString player = dir.filePath("Log/[p]KEY.log");
    EXPECT_EQ(errors, (QStringList{"Cannot create or open file: '" + trace + "'",
                                   "Cannot create or open file: '" + player + "'"}));
}

TEST(LogHub, ManyThreadsLoseNothingAndKeepOrderPerThread) {
    QTemporaryDir dir;
    constexpr int kThreads = 8;
    constexpr int kPerThread = 400;
    std::vector<std::vector<int>> seen(kThreads);
    int total = 0;
    {
        CLogHub hub(dir.path(), 1);
        ASSERT_TRUE(hub.open());
        QObject::connect(&hub, &CLogHub::recordAdded, [&](const CLogRecord& r, const QString&) {
            const QStringList parts = r.text.split(' ');
            if (parts.size() != 2) return;
            seen[parts[0].toInt()].push_back(parts[1].toInt());
            ++total;
        });
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&hub, t] {
                for (int i = 0; i < kPerThread; ++i)
                    hub.addLog(lum::LogType(1), QString(), QStringLiteral("%1 %2").arg(t).arg(i));
            });
        }
        for (auto& th : threads) th.join();
        ASSERT_TRUE(lumtest::waitUntil([&] { return total == kThreads * kPerThread; }, 30000));
    }
    for (int t = 0; t < kThreads; ++t) {
        ASSERT_EQ(seen[t].size(), static_cast<size_t>(kPerThread)) << t;
        for (int i = 0; i < kPerThread; ++i) ASSERT_EQ(seen[t][i], i) << t;
    }
    // Every record reached the file too, between the start and end lines.
    const QStringList lines = textsOf(lumtest::readFile(dir.filePath("Log/ftptrace.log")));
    EXPECT_EQ(lines.size(), kThreads * kPerThread + 2);
    EXPECT_EQ(lines.first(), kStart);
    EXPECT_EQ(lines.last(), kEnd);
}

TEST(LogHub, DestructionWritesPendingRecordsAndEndLine) {
    QTemporaryDir dir;
    {
        CLogHub hub(dir.path(), 1);
        ASSERT_TRUE(hub.open());
        hub.addLog(lum::LogType(1), QString(), QStringLiteral("late"));
    }
    QCoreApplication::processEvents();  // the posted call must find the hub gone harmlessly
    EXPECT_EQ(textsOf(lumtest::readFile(dir.filePath("Log/ftptrace.log"))),
              (QStringList{kStart, "late", kEnd}));
}
