// The operator's files reach a player through the running lum-server: lumctl writes them and
// posts the command, the player gets the command line and fetches the file by its special name.
#include "RunningServer.h"

#include <QImage>

namespace {

using OperatorFilesFlow = lumtest::RunningServerTest;

}  // namespace

TEST_F(OperatorFilesFlow, MessageLabelPlaylistAutoconfigAndPictureReachThePlayer) {
    lumtest::Player p(port);
    loginPlayer(p, "p1", "02-00-00-00-00-0A");

    // Instant message: file in the group's folder, command 12, fetched by its name.
    QByteArray out;
    ASSERT_EQ(lumctl({"message", "--group", "Home", "--text", "Hello players"}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(p.line(), "615 Send Instant Message to Client");
    EXPECT_TRUE(fetch(p, "instantmessage.txt").contains("Hello players"));

    // On-screen label: command 43 carries the label message.
    ASSERT_EQ(lumctl({"label", "--group", "Home", "--line", "Sale", "--seconds", "30"}, &out), 0)
        << out.toStdString();
    EXPECT_TRUE(p.line().startsWith("647 "));

    // EZ-Play: the playlist is stored for the group and fetched as "playlist.mpl".
    const QString media = dir.path() + "/clip.jpg";
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(media, "JPG"));
    const QString mpl = dir.path() + "/week.mpl";
    ASSERT_TRUE(lumtest::writeFile(
        mpl, ("[configuration]\r\nglobalinterval=5\r\n[file0]\r\npath=" + media + "\r\nsize=10\r\n").toUtf8()));
    ASSERT_EQ(lumctl({"ezplay", "--group", "Home", mpl}, &out), 0) << out.toStdString();
    EXPECT_EQ(p.line(), "639 Auto Command(S1-S3)");
    const QByteArray playlist = fetch(p, "playlist.mpl");
    EXPECT_TRUE(playlist.contains("path=" + media.toUtf8())) << playlist.toStdString();
    // The media the playlist names is served by its absolute path.
    EXPECT_EQ(fetch(p, media.toUtf8()), lumtest::readFile(media));
    ASSERT_EQ(lumctl({"players"}, &out), 0);
    EXPECT_TRUE(out.contains("EZPlaylist.mpl")) << out.toStdString();

    // Autoconfig: "autoconfig.zeq" in the group's folder, command 42, fetched by its name.
    const QString zeb = dir.path() + "/player.zeb";
    ASSERT_TRUE(lumtest::writeFile(zeb, "[Server]\r\nservername=10.1.2.3\r\nserverport=5021\r\n"));
    EXPECT_NE(lumctl({"autoconfig", "update", zeb, "--group", "Home"}, &out), 0);  // asks first
    ASSERT_EQ(lumctl({"autoconfig", "update", zeb, "--group", "Home", "--yes"}, &out), 0)
        << out.toStdString();
    EXPECT_EQ(p.line(), "645 AutoConfig file");
    const QByteArray zeq = fetch(p, "autoconfig.zeq");
    EXPECT_TRUE(zeq.startsWith("[Server]\r\nservername=10.1.2.3\r\n")) << zeq.toStdString();

    // Instant picture: copied to "instant.jpg", command 45 names it.
    ASSERT_EQ(lumctl({"picture", media, "--seconds", "9", "--group", "Home"}, &out), 0)
        << out.toStdString();
    EXPECT_TRUE(p.line().startsWith("650 Send Pictavo image ")) ;
    EXPECT_EQ(fetch(p, "instant.jpg"), lumtest::readFile(media));
}

TEST_F(OperatorFilesFlow, QuestionsNeedYesAndUnknownTargetsAreRefused) {
    lumtest::Player p(port);
    loginPlayer(p, "p1", "02-00-00-00-00-0B");
    QByteArray out;
    EXPECT_NE(lumctl({"reboot", "--group", "Home"}, &out), 0);
    EXPECT_TRUE(out.contains("Are you sure to reboot the players ?")) << out.toStdString();
    EXPECT_TRUE(p.silent());
    EXPECT_EQ(lumctl({"reboot", "--group", "Home", "--yes"}, &out), 0) << out.toStdString();
    EXPECT_EQ(p.line(), "610 Send a reboot command to client");
    EXPECT_NE(lumctl({"play", "--group", "Nowhere"}, &out), 0);
    EXPECT_TRUE(out.contains("unknown group 'Nowhere'")) << out.toStdString();
    EXPECT_NE(lumctl({"dance", "--all"}, &out), 0);
}
