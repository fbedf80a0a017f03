#pragma once
// How editors hand an operator command to the online players without knowing the online model.
// The online model implements it (its targeting rules decide which connection threads get the
// command); the headless tools and tests have their own implementations.

#include <QString>

namespace lum {

enum class CommandTarget {
    All,     // every online player; the name is ignored
    Group,   // every online player of the group named (compared without regard to case)
    Player,  // the first online player with that user name (without regard to case)
    Mac,     // the first online player whose MAC text equals the name exactly
};

class ICommandPoster {
public:
    virtual ~ICommandPoster() = default;

    // Posts operator command `commandIndex` (with `text` for the text-carrying indices) to the
    // chosen connections. Returns how many connections were reached. Never talks to the
    // operator: callers show "No client is online and no client will be effected!" themselves
    // when it returns 0 and their command wants that notice.
    virtual int post(CommandTarget target, const QString& name, int commandIndex,
                     const QString& text = {}) = 0;

    // User name of the first online player whose MAC text equals `mac` exactly; empty when
    // none is online.
    virtual QString onlineUserByMac(const QString& mac) const = 0;
};

// Operator command indices used by the editors.
inline constexpr int kCmdDeleteFiles = 9;        // 609
inline constexpr int kCmdInstantMessage = 12;    // 615
inline constexpr int kCmdAutoconfig = 42;        // 645
inline constexpr int kCmdScreenLabel = 43;       // 647, carries the label message
// The receiving side reads index 43's text into 512 characters.
inline constexpr int kScreenLabelTextMax = 511;

}  // namespace lum
