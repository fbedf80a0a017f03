#pragma once
// Operator command indices: what the console posts to a player's connection thread. The
// connection thread turns each into its command line (server/OperatorCommand.h).

namespace lum {

enum CommandIndex : int {
    kCmdCloseData = 0,
    kCmdEndConnection = 1,
    kCmdGetStatus = 2,
    kCmdSendPlaylist = 3,
    kCmdStartPlay = 4,
    kCmdStopAction = 5,
    kCmdStorageInfo = 6,
    kCmdStorageFiles = 7,
    kCmdFormatStorage = 8,
    kCmdDeleteFiles = 9,
    kCmdReboot = 10,
    kCmdDownload = 11,
    kCmdInstantMessage = 12,
    kCmdRssMessage = 13,
    kCmdUpdateRss = 14,
    kCmdStopMessage = 15,
    kCmdCheckStatus = 16,
    kCmdMute = 17,          // 17 .. 33 volume control; Volume n is 17 + n
    kCmdPlaybackReport = 34,
    kCmdGetPlaylist = 35,
    kCmdText638 = 36,
    kCmdAutoCommand = 37,
    kCmdShutdown = 38,
    kCmdVideoOn = 39,
    kCmdVideoOff = 40,
    kCmdSetMac = 41,
    kCmdAutoConfig = 42,
    kCmdLabel = 43,
    kCmdText648 = 44,
    kCmdPicture = 45,
    kCmdSyncMaster = 46,
    kCmdSyncSlave = 47,
    kCmdInputKeysFirst = 200,  // 200 .. 209
};

}  // namespace lum
