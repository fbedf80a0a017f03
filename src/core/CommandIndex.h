#pragma once
// Operator commands as the console hands them to a player's connection thread: the command
// index and the plain values some commands carry. The connection thread turns each into its
// command line (server/OperatorCommand.h).

#include <QString>

namespace lum {

enum class CommandIndex : int {
    CloseData = 0,
    EndConnection = 1,
    GetStatus = 2,
    SendPlaylist = 3,
    StartPlay = 4,
    StopAction = 5,
    StorageInfo = 6,
    StorageFiles = 7,
    FormatStorage = 8,
    DeleteFiles = 9,
    Reboot = 10,
    Download = 11,
    InstantMessage = 12,
    RssMessage = 13,
    UpdateRss = 14,
    StopMessage = 15,
    CheckStatus = 16,
    Mute = 17,  // 17 .. 33 volume control; Volume n is 17 + n
    PlaybackReport = 34,
    GetPlaylist = 35,
    Text638 = 36,
    AutoCommand = 37,
    Shutdown = 38,
    VideoOn = 39,
    VideoOff = 40,
    SetMac = 41,
    AutoConfig = 42,
    Label = 43,
    Text648 = 44,
    Picture = 45,
    SyncMaster = 46,
    SyncSlave = 47,
    InputKeysFirst = 200,  // 200 .. 209
};

inline constexpr int kMaxCommandIndex = 209;
inline constexpr int kMaxVolume = 15;

// Volume 1 .. 15.
constexpr CommandIndex volumeCommand(int level) {
    return CommandIndex(int(CommandIndex::Mute) + level);
}

// What a command carries from the console to the connection thread. Indices 36, 43 and 44
// carry a text; 41 the MAC text of the record the command goes to (filled per player by the
// sender); 45 the picture name and its display time.
struct OperatorCommandArgs {
    QString text;
    QString macText;
    QString imageName;
    quint32 displaySeconds = 0;
};

// The receiving side reads index 43's text into 512 characters.
inline constexpr int kScreenLabelTextMax = 511;

}  // namespace lum
