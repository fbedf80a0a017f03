#pragma once
// One thing that happened in the fleet, as the event stream carries it: a login, logout, status
// change, report, alert, return from an alert or an operator command sent.

#include <QDateTime>
#include <QJsonObject>
#include <QString>

namespace lum {

enum class FleetEventKind { Login, Logout, Status, Report, Alert, BackOnline, Command };

struct FleetEvent {
    QDateTime time;
    FleetEventKind kind = FleetEventKind::Login;
    QString player;
    QString group;
    QString mac;
    QString text;
};

// "login", "logout", "status", "report", "alert", "back-online", "command".
QString fleetEventName(FleetEventKind kind);

// {"time": "yyyy-MM-ddTHH:mm:ss.zzz", "event": name, "player", "group", "mac", "text"}.
QJsonObject fleetEventJson(const FleetEvent& event);
// The same as one line of plain text: time, event, player, group, MAC and text separated by
// tabs. Tabs and line breaks inside the fields become blanks, so one event is one line.
QString fleetEventLine(const QJsonObject& json);

}  // namespace lum
