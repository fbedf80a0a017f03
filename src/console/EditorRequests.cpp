#include "console/EditorRequests.h"

#include "accounts/UserStore.h"
#include "console/Backup.h"
#include "core/CollectingPrompt.h"
#include "core/CommandSender.h"
#include "media/Autoconfig.h"
#include "playlists/MessageFiles.h"
#include "playlists/MessageSender.h"
#include "playlists/Schedule.h"

#include <QFileInfo>
#include <QJsonArray>

namespace lum {

namespace {

QJsonObject failure(const QString& error, const QStringList& messages = {}) {
    return {{"ok", false}, {"error", error}, {"messages", QJsonArray::fromStringList(messages)}};
}

QJsonObject sent(const SendResult& r, const CollectingPrompt& prompt, const QString& what) {
    if (r.status == SendResult::UnknownTarget || r.status == SendResult::Refused)
        return failure(QStringLiteral("%1 not sent").arg(what), prompt.messages());
    return {{"ok", true},
            {"targeted", r.reached},
            {"written", QJsonArray::fromStringList(r.written)},
            {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

// A whole number within [lo, hi] from the request, or the current value when absent.
bool intField(const QJsonObject& req, const char* key, int lo, int hi, int* value, QString* error) {
    if (!req.contains(key)) return true;
    const QJsonValue v = req.value(key);
    const int n = v.toInt(lo - 1);
    if (!v.isDouble() || n < lo || n > hi || double(n) != v.toDouble()) {
        *error = QStringLiteral("%1 must be a whole number from %2 to %3").arg(key).arg(lo).arg(hi);
        return false;
    }
    *value = n;
    return true;
}

}  // namespace

std::optional<QJsonObject> CEditorRequests::handle(const QJsonObject& request) {
    const QString verb = request.value("verb").toString();
    if (verb == "message") return message(request);
    if (verb == "label") return label(request);
    if (verb == "schedule") return schedule(request);
    if (verb == "autoconfig") return autoconfig(request);
    if (verb == "backup") return backup(request);
    if (verb == "restore") return restore(request);
    return std::nullopt;
}

QJsonObject CEditorRequests::message(const QJsonObject& req) {
    const std::optional<CommandTarget> target = requestTarget(req);
    if (!target || target->kind == CommandTarget::Kind::Mac)
        return failure(QStringLiteral("message needs --all, --group or --player"));
    InstantMessage m;
    if (profile_) m.encoding = loadMessageEncoding(*profile_);
    if (req.contains("file")) {
        const QString file = req.value("file").toString();
        if (!loadInstantMessage(m, file)) return failure(QStringLiteral("cannot read %1").arg(file));
    } else {
        m.text = req.value("text").toString();
    }
    if (m.text.isEmpty()) return failure(QStringLiteral("the message is empty"));
    QString error;
    if (!intField(req, "bg", 0, 7, &m.background, &error) ||
        !intField(req, "fg", 0, 1, &m.foreground, &error) ||
        !intField(req, "transparency", 0, 4, &m.transparency, &error))
        return failure(error);
    if (req.contains("speed")) {
        const QString s = req.value("speed").toString().toLower();
        if (s == "fast") m.speed = InstantMessage::Fast;
        else if (s == "normal") m.speed = InstantMessage::Normal;
        else if (s == "slow") m.speed = InstantMessage::Slow;
        else return failure(QStringLiteral("speed must be fast, normal or slow"));
    }
    if (req.contains("clock")) m.clock = req.value("clock").toBool() ? 1 : 0;
    if (req.contains("encoding")) {
        const QString e = req.value("encoding").toString().toLower();
        if (e == "ansi") m.encoding = InstantMessage::Ansi;
        else if (e == "utf8") m.encoding = InstantMessage::Utf8;
        else return failure(QStringLiteral("encoding must be ansi or utf8"));
    }
    CollectingPrompt prompt;
    return sent(sendInstantMessage(m, *target, store_, sender_, prompt, profile_), prompt,
                QStringLiteral("message"));
}

QJsonObject CEditorRequests::label(const QJsonObject& req) {
    const QString group = req.value("target").toObject().value("group").toString();
    if (group.isEmpty()) return failure(QStringLiteral("label needs --group"));
    ScreenLabel l;
    if (req.contains("number")) {
        l.numberOnly = true;
        l.number = req.value("number").toString();
        if (l.number.isEmpty()) return failure(QStringLiteral("the number is empty"));
    } else {
        for (const QJsonValue& v : req.value("lines").toArray()) l.lines << v.toString();
        if (l.lines.isEmpty()) return failure(QStringLiteral("label needs --line or --number"));
        if (l.lines.size() > ScreenLabel::kMaxLines)
            return failure(QStringLiteral("a label has at most %1 lines").arg(ScreenLabel::kMaxLines));
    }
    QString error;
    int seconds = 0;
    if (!intField(req, "colour", 0, 10, &l.colour, &error) ||
        !intField(req, "seconds", 0, 99 * 60 + 59, &seconds, &error))
        return failure(error);
    if (!req.value("always").toBool() && req.contains("seconds")) l.durationSeconds = seconds;
    l.centred = req.value("centre").toBool();
    CollectingPrompt prompt;
    return sent(sendScreenLabel(l, CommandTarget::group(group), store_, sender_, prompt), prompt,
                QStringLiteral("label"));
}

QJsonObject CEditorRequests::schedule(const QJsonObject& req) {
    if (req.value("action").toString() != "assign")
        return failure(QStringLiteral("schedule knows only 'assign'"));
    const QString group = req.value("target").toObject().value("group").toString();
    if (group.isEmpty()) return failure(QStringLiteral("schedule assign needs --group"));
    const QString file = req.value("file").toString();
    ScheduleModel model;
    if (!model.load(file)) return failure(QStringLiteral("cannot read %1").arg(file));
    if (model.rowCount() == 0) return failure(QStringLiteral("%1 holds no schedule entry").arg(file));
    CollectingPrompt prompt;
    if (!model.assignToGroup(group, store_, prompt))
        return failure(QStringLiteral("schedule not assigned"), prompt.messages());
    return {{"ok", true}, {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

QJsonObject CEditorRequests::autoconfig(const QJsonObject& req) {
    if (req.value("action").toString() != "update")
        return failure(QStringLiteral("autoconfig knows only 'update'"));
    const QJsonObject target = req.value("target").toObject();
    const bool group = target.contains("group");
    if (!group && !target.contains("player"))
        return failure(QStringLiteral("autoconfig update needs --group or --player"));
    const QString file = req.value("file").toString();
    if (!QFileInfo(file).isFile()) return failure(QStringLiteral("cannot read %1").arg(file));
    AutoconfigSettings s;
    s.setTargetTab(group ? AutoconfigSettings::GroupTab : AutoconfigSettings::ClientTab);
    loadAutoconfig(s, file);
    CollectingPrompt prompt(req.value("yes").toBool());
    const QString name = target.value(group ? "group" : "player").toString();
    QString written;
    int reached = 0;
    const AutoconfigUpdate r = updateAutoconfig(s, name, store_, sender_, prompt, &written, &reached);
    if (r != AutoconfigUpdate::Updated && r != AutoconfigUpdate::NoneReached)
        return failure(QStringLiteral("autoconfig not updated"), prompt.messages());
    return {{"ok", true},
            {"targeted", reached},
            {"written", QJsonArray{written}},
            {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

QJsonObject CEditorRequests::backup(const QJsonObject& req) {
    const QString file = req.value("file").toString();
    if (file.isEmpty()) return failure(QStringLiteral("backup needs a file"));
    CollectingPrompt prompt;
    if (backupSettings(file, dataFolder_, &store_, prompt) != BackupStatus::Done)
        return failure(QStringLiteral("cannot write %1").arg(file));
    return {{"ok", true},
            {"written", QJsonArray{file}},
            {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

QJsonObject CEditorRequests::restore(const QJsonObject& req) {
    const QString file = req.value("file").toString();
    if (file.isEmpty()) return failure(QStringLiteral("restore needs a file"));
    CollectingPrompt prompt(req.value("yes").toBool());
    const BackupStatus r = restoreSettings(file, dataFolder_, &store_, prompt);
    if (r != BackupStatus::Done) return failure(QStringLiteral("not restored"), prompt.messages());
    return {{"ok", true}, {"messages", QJsonArray::fromStringList(prompt.messages())}};
}

}  // namespace lum
