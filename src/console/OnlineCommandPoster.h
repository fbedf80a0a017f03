#pragma once
// The editors' command poster over the online model: targets are chosen by the model's rules
// (PostToClients), and the editors show "No client is online ..." themselves, so the model's
// own notice is swallowed here.

#include "core/CommandPoster.h"

namespace lum {

class COnlineModel;

class COnlineCommandPoster : public ICommandPoster {
public:
    explicit COnlineCommandPoster(COnlineModel& model) : model_(model) {}

    // Returns the number of players targeted (the online model's count for its notice).
    // A MAC target goes to the player of the first online record holding that MAC text.
    int postCommand(const CommandTarget& target, int index, const QString& text = {}) override;
    QString onlineUserByMac(const QString& mac) const override;

private:
    COnlineModel& model_;
};

}  // namespace lum
