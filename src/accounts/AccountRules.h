#pragma once
// What the account and group dialogs do with the operator's input, without the widgets: the
// dialogs collect their fields, call these, and put the focus where the result says.

#include "accounts/UserGroup.h"

#include <QString>

namespace lum {

class CUserStore;
class IOperatorPrompt;

// Edit limits of the account dialog's fields.
inline constexpr int kMaxAccountNameLength = 8;
inline constexpr int kMaxAccountPasswordLength = 4;
inline constexpr int kMaxAccountDescriptionLength = 100;

enum class DialogField { None, Name, Group, Password, Description, AutoPlaylist };

struct DialogResult {
    bool accepted = false;             // the record was stored; the dialog closes
    DialogField focus = DialogField::None;  // where the dialog puts the caret when not accepted
};

struct AccountDialogInput {
    QString oldName;  // the edited account's name; empty for a new account
    QString name;
    QString password;
    QString group;    // the choice of the group list
    QString description;
    bool disabled = false;
};

// Trims and checks the input, asks the replace question when a new account's name is taken,
// then stores the account (UpdateUser for an existing one, AddUser for a new one). On success
// `stored` receives the record as stored and `previousName` the name it replaced (empty for a
// new account); the tree and online view are told through the store's signals.
DialogResult applyAccountDialog(CUserStore& store, IOperatorPrompt& prompt,
                                const AccountDialogInput& input, CUser* stored = nullptr,
                                QString* previousName = nullptr);

struct GroupDialogInput {
    QString oldName;  // the edited group's name; empty for a new group
    QString name;
    QString autoPlaylist;
    bool autoPlay = true;
};

// Trims and checks the input, asks the replace question when a new group's name is taken,
// creates or moves the home directory, then stores the group (UpdateGroup or AddGroup).
// AutoRSS, the ticker file and the OSD settings of an edited group are kept; a new group gets
// the defaults (AutoRSS off, empty ticker file, default OSD settings).
DialogResult applyGroupDialog(CUserStore& store, IOperatorPrompt& prompt,
                              const GroupDialogInput& input, CUserGroup* stored = nullptr);

// True when the group's name field may be edited (every group but "Home", in any case).
bool isGroupNameEditable(const QString& groupName);

// Deletes a group on the operator's request; "Home" is refused with its message.
bool deleteGroupChecked(CUserStore& store, IOperatorPrompt& prompt, const QString& groupName);

// A new group as the group dialog creates it, before the operator's fields are applied.
CUserGroup newGroupDefaults(const QString& name);

}  // namespace lum
