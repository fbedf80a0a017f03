#pragma once
// Answers lumctl's requests (see server/OperatorSocket.h) with the console's own operations.
//
// Requests, one JSON object each:
//   {"cmd":"players"}                                  every known player
//   {"cmd":"server","action":"start"|"stop"|"status"}
//   {"cmd":"play"|"stop"|"reboot"|"format"|"msgoff"|"videoon"|"videooff"|"mute"|"groupstatus",
//    "group":G | "player":P (absent: all players), "yes":true to answer questions with Yes}
//   {"cmd":"volume","level":1..15, target as above}
//   {"cmd":"status"|"capacity"|"files"|"playlist","player":P}
//   {"cmd":"send","index":N,"text":T, target as above}
// Replies: {"ok":bool, "targeted":n, "delivered":n, "messages":[...], "error":...}.

#include <QJsonObject>

#include <functional>

namespace lum {

class COnlineModel;

struct ServerControl {
    std::function<bool()> start;
    std::function<void()> stop;
    std::function<bool()> running;
};

class COperatorService {
public:
    COperatorService(COnlineModel& online, ServerControl server)
        : online_(online), server_(std::move(server)) {}

    QJsonObject handle(const QJsonObject& request);

private:
    COnlineModel& online_;
    ServerControl server_;
};

}  // namespace lum
