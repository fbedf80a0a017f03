#pragma once
// The operator's player commands (toolbar, menus, lumctl) as plain functions over the sender:
// each takes its target, tells the operator when nobody was reached and returns what it
// reached. Questions go through the prompt.

#include "core/CommandSender.h"

namespace lum {

class CPlayerCommands {
public:
    CPlayerCommands(ICommandSender& sender, IOperatorPrompt& prompt)
        : sender_(sender), prompt_(prompt) {}

    PostResult play(const CommandTarget& t);        // command 4
    PostResult stop(const CommandTarget& t);        // command 5
    PostResult reboot(const CommandTarget& t);      // asks first; command 10
    PostResult format(const CommandTarget& t);      // asks first; command 8
    PostResult messageOff(const CommandTarget& t);  // command 15
    PostResult videoOn(const CommandTarget& t);     // command 39
    PostResult videoOff(const CommandTarget& t);    // command 40
    PostResult mute(const CommandTarget& t);        // command 17
    // Volume 1 to 15 posts 17 + n; other levels are refused (nothing posted).
    PostResult volume(const CommandTarget& t, int level);
    PostResult groupStatus(const CommandTarget& t);  // command 16
    PostResult readStatus(const CommandTarget& t);    // command 16 (the selected row)
    PostResult readCapacity(const CommandTarget& t);  // command 6
    PostResult readFiles(const CommandTarget& t);     // command 7
    PostResult readPlaylist(const CommandTarget& t);  // command 35
    // Any command index with its arguments (lumctl's raw send).
    PostResult send(const CommandTarget& t, CommandIndex index, const OperatorCommandArgs& args = {});

private:
    ICommandSender& sender_;
    IOperatorPrompt& prompt_;
};

}  // namespace lum
