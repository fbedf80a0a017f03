#include "accounts/AccountRules.h"

#include "accounts/AccountTexts.h"
#include "accounts/OsdSettings.h"
#include "accounts/UserStore.h"
#include "core/OperatorPrompt.h"

#include <QDir>
#include <QFileInfo>

namespace lum {

using Icon = IOperatorPrompt::Icon;
namespace t = account_texts;

namespace {

DialogResult refuse(DialogField focus) { return {false, focus}; }

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

CUserGroup newGroupDefaults(const QString& name) {
    CUserGroup g;
    g.name = name;
    g.autoPlay = 1;
    g.autoRss = 0;
    g.tickerFile.clear();  // no outside ticker program here: the ticker file starts empty
    g.osdSettings = OsdSettings().toText();
    return g;
}

bool isGroupNameEditable(const QString& groupName) {
    return !sameName(groupName, QLatin1String(kHomeGroupName));
}

DialogResult applyAccountDialog(CUserStore& store, IOperatorPrompt& prompt,
                                const AccountDialogInput& input, CUser* stored,
                                QString* previousName) {
    const QString name = input.name.trimmed().left(kMaxAccountNameLength);
    if (name.isEmpty()) {
        prompt.message(QString::fromLatin1(t::kAccountNameBlank), Icon::Stop);
        return refuse(DialogField::Name);
    }
    const QString groupName = input.group.trimmed();
    if (groupName.isEmpty()) {
        prompt.message(QString::fromLatin1(t::kGroupBlank), Icon::Information);
        return refuse(DialogField::Group);
    }

    // The store's lock is not held across the questions: a player logging in must not wait for
    // the operator. The store itself refuses a name that became taken meanwhile.
    CUserGroup group;
    if (!store.FindGroup(groupName, &group)) {
        prompt.message(QString::fromLatin1(t::kGroupMissing).arg(groupName), Icon::Stop);
        return refuse(DialogField::Group);
    }

    QString oldName = input.oldName.trimmed();
    CUser existing;
    if (oldName.isEmpty()) {
        if (store.FindUser(name, nullptr, &existing, 0)) {
            if (!prompt.askYesNo(QString::fromLatin1(t::kAlreadyExistsReplace).arg(name)))
                return refuse(DialogField::Name);
            oldName = existing.name;  // Yes: an edit of the existing account
        }
    } else if (!store.FindUser(oldName, nullptr, &existing, 0)) {
        oldName.clear();  // deleted meanwhile: store it as a new account
    } else if (!sameName(oldName, name)) {
        // Renamed onto another account's name: replacing it means that account goes.
        CUser other;
        if (store.FindUser(name, nullptr, &other, 0)) {
            if (!prompt.askYesNo(QString::fromLatin1(t::kAlreadyExistsReplace).arg(name)))
                return refuse(DialogField::Name);
            store.DeleteUser(other.name);
        }
    }

    CUser user;
    user.name = name;
    user.password = input.password.trimmed().left(kMaxAccountPasswordLength);
    user.group = group.name;
    user.description = input.description.left(kMaxAccountDescriptionLength);
    user.disabled = input.disabled ? 1 : 0;

    const int ok = oldName.isEmpty() ? store.AddUser(user) : store.UpdateUser(oldName, user);
    if (!ok) {
        prompt.message(QString::fromLatin1(t::kStoreWriteFailed), Icon::Stop);
        return refuse(DialogField::Name);
    }
    if (stored) *stored = user;
    if (previousName) *previousName = oldName;
    return {true, DialogField::None};
}

DialogResult applyGroupDialog(CUserStore& store, IOperatorPrompt& prompt,
                              const GroupDialogInput& input, CUserGroup* stored) {
    QString oldName = input.oldName.trimmed();
    // "Home" keeps its name: the dialog shows the field read-only.
    QString name = (!oldName.isEmpty() && !isGroupNameEditable(oldName)) ? oldName
                                                                          : input.name.trimmed();
    if (name.isEmpty()) {
        prompt.message(QString::fromLatin1(t::kGroupBlank), Icon::Stop);
        return refuse(DialogField::Name);
    }
    if (input.autoPlay && input.autoPlaylist.trimmed().isEmpty()) {
        prompt.message(QString::fromLatin1(t::kSelectAutoPlaylist), Icon::Stop);
        return refuse(DialogField::AutoPlaylist);
    }
    // The name is also the home directory's folder name.
    if (!isValidGroupName(name)) {
        prompt.message(QString::fromLatin1(t::kGroupNameInvalid), Icon::Stop);
        return refuse(DialogField::Name);
    }

    CUserGroup group;
    bool editing = false;
    if (!oldName.isEmpty() && store.FindGroup(oldName, &group)) {
        editing = true;
        oldName = group.name;
        CUserGroup other;
        if (!sameName(oldName, name) && store.FindGroup(name, &other)) {
            prompt.message(QString::fromLatin1(t::kGroupRenameExists).arg(other.name), Icon::Stop);
            return refuse(DialogField::Name);
        }
    } else if (store.FindGroup(name, &group)) {
        if (!prompt.askYesNo(QString::fromLatin1(t::kAlreadyExistsReplace).arg(name)))
            return refuse(DialogField::Name);
        editing = true;  // Yes: an edit of that group
        oldName = group.name;
        if (!isGroupNameEditable(oldName)) name = oldName;
    } else {
        group = newGroupDefaults(name);
    }

    const QString newHome = store.homeDirectoryFor(name);
    if (editing && oldName != name) {
        const QString oldHome = store.homeDirectoryFor(oldName);
        if (QFileInfo(oldHome).isDir()) QDir().rename(oldHome, newHome);
    }
    if (!QDir().mkpath(newHome)) {
        prompt.message(QString::fromLatin1(t::kFolderFailed).arg(newHome), Icon::Stop);
        return refuse(DialogField::Name);
    }

    group.name = name;
    group.homeDirectory = newHome;
    group.autoPlaylist = input.autoPlaylist.trimmed();
    group.autoPlay = input.autoPlay ? 1 : 0;
    // Not shown by the dialog: the stored values go back unchanged (defaults when unset).
    group.osdSettings = OsdSettings::fromGroupText(group.osdSettings).toText();

    const int ok = editing ? store.UpdateGroup(oldName, group) : store.AddGroup(group);
    if (!ok) {
        prompt.message(QString::fromLatin1(t::kStoreWriteFailed), Icon::Stop);
        return refuse(DialogField::Name);
    }
    if (stored) store.FindGroup(name, stored);
    return {true, DialogField::None};
}

bool deleteGroupChecked(CUserStore& store, IOperatorPrompt& prompt, const QString& groupName) {
    if (!isGroupNameEditable(groupName)) {
        prompt.message(QString::fromLatin1(t::kHomeGroupNotEditable), Icon::Stop);
        return false;
    }
    return store.DeleteGroup(groupName) == 1;
}

}  // namespace lum
