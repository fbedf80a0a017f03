#pragma once
// Texts of the drive-choosing and copy-progress windows shared by "Copy All..." and
// "Save to disc".

#include <QtGlobal>  // QT_TRANSLATE_NOOP marks the texts the console translates

namespace lum::copy_texts {

inline constexpr const char* kRemovableDrives = QT_TRANSLATE_NOOP("lum", "Removable drives");
inline constexpr const char* kNoRemovableDrive = QT_TRANSLATE_NOOP("lum", "No removable drive is mounted.");
inline constexpr const char* kTargetFolder = QT_TRANSLATE_NOOP("lum", "Target folder");
inline constexpr const char* kFolderRoot = QT_TRANSLATE_NOOP("lum", "Root of the drive");
inline constexpr const char* kFolderMedia = "MEDIA\\";
inline constexpr const char* kFolderCopy = "COPY\\";
inline constexpr const char* kFolderSync = "SYNC\\";
inline constexpr const char* kCopyingFile = QT_TRANSLATE_NOOP("lum", "Copying File");
inline constexpr const char* kCancel = QT_TRANSLATE_NOOP("lum", "Cancel");
// Followed by one line per failed file: "file: reason".
inline constexpr const char* kCopyFailed =
    QT_TRANSLATE_NOOP("lum", "Copying failed; %1 was not written. Files not copied:");

}  // namespace lum::copy_texts
