// lumctl's playlist verbs through the real program: "playlist make" writes the bytes the
// Commander writes, "copy-all" puts a playlist with its media on a drive, "publish" uploads
// through a stored FTP site to a real FTP server.
#include "media/FtpSite.h"
#include "playlists/PlaylistCommander.h"

#include "common/RecordingPrompt.h"
#include "common/TestSupport.h"
#include "media/MediaTestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lum;
using lumtest::readFile;
using lumtest::writeFile;

namespace {

class LumctlPlaylistTest : public ::testing::Test {
protected:
    void SetUp() override {
        media = dir.filePath("media");
        data = dir.filePath("data");
        QDir().mkpath(media);
        QDir().mkpath(data);
        ASSERT_TRUE(writeFile(media + "/a.jpg", QByteArray(300, 'a')));
        ASSERT_TRUE(writeFile(media + "/clip.mpg", QByteArray(5000, 'c')));
        ASSERT_TRUE(writeFile(media + "/week.sch", "x,20240101,20241231,1111111\r\n"));
        ASSERT_TRUE(writeFile(media + "/top_tz1.yuv", QByteArray(64, 'y')));
        ASSERT_TRUE(writeFile(media + "/notes.doc", "no media"));
    }

    // Runs lumctl; its standard output, error output and exit code.
    struct Run {
        QByteArray out, err;
        int code = -1;
    };
    Run lumctl(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.filePath("xdg"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(media);
        p.start(lumtest::binDir() + "/lumctl", QStringList{"--data-dir", data} + args);
        Run r;
        if (!p.waitForFinished(60000)) return r;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return r;
    }

    QTemporaryDir dir;
    QString media, data;
};

}  // namespace

TEST_F(LumctlPlaylistTest, MakeWritesTheBytesTheCommanderWrites) {
    const Run ok = lumctl({"playlist", "make", dir.filePath("show.mpl"), "a.jpg", "clip.mpg",
                           "--picture-time", "9", "--transition", "roll:implode", "--duration", "30",
                           "--start", "0930", "--stop", "18:00", "--mute", "--download-at", "0705",
                           "--delete-files", "not-in-playlist", "--reload", "--zone", "top_tz1.yuv"});
    ASSERT_EQ(ok.code, 0) << ok.err.toStdString();
    EXPECT_EQ(ok.out, "written\t" + dir.filePath("show.mpl").toUtf8() + '\n');
    const QByteArray a = (media + "/a.jpg").toUtf8(), clip = (media + "/clip.mpg").toUtf8(),
                     zone = (media + "/top_tz1.yuv").toUtf8();
    const QByteArray expected =
        "[command]\r\ndelexpt=ON\r\n"
        "[configuration]\r\nglobalinterval=9\r\nmute=ON\r\ndltime=7:5\r\n"
        "[file0]\r\npath=" + zone + "\r\nsize=64\r\nperiod=9\r\n"
        "[file1]\r\npath=" + a + "\r\nsize=300\r\nperiod=30\r\nstarttime=09:30\r\nstoptime=18:00\r\n"
        "reload=1\r\ntransition=10\r\n"
        "[file2]\r\npath=" + clip + "\r\nsize=5000\r\nperiod=30\r\nstarttime=09:30\r\nstoptime=18:00\r\n"
        "reload=1\r\n";
    EXPECT_EQ(readFile(dir.filePath("show.mpl")), expected);

    // The same choices made in the Commander give the same bytes.
    lumtest::RecordingPrompt prompt;
    PlaylistCommander commander(prompt);
    PlaylistSettings s;
    s.globalInterval = 9;
    s.mute = true;
    s.downloadSchedule = true;
    s.downloadHour = 7;
    s.downloadMinute = 5;
    s.setDeleteFilesChoice(2);
    commander.setSettings(s);
    PlaylistItem z;
    z.setPathAndName(zone);
    z.size = 64;
    z.period = 9;
    commander.document().zoneItems().push_back(z);
    commander.setMultiZone(true);
    commander.listFolder(media);
    auto rowOf = [&](const char* name) {
        for (int r = 0; r < commander.sources()->rowCount(); ++r)
            if (commander.sources()->index(r, 0).data().toString() == name) return r;
        return -1;
    };
    commander.addSources({rowOf("a.jpg"), rowOf("clip.mpg")}, -1);
    PlaylistGridModel* g = commander.grid();
    for (int row : {0, 1}) {
        g->setData(g->index(row, PlaylistGridModel::DurationColumn), "30");
        g->setData(g->index(row, PlaylistGridModel::FromColumn), "0930");
        g->setData(g->index(row, PlaylistGridModel::ToColumn), "18:00");
        g->setData(g->index(row, PlaylistGridModel::ReloadColumn), Qt::Checked, Qt::CheckStateRole);
    }
    g->setData(g->index(0, PlaylistGridModel::TransitionColumn), "ROLL:IMPLODE");
    EXPECT_EQ(commander.document().toBytes(), expected);
}

TEST_F(LumctlPlaylistTest, MakeRefusesWhatTheCommanderRefusesAndWritesNothing) {
    struct Case {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"a.jpg", "missing.mpg"}, "missing.mpg does not exist"},
        {{"notes.doc"}, "notes.doc is not a media file a player plays"},
        {{"week.sch", "week.sch"}, "Only one .sch file is allowed!"},
        {{"a.jpg", "--duration", "12a"}, "Only accpet numeric number!"},
        {{"a.jpg", "--start", "2400"}, "Time must be in HHMM or HH:MM format!"},
        {{"a.jpg", "--stop", "1200"}, "If set stop time, must set start time,too!"},
        {{"a.jpg", "--download-at", "705"}, "Time must be in HHMM or HH:MM format!"},
        {{"a.jpg", "--transition", "sideways"}, "unknown transition 'sideways'"},
        {{"a.jpg", "--delete-files", "some"}, "--delete-files takes"},
        {{"a.jpg", "--zone", "clip.mpg"}, "is not a zone image"},
    };
    for (const Case& c : cases) {
        const QString out = dir.filePath("refused.mpl");
        const Run r = lumctl(QStringList{"playlist", "make", out} + c.args);
        EXPECT_EQ(r.code, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << c.args.join(' ').toStdString();
    }
    EXPECT_EQ(lumctl({"playlist", "make", dir.filePath("x.mpl")}).code, 1);  // no media
}

