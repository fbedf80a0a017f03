#pragma once
// lumctl's verbs for the operator's files, in the operator socket's request form
// ({"verb": V, "target": {"all": true} | {"group": G} | {"player": P}, "yes": bool, ...}):
//   message    target, "text": T | "file": F, "encoding": "ansi"|"utf8" (absent: the
//              remembered choice), "bg", "fg", "transparency",
//              "speed": "fast"|"normal"|"slow", "clock": bool
//   label      group target, "lines": [...] | "number": "NNN", "colour", "seconds" | "always",
//              "centre"
//   schedule   group target, "action": "assign", "file": F
//   autoconfig group or player target, "action": "update", "file": F (asks: "yes")
//   backup     "file": F
//   restore    "file": F (asks: "yes")
// Files are paths on this machine. Reply: {"ok", "error", "targeted", "written": [...],
// "messages": [...]}; the messages are what the operator would have been shown, questions with
// the answer given.

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
