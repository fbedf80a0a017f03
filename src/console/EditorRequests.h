#pragma once
// lumctl's requests for the operator's files (one JSON object each, see server/OperatorSocket.h):
//   {"cmd":"message", target, "text":T | "file":F, "utf8":bool, "bg":N, "fg":N,
//    "transparency":N, "speed":"fast"|"normal"|"slow", "clock":bool}
//   {"cmd":"label", "group":G, "lines":[...] | "number":"NNN", "colour":N,
//    "seconds":N | "always":true, "centre":bool}
//   {"cmd":"schedule", "action":"assign", "group":G, "file":F}
//   {"cmd":"autoconfig", "action":"update", "group":G | "player":P, "file":F, "yes":bool}
//   {"cmd":"backup", "file":F}
//   {"cmd":"restore", "file":F, "yes":bool}
// where a target is "all":true, "group":G or "player":P. Files are paths on this machine.
// Replies: {"ok":bool, "targeted":n, "written":[...], "messages":[...], "error":...}; the
// messages are what the operator would have been shown, questions with the answer given.

#include <QJsonObject>
#include <QString>

#include <optional>

class QSettings;

namespace lum {

class CUserStore;
class ICommandSender;

class CEditorRequests {
public:
    CEditorRequests(CUserStore& store, ICommandSender& sender, QString dataFolder,
                    QSettings* profile = nullptr)
        : store_(store), sender_(sender), dataFolder_(std::move(dataFolder)), profile_(profile) {}

    // The reply, or nothing when the command is not one of these (another handler answers).
    std::optional<QJsonObject> handle(const QJsonObject& request);

private:
    QJsonObject message(const QJsonObject& request);
    QJsonObject label(const QJsonObject& request);
    QJsonObject schedule(const QJsonObject& request);
    QJsonObject autoconfig(const QJsonObject& request);
    QJsonObject backup(const QJsonObject& request);
    QJsonObject restore(const QJsonObject& request);

    CUserStore& store_;
    ICommandSender& sender_;
    QString dataFolder_;
    QSettings* profile_;
};

}  // namespace lum
