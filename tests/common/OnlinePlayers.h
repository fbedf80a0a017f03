#pragma once
// Players as the online model knows them, without a control server: a stand-in for the
// server's connections that records what the model posted or stopped, and a fixture with a
// data folder, its account store and the real online model.

#include "accounts/UserStore.h"
#include "console/OnlineModel.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace lumtest {

class RecordingConnections : public lum::IPlayerConnections {
public:
    struct Post {
        quint32 id;
        lum::CommandIndex index;
        lum::OperatorCommandArgs args;
    };
    void StopConnection(quint32 id) override {
        stopped.push_back(id);
        if (onStop) onStop(id);
    }
    bool PostThreadCommand(quint32 id, lum::CommandIndex index,
                           const lum::OperatorCommandArgs& args) override {
        posts.push_back({id, index, args});
        return !ended.contains(id);
    }
    // (connection, index) of every post, in order.
    std::vector<std::pair<quint32, lum::CommandIndex>> sent() const {
        std::vector<std::pair<quint32, lum::CommandIndex>> out;
        for (const Post& p : posts) out.emplace_back(p.id, p.index);
        return out;
    }

    std::vector<Post> posts;
    std::vector<quint32> stopped;
    QSet<quint32> ended;              // connections whose thread no longer runs
    std::function<void(quint32)> onStop;  // what stopping does meanwhile (the event loop runs)
};

inline bool addGroup(lum::CUserStore& store, const QString& name, int autoPlay = 0) {
    lum::CUserGroup g;
    g.name = name;
    g.autoPlay = autoPlay;
    QDir().mkpath(store.homeDirectoryFor(name));
    return store.AddGroup(g);
}

inline bool addUser(lum::CUserStore& store, const QString& name, const QString& group,
                    const QString& description = {}) {
    lum::CUser u;
    u.name = name;
    u.group = group;
    u.description = description;
    return store.AddUser(u);
}

struct OnlinePlayers {
    QTemporaryDir dir;
    lum::CUserStore store{dir.path()};
    RecordingConnections connections;
    lum::COnlineModel online{store};

    OnlinePlayers() { online.setConnections(&connections); }
    // Logs `name` in on connection `id` (from the main thread: applied at once).
    void login(quint32 id, const QString& name, const QString& mac) {
        online.ClientLoggedIn(id, name, QStringLiteral("127.0.0.1"), mac);
    }
    QString home(const QString& group) const { return store.homeDirectoryFor(group); }
};

}  // namespace lumtest
