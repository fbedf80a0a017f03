#pragma once
// The player account store: every group with its accounts, kept in "server data/users.dat".
//
// Any thread may call it; one re-entrant lock guards the list for the whole of each operation,
// including its save. Changes are announced by signals that are emitted on the store's own
// thread after the lock has been released, so a connection thread registering a player never
// waits for the user-interface thread while it holds the lock.

#include "accounts/UserGroup.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <mutex>
#include <vector>

namespace lum {

inline constexpr const char* kUsersFileName = "users.dat";
inline constexpr const char* kStoreHeader = "ZEB Software Solutions - StoreObject";

class CUserStore : public QObject {
    Q_OBJECT
public:
    // `programFolder`: the data folder; users.dat lives in its "server data" folder.
    explicit CUserStore(const QString& programFolder, QObject* parent = nullptr);
    ~CUserStore() override;

    QString programFolder() const { return programFolder_; }
    QString filePath() const { return filePath_; }
    // Program folder + "/" + group name.
    QString homeDirectoryFor(const QString& groupName) const;

    // Appends the file's groups to the list. 1 when done, also when the file is missing or
    // empty; 0 when it is foreign or damaged part-way (a record cut short, a group name that
    // breaks the group rules or repeats one): the groups before the damage are kept, and the
    // file's bytes are kept aside first (DamagedCopy), since the next save replaces the file.
    int Load();
    // Where the last Load kept a damaged file ("users.dat.damaged-YYYYMMDD-HHMMSS" beside it);
    // empty when it found none or could not write the copy.
    QString DamagedCopy() const { return damagedCopy_; }
    // The groups of a users.dat image, in file order; false when the image is foreign or
    // damaged (then `groups` holds those before the damage).
    static bool Parse(const QByteArray& data, QList<CUserGroup>* groups);
    // Writes the whole list atomically. 1 when written; 0 when the file could not be written
    // (the previous file stays as it was).
    int Save();
    // Empties the list and reads the file again, so that a users.dat written from outside (a
    // restored backup) replaces the accounts. Same results as Load.
    int Reload();

    // First account named `name` (no case) in list order; copies its group and itself out.
    // With `create` set, an unknown name is registered in "Home" with an empty password and 1
    // is returned. Either out pointer may be null.
    int FindUser(const QString& name, CUserGroup* group, CUser* user, int create);
    int FindGroup(const QString& name, CUserGroup* group);

    // Each change saves the file before it returns; the result is 1 on success, 0 when the
    // change was refused (it would break a uniqueness rule) or the file could not be written.
    // A group whose name breaks the group rules (isValidGroupName) is refused.
    int AddGroup(const CUserGroup& group);
    int AddUser(const CUser& user);
    int UpdateGroup(const QString& oldName, const CUserGroup& group);
    int UpdateUser(const QString& oldName, const CUser& user);
    int DeleteUser(const QString& name);
    int DeleteGroup(const QString& name);

    // A copy of the whole list, in order (home directories as last computed).
    QList<CUserGroup> Groups() const;
    QStringList GroupNames() const;

    // The lock itself, for a caller that needs several operations to be one step. Operations
    // made while holding it announce their changes once it is released.
    void Lock() const;
    void Unlock() const;

    // The file image of a group list (header and records), as Save writes it.
    static QByteArray Serialize(const QList<CUserGroup>& groups);

Q_SIGNALS:
    void userAdded(const lum::CUser& user);
    void userUpdated(const QString& oldName, const lum::CUser& user);
    void userDeleted(const QString& name, const QString& groupName);
    void groupAdded(const lum::CUserGroup& group);
    void groupUpdated(const QString& oldName, const lum::CUserGroup& group);
    void groupDeleted(const QString& name);
    // The list was replaced or reloaded as a whole.
    void storeReset();

private:
    class Guard;
    friend class Guard;

    // Helpers that expect the lock to be held.
    int findGroupIndex(const QString& name) const;
    bool findUserIndex(const QString& name, int* g, int* u) const;
    int saveLocked();
    void keepDamagedCopy(const QByteArray& data);
    void notify(std::function<void()> emitter);

    const QString programFolder_;
    const QString filePath_;
    QList<CUserGroup> groups_;
    QString damagedCopy_;

    mutable std::recursive_mutex mutex_;
    mutable int depth_ = 0;                          // nesting of the lock on its owner
    mutable std::vector<std::function<void()>> pending_;  // announcements waiting for release
};

}  // namespace lum
