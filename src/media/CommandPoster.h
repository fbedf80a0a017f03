#pragma once
// How media code hands an operator command to the players. The online model implements it: it
// picks the connection threads of the target and posts the command index with its text.

#include <QString>

namespace lum {

// Command indexes the media services post.
inline constexpr int kCmdSendRssMessage = 13;    // "Send RSS Message to Client"
inline constexpr int kCmdUpdateRssMessage = 14;  // "Update RSS Message"
inline constexpr int kCmdPicture = 45;           // instant picture

// Who a command goes to.
struct CommandTarget {
    enum class Kind { All, Group, Player };
    Kind kind = Kind::All;
    QString name;  // group or player name; unused for All

    static CommandTarget all() { return {Kind::All, {}}; }
    static CommandTarget group(const QString& g) { return {Kind::Group, g}; }
    static CommandTarget player(const QString& p) { return {Kind::Player, p}; }
};

class ICommandPoster {
public:
    virtual ~ICommandPoster() = default;
    // Posts `index` to every connected player of `target`. `text` is the command's text after
    // its code where the command carries a variable one (index 45), else empty. Thread-safe.
    virtual void postCommand(const CommandTarget& target, int index, const QString& text) = 0;
};

}  // namespace lum
