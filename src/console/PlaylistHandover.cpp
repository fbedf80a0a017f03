#include "console/PlaylistHandover.h"

#include "accounts/UserStore.h"
#include "console/OnlineTexts.h"
#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"
#include "playlists/HandedFiles.h"
#include "playlists/PlaylistDocument.h"

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
bool targetGroup(CUserStore& store, TargetMode mode, const QString& key, CUserGroup* group) {
    if (mode == TargetMode::Group) return store.FindGroup(key, group);
    if (mode == TargetMode::Player) {
        CUser user;
        return store.FindUser(key, nullptr, &user, 0) && store.FindGroup(user.group, group);
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
                      TargetMode mode, const QString& key, CPlaylistDocument& doc) {
    CUserGroup group;
    if (mode == TargetMode::All || key.isEmpty() || !targetGroup(store, mode, key, &group))
        return refuse(prompt, QString::fromLatin1(handover::kSelectTarget),
                      IOperatorPrompt::Icon::Information);

    HandoverResult r = storeForGroup(store, prompt, group, kEzPlaylistName, doc,
                                     [](CUserGroup& g, const QString& path) {
                                         g.autoPlay = 0;
                                         g.currentPlaylist = path;
                                     });
    if (!r.ok || !recordHanded(store, group, CHandedRecord::Slot::Current, &r)) return r;
    online.RefreshGroups();
    online.SetPlaylist(group.name, r.playlistPath, false);
    r.posted = online.PostToOnline(key, kCmdAutoCommand, mode, &prompt);
    return r;
}

HandoverResult AutoPlay(CUserStore& store, IOperatorPrompt& prompt, TargetMode mode,
                        const QString& key, CPlaylistDocument& doc) {
    if (mode == TargetMode::Player)
        return refuse(prompt, QString::fromLatin1(handover::kAutoPlayNeedsGroup));
    CUserGroup group;
    if (mode == TargetMode::All || key.isEmpty() || !store.FindGroup(key, &group))
        return refuse(prompt, QString::fromLatin1(handover::kSelectTarget),
                      IOperatorPrompt::Icon::Information);

    HandoverResult r = storeForGroup(store, prompt, group, kAutoPlaylistName, doc,
                                     [](CUserGroup& g, const QString& path) {
                                         g.autoPlaylist = path;
                                         g.autoPlay = 1;
                                     });
    if (!r.ok || !recordHanded(store, group, CHandedRecord::Slot::Auto, &r)) return r;
    prompt.message(QString::fromLatin1(handover::kAutoPlayDone), IOperatorPrompt::Icon::Information);
    return r;
}

}  // namespace lum
