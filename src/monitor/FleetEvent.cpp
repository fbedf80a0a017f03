#include "monitor/FleetEvent.h"

#include <QStringList>

namespace lum {

QString fleetEventName(FleetEventKind kind) {
    switch (kind) {
    case FleetEventKind::Login: return QStringLiteral("login");
    case FleetEventKind::Logout: return QStringLiteral("logout");
    case FleetEventKind::Status: return QStringLiteral("status");
    case FleetEventKind::Report: return QStringLiteral("report");
    case FleetEventKind::Alert: return QStringLiteral("alert");
    case FleetEventKind::BackOnline: return QStringLiteral("back-online");
    case FleetEventKind::Command: return QStringLiteral("command");
    }
    return {};
}

QJsonObject fleetEventJson(const FleetEvent& event) {
    return {{"time", event.time.toString(Qt::ISODateWithMs)},
            {"event", fleetEventName(event.kind)},
            {"player", event.player},
            {"group", event.group},
            {"mac", event.mac},
            {"text", event.text}};
}

QString fleetEventLine(const QJsonObject& json) {
    QStringList cells;
    for (const char* key : {"time", "event", "player", "group", "mac", "text"}) {
        QString cell = json.value(QLatin1String(key)).toString();
        for (QChar& c : cell)
            if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
                c.category() == QChar::Separator_Paragraph)
                c = QLatin1Char(' ');
        cells << cell;
    }
    return cells.join(QLatin1Char('\t'));
}

}  // namespace lum
