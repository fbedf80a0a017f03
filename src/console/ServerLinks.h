#pragma once
// The adapters between the control server and the console's models: what the server reports
// goes to the online model and the log; what the online model posts goes to the server.

#include "console/OnlineModel.h"
#include "server/ServerInterfaces.h"

namespace lum {

class CControlServer;
class ILogSink;

class ServerObserver : public IServerObserver {
public:
    ServerObserver(COnlineModel& online, ILogSink& log) : online_(online), log_(log) {}
    void ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                        const QString& mac) override;
    void ClientLoggedOut(quint32 connectionId) override;
    void ClientEvent(PlayerEvent code, const QString& mac, const QString& text) override;
    void AccountRegistered(const QString& name, const QString& group) override;

private:
    COnlineModel& online_;
    ILogSink& log_;
};

class ServerConnections : public IPlayerConnections {
public:
    explicit ServerConnections(CControlServer& server) : server_(server) {}
    void StopConnection(quint32 connectionId) override;
    bool PostThreadCommand(quint32 connectionId, CommandIndex index,
                           const OperatorCommandArgs& args) override;

private:
    CControlServer& server_;
};

}  // namespace lum