TEST_F(LumctlPlaylistTest, CopyAllPutsTheMediaAndThenThePlaylistOnTheDrive) {
    ASSERT_EQ(lumctl({"playlist", "make", dir.filePath("show.mpl"), "a.jpg", "clip.mpg", "--zone",
                      "top_tz1.yuv"}).code, 0);
    const QString usb = dir.filePath("usb");
    QDir().mkpath(usb);
    const Run r = lumctl({"copy-all", dir.filePath("show.mpl"), "--to", usb, "--folder", "sync"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(usb + "/SYNC/topzone.mode1.yuv"), readFile(media + "/top_tz1.yuv"));
    EXPECT_EQ(readFile(usb + "/SYNC/clip.mpg"), readFile(media + "/clip.mpg"));
    // The playlist as the Commander writes it after opening the file (a picture read without a
    // transition keeps the table's first entry).
    CPlaylistDocument opened;
    ASSERT_TRUE(opened.Load(dir.filePath("show.mpl")));
    EXPECT_EQ(readFile(usb + "/SYNC/playlist.mpl"), opened.toBytes());
    EXPECT_TRUE(r.out.contains("written\t" + (usb + "/SYNC/playlist.mpl").toUtf8()));
    // Progress on the terminal, one line per grid row.
    EXPECT_TRUE(r.err.contains("Copying... " + (media + "/a.jpg").toUtf8() + "(0/2)")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Copying... " + (media + "/clip.mpg").toUtf8() + "(1/2)"));

    // A medium gone: named with its reason, no playlist written, exit 1.
    ASSERT_TRUE(QFile::remove(media + "/clip.mpg"));
    const Run failed = lumctl({"copy-all", dir.filePath("show.mpl"), "--to", usb});
    EXPECT_EQ(failed.code, 1);
    EXPECT_TRUE(failed.err.contains((media + "/clip.mpg: the file does not exist").toUtf8())) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.contains("playlist.mpl was not written"));
    EXPECT_TRUE(QFile::exists(usb + "/a.jpg"));
    EXPECT_FALSE(QFile::exists(usb + "/playlist.mpl"));

    EXPECT_EQ(lumctl({"copy-all", dir.filePath("show.mpl"), "--to", dir.filePath("nowhere")}).code, 1);
    EXPECT_EQ(lumctl({"copy-all", dir.filePath("show.mpl"), "--to", usb, "--folder", "DATA"}).code, 1);
    ASSERT_TRUE(writeFile(dir.filePath("empty.mpl"), "[configuration]\r\nglobalinterval=5\r\n"));
    const Run empty = lumctl({"copy-all", dir.filePath("empty.mpl"), "--to", usb});
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(empty.err.contains("the playlist holds no item"));
}

TEST_F(LumctlPlaylistTest, PublishUploadsThroughAStoredSite) {
    QTemporaryDir root;
    QDir(root.path()).mkpath("lists");
    lumtest::FtpServerProcess server(root.path());
    ASSERT_NE(server.port(), 0);
    CFtpSite site;
    site.host = "127.0.0.1";
    site.port = server.port();
    site.login = "lum";
    site.password = "secret";
    site.profileName = "Shop";
    site.initialPath = "lists";
    site.usePassive = 1;
    CFtpSite wrong = site;
    wrong.profileName = "Wrong";
    wrong.password = "bad";
    ASSERT_TRUE(saveFtpSites(ftpSitesPath(data), {site, wrong}));
    ASSERT_EQ(lumctl({"playlist", "make", dir.filePath("week.mpl"), "a.jpg"}).code, 0);

    Run r = lumctl({"publish", "--site", "shop", dir.filePath("week.mpl"), "--name", "news"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "uploaded\t/lists/news.mpl\n");
    EXPECT_EQ(readFile(root.filePath("lists/news.mpl")), readFile(dir.filePath("week.mpl")));
    // Without a name the file keeps its own.
    r = lumctl({"publish", "--site", "Shop", dir.filePath("week.mpl")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(root.filePath("lists/week.mpl")), readFile(dir.filePath("week.mpl")));
    EXPECT_FALSE(QFile::exists(data + "/TMPPLSTFTP.mpl"));

    r = lumctl({"publish", "--site", "Wrong", dir.filePath("week.mpl")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("530")) << r.err.toStdString();  // the server's answer, shown
    r = lumctl({"publish", "--site", "Nobody", dir.filePath("week.mpl")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains("no stored FTP site is named 'Nobody'"));
    r = lumctl({"publish", "--site", "Shop", dir.filePath("week.mpl"), "--name", "../x"});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(QFile::exists(root.filePath("x.mpl")));
}
