#pragma once
// The settings backup (".bak"): config.ini, the account store and the ticker settings in one
// file of the console's own format, little-endian, no compression:
//   0   4   "ZEB" and a NUL
//   4   20  date and time "%Y-%m-%d %H:%M:%S" and a NUL
//   24  4   number of entries (3)
//   28  3x40 entries: name (32 bytes, NUL-terminated), content length, content offset
//   148 ... the contents in entry order
// Restoring trusts nothing in the file: only the three known names are accepted and every
// length and offset is checked against the file size before anything is written.

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace lum {

class CUserStore;
class IOperatorPrompt;

inline constexpr int kBackupHeaderSize = 28;
inline constexpr int kBackupEntrySize = 40;
inline constexpr int kBackupEntryNameSize = 32;
inline constexpr int kBackupEntryCount = 3;
// Entry names as stored (relative to the program folder, with the stored backslash).
inline constexpr const char* kBackupEntryNames[kBackupEntryCount] = {
    "config.ini", "server data\\users.dat", "server data\\rssconfig.xml"};

struct BackupEntry {
    QByteArray name;  // as stored
    quint32 length = 0;
    quint32 offset = 0;
};

struct BackupContents {
    QByteArray dateText;
    std::vector<BackupEntry> entries;
};

// The local path of a stored entry name under the program folder.
QString backupEntryPath(const QString& dataFolder, const QByteArray& name);

// The backup of the three files as they are in `dataFolder` now. A file that cannot be read
// gets its entry with length 0 at the running offset.
QByteArray buildBackup(const QString& dataFolder, const QDateTime& when);

enum class BackupParse { Ok, IllegalFile, Damaged };
// Checks magic, count, names, lengths and offsets.
BackupParse parseBackup(const QByteArray& bytes, BackupContents* out);

enum class BackupStatus { Done, Cancelled, IllegalFile, CannotRead, CannotWrite };

// Backup: saves the account store (when given) so users.dat is current, then writes the
// backup file whole.
BackupStatus backupSettings(const QString& backupPath, const QString& dataFolder,
                            CUserStore* store, IOperatorPrompt& prompt);

// Restore: checks the file ("Illegal File!" when it is not a sound backup; nothing written),
// asks the operator, writes the entries in order (stopping at a target that cannot be
// written), replaces the account store's list by the restored users.dat and asks for a
// restart ("Please restart %1" with `appName`).
BackupStatus restoreSettings(const QString& backupPath, const QString& dataFolder,
                             CUserStore* store, IOperatorPrompt& prompt,
                             const QString& appName = QStringLiteral("LUM"));

// The same two operations on the files alone; `restored` runs after the entries are written
// and before the restart notice (the store versions reload the account store there).
BackupStatus backupFiles(const QString& backupPath, const QString& dataFolder,
                         IOperatorPrompt& prompt, const QDateTime& when = QDateTime::currentDateTime());
BackupStatus restoreFiles(const QString& backupPath, const QString& dataFolder,
                          IOperatorPrompt& prompt, const QString& appName,
                          const std::function<void()>& restored = {});

}  // namespace lum
