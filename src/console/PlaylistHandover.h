#pragma once
// The Playlist Commander's two hand-overs of a playlist to players, without a window:
// EZ-Play (store it for a group or player and send it now) and AutoPlay (make it the group's
// playlist at power-up). The Commander window and lumctl both call these.

#include "core/CommandSender.h"

#include <QString>

namespace lum {

class COnlineModel;
class CPlaylistDocument;
class CUserStore;
class IOperatorPrompt;

namespace handover_texts {
inline constexpr const char* kSelectTarget = "Please select a Group or Device!";
inline constexpr const char* kAutoPlayNeedsGroup = "Autoplay must select Group name, not Device only.";
}  // namespace handover_texts

struct HandoverResult {
    bool ok = false;       // the playlist was stored
    QString playlistPath;  // where
    PostResult posted;     // EZ-Play: the players reached
    QString error;         // why not, when not ok
};

// EZ-Play: saves `doc` as "EZPlaylist.mpl" in the home directory of the group (or of the
// player's group), clears the group's AutoPlay, makes it the group's current playlist, records
// it in the online model and sends command 37 to the group's online players (or that player);
// "No client is online ..." when none is.
HandoverResult EzPlay(CUserStore& store, COnlineModel& online, IOperatorPrompt& prompt,
                      const CommandTarget& target, CPlaylistDocument& doc);

// AutoPlay: saves `doc` as "AutoPlaylist.mpl" in the group's home directory and makes it the
// group's auto playlist with AutoPlay on. A playlist without items (nothing is said: the window
// offers AutoPlay only for a filled grid) and a player target are refused.
HandoverResult AutoPlay(CUserStore& store, IOperatorPrompt& prompt, const CommandTarget& target,
                        CPlaylistDocument& doc);

}  // namespace lum
