#pragma once
// The operator's player commands (toolbar, menus, lumctl) as plain functions over the online
// model: each takes its target and returns what it reached. Questions go through the prompt.

#include "console/OnlineModel.h"

#include <QString>

namespace lum {

struct CommandTarget {
    TargetMode mode = TargetMode::All;
    QString key;  // group or player name; unused for All

    static CommandTarget all() { return {}; }
    static CommandTarget group(const QString& g) { return {TargetMode::Group, g}; }
    static CommandTarget player(const QString& p) { return {TargetMode::Player, p}; }
};

class CPlayerCommands {
public:
    CPlayerCommands(COnlineModel& online, IOperatorPrompt& prompt)
        : online_(online), prompt_(prompt) {}

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
    // The row commands go to one player.
    PostResult readStatus(const QString& player);    // command 16
    PostResult readCapacity(const QString& player);  // command 6
    PostResult readFiles(const QString& player);     // command 7
    PostResult readPlaylist(const QString& player);  // command 35
    // Any command index with an optional text (lumctl's raw send).
    PostResult send(const CommandTarget& t, int index, const QString& text = {});

private:
    PostResult post(const CommandTarget& t, int index, const QString& text = {});

    COnlineModel& online_;
    IOperatorPrompt& prompt_;
};

}  // namespace lum
