#pragma once
// Texts of the account pane, its menus and the account management dialog.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::account_view_texts {

// Menus of the tree
inline constexpr const char* kNewAccount = QT_TRANSLATE_NOOP("lum", "New Account...");
inline constexpr const char* kEditGroup = QT_TRANSLATE_NOOP("lum", "Edit Group...");
inline constexpr const char* kDeleteGroup = QT_TRANSLATE_NOOP("lum", "Delete Group");
inline constexpr const char* kGetLogFile = QT_TRANSLATE_NOOP("lum", "Get Log file...");
inline constexpr const char* kNoLogFile = QT_TRANSLATE_NOOP("lum", "There is no log file for %1.");
inline constexpr const char* kAskDeleteThisGroup =
    QT_TRANSLATE_NOOP("lum", "Are you sure to delete this group?");

// Status bar text for a selected group, followed by its current playlist
inline constexpr const char* kPlaylistFile = QT_TRANSLATE_NOOP("lum", "Playlist file:");

// Account management dialog
inline constexpr const char* kDialogTitle = QT_TRANSLATE_NOOP("lum", "Account Management");
inline constexpr const char* kUserGroup = QT_TRANSLATE_NOOP("lum", "User Group");
inline constexpr const char* kUserAccount = QT_TRANSLATE_NOOP("lum", "User Account");
inline constexpr const char* kNew = QT_TRANSLATE_NOOP("lum", "New");
inline constexpr const char* kEdit = QT_TRANSLATE_NOOP("lum", "Edit");
inline constexpr const char* kDelete = QT_TRANSLATE_NOOP("lum", "Delete");
inline constexpr const char* kEnable = QT_TRANSLATE_NOOP("lum", "Enable");
inline constexpr const char* kDisable = QT_TRANSLATE_NOOP("lum", "Disable");
inline constexpr const char* kSelectItem = QT_TRANSLATE_NOOP("lum", "Please select a item");
inline constexpr const char* kAskDeleteGroup =
    QT_TRANSLATE_NOOP("lum", "Are you sure to delete group %1");
inline constexpr const char* kAskDeleteAccount =
    QT_TRANSLATE_NOOP("lum", "Are you sure to delete  user account %1");
inline constexpr const char* kDeleteFailed = QT_TRANSLATE_NOOP("lum", "Fail to delete the item");
inline constexpr const char* kGroupColumns[] = {
    QT_TRANSLATE_NOOP("lum", "Group"),
    QT_TRANSLATE_NOOP("lum", "Auto playlist"),
    QT_TRANSLATE_NOOP("lum", "AutoPlay"),
};
inline constexpr const char* kAccountColumns[] = {
    QT_TRANSLATE_NOOP("lum", "Account"),
    QT_TRANSLATE_NOOP("lum", "Group"),
    QT_TRANSLATE_NOOP("lum", "Status"),
    QT_TRANSLATE_NOOP("lum", "Description"),
    QT_TRANSLATE_NOOP("lum", "AutoPlay"),
};

// Fields of the group and account pages
inline constexpr const char* kGroupName = QT_TRANSLATE_NOOP("lum", "Group Name");
inline constexpr const char* kAutoPlaylist = QT_TRANSLATE_NOOP("lum", "Auto playlist");
inline constexpr const char* kAutoPlay = QT_TRANSLATE_NOOP("lum", "AutoPlay");
inline constexpr const char* kBrowse = "...";
inline constexpr const char* kAccountName = QT_TRANSLATE_NOOP("lum", "Account Name");
inline constexpr const char* kPassword = QT_TRANSLATE_NOOP("lum", "Password");
inline constexpr const char* kGroup = QT_TRANSLATE_NOOP("lum", "Group");
inline constexpr const char* kDescription = QT_TRANSLATE_NOOP("lum", "Description");
inline constexpr const char* kDisableAccount = QT_TRANSLATE_NOOP("lum", "Disable Account");
inline constexpr const char* kPlaylistFilter = QT_TRANSLATE_NOOP("lum", "Playlist files (*.mpl)");

}  // namespace lum::account_view_texts
