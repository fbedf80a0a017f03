#pragma once
// What the control server needs from the rest of the program, kept small so that the server
// builds and runs without the console: the player accounts, and the listeners that show
// players online (the online view) and new accounts (the account tree).

#include "server/PlayerMessages.h"

#include <QString>

namespace lum {

// The parts of a player's group record the server uses.
struct PlayerGroupInfo {
    QString name;
    QString homeDirectory;
    QString currentPlaylist;
    QString autoPlaylist;
    bool autoPlay = false;
};

// The parts of a player's account record the server uses.
struct PlayerAccountInfo {
    QString name;
    QString password;
    QString group;
    bool disabled = false;
};

// The player account store as the server sees it. Called on connection threads; the
// implementation takes its own lock.
class IPlayerAccounts {
public:
    virtual ~IPlayerAccounts() = default;
    // Looks the name up without regard to case. With `create`, an unknown name is registered in
    // group "Home" with an empty password, and `*created` (when given) is set. False when not
    // found (and not created).
    virtual bool FindUser(const QString& name, bool create, PlayerGroupInfo* group,
                          PlayerAccountInfo* account, bool* created) = 0;
};

// Notifications for the online view and the account tree. Called from connection threads
// (ClientLoggedIn, ClientEvent, AccountRegistered) and from the main thread
// (ClientLoggedOut); implementations queue what they must do on their own thread and never
// block on the caller.
class IServerObserver {
public:
    virtual ~IServerObserver() = default;
    // The player reported its MAC address on connection `connectionId`.
    virtual void ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                                const QString& mac) = 0;
    // The connection ended.
    virtual void ClientLoggedOut(quint32 connectionId) = 0;
    // A player event for the player with that MAC text.
    virtual void ClientEvent(PlayerEvent code, const QString& mac, const QString& text) = 0;
    // A player name unknown to the store was registered in group "Home" at login.
    virtual void AccountRegistered(const QString& name, const QString& group) = 0;
};

}  // namespace lum
