#pragma once
// Sending an instant message or an on-screen label: the file goes into the home directory of
// each target group first, then the announcing command is posted to the online players
// (index 12 "Send Instant Message to Client", index 43 with the label message).

#include <QString>
#include <QStringList>

class QSettings;

namespace lum {

class CUserStore;
class ICommandSender;
class IOperatorPrompt;
struct InstantMessage;
struct ScreenLabel;

// What the operator chose in the account tree: the root entry means every group, a group that
// group, a player that player's group (and the command goes to that player).
struct MessageTarget {
    enum class Kind { Root, Group, Player };
    Kind kind = Kind::Root;
    QString name;

    static MessageTarget root() { return {Kind::Root, {}}; }
    static MessageTarget group(const QString& g) { return {Kind::Group, g}; }
    static MessageTarget player(const QString& p) { return {Kind::Player, p}; }
};

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

// Writes "instantmessage.txt" for every target group and posts command 12 (to everyone for the
// root entry; for a group or player only when that group's file exists). A message over the
// limit shows "The maximum text length is 20480 bytes!" once per group and writes nothing
// there. The encoding choice is remembered in `profile` when given.
SendResult sendInstantMessage(const InstantMessage& message, const MessageTarget& target,
                              CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt,
                              QSettings* profile = nullptr);

// Writes "ostnmessage.txt" for every target group and posts command 43 with the label message.
SendResult sendScreenLabel(const ScreenLabel& label, const MessageTarget& target,
                           CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt);

}  // namespace lum
