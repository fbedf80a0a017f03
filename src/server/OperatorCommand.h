#pragma once
// Operator commands to players: the command index posted to a connection thread and the line the
// thread sends for it ("%d %s": a three-digit code, a blank and a text).

#include "core/CommandIndex.h"

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


}  // namespace lum
