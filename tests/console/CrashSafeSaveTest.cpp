// Saves survive a crash: a child process rewrites a file in a loop, alternating between two
// contents, and is killed (SIGKILL) at a random moment; the file must then load and hold one of
// the two contents whole. 100 kills for each of users.dat, config.ini, a playlist and a backup.

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"
#include "accounts/UserStore.h"
#include "console/Backup.h"
#include "core/IniFile.h"
#include "playlists/PlaylistDocument.h"
#include "server/AppSettings.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

using namespace lum;

namespace {

constexpr int kKills = 100;

struct SaveCase {
    const char* name;
    // The file's path under the data folder.
    QString (*path)(const QString& dir);
    // Writes content `version` (0 or 1) through the program's own save.
    std::function<void(const QString& dir, int version)> write;
    // Whether the program loads the file as sound.
    std::function<bool(const QString& path)> loads;
};

QString usersPath(const QString& dir) { return dir + QStringLiteral("/server data/users.dat"); }
QString configPath(const QString& dir) { return dir + QStringLiteral("/config.ini"); }
QString playlistPath(const QString& dir) { return dir + QStringLiteral("/Home/week.mpl"); }
QString backupPath(const QString& dir) { return dir + QStringLiteral("/lum.bak"); }

void writeUsers(const QString& dir, int version) {
    CUserGroup g;
    g.name = QStringLiteral("Home");
    for (int i = 0; i < 200 + version * 50; ++i) {
        CUser u;
        u.name = QStringLiteral("P%1").arg(i, 4, 10, QLatin1Char('0'));
        u.group = g.name;
        g.users.append(u);
    }
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/server data")));
    // Through the store's own save (the whole list at once).
    CUserStore writer(dir);
    ASSERT_EQ(writer.AddGroup(g), 1);
}

bool usersLoads(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    QList<CUserGroup> groups;
    return CUserStore::Parse(f.readAll(), &groups) && groups.size() == 1;
}

void writeConfig(const QString& dir, int version) {
    CAppSettings s(configPath(dir));
    s.Load();
    s.setPort(version ? 6021 : 5021);
    s.setIpFilterList(QStringLiteral("10.0.0.%1;").arg(version ? 2 : 1).repeated(40));
    ASSERT_TRUE(s.Save());
}

bool configLoads(const QString& path) {
    CAppSettings s(path);
    s.Load();
    return s.port() == 5021 || s.port() == 6021;
}

void writePlaylist(const QString& dir, int version) {
    QDir().mkpath(dir + QStringLiteral("/Home"));
    CPlaylistDocument doc;
    for (int i = 0; i < 100 + version * 30; ++i) {
        PlaylistRow row;
        row.item.setPathAndName(QByteArray("/media/clip") + QByteArray::number(i) + ".mp4");
        doc.appendRow(row);
    }
    ASSERT_TRUE(doc.Save(playlistPath(dir)));
}

bool playlistLoads(const QString& path) {
    CPlaylistDocument doc;
    if (!doc.Load(path)) return false;
    const int n = int(doc.rows().size());
    return n == 100 || n == 130;
}

void writeBackup(const QString& dir, int version) {
    lumtest::RecordingPrompt prompt;
    const QDateTime when(QDate(2026, 1, 1 + version), QTime(12, 0));
    ASSERT_EQ(backupFiles(backupPath(dir), dir, prompt, when), BackupStatus::Done);
}

bool backupLoads(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    BackupContents c;
    return parseBackup(f.readAll(), &c) == BackupParse::Ok && c.entries.size() == 3;
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class CrashSafeSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(CrashSafeSave, KilledWriterLeavesOldOrNewContent) {
    const SaveCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString d = dir.path();
    // The backup takes users.dat and config.ini along; give it both.
    writeUsers(d, 0);
    writeConfig(d, 0);
    const QString path = c.path(d);
    QElapsedTimer clock;
    clock.start();
    c.write(d, 1);
    const QByteArray second = contentOf(path);
    c.write(d, 0);
    const QByteArray first = contentOf(path);
    // Kills land anywhere within the first three saves of the child, however long one takes
    // on this machine.
    const int window = std::max<qint64>(1000, clock.nsecsElapsed() / 1000 * 3 / 2);
    ASSERT_FALSE(first.isEmpty());
    ASSERT_NE(first, second);
    ASSERT_TRUE(c.loads(path));

    int seen[2] = {0, 0};
    for (int kill = 0; kill < kKills; ++kill) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(started[0]);
            bool told = false;
            for (int i = 1;; ++i) {
                if (!told) {
                    told = ::write(started[1], "x", 1) == 1;
                }
                c.write(d, i % 2);
            }
        }
        ::close(started[1]);
        char x;
        ASSERT_EQ(::read(started[0], &x, 1), 1);  // the child is in its loop
        ::close(started[0]);
        // The moment of the crash (not a wait for anything).
        ::usleep(QRandomGenerator::global()->bounded(window));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QByteArray now = contentOf(path);
        ASSERT_TRUE(now == first || now == second)
            << c.name << ": kill " << kill << " left " << now.size() << " bytes";
        ASSERT_TRUE(c.loads(path)) << c.name << ": kill " << kill;
        ++seen[now == second ? 1 : 0];
    }
    // Kills fell both before and after a completed save, so the moments varied.
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CrashSafeSave,
    ::testing::Values(SaveCase{"users", usersPath, writeUsers, usersLoads},
                      SaveCase{"config", configPath, writeConfig, configLoads},
                      SaveCase{"playlist", playlistPath, writePlaylist, playlistLoads},
                      SaveCase{"backup", backupPath, writeBackup, backupLoads}),
    [](const ::testing::TestParamInfo<SaveCase>& c) { return std::string(c.param.name); });

}  // namespace
