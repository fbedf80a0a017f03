#include "accounts/UserStore.h"

#include "core/Archive.h"
#include "core/AtomicFile.h"
#include "core/DataFolder.h"
#include "core/TsanAnnotations.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <utility>
#include <QMetaObject>

namespace lum {

// Holds the store's lock; the outermost release hands the waiting announcements to the
// store's thread.
class CUserStore::Guard {
public:
    explicit Guard(const CUserStore* s) : s_(s) { s_->Lock(); }
    ~Guard() { s_->Unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    const CUserStore* s_;
};

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

CUserStore::CUserStore(const QString& programFolder, QObject* parent)
    : QObject(parent),
      programFolder_(programFolder),
      filePath_(joinPath(joinPath(programFolder, kServerDataDir), kUsersFileName)) {
    qRegisterMetaType<lum::CUser>();
    qRegisterMetaType<lum::CUserGroup>();
}

CUserStore::~CUserStore() = default;

QString CUserStore::homeDirectoryFor(const QString& groupName) const {
    return joinPath(programFolder_, groupName);
}

void CUserStore::Lock() const {
    mutex_.lock();
    ++depth_;
}

void CUserStore::Unlock() const {
    std::vector<std::function<void()>> ready;
    if (--depth_ == 0) ready.swap(pending_);
    mutex_.unlock();
    // Lock released: now the announcements may go. They are queued to the store's thread, so
    // no listener ever runs on (or blocks) the thread that made the change.
    auto* self = const_cast<CUserStore*>(this);
    for (auto& fn : ready) QMetaObject::invokeMethod(self, handOff(std::move(fn)), Qt::QueuedConnection);
}

void CUserStore::notify(std::function<void()> emitter) { pending_.push_back(std::move(emitter)); }

int CUserStore::findGroupIndex(const QString& name) const {
    for (int i = 0; i < groups_.size(); ++i)
        if (sameName(groups_[i].name, name)) return i;
    return -1;
}

bool CUserStore::findUserIndex(const QString& name, int* g, int* u) const {
    for (int i = 0; i < groups_.size(); ++i) {
        const QList<CUser>& users = groups_[i].users;
        for (int j = 0; j < users.size(); ++j) {
            if (sameName(users[j].name, name)) {
                *g = i;
                *u = j;
                return true;
            }
        }
    }
    return false;
}

QByteArray CUserStore::Serialize(const QList<CUserGroup>& groups) {
    ArchiveWriter ar;
    ar.writeBytesText(kStoreHeader);
    for (const CUserGroup& g : groups) g.write(ar);
    return ar.data();
}

bool CUserStore::Parse(const QByteArray& data, QList<CUserGroup>* groups) {
    groups->clear();
    ArchiveReader ar(data);
    QByteArray header;
    if (!ar.readBytesText(header) || header != kStoreHeader) return false;
    while (!ar.atEnd()) {
        CUserGroup g;
        // A record cut short, or a name that could not have been typed in the group dialog
        // (it would make another folder a group's home): the rest is not trusted.
        if (!g.read(ar) || !isValidGroupName(g.name)) return false;
        for (const CUserGroup& other : std::as_const(*groups))
            if (sameName(other.name, g.name)) return false;
        groups->append(std::move(g));
    }
    return true;
}

int CUserStore::Load() {
    damagedCopy_.clear();
    QByteArray data;
    if (!readWholeFile(filePath_, &data) || data.isEmpty()) return 1;
    QList<CUserGroup> loaded;
    const bool complete = Parse(data, &loaded);
    if (!complete) keepDamagedCopy(data);
    for (CUserGroup& g : loaded) g.homeDirectory = homeDirectoryFor(g.name);

    Guard lock(this);
    groups_.append(loaded);
    if (!loaded.isEmpty()) notify([this] { Q_EMIT storeReset(); });
    return complete ? 1 : 0;
}

void CUserStore::keepDamagedCopy(const QByteArray& data) {
    // Beside the original, named with the time, never over an older copy.
    const QString base = filePath_ + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = base;
    for (int n = 2; QFileInfo::exists(path); ++n) path = base + QStringLiteral("-%1").arg(n);
    if (writeFileAtomic(path, data)) damagedCopy_ = path;
}

int CUserStore::Reload() {
    Guard lock(this);
    groups_.clear();
    notify([this] { Q_EMIT storeReset(); });
    return Load();  // the lock is re-entrant: the emptied list and the new one are one step
}

int CUserStore::Save() {
    Guard lock(this);
    return saveLocked();
}

int CUserStore::saveLocked() {
    for (CUserGroup& g : groups_) g.homeDirectory = homeDirectoryFor(g.name);
    return writeFileAtomic(filePath_, Serialize(groups_)) ? 1 : 0;
}

int CUserStore::FindUser(const QString& name, CUserGroup* group, CUser* user, int create) {
    Guard lock(this);
    int g, u;
    if (findUserIndex(name, &g, &u)) {
        if (group) *group = groups_[g];
        if (user) *user = groups_[g].users[u];
        return 1;
    }
    if (!create || name.isEmpty()) return 0;

    CUser fresh;
    fresh.name = name;
    fresh.group = QLatin1String(kHomeGroupName);
    AddUser(fresh);  // re-enters the lock; announces the new account once it is released
    const int home = findGroupIndex(fresh.group);
    if (group && home >= 0) *group = groups_[home];
    if (user) *user = fresh;
    return 1;
}

int CUserStore::FindGroup(const QString& name, CUserGroup* group) {
    Guard lock(this);
    const int i = findGroupIndex(name);
    if (i < 0) return 0;
    if (group) *group = groups_[i];
    return 1;
}

int CUserStore::AddGroup(const CUserGroup& group) {
    Guard lock(this);
    if (!isValidGroupName(group.name) || findGroupIndex(group.name) >= 0) return 0;
    CUserGroup copy = group;
    copy.homeDirectory = homeDirectoryFor(copy.name);
    for (CUser& u : copy.users) u.group = copy.name;
    groups_.append(copy);
    notify([this, copy] { Q_EMIT groupAdded(copy); });
    return saveLocked();
}

int CUserStore::AddUser(const CUser& user) {
    Guard lock(this);
    int g, u;
    if (user.name.isEmpty() || findUserIndex(user.name, &g, &u)) return 0;
    const int i = findGroupIndex(user.group);
    if (i < 0) return 1;  // no such group: nothing to add to
    CUser copy = user;
    copy.group = groups_[i].name;
    groups_[i].users.append(copy);
    notify([this, copy] { Q_EMIT userAdded(copy); });
    return saveLocked();
}

int CUserStore::UpdateGroup(const QString& oldName, const CUserGroup& group) {
    Guard lock(this);
    const int i = findGroupIndex(oldName);
    if (i >= 0) {
        const int clash = findGroupIndex(group.name);
        if (!isValidGroupName(group.name) || (clash >= 0 && clash != i)) return 0;
        // Home keeps its name.
        if (groups_[i].isHome() && !group.isHome()) return 0;
        CUserGroup copy = group;
        copy.homeDirectory = homeDirectoryFor(copy.name);
        // Accounts change only through the account operations: a player registered into this
        // group since the caller took its copy must not be lost by the replacement.
        copy.users = groups_[i].users;
        for (CUser& u : copy.users) u.group = copy.name;
        groups_[i] = copy;
        notify([this, oldName, copy] { Q_EMIT groupUpdated(oldName, copy); });
    }
    return saveLocked();
}

int CUserStore::UpdateUser(const QString& oldName, const CUser& user) {
    Guard lock(this);
    int g, u;
    if (!findUserIndex(oldName, &g, &u)) return 0;
    int og, ou;
    if (user.name.isEmpty() || (findUserIndex(user.name, &og, &ou) && (og != g || ou != u)))
        return 0;
    const int target = findGroupIndex(user.group);
    if (target < 0) return 0;
    CUser copy = user;
    copy.group = groups_[target].name;
    if (target == g) {
        groups_[g].users[u] = copy;
    } else {
        groups_[g].users.removeAt(u);
        groups_[target].users.append(copy);
    }
    notify([this, oldName, copy] { Q_EMIT userUpdated(oldName, copy); });
    return saveLocked();
}

int CUserStore::DeleteUser(const QString& name) {
    Guard lock(this);
    int g, u;
    if (!findUserIndex(name, &g, &u)) return 0;
    const QString removed = groups_[g].users[u].name;
    const QString groupName = groups_[g].name;
    groups_[g].users.removeAt(u);
    notify([this, removed, groupName] { Q_EMIT userDeleted(removed, groupName); });
    return saveLocked();
}

int CUserStore::DeleteGroup(const QString& name) {
    QString folder;
    int saved;
    {
        Guard lock(this);
        const int i = findGroupIndex(name);
        if (i < 0 || groups_[i].isHome()) return 0;
        const QString removed = groups_[i].name;
        if (isValidGroupName(removed)) folder = homeDirectoryFor(removed);
        groups_.removeAt(i);
        notify([this, removed] { Q_EMIT groupDeleted(removed); });
        saved = saveLocked();
        // The folder goes after the list is written, as the file no longer names it. A name
        // that is not a single path component never maps to a folder we may remove.
        if (!folder.isEmpty()) QDir(folder).removeRecursively();
    }
    return saved;
}

QList<CUserGroup> CUserStore::Groups() const {
    Guard lock(this);
    return groups_;
}

QStringList CUserStore::GroupNames() const {
    Guard lock(this);
    QStringList names;
    for (const CUserGroup& g : groups_) names << g.name;
    return names;
}

}  // namespace lum
