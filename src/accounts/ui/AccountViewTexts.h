#pragma once
// Texts of the account pane, its menus and the account management dialog.

namespace lum::accountviewtexts {

// Menus of the tree
inline constexpr const char* kNewAccount = "New Account...";
inline constexpr const char* kEditGroup = "Edit Group...";
inline constexpr const char* kDeleteGroup = "Delete Group";
inline constexpr const char* kGetLogFile = "Get Log file...";
inline constexpr const char* kAskDeleteThisGroup = "Are you sure to delete this group?";

// Status bar text for a selected group, followed by its current playlist
inline constexpr const char* kPlaylistFile = "Playlist file:";

// Account management dialog
inline constexpr const char* kDialogTitle = "Account Management";
inline constexpr const char* kUserGroup = "User Group";
inline constexpr const char* kUserAccount = "User Account";
inline constexpr const char* kNew = "New";
inline constexpr const char* kEdit = "Edit";
inline constexpr const char* kDelete = "Delete";
inline constexpr const char* kEnable = "Enable";
inline constexpr const char* kDisable = "Disable";
inline constexpr const char* kSelectItem = "Please select a item";
inline constexpr const char* kAskDeleteGroup = "Are you sure to delete group %1";
inline constexpr const char* kAskDeleteAccount = "Are you sure to delete  user account %1";
inline constexpr const char* kDeleteFailed = "Fail to delete the item";
inline constexpr const char* kGroupColumns[] = {"Group", "Auto playlist", "AutoPlay"};
inline constexpr const char* kAccountColumns[] = {"Account", "Group", "Status", "Description",
                                                   "AutoPlay"};

// Fields of the group and account pages
inline constexpr const char* kGroupName = "Group Name";
inline constexpr const char* kAutoPlaylist = "Auto playlist";
inline constexpr const char* kAutoPlay = "AutoPlay";
inline constexpr const char* kBrowse = "...";
inline constexpr const char* kAccountName = "Account Name";
inline constexpr const char* kPassword = "Password";
inline constexpr const char* kGroup = "Group";
inline constexpr const char* kDescription = "Description";
inline constexpr const char* kDisableAccount = "Disable Account";
inline constexpr const char* kPlaylistFilter = "Playlist files (*.mpl)";

}  // namespace lum::accountviewtexts
