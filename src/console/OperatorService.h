#pragma once
// Answers lumctl's requests (server/OperatorSocket.h carries them) with the console's own
// operations, so the command line and the windows do the same things.
//
// A request is one JSON object: {"verb": V, "target": {"all": true} | {"group": G} |
// {"player": P}, "yes": bool, ...verb fields}. Verbs:
//   status                         server state, port and counters
//   players   [group]              the online model's records
//   accounts                       groups and their accounts
//   server    action start|stop
//   send      index [text]         any operator command index, to a target
//   play stop reboot format mute msg-off group-status   to a target
//   volume    level 1..15          to a target
//   video     on: bool             to a target
//   read-status capacity files playlist   to one player
//   ezplay    file                 to a group or a player
//   autoplay  file                 to a group
// Reply: {"ok": bool, "error": text, "targeted": n, "delivered": n, "messages": [...], ...}.
// Questions (reboot, format) need "yes": without it the request is refused with the question.

#include <QJsonObject>

#include <functional>

namespace lum {

class COnlineModel;
class CUserStore;

struct ServerControl {
    std::function<bool()> start;
    std::function<void()> stop;
    // running, port and counters
    std::function<QJsonObject()> status;
};

class COperatorService {
public:
    COperatorService(CUserStore& store, COnlineModel& online, ServerControl server)
        : store_(store), online_(online), server_(std::move(server)) {}

    QJsonObject handle(const QJsonObject& request);

private:
    QJsonObject serverStatus() const;

    CUserStore& store_;
    COnlineModel& online_;
    ServerControl server_;
};

}  // namespace lum
