#pragma once
// Operator commands to players: the command index posted to a connection thread and the line the
// thread sends for it ("%d %s": a three-digit code, a blank and a text).

#include <QString>

namespace lum {

// What the connection thread does for a command index.
enum class OperatorAction {
    Ignore,          // unknown index: nothing is sent
    CloseData,       // index 0: close the data connection
    EndConnection,   // index 1: end the connection
    SendLine,        // send `line`
    SendLineThenEnd  // index 38: send `line`, then end the connection
};

// Values a command carries from the console to the connection thread. Indices 36, 43 and 44
// carry a text; 41 the MAC address the online model holds; 45 the picture name and time.
struct OperatorCommandArgs {
    QString text;
    QString macText;
    QString imageName;
    quint32 displaySeconds = 0;
};

struct OperatorCommand {
    OperatorAction action = OperatorAction::Ignore;
    QString line;                  // without CR LF
    bool setsDownloadFlag = false; // index 11
};

inline constexpr int kMaxCommandIndex = 209;
// Texts of indices 36 and 44 travelled in a 128-character buffer.
inline constexpr int kShortCommandTextLength = 127;

OperatorCommand buildOperatorCommand(int index, const OperatorCommandArgs& args);

// Named indices used by the console's senders.
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
