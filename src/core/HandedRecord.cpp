#include "core/HandedRecord.h"

#include "core/AtomicFile.h"
#include "core/DataFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <memory>
#include <mutex>

namespace lum {

namespace {

struct SlotFiles {
    QStringList playlists;
    QStringList media;
};
using Slots = QMap<QString, SlotFiles>;  // slot name -> files

struct Record {
    QMap<QString, Slots> groups;  // by the group's name as the console spelled it
    Slots everyGroup;
};

// One parsed record per process, renewed by our own writes and by a change of the file.
struct Cache {
    QString path;
    qint64 size = -1;
    QDateTime modified;
    Record record;
    QHash<QString, std::shared_ptr<const CHandedRecord::Entries>> unions;  // by folded name
};

std::mutex g_lock;
Cache g_cache;

const char* slotName(CHandedRecord::Slot slot) {
    switch (slot) {
    case CHandedRecord::Slot::Current: return "current";
    case CHandedRecord::Slot::Auto: return "auto";
    case CHandedRecord::Slot::Instant: return "instant";
    }
    return "other";
}

QStringList stringsOf(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& e : v.toArray())
        if (e.isString()) out << e.toString();
    return out;
}

Slots slotsOf(const QJsonObject& o) {
    Slots out;
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QJsonObject files = it.value().toObject();
        out.insert(it.key(), {stringsOf(files.value("playlists")), stringsOf(files.value("media"))});
    }
    return out;
}

QJsonObject jsonOf(const Slots& slots) {
    QJsonObject out;
    for (auto it = slots.begin(); it != slots.end(); ++it)
        out.insert(it.key(), QJsonObject{{"playlists", QJsonArray::fromStringList(it->playlists)},
                                         {"media", QJsonArray::fromStringList(it->media)}});
    return out;
}

// A damaged record hands nothing out: the safe reading.
Record parse(const QByteArray& bytes) {
    Record r;
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    const QJsonObject groups = root.value("groups").toObject();
    for (auto it = groups.begin(); it != groups.end(); ++it)
        r.groups.insert(it.key(), slotsOf(it.value().toObject()));
    r.everyGroup = slotsOf(root.value("everyGroup").toObject());
    return r;
}

QByteArray serialise(const Record& r) {
    QJsonObject groups;
    for (auto it = r.groups.begin(); it != r.groups.end(); ++it) groups.insert(it.key(), jsonOf(*it));
    const QJsonObject root{{"groups", groups}, {"everyGroup", jsonOf(r.everyGroup)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// The stored spelling of a group name (names compare without regard to case), or empty.
QString storedName(const Record& r, const QString& group) {
    for (auto it = r.groups.begin(); it != r.groups.end(); ++it)
        if (it.key().compare(group, Qt::CaseInsensitive) == 0) return it.key();
    return {};
}

// The cache for `path`, read again when the file changed. Lock held.
Cache& cacheFor(const QString& path) {
    const QFileInfo fi(path);
    const qint64 size = fi.exists() ? fi.size() : -1;
    const QDateTime modified = fi.exists() ? fi.lastModified() : QDateTime();
    if (g_cache.path != path || g_cache.size != size || g_cache.modified != modified) {
        g_cache = Cache{};
        g_cache.path = path;
        g_cache.size = size;
        g_cache.modified = modified;
        QByteArray bytes;
        if (size >= 0 && readWholeFile(path, &bytes)) g_cache.record = parse(bytes);
    }
    return g_cache;
}

// Writes the changed record and makes it the cached one. Lock held.
bool store(const QString& path, const Record& r) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!writeFileAtomic(path, serialise(r))) return false;
    const QFileInfo fi(path);
    g_cache = Cache{};
    g_cache.path = path;
    g_cache.size = fi.size();
    g_cache.modified = fi.lastModified();
    g_cache.record = r;
    return true;
}

QStringList canonicalAll(const QStringList& paths) {
    QStringList out;
    for (const QString& p : paths) {
        const QString c = CHandedRecord::canonical(p);
        if (!c.isEmpty() && !out.contains(c)) out << c;
    }
    return out;
}

}  // namespace

CHandedRecord::CHandedRecord(const QString& programFolder)
    : path_(joinPath(joinPath(programFolder, kServerDataDir), kHandedRecordFile)) {}

bool CHandedRecord::exists() const { return QFileInfo::exists(path_); }

QString CHandedRecord::canonical(const QString& path) {
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty() || !QDir::isAbsolutePath(p)) return {};
    const QString real = QFileInfo(p).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(p) : real;
}

bool CHandedRecord::setHanded(const QString& group, Slot slot, const QStringList& playlists,
                              const QStringList& media) {
    const SlotFiles files{canonicalAll(playlists), canonicalAll(media)};
    std::lock_guard lock(g_lock);
    Record r = cacheFor(path_).record;
    QString name = storedName(r, group);
    if (name.isEmpty()) name = group;
    r.groups[name].insert(QString::fromLatin1(slotName(slot)), files);
    return store(path_, r);
}

bool CHandedRecord::setHandedToAll(Slot slot, const QStringList& media) {
    const SlotFiles files{{}, canonicalAll(media)};
    std::lock_guard lock(g_lock);
    Record r = cacheFor(path_).record;
    r.everyGroup.insert(QString::fromLatin1(slotName(slot)), files);
    return store(path_, r);
}

bool CHandedRecord::renameGroup(const QString& oldName, const QString& newName) {
    std::lock_guard lock(g_lock);
    Record r = cacheFor(path_).record;
    const QString stored = storedName(r, oldName);
    if (stored.isEmpty() || stored == newName) return true;
    const Slots slots = r.groups.take(stored);
    // A hand-over already made under the new name is the newer one.
    if (storedName(r, newName).isEmpty()) r.groups.insert(newName, slots);
    return store(path_, r);
}

bool CHandedRecord::removeGroup(const QString& name) {
    std::lock_guard lock(g_lock);
    Record r = cacheFor(path_).record;
    const QString stored = storedName(r, name);
    if (stored.isEmpty()) return true;
    r.groups.remove(stored);
    return store(path_, r);
}

bool CHandedRecord::create() {
    std::lock_guard lock(g_lock);
    if (exists()) return true;
    return store(path_, Record{});
}

CHandedRecord::Entries CHandedRecord::handedTo(const QString& group) const {
    std::lock_guard lock(g_lock);
    Cache& cache = cacheFor(path_);
    const QString key = group.toCaseFolded();
    auto it = cache.unions.constFind(key);
    if (it == cache.unions.cend()) {
        auto entries = std::make_shared<Entries>();
        auto add = [&](const Slots& slots) {
            for (const SlotFiles& f : slots) {
                for (const QString& p : f.playlists) {
                    entries->playlists.insert(p);
                    entries->files.insert(p);
                }
                for (const QString& m : f.media) entries->files.insert(m);
            }
        };
        const QString stored = storedName(cache.record, group);
        if (!stored.isEmpty()) add(cache.record.groups.value(stored));
        add(cache.record.everyGroup);
        it = cache.unions.insert(key, std::move(entries));
    }
    return **it;
}

}  // namespace lum
