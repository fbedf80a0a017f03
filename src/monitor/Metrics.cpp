#include "monitor/Metrics.h"

namespace lum {

namespace {

struct Writer {
    QByteArray out;

    void family(const char* name, const char* type, const char* help) {
        out += QByteArray("# HELP ") + name + ' ' + help + '\n';
        out += QByteArray("# TYPE ") + name + ' ' + type + '\n';
    }
    void sample(const char* name, const QString& labels, quint64 value) {
        out += name;
        if (!labels.isEmpty()) out += '{' + labels.toUtf8() + '}';
        out += ' ' + QByteArray::number(value) + '\n';
    }
};

QString label(const char* name, const QString& value) {
    return QString::fromLatin1(name) + QStringLiteral("=\"") + escapeLabelValue(value) + '"';
}

}  // namespace

QString escapeLabelValue(const QString& value) {
    QString s;
    s.reserve(value.size());
    for (QChar c : value) {
        if (c == QLatin1Char('\\')) s += QLatin1String("\\\\");
        else if (c == QLatin1Char('"')) s += QLatin1String("\\\"");
        else if (c == QLatin1Char('\n')) s += QLatin1String("\\n");
        else s += c;
    }
    return s;
}

QByteArray metricsExposition(const MetricsSnapshot& m) {
    Writer w;
    w.family("lum_up", "gauge", "Whether the control server is running (1) or stopped (0).");
    w.sample("lum_up", {}, m.serverUp ? 1 : 0);
    w.family("lum_build_info", "gauge", "The running LUM's version, as a label.");
    w.sample("lum_build_info", label("version", m.version), 1);
    w.family("lum_connections", "gauge", "Player connections open now.");
    w.sample("lum_connections", {}, quint64(std::max(0, m.connections)));

    w.family("lum_players_known", "gauge", "Player accounts per group.");
    for (const GroupCounts& g : m.groups) w.sample("lum_players_known", label("group", g.group), quint64(g.known));
    w.family("lum_players_online", "gauge", "Players of the group logged in now.");
    for (const GroupCounts& g : m.groups) w.sample("lum_players_online", label("group", g.group), quint64(g.online));
    w.family("lum_players_offline", "gauge", "Players of the group not logged in now.");
    for (const GroupCounts& g : m.groups)
        w.sample("lum_players_offline", label("group", g.group), quint64(std::max(0, g.known - g.online)));

    w.family("lum_logins_total", "counter", "Player logins since start.");
    w.sample("lum_logins_total", {}, m.logins);
    w.family("lum_logouts_total", "counter", "Player logouts since start.");
    w.sample("lum_logouts_total", {}, m.logouts);
    w.family("lum_bytes_sent_total", "counter", "Bytes sent to players over data connections since start.");
    w.sample("lum_bytes_sent_total", {}, m.bytesSent);
    w.family("lum_bytes_received_total", "counter", "Bytes received from players over data connections since start.");
    w.sample("lum_bytes_received_total", {}, m.bytesReceived);
    w.family("lum_commands_sent_total", "counter", "Operator commands that reached a player, by command index.");
    for (const auto& [index, count] : m.commandsByIndex)
        w.sample("lum_commands_sent_total", label("index", QString::number(index)), count);
    w.family("lum_alerts_raised_total", "counter", "Offline alerts raised since start.");
    w.sample("lum_alerts_raised_total", {}, m.alertsRaised);
    w.family("lum_alerts_active", "gauge", "Players offline past the grace time now.");
    w.sample("lum_alerts_active", {}, quint64(std::max(0, m.alertsActive)));
    return w.out;
}

}  // namespace lum
