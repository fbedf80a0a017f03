#include "console/Backup.h"

#include "accounts/UserStore.h"
#include "console/BackupTexts.h"
#include "core/AtomicFile.h"
#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"
#include "media/RssConfig.h"

#include <QtEndian>

namespace lum {

namespace {

void putU32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

quint32 getU32(const QByteArray& in, qsizetype at) {
    return qFromLittleEndian<quint32>(in.constData() + at);
}

// Fixed-size NUL-padded field.
void putField(QByteArray& out, const QByteArray& text, int size) {
    QByteArray f = text.left(size - 1);
    f.append(QByteArray(size - f.size(), '\0'));
    out.append(f);
}

// Text of a NUL-terminated field; false when the field holds no NUL.
bool getField(const QByteArray& in, qsizetype at, int size, QByteArray* text) {
    const QByteArray f = in.mid(at, size);
    const qsizetype nul = f.indexOf('\0');
    if (nul < 0) return false;
    *text = f.left(nul);
    return true;
}

// The known entry a stored name stands for (either separator, any letter case); -1 if none.
int knownEntry(const QByteArray& name) {
    QByteArray n = name;
    n.replace('/', '\\');
    for (int i = 0; i < kBackupEntryCount; ++i)
        if (n.compare(kBackupEntryNames[i], Qt::CaseInsensitive) == 0) return i;
    return -1;
}

// Positions in kBackupEntryNames.
constexpr int kUsersEntry = 1;
constexpr int kRssEntry = 2;

// The account file and the RSS document are checked as loading them would: a backup holding a
// damaged or hostile one (a group name leaving the data folder, a document nested too deep) is
// refused as a whole rather than restored and found out at the next start.
bool contentsAreSound(const QByteArray& bytes, const BackupContents& c) {
    for (const BackupEntry& e : c.entries) {
        const QByteArray content = bytes.mid(e.offset, e.length);
        if (content.isEmpty()) continue;
        QList<CUserGroup> groups;
        const int entry = knownEntry(e.name);
        if (entry == kUsersEntry && !CUserStore::Parse(content, &groups)) return false;
        if (entry == kRssEntry && !rssConfigProblem(content).isEmpty()) return false;
    }
    return true;
}

}  // namespace

QString backupEntryPath(const QString& dataFolder, const QByteArray& name) {
    QString local = QString::fromLatin1(name);
    local.replace('\\', '/');
    return joinPath(dataFolder, local);
}

QByteArray buildBackup(const QString& dataFolder, const QDateTime& when) {
    QByteArray header;
    header.append("ZEB", 3).append('\0');
    putField(header, when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1(), 20);
    putU32(header, kBackupEntryCount);

    QByteArray table, contents;
    quint32 offset = kBackupHeaderSize + kBackupEntryCount * kBackupEntrySize;
    for (const char* name : kBackupEntryNames) {
        QByteArray data;
        if (!readWholeFile(backupEntryPath(dataFolder, name), &data)) data.clear();
        putField(table, name, kBackupEntryNameSize);
        putU32(table, quint32(data.size()));
        putU32(table, offset);
        offset += quint32(data.size());
        contents.append(data);
    }
    return header + table + contents;
}

BackupParse parseBackup(const QByteArray& bytes, BackupContents* out) {
    if (bytes.size() < kBackupHeaderSize || !bytes.startsWith(QByteArray("ZEB\0", 4)))
        return BackupParse::IllegalFile;
    BackupContents c;
    if (!getField(bytes, 4, 20, &c.dateText)) return BackupParse::Damaged;
    const quint32 count = getU32(bytes, 24);
    if (count < 1 || count > quint32(kBackupEntryCount)) return BackupParse::Damaged;
    const qint64 tableEnd = kBackupHeaderSize + qint64(count) * kBackupEntrySize;
    if (tableEnd > bytes.size()) return BackupParse::Damaged;
    bool seen[kBackupEntryCount] = {};
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype at = kBackupHeaderSize + qsizetype(i) * kBackupEntrySize;
        BackupEntry e;
        if (!getField(bytes, at, kBackupEntryNameSize, &e.name)) return BackupParse::Damaged;
        const int known = knownEntry(e.name);
        if (known < 0 || seen[known]) return BackupParse::Damaged;
        seen[known] = true;
        e.length = getU32(bytes, at + kBackupEntryNameSize);
        e.offset = getU32(bytes, at + kBackupEntryNameSize + 4);
        if (e.offset < tableEnd || qint64(e.offset) + e.length > bytes.size())
            return BackupParse::Damaged;
        c.entries.push_back(e);
    }
    if (out) *out = std::move(c);
    return BackupParse::Ok;
}

BackupStatus backupFiles(const QString& backupPath, const QString& dataFolder,
                         IOperatorPrompt& prompt, const QDateTime& when) {
    if (!writeFileAtomic(backupPath, buildBackup(dataFolder, when))) {
        prompt.message(QString::fromLatin1(backup_texts::kCannotBackup),
                       IOperatorPrompt::Icon::Stop);
        return BackupStatus::CannotWrite;
    }
    return BackupStatus::Done;
}

BackupStatus restoreFiles(const QString& backupPath, const QString& dataFolder,
                          IOperatorPrompt& prompt, const QString& appName,
                          const std::function<void()>& restored) {
    QByteArray bytes;
    if (!readWholeFile(backupPath, &bytes)) {
        prompt.message(QString::fromLatin1(backup_texts::kIllegalFile),
                       IOperatorPrompt::Icon::Stop);
        return BackupStatus::CannotRead;
    }
    BackupContents c;
    if (parseBackup(bytes, &c) != BackupParse::Ok || !contentsAreSound(bytes, c)) {
        prompt.message(QString::fromLatin1(backup_texts::kIllegalFile),
                       IOperatorPrompt::Icon::Stop);
        return BackupStatus::IllegalFile;
    }
    const QString question = QString::fromLatin1(backup_texts::kAskRestore)
                                 .arg(backupPath, QString::fromLatin1(c.dateText));
    if (!prompt.askYesNo(question)) return BackupStatus::Cancelled;

    for (const BackupEntry& e : c.entries) {
        const QString target = backupEntryPath(dataFolder, kBackupEntryNames[knownEntry(e.name)]);
        if (!writeFileAtomic(target, bytes.mid(e.offset, e.length))) {
            // Entries written before stay written; the operator learns which one failed.
            prompt.message(QString::fromLatin1(backup_texts::kCannotRestore).arg(target),
                           IOperatorPrompt::Icon::Stop);
            if (restored) restored();
            return BackupStatus::CannotWrite;
        }
    }
    if (restored) restored();
    prompt.message(QString::fromLatin1(backup_texts::kPleaseRestart).arg(appName),
                   IOperatorPrompt::Icon::Information);
    return BackupStatus::Done;
}

BackupStatus backupSettings(const QString& backupPath, const QString& dataFolder,
                            CUserStore* store, IOperatorPrompt& prompt) {
    if (store) store->Save();  // users.dat as the store holds it now
    return backupFiles(backupPath, dataFolder, prompt);
}

BackupStatus restoreSettings(const QString& backupPath, const QString& dataFolder,
                             CUserStore* store, IOperatorPrompt& prompt, const QString& appName) {
    return restoreFiles(backupPath, dataFolder, prompt, appName, [store] {
        if (store) store->Reload();  // the restored accounts replace the list
    });
}

}  // namespace lum
