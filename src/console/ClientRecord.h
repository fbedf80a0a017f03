#pragma once
// One player known to the online model: appended at its first login, kept (as "Offline") after
// logout, removed only with its account or group.

#include <QString>

namespace lum {

struct CClientRecord {
    quint32 connectionId = 0;  // thread that serves the player; kept after logout
    QString name;
    QString ipAddress;
    QString macAddress;
    QString loginTime;         // "%Y-%m-%d %H:%M:%S"
    QString spare1, spare2;    // never filled
    QString status;
    QString playlist;          // file name only
    QString group;
    QString description;

    bool groupAutoPlay = false;  // shown as the Group column's suffix
    bool alerted = false;        // offline longer than the grace time (marked in the list)
    quint64 serial = 0;          // stable identity inside the model
};

}  // namespace lum
