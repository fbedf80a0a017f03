#pragma once
// The control server joined to the console's models: the server reports logins, logouts and
// player events to the online model, and the online model posts operator commands to the
// server's connection threads.

#include "console/OnlineModel.h"
#include "server/ServerInterfaces.h"

#include <QJsonObject>

namespace lum {

class CControlServer;

// Server notifications for the online model (which queues them to its own thread). A player
// registering itself needs nothing here: the account store announces the new account.
class COnlineObserver : public IServerObserver {
public:
    explicit COnlineObserver(COnlineModel& online) : online_(online) {}

    void ClientLoggedIn(quint32 connectionId, const QString& name, const QString& ip,
                        const QString& mac) override {
        online_.ClientLoggedIn(connectionId, name, ip, mac);
    }
    void ClientLoggedOut(quint32 connectionId) override { online_.ClientLoggedOut(connectionId); }
    void ClientEvent(int code, const QString& mac, const QString& text,
                     const PlayerReport& report) override {
        online_.ClientEvent(code, mac, text, report);
    }
    void AccountRegistered(const QString&, const QString&) override {}

private:
    COnlineModel& online_;
};

// The online model's way to the connection threads.
class CServerConnections : public IPlayerConnections {
public:
    explicit CServerConnections(CControlServer& server) : server_(server) {}
    void StopConnection(quint32 connectionId) override;
    bool PostThreadCommand(quint32 connectionId, int index, const OperatorCommandArgs& args) override;

private:
    CControlServer& server_;
};

// The server's state for lumctl: running, port and counters.
QJsonObject serverStatusJson(const CControlServer& server);

}  // namespace lum
