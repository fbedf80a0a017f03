#include "server/PathResolver.h"

#include "core/Codepage.h"
#include "core/FixedNames.h"
#include "core/HandedRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace lum {

namespace {

QString joinLocal(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Canonical form of a path that may not exist yet: the deepest existing ancestor made
// canonical (links resolved) with the missing rest appended. A dangling link counts as the
// place it points to, since writing through it would create that.
QString canonicalOf(const QString& path) {
    QString rest;
    QString cur = QDir::cleanPath(path);
    int links = 0;
    while (!cur.isEmpty()) {
        const QFileInfo fi(cur);
        if (fi.exists()) {
            const QString canon = fi.canonicalFilePath();
            if (canon.isEmpty()) return {};
            return rest.isEmpty() ? canon : joinLocal(canon, rest);
        }
        if (fi.isSymLink()) {
            const QString target = fi.symLinkTarget();
            if (target.isEmpty() || ++links > 40) return {};  // a loop of links
            cur = QDir::cleanPath(target);
            continue;
        }
        const int slash = cur.lastIndexOf(QLatin1Char('/'));
        if (slash < 0) return {};
        const QString last = cur.mid(slash + 1);
        rest = rest.isEmpty() ? last : last + QLatin1Char('/') + rest;
        cur = slash == 0 ? QStringLiteral("/") : cur.left(slash);
        if (cur == QLatin1String("/") && !QFileInfo(cur).exists()) return {};
    }
    return {};
}

bool isWithin(const QString& canonicalPath, const QString& canonicalRoot) {
    if (canonicalRoot.isEmpty() || canonicalPath.isEmpty()) return false;
    if (canonicalPath == canonicalRoot) return true;
    const QString root = canonicalRoot.endsWith(QLatin1Char('/')) ? canonicalRoot
                                                                  : canonicalRoot + QLatin1Char('/');
    return canonicalPath.startsWith(root);
}

bool isScheduleName(const QString& path) { return path.contains(QLatin1String(".sch")); }

}  // namespace

QString findEntryNoCase(const QString& dir, const QString& name) {
    if (name.isEmpty()) return {};
    const QString exact = joinLocal(dir, name);
    if (QFileInfo::exists(exact) || QFileInfo(exact).isSymLink()) return name;
    const QDir d(dir);
    if (!d.exists()) return {};
    QString match;
    const QStringList entries =
        d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entries) {
        if (e.compare(name, Qt::CaseInsensitive) == 0) {
            if (!match.isEmpty()) return {};  // ambiguous
            match = e;
        }
    }
    return match;
}

PathResolver::PathResolver(QString programFolder) : programFolder_(std::move(programFolder)) {}

QString PathResolver::normalise(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (QChar c : name) {
        if (c == QLatin1Char('\\')) c = QLatin1Char('/');
        if (c == QLatin1Char('/') && out.endsWith(QLatin1Char('/'))) continue;
        out += c;
    }
    while (out.endsWith(QLatin1Char('/'))) out.chop(1);
    return out;
}

QString PathResolver::absoluteVirtual(const QString& normalised) const {
    if (normalised.startsWith(QLatin1Char('/'))) return normalised;
    QString cur = currentDirectory_.isEmpty() ? QStringLiteral("/") : currentDirectory_;
    if (!cur.endsWith(QLatin1Char('/'))) cur += QLatin1Char('/');
    return cur + normalised;
}

PathResolver::Walk PathResolver::walk(const QString& virtualPath, Names names) const {
    Walk w;
    const QString home = QDir::cleanPath(group_.homeDirectory);
    struct Step { QString name; bool exists; };
    std::vector<Step> steps;
    const QStringList parts = virtualPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (QString part : parts) {
        if (part == QLatin1String("..")) {
            if (!steps.empty()) steps.pop_back();  // never above the home directory
            continue;
        }
        if (part == QLatin1String(".")) continue;
        if (names == Names::Trimmed) {
            while (part.startsWith(QLatin1Char('.'))) part.remove(0, 1);
            while (part.endsWith(QLatin1Char('.'))) part.chop(1);
        }
        if (part.isEmpty()) continue;
        QString dir = home;
        bool parentExists = true;
        for (const Step& s : steps) {
            dir = joinLocal(dir, s.name);
            parentExists = parentExists && s.exists;
        }
        if (parentExists && QFileInfo(dir).isDir()) {
            const QString found = findEntryNoCase(dir, part);
            if (!found.isEmpty()) {
                steps.push_back({found, true});
                continue;
            }
        }
        steps.push_back({part, false});
    }
    w.local = home;
    w.exists = QFileInfo(home).isDir();
    for (const Step& s : steps) {
        w.local = joinLocal(w.local, s.name);
        w.exists = w.exists && s.exists;
    }
    if (!insideHome(w.local)) {
        w.refused = true;
        w.exists = false;
        w.local.clear();
    }
    return w;
}

