#pragma once
// Texts the account and group dialogs show the operator, exactly as the console has them.

namespace lum::accounttexts {

inline constexpr const char* kAccountNameBlank = "Account name can not be 'Blank'";
inline constexpr const char* kGroupBlank = "Group can not be 'Blank'";
inline constexpr const char* kAlreadyExistsReplace = "'%1'account name already existed,replace it?";
inline constexpr const char* kSelectAutoPlaylist = "Please select a Auto playlist";
inline constexpr const char* kHomeGroupNotEditable = "Home group can not be edited!";

// Added here: cases the dialogs had no message for.
inline constexpr const char* kGroupMissing = "Group '%1' does not exist.";
inline constexpr const char* kGroupNameInvalid =
    "Group name can not contain '\\' or '/' and can not be '.' or '..'";
inline constexpr const char* kGroupRenameExists = "Group '%1' already exists.";
inline constexpr const char* kStoreWriteFailed = "Failed to save the account list.";
inline constexpr const char* kFolderFailed = "Failed to create folder '%1'.";

// Field hints of the account dialog.
inline constexpr const char* kNameHint = "max 8 char";
inline constexpr const char* kPasswordHint = "max 4 char";

}  // namespace lum::accounttexts
