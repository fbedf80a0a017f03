#include "console/PlaylistHandover.h"

#include "accounts/UserStore.h"
#include "console/OnlineModel.h"
#include "console/OnlineTexts.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/OperatorPrompt.h"
#include "playlists/OperatorFileTexts.h"
#include "playlists/HandedFiles.h"
#include "playlists/PlaylistDocument.h"
#include "playlists/PlaylistTexts.h"

#include <QDir>

#include <functional>

namespace lum {

namespace {

HandoverResult refuse(IOperatorPrompt& prompt, const QString& text,
                      IOperatorPrompt::Icon icon = IOperatorPrompt::Icon::Stop) {
    prompt.message(text, icon);
    HandoverResult r;
    r.error = text;
    return r;
}

// The group a target names: the group itself, or the player's group.
bool targetGroup(CUserStore& store, const CommandTarget& target, CUserGroup* group) {
    if (target.name.isEmpty()) return false;
    if (target.kind == CommandTarget::Kind::Group) return store.FindGroup(target.name, group);
    if (target.kind == CommandTarget::Kind::Player) {
        CUser user;
        return store.FindUser(target.name, nullptr, &user, 0) && store.FindGroup(user.group, group);
    }
    return false;
}

// Saves the playlist under `fileName` in the group's home directory, then records it in the
// group with `apply`.
HandoverResult storeForGroup(CUserStore& store, IOperatorPrompt& prompt, CUserGroup group,
                             const char* fileName, CPlaylistDocument& doc,
                             const std::function<void(CUserGroup&, const QString&)>& apply) {
    QDir().mkpath(group.homeDirectory);
    HandoverResult r;
    r.playlistPath = joinPath(group.homeDirectory, QString::fromLatin1(fileName));
    if (!doc.Save(r.playlistPath, &prompt)) {
        r.error = QStringLiteral("cannot write %1").arg(r.playlistPath);
        return r;
    }
    const QString oldName = group.name;
    apply(group, r.playlistPath);
    if (!store.UpdateGroup(oldName, group)) {
        r.error = QStringLiteral("cannot store group %1").arg(oldName);
        return r;
    }
    r.ok = true;
    return r;
}

// Players may fetch what the playlist lists only once the console's record says so.
bool recordHanded(CUserStore& store, const CUserGroup& group, CHandedRecord::Slot slot,
                  HandoverResult* r) {
    if (recordHandedPlaylist(store.programFolder(), group.name, group.homeDirectory, slot,
                             r->playlistPath))
        return true;
    r->ok = false;
    r->error = QStringLiteral("cannot write %1").arg(CHandedRecord(store.programFolder()).filePath());
    return false;
}

}  // namespace

HandoverResult EzPlay(CUserStore& store, COnlineModel& online, IOperatorPrompt& prompt,
                      const CommandTarget& target, CPlaylistDocument& doc) {
    CUserGroup group;
    if (!targetGroup(store, target, &group))
        return refuse(prompt, QString::fromLatin1(handover_texts::kSelectTarget),
                      IOperatorPrompt::Icon::Information);

    HandoverResult r = storeForGroup(store, prompt, group, fixed_names::kEzPlaylist, doc,
                                     [](CUserGroup& g, const QString& path) {
                                         g.autoPlay = 0;
                                         g.currentPlaylist = path;
                                     });
    if (!r.ok || !recordHanded(store, group, CHandedRecord::Slot::Current, &r)) return r;
    online.RefreshGroups();
    online.SetPlaylist(group.name, r.playlistPath);
    r.posted = online.send(target, CommandIndex::AutoCommand);
    tellOperator(prompt, CommandIndex::AutoCommand, r.posted);
    return r;
}

HandoverResult AutoPlay(CUserStore& store, IOperatorPrompt& prompt, const CommandTarget& target,
                        CPlaylistDocument& doc) {
    // A player powering up with an empty playlist would show nothing at all.
    if (doc.rowCount() == 0) {
        HandoverResult r;
        r.error = QString::fromLatin1(playlist_texts::kEmptyPlaylist);
        return r;
    }
    if (target.kind == CommandTarget::Kind::Player)
        return refuse(prompt, QString::fromLatin1(handover_texts::kAutoPlayNeedsGroup));
    CUserGroup group;
    if (target.kind != CommandTarget::Kind::Group || !targetGroup(store, target, &group))
        return refuse(prompt, QString::fromLatin1(handover_texts::kSelectTarget),
                      IOperatorPrompt::Icon::Information);

    HandoverResult r = storeForGroup(store, prompt, group, fixed_names::kAutoPlaylist, doc,
                                     [](CUserGroup& g, const QString& path) {
                                         g.autoPlaylist = path;
                                         g.autoPlay = 1;
                                     });
    if (!r.ok || !recordHanded(store, group, CHandedRecord::Slot::Auto, &r)) return r;
    prompt.message(QString::fromLatin1(operator_file_texts::kAutoPlayNextStart),
                   IOperatorPrompt::Icon::Information);
    return r;
}

}  // namespace lum
