#include "console/OperatorService.h"

#include "accounts/UserStore.h"
#include "console/FleetMonitor.h"
#include "console/OnlineModel.h"
#include "console/PlayerCommands.h"
#include "console/PlaylistHandover.h"
#include "core/CollectingPrompt.h"
#include "playlists/PlaylistDocument.h"

#include <QFileInfo>
#include <QJsonArray>

namespace lum {

namespace {

QJsonObject failure(const QString& error) { return {{"ok", false}, {"error", error}}; }

QJsonObject postReply(const PostResult& r, const CollectingPrompt& prompt) {
    const QString question = prompt.refusedQuestion();
    if (!question.isEmpty())
        return {{"ok", false},
                {"error", question + QStringLiteral(" (confirm with --yes)")},
                {"question", question}};
    return {{"ok", true},
            {"targeted", r.targeted},
            {"delivered", r.delivered},
            {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

const QStringList kTargetVerbs = {"send",   "play",  "stop",  "reboot",       "format",
                                  "mute",   "msg-off", "group-status", "volume", "video"};
const QStringList kPlayerVerbs = {"read-status", "capacity", "files", "playlist"};

}  // namespace

QJsonObject COperatorService::serverStatus() const {
    QJsonObject s = server_.status ? server_.status() : QJsonObject{{"running", false}};
    s["ok"] = true;
    return s;
}

QJsonObject COperatorService::handle(const QJsonObject& request) {
    const QString verb = request.value("verb").toString();

    if (verb == "status") return serverStatus();

    if (verb == "players") {
        const QString group = request.value("group").toString();
        QJsonArray list;
        for (const auto& r : online_.records()) {
            if (!group.isEmpty() && r.group.compare(group, Qt::CaseInsensitive) != 0) continue;
            list.append(playerJson(r));
        }
        return {{"ok", true}, {"players", list}};
    }

    if (verb == "accounts") {
        QJsonArray groups;
        for (const auto& g : store_.Groups()) {
            QJsonArray users;
            for (const auto& u : g.users)
                users.append(QJsonObject{{"name", u.name},
                                         {"description", u.description},
                                         {"disabled", u.disabled != 0}});
            groups.append(QJsonObject{{"name", g.name},
                                      {"home", g.homeDirectory},
                                      {"autoPlay", g.autoPlay != 0},
                                      {"autoPlaylist", g.autoPlaylist},
                                      {"currentPlaylist", g.currentPlaylist},
                                      {"accounts", users}});
        }
        return {{"ok", true}, {"groups", groups}};
    }

    if (verb == "server") {
        const QString action = request.value("action").toString();
        if (action == "start") {
            if (!server_.start || !server_.start()) {
                QJsonObject s = serverStatus();
                s["ok"] = false;
                s["error"] = QStringLiteral("the control server did not start (see the log)");
                return s;
            }
            return serverStatus();
        }
        if (action == "stop") {
            if (server_.stop) server_.stop();
            return serverStatus();
        }
        return failure(QStringLiteral("server needs start or stop, not '%1'").arg(action));
    }

    // Everything below goes to players: check the target first.
    const std::optional<CommandTarget> target = requestTarget(request);
    if (target && target->kind == CommandTarget::Kind::Group && !store_.FindGroup(target->name, nullptr))
        return failure(QStringLiteral("unknown group '%1'").arg(target->name));
    if (target && target->kind == CommandTarget::Kind::Player &&
        !store_.FindUser(target->name, nullptr, nullptr, 0))
        return failure(QStringLiteral("unknown player '%1'").arg(target->name));
    const CommandTarget t = target.value_or(CommandTarget::all());

    CollectingPrompt prompt(request.value("yes").toBool(false));
    CPlayerCommands commands(online_, prompt);

    if (kPlayerVerbs.contains(verb)) {
        if (t.kind != CommandTarget::Kind::Player && t.kind != CommandTarget::Kind::Mac)
            return failure(QStringLiteral("'%1' goes to one player: give --player NAME or --mac MAC").arg(verb));
        PostResult r;
        if (verb == "read-status") r = commands.readStatus(t);
        else if (verb == "capacity") r = commands.readCapacity(t);
        else if (verb == "files") r = commands.readFiles(t);
        else r = commands.readPlaylist(t);
        return postReply(r, prompt);
    }

    if (kTargetVerbs.contains(verb)) {
        if (!target)
            return failure(QStringLiteral("'%1' needs a target: --all, --group NAME, --player NAME or --mac MAC").arg(verb));
        PostResult r;
        if (verb == "send") {
            if (!request.value("index").isDouble())
                return failure(QStringLiteral("'send' needs a command index"));
            const int index = request.value("index").toInt(-1);
            if (index < 0 || index > kMaxCommandIndex)
                return failure(QStringLiteral("command index must be 0 to %1").arg(kMaxCommandIndex));
            OperatorCommandArgs args;
            args.text = request.value("text").toString();
            r = commands.send(t, CommandIndex(index), args);
        } else if (verb == "play") r = commands.play(t);
        else if (verb == "stop") r = commands.stop(t);
        else if (verb == "reboot") r = commands.reboot(t);
        else if (verb == "format") r = commands.format(t);
        else if (verb == "mute") r = commands.mute(t);
        else if (verb == "msg-off") r = commands.messageOff(t);
        else if (verb == "group-status") r = commands.groupStatus(t);
        else if (verb == "video") r = request.value("on").toBool() ? commands.videoOn(t) : commands.videoOff(t);
        else {
            const int level = request.value("level").toInt(0);
            if (level < 1 || level > 15) return failure(QStringLiteral("volume level must be 1 to 15"));
            r = commands.volume(t, level);
        }
        return postReply(r, prompt);
    }

    if (verb == "ezplay" || verb == "autoplay") {
        if (t.kind != CommandTarget::Kind::Group && t.kind != CommandTarget::Kind::Player)
            return failure(QStringLiteral("'%1' needs --group NAME%2")
                               .arg(verb, verb == "ezplay" ? " or --player NAME" : ""));
        const QString file = request.value("file").toString();
        CPlaylistDocument doc;
        if (file.isEmpty() || !QFileInfo(file).isFile() || !doc.Load(file))
            return failure(QStringLiteral("cannot read playlist '%1'").arg(file));
        const HandoverResult h = verb == "ezplay"
                                     ? EzPlay(store_, online_, prompt, t, doc)
                                     : AutoPlay(store_, prompt, t, doc);
        QJsonObject reply{{"ok", h.ok},
                          {"playlist", h.playlistPath},
                          {"targeted", h.posted.targeted},
                          {"delivered", h.posted.delivered},
                          {"messages", QJsonArray::fromStringList(prompt.messages())}};
        if (!h.ok) reply["error"] = h.error;
        return reply;
    }

    return failure(QStringLiteral("unknown verb '%1'").arg(verb));
}

}  // namespace lum
