#pragma once
// The one way an operator command reaches players: a target and the command index with its
// arguments. The online list implements it (console/OnlineModel.h) with its targeting rules;
// the main window's commands, the playlist hand-overs, the message, label, ticker, picture,
// autoconfig and report senders and lumctl's handlers all send through it.

#include "core/CommandIndex.h"

#include <QString>

#include <optional>

class QJsonObject;

namespace lum {

class IOperatorPrompt;

// Who a command goes to. Only players that are online are ever reached.
struct CommandTarget {
    enum class Kind {
        All,     // every online player; the name is unused
        Group,   // the online players of the group (compared without regard to case)
        Player,  // the online player with that user name (without regard to case)
        Mac,     // the online player that reported that MAC text (see COnlineModel::recordByMac)
    };
    Kind kind = Kind::All;
    QString name;

    static CommandTarget all() { return {Kind::All, {}}; }
    static CommandTarget group(const QString& g) { return {Kind::Group, g}; }
    static CommandTarget player(const QString& p) { return {Kind::Player, p}; }
    static CommandTarget mac(const QString& m) { return {Kind::Mac, m}; }
};

struct PostResult {
    int targeted = 0;     // online players the command was meant for
    int delivered = 0;    // of those, connections that were still running
    int missingFile = 0;  // players left out because the file the command announces is missing
    bool queued = false;  // sent from another thread: handed over, the counts are not known
};

class ICommandSender {
public:
    virtual ~ICommandSender() = default;

    // Posts `index` with `args` to the connections of `target`. Index 3 goes only to players
    // whose group's current playlist file exists and stops at the first that has none; index
    // 12 only to players whose group's "instantmessage.txt" exists. Any thread: from another
    // thread the command is queued to the sender's own and the result says only `queued`.
    // Never talks to the operator (see tellOperator).
    virtual PostResult send(const CommandTarget& target, CommandIndex index,
                            const OperatorCommandArgs& args = {}) = 0;

    // User name of the online player a MAC target would reach; empty when none. Main thread.
    virtual QString onlinePlayerByMac(const QString& mac) const = 0;
};

// The target of a lumctl request: its "target" object, {"all": true}, {"group": G},
// {"player": P} or {"mac": M}; nothing when it names none.
std::optional<CommandTarget> requestTarget(const QJsonObject& request);

// What the operator is told after a send: "The playlist file is not find! ..." when index 3
// found a group without its playlist, otherwise "No client is online and no client will be
// effected!" when nobody was reached (never for index 14, the ticker's quiet update, nor for a
// queued send). True when a notice was shown.
bool tellOperator(IOperatorPrompt& prompt, CommandIndex index, const PostResult& result);

}  // namespace lum
