#pragma once
// A command sender for tests: a list of online players with the online model's targeting
// rules, recording every command that reached a player.

#include "core/CommandSender.h"

#include <QString>

#include <vector>

namespace lumtest {

class RecordingSender : public lum::ICommandSender {
public:
    struct Player {
        QString user, group, mac;
    };
    struct Sent {
        QString user;
        int index;
        QString text;
        bool operator==(const Sent&) const = default;
    };

    int postCommand(const lum::SendTarget& t, int index, const QString& text) override {
        using K = lum::SendTarget::Kind;
        int reached = 0;
        for (const Player& p : online) {
            bool match = false;
            switch (t.kind) {
            case K::All: match = true; break;
            case K::Group: match = p.group.compare(t.name, Qt::CaseInsensitive) == 0; break;
            case K::Player: match = p.user.compare(t.name, Qt::CaseInsensitive) == 0; break;
            case K::Mac: match = p.mac == t.name; break;
            }
            if (!match) continue;
            sent.push_back({p.user, index, text});
            ++reached;
            if (t.kind == K::Player || t.kind == K::Mac) break;  // the first match only
        }
        return reached;
    }

    QString onlineUserByMac(const QString& mac) const override {
        for (const Player& p : online)
            if (p.mac == mac) return p.user;
        return {};
    }

    std::vector<Player> online;
    std::vector<Sent> sent;
};

}  // namespace lumtest
