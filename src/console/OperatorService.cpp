#include "console/OperatorService.h"

#include "console/OnlineModel.h"
#include "console/PlayerCommands.h"
#include "core/OperatorPrompt.h"

#include <QJsonArray>

namespace lum {

namespace {

// Collects what the operator would have been shown; answers questions as the request says.
class RequestPrompt : public IOperatorPrompt {
public:
    explicit RequestPrompt(bool yes) : yes_(yes) {}
    void message(const QString& text, Icon) override { messages.append(text); }
    bool askYesNo(const QString& text) override {
        messages.append(text + (yes_ ? QStringLiteral(" -> Yes") : QStringLiteral(" -> No")));
        return yes_;
    }
    QJsonArray messages;

private:
    bool yes_;
};

QJsonObject failure(const QString& error) { return {{"ok", false}, {"error", error}}; }

QJsonObject playersReply(const COnlineModel& online) {
    QJsonArray list;
    for (const auto& r : online.records()) {
        list.append(QJsonObject{{"name", r.name},
                                {"group", r.group},
                                {"status", r.status},
                                {"ip", r.ipAddress},
                                {"mac", r.macAddress},
                                {"loginTime", r.loginTime},
                                {"playlist", r.playlist},
                                {"description", r.description},
                                {"connection", qint64(r.connectionId)}});
    }
    return {{"ok", true}, {"players", list}};
}

}  // namespace

QJsonObject COperatorService::handle(const QJsonObject& request) {
    const QString cmd = request.value("cmd").toString();
    if (cmd == "players") return playersReply(online_);

    if (cmd == "server") {
        const QString action = request.value("action").toString();
        if (action == "start") {
            const bool ok = server_.start && server_.start();
            return {{"ok", ok}, {"running", server_.running && server_.running()}};
        }
        if (action == "stop") {
            if (server_.stop) server_.stop();
            return {{"ok", true}, {"running", server_.running && server_.running()}};
        }
        if (action == "status") return {{"ok", true}, {"running", server_.running && server_.running()}};
        return failure(QStringLiteral("unknown server action '%1'").arg(action));
    }

    CommandTarget target;
    if (request.contains("group")) target = CommandTarget::group(request.value("group").toString());
    if (request.contains("player"))
        target = CommandTarget::player(request.value("player").toString());

    RequestPrompt prompt(request.value("yes").toBool(false));
    CPlayerCommands commands(online_, prompt);
    const QString player = request.value("player").toString();
    PostResult r;
    bool known = true;
    if (cmd == "play") r = commands.play(target);
    else if (cmd == "stop") r = commands.stop(target);
    else if (cmd == "reboot") r = commands.reboot(target);
    else if (cmd == "format") r = commands.format(target);
    else if (cmd == "msgoff") r = commands.messageOff(target);
    else if (cmd == "videoon") r = commands.videoOn(target);
    else if (cmd == "videooff") r = commands.videoOff(target);
    else if (cmd == "mute") r = commands.mute(target);
    else if (cmd == "groupstatus") r = commands.groupStatus(target);
    else if (cmd == "volume") {
        const int level = request.value("level").toInt(0);
        if (level < 1 || level > 15) return failure(QStringLiteral("volume level must be 1 to 15"));
        r = commands.volume(target, level);
    } else if (cmd == "status" || cmd == "capacity" || cmd == "files" || cmd == "playlist") {
        if (player.isEmpty()) return failure(QStringLiteral("'%1' needs a player").arg(cmd));
        if (cmd == "status") r = commands.readStatus(player);
        else if (cmd == "capacity") r = commands.readCapacity(player);
        else if (cmd == "files") r = commands.readFiles(player);
        else r = commands.readPlaylist(player);
    } else if (cmd == "send") {
        if (!request.value("index").isDouble()) return failure(QStringLiteral("'send' needs an index"));
        r = commands.send(target, request.value("index").toInt(), request.value("text").toString());
    } else {
        known = false;
    }
    if (!known) return failure(QStringLiteral("unknown command '%1'").arg(cmd));
    return {{"ok", true},
            {"targeted", r.targeted},
            {"delivered", r.delivered},
            {"messages", prompt.messages}};
}

}  // namespace lum
