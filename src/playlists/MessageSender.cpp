#include "playlists/MessageSender.h"

#include "accounts/UserStore.h"
#include "core/CommandTexts.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/OperatorPrompt.h"
#include "playlists/MessageFiles.h"
#include "playlists/OperatorFileTexts.h"

#include <QSettings>

namespace lum {

namespace texts = operator_file_texts;

namespace {

// The home directories of the target's groups; false (with the operator told) when the named
// group or player is not in the store.
bool targetFolders(const CommandTarget& target, CUserStore& store, IOperatorPrompt& prompt,
                   QStringList* folders) {
    CUserGroup group;
    switch (target.kind) {
    case CommandTarget::Kind::Mac: return false;
    case CommandTarget::Kind::All:
        for (const CUserGroup& g : store.Groups()) *folders << store.homeDirectoryFor(g.name);
        return true;
    case CommandTarget::Kind::Group:
        if (!store.FindGroup(target.name, &group)) {
            prompt.message(QString::fromLatin1(command_texts::kUnknownGroup).arg(target.name),
                           IOperatorPrompt::Icon::Stop);
            return false;
        }
        break;
    case CommandTarget::Kind::Player:
        if (!store.FindUser(target.name, &group, nullptr, 0)) {
            prompt.message(QString::fromLatin1(command_texts::kUnknownClient).arg(target.name),
                           IOperatorPrompt::Icon::Stop);
            return false;
        }
        break;
    }
    *folders << store.homeDirectoryFor(group.name);
    return true;
}

void finish(SendResult& r, CommandIndex index, const PostResult& posted, IOperatorPrompt& prompt) {
    r.reached = posted.targeted;
    r.status = posted.targeted > 0 ? SendResult::Sent : SendResult::NoneReached;
    tellOperator(prompt, index, posted);
}

}  // namespace

SendResult sendInstantMessage(const InstantMessage& message, const CommandTarget& target,
                              CUserStore& store, ICommandSender& sender, IOperatorPrompt& prompt,
                              QSettings* profile) {
    SendResult r;
    if (profile) saveMessageEncoding(*profile, message.encoding);
    QStringList folders;
    if (!targetFolders(target, store, prompt, &folders)) {
        r.status = SendResult::UnknownTarget;
        return r;
    }
    const QString name = QString::fromLatin1(fixed_names::kInstantMessage);
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
    // Players whose group has no file (an older one counts) are left out by the sender.
    finish(r, CommandIndex::InstantMessage, sender.send(target, CommandIndex::InstantMessage),
           prompt);
    return r;
}

SendResult sendScreenLabel(const ScreenLabel& label, const CommandTarget& target,
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
        const QString path = joinPath(folder, QString::fromLatin1(fixed_names::kScreenLabel));
        if (writeScreenLabel(label, path, prompt)) r.written << path;
    }
    OperatorCommandArgs args;
    args.text = label.labelMessage();
    finish(r, CommandIndex::Label, sender.send(target, CommandIndex::Label, args), prompt);
    return r;
}

}  // namespace lum
