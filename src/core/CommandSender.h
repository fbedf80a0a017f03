#pragma once
// How editors and media services hand an operator command to the online players without
// knowing the online model. The online model implements it: its targeting rules pick the
// connection threads and post the command index with its text. Tools and tests have their own
// implementations.

#include "core/CommandIndex.h"

#include <QString>

namespace lum {

// The receiving side reads index 43's text into 512 characters.
inline constexpr int kScreenLabelTextMax = 511;

// Who a command goes to.
struct SendTarget {
    enum class Kind {
        All,     // every online player; the name is unused
        Group,   // every online player of the group (compared without regard to case)
        Player,  // the first online player with that user name (without regard to case)
        Mac,     // the first online player whose MAC text equals the name exactly
    };
    Kind kind = Kind::All;
    QString name;

    static SendTarget all() { return {Kind::All, {}}; }
    static SendTarget group(const QString& g) { return {Kind::Group, g}; }
    static SendTarget player(const QString& p) { return {Kind::Player, p}; }
    static SendTarget mac(const QString& m) { return {Kind::Mac, m}; }
};

class ICommandSender {
public:
    virtual ~ICommandSender() = default;

    // Posts `index` to the connections of `target`; `text` is the command's text where the
    // command carries one (indices 36, 43, 44, 45), else empty. Returns how many connections
    // were reached. Never talks to the operator: a caller whose command wants the notice shows
    // "No client is online and no client will be effected!" itself when 0 comes back.
    // Thread-safe.
    virtual int postCommand(const SendTarget& target, int index, const QString& text = {}) = 0;

    // User name of the first online player whose MAC text equals `mac` exactly; empty when no
    // such player is online.
    virtual QString onlineUserByMac(const QString& mac) const = 0;
};

}  // namespace lum