bool PathResolver::insideHome(const QString& local) const {
    const QString root = QFileInfo(group_.homeDirectory).canonicalFilePath();
    return isWithin(canonicalOf(local), root);
}

int PathResolver::ResolveDirectory(const QString& path, int access, QString* local) const {
    if (local) local->clear();
    QString norm = normalise(path);
    if (norm.isEmpty()) {
        if (access != kDirList) return kResolveDirNotFound;
        norm = QStringLiteral("/");
    }
    const Walk w = walk(absoluteVirtual(norm));
    if (w.refused) return kResolveDirNotFound;
    // The home directory itself is neither removed nor renamed by a player.
    if ((access == kDirRemove || access == kDirRename) &&
        QDir::cleanPath(w.local) == QDir::cleanPath(group_.homeDirectory))
        return kResolveDirNotFound;
    if (local) *local = w.local;
    return w.exists ? kResolveFound : kResolveDirNotFound;
}

int PathResolver::resolveSpecial(const QString& norm, int access, QString* local,
                                 bool* special) const {
    *special = true;
    const QString home = group_.homeDirectory;
    auto inHome = [&](const char* name) {
        const QString found = findEntryNoCase(home, QString::fromLatin1(name));
        return joinLocal(home, found.isEmpty() ? QString::fromLatin1(name) : found);
    };
    auto ifExists = [&](const QString& path) {
        if (!QFileInfo(path).isFile()) return int(kResolveFileNotFound);
        *local = path;
        return int(kResolveFound);
    };
    auto is = [&](const char* name) { return norm.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };

    if (is(fixed_names::kAutoPlaylist)) {
        // Only a playlist the console recorded as handed to the group: a file lying in the
        // group's folder may have been written by a player.
        const QString autoList = group_.autoPlaylist;
        if (!group_.autoPlay || autoList.isEmpty() || !QFileInfo(autoList).isFile())
            return kResolveFileNotFound;
        const CHandedRecord::Entries handed = CHandedRecord(programFolder_).handedTo(group_.name);
        if (!handed.playlists.contains(CHandedRecord::canonical(autoList)))
            return kResolveFileNotFound;
        if (!isScheduleName(autoList)) {
            *local = autoList;
            return kResolveFound;
        }
        QString due = PlaylistDueNow(autoList, QDate::currentDate());
        due.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (due.isEmpty()) return kResolveFileNotFound;
        // A relative playlist path of the schedule is taken from the group's home directory.
        if (!QDir::isAbsolutePath(due)) due = QDir::cleanPath(joinLocal(group_.homeDirectory, due));
        if (!QFileInfo(due).isFile() || !handed.playlists.contains(CHandedRecord::canonical(due)))
            return kResolveFileNotFound;
        *local = due;
        return kResolveFound;
    }
    if (is(fixed_names::kCurrentPlaylist)) {
        // A group that was never sent a playlist has none to serve.
        if (group_.currentPlaylist.isEmpty()) return kResolveFileNotFound;
        *local = group_.currentPlaylist;
        return kResolveFound;
    }
    if (is(fixed_names::kAutoconfigText) || is(fixed_names::kAutoconfigUpdate)) {
        *local = inHome(is(fixed_names::kAutoconfigText) ? fixed_names::kAutoconfigText
                                                         : fixed_names::kAutoconfigUpdate);
        return kResolveFound;
    }
    if (is(fixed_names::kInstantMessage)) return ifExists(inHome(fixed_names::kInstantMessage));
    if (is(fixed_names::kTickerAlias)) {
        if (!rssActive_) return kResolveFileNotFound;
        return ifExists(inHome(fixed_names::kTicker));
    }
    if (is(fixed_names::kTicker)) return ifExists(inHome(fixed_names::kTicker));
    if (is(fixed_names::kInstantPicture)) {
        if (programFolder_.isEmpty()) return kResolveFileNotFound;
        return ifExists(joinLocal(programFolder_, QString::fromLatin1(fixed_names::kInstantPicture)));
    }
    Q_UNUSED(access);
    *special = false;
    return kResolveFileNotFound;
}

