#pragma once
// Sending an instant message or an on-screen label: the file goes into the home directory of
// each target group first, then the announcing command is posted to the online players
// (index 12 "Send Instant Message to Client", index 43 with the label message).

#include "core/CommandSender.h"

#include <QStringList>

class QSettings;

namespace lum {

class CUserStore;
class IOperatorPrompt;
struct InstantMessage;
struct ScreenLabel;

struct SendResult {
    enum Status {
        Sent,           // the command reached at least one player
        NoneReached,    // files written (where possible) but no player was reached
        UnknownTarget,  // the group or player is not in the store; nothing written
        Refused,        // the label's number is not acceptable; nothing written
    };
    Status status = NoneReached;
    int reached = 0;
    QStringList written;  // the files written
};

// The target is what the operator chose in the account tree: everyone means every group's file,
// a group that group's, a player that player's group's (and the command goes to that player).
// A MAC target is not offered (nothing is written, UnknownTarget).

// Writes "instantmessage.txt" for every target group and posts command 12 (which reaches only
// players whose group's file is in place). A message over the limit shows "The maximum text
// length is 20480 bytes!" once per group and writes nothing there. The encoding choice is
// remembered in `profile` when given.
SendResult sendInstantMessage(const InstantMessage& message, const CommandTarget& target,
                              CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt,
                              QSettings* profile = nullptr);

// Writes "ostnmessage.txt" for every target group and posts command 43 with the label message.
SendResult sendScreenLabel(const ScreenLabel& label, const CommandTarget& target,
                           CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt);

}  // namespace lum
