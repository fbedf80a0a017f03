#pragma once
// The fleet's figures in the Prometheus text exposition format (version 0.0.4): HELP and TYPE
// lines, metric names prefixed "lum_", label values escaped (group names are operator input).

#include <QByteArray>
#include <QString>

#include <map>
#include <vector>

namespace lum {

struct GroupCounts {
    QString group;
    int known = 0;   // accounts of the group
    int online = 0;  // of those, logged in now
};

struct MetricsSnapshot {
    bool serverUp = false;
    QString version;
    std::vector<GroupCounts> groups;
    int connections = 0;
    quint64 logins = 0;
    quint64 logouts = 0;
    quint64 bytesSent = 0;
    quint64 bytesReceived = 0;
    quint64 alertsRaised = 0;
    int alertsActive = 0;
    std::map<int, quint64> commandsByIndex;  // command index -> posts that reached a player
};

// A label value as the format writes it: \ " and line feed escaped.
QString escapeLabelValue(const QString& value);
// The whole exposition, UTF-8, each line ending in a line feed.
QByteArray metricsExposition(const MetricsSnapshot& snapshot);

// What the HTTP endpoint answers with for it.
inline constexpr const char* kMetricsContentType = "text/plain; version=0.0.4; charset=utf-8";

}  // namespace lum
