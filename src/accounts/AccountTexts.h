#pragma once
// Texts the account and group dialogs show the operator, exactly as the console has them.

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::account_texts {

inline constexpr const char* kAccountNameBlank =
    QT_TRANSLATE_NOOP("lum", "Account name can not be 'Blank'");
inline constexpr const char* kGroupBlank = QT_TRANSLATE_NOOP("lum", "Group can not be 'Blank'");
inline constexpr const char* kAlreadyExistsReplace =
    QT_TRANSLATE_NOOP("lum", "'%1'account name already existed,replace it?");
inline constexpr const char* kSelectAutoPlaylist =
    QT_TRANSLATE_NOOP("lum", "Please select a Auto playlist");
inline constexpr const char* kHomeGroupNotEditable =
    QT_TRANSLATE_NOOP("lum", "Home group can not be edited!");

// Added here: cases the dialogs had no message for.
inline constexpr const char* kGroupMissing = QT_TRANSLATE_NOOP("lum", "Group '%1' does not exist.");
inline constexpr const char* kGroupNameInvalid =
    QT_TRANSLATE_NOOP("lum", "Group name can not contain '\\' or '/' and can not be '.' or '..'");
inline constexpr const char* kGroupRenameExists =
    QT_TRANSLATE_NOOP("lum", "Group '%1' already exists.");
inline constexpr const char* kStoreWriteFailed =
    QT_TRANSLATE_NOOP("lum", "Failed to save the account list.");
inline constexpr const char* kFolderFailed =
    QT_TRANSLATE_NOOP("lum", "Failed to create folder '%1'.");

// Field hints of the account dialog.
inline constexpr const char* kNameHint = QT_TRANSLATE_NOOP("lum", "max 8 char");
inline constexpr const char* kPasswordHint = QT_TRANSLATE_NOOP("lum", "max 4 char");

}  // namespace lum::account_texts
