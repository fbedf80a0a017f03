#include "server/OperatorCommand.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

using namespace lum;

namespace {
QString lineOf(int index, const OperatorCommandArgs& args = {}) {
    return buildOperatorCommand(CommandIndex(index), args).line;
}
}  // namespace

TEST(OperatorCommand, CodesAndTextsOfTheTable) {
    EXPECT_EQ(lineOf(2), QString("602 Get client status"));
    EXPECT_EQ(lineOf(3), QString("603 Send playlist to client"));
    EXPECT_EQ(lineOf(10), QString("610 Send a reboot command to client"));
    EXPECT_EQ(lineOf(11), QString("613 Send a download command to client"));
    EXPECT_EQ(lineOf(12), QString("615 Send Instant Message to Client"));
    EXPECT_EQ(lineOf(13), QString("614 Send RSS Message to Client"));
    EXPECT_EQ(lineOf(14), QString("649 Update RSS Message"));
    EXPECT_EQ(lineOf(15), QString("616 Send Stop Message command to Client"));
    EXPECT_EQ(lineOf(16), QString("618 Check the status of client"));
    EXPECT_EQ(lineOf(17), QString("619 Volume Control"));
    EXPECT_EQ(lineOf(25), QString("627 Volume Control"));
    EXPECT_EQ(lineOf(33), QString("635 Volume Control"));
    EXPECT_EQ(lineOf(34), QString("636 Playback Report"));
    EXPECT_EQ(lineOf(37), QString("639 Auto Command(S1-S3)"));
    EXPECT_EQ(lineOf(39), QString("641 Turn on video output"));
    EXPECT_EQ(lineOf(40), QString("642 Turn off video output"));
    EXPECT_EQ(lineOf(42), QString("645 AutoConfig file"));
    EXPECT_EQ(lineOf(46), QString("651 Set Play Sync Master"));
    EXPECT_EQ(lineOf(47), QString("652 Set Play Sync Slave"));
    EXPECT_EQ(lineOf(200), QString("653 Input Keys"));
    EXPECT_EQ(lineOf(205), QString("658 Input Keys"));
    EXPECT_EQ(lineOf(209), QString("662 Input Keys"));
}

TEST(OperatorCommand, ActionsAndUnknownIndices) {
    EXPECT_EQ(buildOperatorCommand(CommandIndex(0), {}).action, OperatorAction::CloseData);
    EXPECT_EQ(buildOperatorCommand(CommandIndex(1), {}).action, OperatorAction::EndConnection);
    const auto shutdown = buildOperatorCommand(CommandIndex(38), {});
    EXPECT_EQ(shutdown.action, OperatorAction::SendLineThenEnd);
    EXPECT_EQ(shutdown.line, QString("640 Shutdown Client"));
    for (int unused : {48, 100, 199, 210, -1, 1000})
        EXPECT_EQ(buildOperatorCommand(CommandIndex(unused), {}).action, OperatorAction::Ignore) << unused;
}

TEST(OperatorCommand, TextCarryingIndicesCutOrKeepTheirText) {
    OperatorCommandArgs args;
    args.text = QString(200, 'x');
    EXPECT_EQ(lineOf(43, args), "647 " + QString(200, 'x'));
    EXPECT_EQ(lineOf(44, args), "648 " + QString(127, 'x'));
    EXPECT_EQ(lineOf(36, args), "638 " + QString(127, 'x'));
    args.macText = "00-11-22-33-44-55";
    EXPECT_EQ(lineOf(41, args), QString("643 00-11-22-33-44-55"));
    args.imageName = "instant.jpg";
    args.displaySeconds = 15;
    EXPECT_EQ(lineOf(45, args), QString("650 Send Pictavo image instant.jpg (Dration:15S) to client"));
    // A '%' in a text is sent as it is.
    args.text = "100% off";
    EXPECT_EQ(lineOf(44, args), QString("648 100% off"));
}