int PathResolver::ResolveFile(const QString& name, int access, QString* local) const {
    QString dummy;
    if (!local) local = &dummy;
    local->clear();
    if (name.isEmpty()) return kResolveFileNotFound;
    const QString norm = normalise(name);
    if (norm.isEmpty()) return kResolveFileNotFound;

    if (access == kFileWrite) {
        // Uploads land in the home directory, whatever the current directory, under the name
        // as sent (".x" stays ".x").
        const Walk w = walk(QLatin1Char('/') + norm, Names::AsSent);
        if (w.refused) return kResolveFileNotFound;
        *local = w.local;
        return kResolveFound;
    }

    bool special = false;
    QString specialPath;
    const int r = resolveSpecial(norm, access, &specialPath, &special);
    if (special) {
        if (r != kResolveFound) return r;
        // Files handed to the group may lie anywhere, but only for reading.
        if (access != kFileRead && !insideHome(specialPath)) return kResolveFileNotFound;
        *local = specialPath;
        return kResolveFound;
    }

    if (access == kFileRead && QDir::isAbsolutePath(norm) && QFileInfo(norm).isFile()) {
        const CHandedRecord::Entries handed = CHandedRecord(programFolder_).handedTo(group_.name);
        if (handed.files.contains(CHandedRecord::canonical(norm))) {
            *local = norm;
            return kResolveLocalFile;
        }
    }

    const Walk w = walk(absoluteVirtual(norm));
    if (w.refused) return kResolveFileNotFound;
    *local = w.local;
    return (w.exists && QFileInfo(w.local).isFile()) ? kResolveFound : kResolveFileNotFound;
}

bool PathResolver::isConsoleFile(const QString& local) const {
    const QFileInfo fi(local);
    if (!fixed_names::isReadOnlyForPlayers(fi.fileName())) return false;
    const QString home = QFileInfo(group_.homeDirectory).canonicalFilePath();
    return !home.isEmpty() && canonicalOf(fi.absolutePath()) == home;
}

bool PathResolver::isConsoleName(const QString& name) const {
    const QString norm = normalise(name);
    if (norm.isEmpty()) return false;
    const Walk w = walk(absoluteVirtual(norm));
    return !w.refused && isConsoleFile(w.local);
}

QString PathResolver::ToVirtualPath(const QString& local) const {
    QString home = QDir::cleanPath(group_.homeDirectory).toLower();
    QString path = QDir::cleanPath(local).toLower();
    if (!home.endsWith(QLatin1Char('/'))) home += QLatin1Char('/');
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    if (path == home) return QStringLiteral("/");
    if (path.startsWith(home)) path = QLatin1Char('/') + path.mid(home.size());
    while (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    return path;
}

QString PlaylistDueNow(const QString& schedulePath, const QDate& today) {
    QFile f(schedulePath);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QByteArray todayText = today.toString(QStringLiteral("yyyyMMdd")).toLatin1();
    const int weekday = today.dayOfWeek() % 7;  // 0 Sunday .. 6 Saturday
    while (!f.atEnd()) {
        QByteArray line = f.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
        const int c1 = line.indexOf(',');
        if (c1 < 0) continue;
        const int c2 = line.indexOf(',', c1 + 1);
        if (c2 < 0) continue;
        const int c3 = line.indexOf(',', c2 + 1);
        if (c3 < 0) continue;
        const QByteArray start = line.mid(c1 + 1, c2 - c1 - 1);
        const QByteArray stop = line.mid(c2 + 1, c3 - c2 - 1);
        const QByteArray mask = line.mid(c3 + 1);
        if (start.size() != 8 || stop.size() != 8 || mask.size() != 7) continue;
        if (mask.at(weekday) != '1') continue;
        if (todayText < start || todayText > stop) continue;
        return fromAnsi(line.left(c1));
    }
    return {};
}

}  // namespace lum
