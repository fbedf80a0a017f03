#include "playlists/MessageSender.h"

#include "accounts/UserStore.h"
#include "core/CommandSender.h"
#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"
#include "playlists/MessageFiles.h"
#include "playlists/OperatorFileTexts.h"

#include <QFile>
#include <QSettings>

namespace lum {

namespace texts = operator_file_texts;

namespace {

// The home directories of the target's groups; false (with the operator told) when the named
// group or player is not in the store.
bool targetFolders(const MessageTarget& target, CUserStore& store, IOperatorPrompt& prompt,
                   QStringList* folders) {
    CUserGroup group;
    switch (target.kind) {
    case MessageTarget::Kind::Root:
        for (const CUserGroup& g : store.Groups()) *folders << store.homeDirectoryFor(g.name);
        return true;
    case MessageTarget::Kind::Group:
        if (!store.FindGroup(target.name, &group)) {
            prompt.message(QString::fromLatin1(texts::kUnknownGroup).arg(target.name),
                           IOperatorPrompt::Icon::Stop);
            return false;
        }
        break;
    case MessageTarget::Kind::Player:
        if (!store.FindUser(target.name, &group, nullptr, 0)) {
            prompt.message(QString::fromLatin1(texts::kUnknownClient).arg(target.name),
                           IOperatorPrompt::Icon::Stop);
            return false;
        }
        break;
    }
    *folders << store.homeDirectoryFor(group.name);
    return true;
}

SendTarget commandTarget(const MessageTarget& t) {
    switch (t.kind) {
    case MessageTarget::Kind::Group: return SendTarget::group(t.name);
    case MessageTarget::Kind::Player: return SendTarget::player(t.name);
    default: return SendTarget::all();
    }
}

void finish(SendResult& r, int reached, IOperatorPrompt& prompt) {
    r.reached = reached;
    r.status = reached > 0 ? SendResult::Sent : SendResult::NoneReached;
    if (reached == 0)
        prompt.message(QString::fromLatin1(texts::kNoClientOnline),
                       IOperatorPrompt::Icon::Information);
}

}  // namespace

SendResult sendInstantMessage(const InstantMessage& message, const MessageTarget& target,
                              CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt,
                              QSettings* profile) {
    SendResult r;
    if (profile) saveMessageEncoding(*profile, message.encoding);
    QStringList folders;
    if (!targetFolders(target, store, prompt, &folders)) {
        r.status = SendResult::UnknownTarget;
        return r;
    }
    const QString name = QString::fromLatin1(texts::kInstantMessageFile);
    for (const QString& folder : folders) {
        const QString path = joinPath(folder, name);
        switch (writeInstantMessage(message, path)) {
        case MessageWriteStatus::Written: r.written << path; break;
        case MessageWriteStatus::TooLong:
            prompt.message(QString::fromLatin1(texts::kMessageTooLong),
                           IOperatorPrompt::Icon::Stop);
            break;
        case MessageWriteStatus::CannotWrite: break;  // that group's players get no command
        }
    }
    // Everyone for the root entry; a group or player only when its file is in place (an older
    // one counts).
    int reached = 0;
    if (target.kind == MessageTarget::Kind::Root || QFile::exists(joinPath(folders.value(0), name)))
        reached = sender.postCommand(commandTarget(target), kCmdInstantMessage);
    finish(r, reached, prompt);
    return r;
}

SendResult sendScreenLabel(const ScreenLabel& label, const MessageTarget& target,
                           CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt) {
    SendResult r;
    if (checkLabel(label, prompt) != LabelCheck::Ok) {
        r.status = SendResult::Refused;
        return r;
    }
    QStringList folders;
    if (!targetFolders(target, store, prompt, &folders)) {
        r.status = SendResult::UnknownTarget;
        return r;
    }
    for (const QString& folder : folders) {
        const QString path = joinPath(folder, QString::fromLatin1(texts::kLabelFile));
        if (writeScreenLabel(label, path, prompt)) r.written << path;
    }
    finish(r, sender.postCommand(commandTarget(target), kCmdLabel, label.labelMessage()),
           prompt);
    return r;
}

}  // namespace lum
