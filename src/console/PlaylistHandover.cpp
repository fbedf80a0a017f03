#include "console/PlaylistHandover.h"

#include "accounts/UserStore.h"
#include "console/OnlineTexts.h"
#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"
#include "playlists/PlaylistDocument.h"

#include <QDir>

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

}  // namespace

HandoverResult EzPlay(CUserStore& store, COnlineModel& online, IOperatorPrompt& prompt,
                      TargetMode mode, const QString& key, CPlaylistDocument& doc) {
    CUserGroup group;
    if (mode == TargetMode::All || key.isEmpty() || !targetGroup(store, mode, key, &group))
        return refuse(prompt, QString::fromLatin1(handover::kSelectTarget),
                      IOperatorPrompt::Icon::Information);

    QDir().mkpath(group.homeDirectory);
    const QString path = joinPath(group.homeDirectory, kEzPlaylistName);
    HandoverResult r;
    r.playlistPath = path;
    if (!doc.Save(path, false, {}, {}, &prompt)) {
        r.error = QStringLiteral("cannot write %1").arg(path);
        return r;
    }
    const QString oldName = group.name;
    group.autoPlay = 0;
    group.currentPlaylist = path;
    if (!store.UpdateGroup(oldName, group)) {
        r.error = QStringLiteral("cannot store group %1").arg(oldName);
        return r;
    }
    r.ok = true;
    online.RefreshGroups();
    online.SetPlaylist(group.name, path, false);
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

    QDir().mkpath(group.homeDirectory);
    const QString path = joinPath(group.homeDirectory, kAutoPlaylistName);
    HandoverResult r;
    r.playlistPath = path;
    if (!doc.Save(path, false, {}, {}, &prompt)) {
        r.error = QStringLiteral("cannot write %1").arg(path);
        return r;
    }
    const QString oldName = group.name;
    group.autoPlaylist = path;
    group.autoPlay = 1;
    if (!store.UpdateGroup(oldName, group)) {
        r.error = QStringLiteral("cannot store group %1").arg(oldName);
        return r;
    }
    r.ok = true;
    prompt.message(QString::fromLatin1(handover::kAutoPlayDone), IOperatorPrompt::Icon::Information);
    return r;
}

}  // namespace lum
