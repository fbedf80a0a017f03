#include "console/ServerLinks.h"

#include "core/LogSink.h"
#include "server/ControlServer.h"

namespace lum {

void ServerObserver::ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                                    const QString& mac) {
    online_.ClientLoggedIn(connectionId, name, ip, mac);
}

void ServerObserver::ClientLoggedOut(quint32 connectionId) { online_.ClientLoggedOut(connectionId); }

void ServerObserver::ClientEvent(PlayerEvent code, const QString& mac, const QString& text) {
    online_.ClientEvent(code, mac, text);
}

void ServerObserver::AccountRegistered(const QString& name, const QString& group) {
    // The account tree follows the store's own change signals; the log keeps the record.
    log_.addLog(LogType::ServerEvent, QString(),
                QStringLiteral("[%1] New account registered in group [%2]").arg(name, group));
}

void ServerConnections::StopConnection(quint32 connectionId) { server_.StopConnection(connectionId); }

bool ServerConnections::PostThreadCommand(quint32 connectionId, CommandIndex index,
                                          const OperatorCommandArgs& args) {
    return server_.PostThreadCommand(connectionId, index, args);
}

}  // namespace lum
