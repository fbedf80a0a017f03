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

struct OperatorCommand {
    OperatorAction action = OperatorAction::Ignore;
    QString line;                  // without CR LF
};

// Texts of indices 36 and 44 travelled in a 128-character buffer.
inline constexpr int kShortCommandTextLength = 127;

OperatorCommand buildOperatorCommand(CommandIndex index, const OperatorCommandArgs& args);


}  // namespace lum
