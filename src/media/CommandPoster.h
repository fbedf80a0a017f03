#pragma once
// How media code has operator commands sent to players. The console implements it over the
// online model (console/OnlineCommandPoster.h), which picks the connection threads and posts.
// Calls may come from any thread (the ticker worker calls from its own).

#include <QString>

namespace lum {

// Who a command goes to.
struct MediaTarget {
    enum class Kind { All, Group, Player };
    Kind kind = Kind::All;
    QString name;  // group or player name; unused for All

    static MediaTarget all() { return {Kind::All, {}}; }
    static MediaTarget group(const QString& g) { return {Kind::Group, g}; }
    static MediaTarget player(const QString& p) { return {Kind::Player, p}; }
};

class ICommandPoster {
public:
    virtual ~ICommandPoster() = default;
    // Command 14 "Update RSS Message" (`update`) or 13 "Send RSS Message to Client" to the
    // connected players of `group`.
    virtual void postTicker(const QString& group, bool update) = 0;
    // Command 45: show the picture `imageName` (fetched as "instant.jpg") for `displaySeconds`.
    virtual void postPicture(const MediaTarget& target, const QString& imageName,
                             quint32 displaySeconds) = 0;
};

}  // namespace lum
