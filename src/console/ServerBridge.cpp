#include "console/ServerBridge.h"

#include "server/ControlServer.h"

namespace lum {

void CServerConnections::StopConnection(quint32 connectionId) {
    server_.StopConnection(connectionId);
}

bool CServerConnections::PostThreadCommand(quint32 connectionId, int index,
                                           const OperatorCommandArgs& args) {
    return server_.PostThreadCommand(connectionId, index, args);
}

QJsonObject serverStatusJson(const CControlServer& server) {
    return {{"running", server.IsRunning()},
            {"port", server.IsRunning() ? int(server.ListeningPort()) : server.Port()},
            {"connections", server.CurrentConnections()},
            {"totalConnections", server.TotalConnections()},
            {"bytesSent", qint64(server.TotalBytesSent())},
            {"bytesReceived", qint64(server.TotalBytesReceived())},
            {"filesSent", server.FilesSent()},
            {"filesReceived", server.FilesReceived()},
            {"sendsAborted", server.SendsAborted()},
            {"receivesAborted", server.ReceivesAborted()}};
}

}  // namespace lum
