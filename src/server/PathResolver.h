#pragma once
// Turns the names a player sends into local paths and local paths back into the player's
// virtual paths. The virtual root "/" is the group's home directory; a few special names
// fetch what the console prepared for the group.
//
// Every result stays inside the home directory: ".." stops at the root, symbolic links are
// resolved before the check (a dangling one counts as where it points), and a name that is a
// local path by itself is served (for reading only) when the console's record of handed files
// lists it for the group. "AutoPlaylist.mpl" serves the group's auto playlist, or the playlist
// its schedule names for today, only when the record lists that playlist. Names are matched
// with the letter-case rule: a component that does not exist with its exact spelling is the
// single entry of its directory that matches without regard to case.

#include "server/ServerInterfaces.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace lum {

enum FileAccess : int { kFileRead = 1, kFileWrite = 2, kFileRename = 3, kFileDelete = 4 };
enum DirAccess : int { kDirRename = 3, kDirRemove = 4, kDirCreate = 5, kDirList = 6 };
enum ResolveResult : int {
    kResolveFound = 0,
    kResolveLocalFile = 1,   // the name was a local file path by itself
    kResolveFileNotFound = 2,
    kResolveDirNotFound = 3,
};

class PathResolver {
public:
    explicit PathResolver(QString programFolder = {});

    void setGroup(const PlayerGroupInfo& group) { group_ = group; }
    const PlayerGroupInfo& group() const { return group_; }
    void setCurrentDirectory(const QString& virtualPath) { currentDirectory_ = virtualPath; }
    const QString& currentDirectory() const { return currentDirectory_; }
    void setRssActive(bool active) { rssActive_ = active; }
    void setProgramFolder(const QString& folder) { programFolder_ = folder; }

    // 0 found, 1 found as a local path by itself, 2 not found. `local` receives the local path
    // also when not found (the target of a rename), and stays empty when the name is refused.
    int ResolveFile(const QString& name, int access, QString* local) const;
    // 0 found, 3 not found. When not found, `local` holds the full path the name would have
    // (what MKD creates), or stays empty when the name is refused.
    int ResolveDirectory(const QString& path, int access, QString* local) const;
    // The player's view of a local path: lower case, "/" for the home directory.
    QString ToVirtualPath(const QString& local) const;

    // "\" and "/" both separate; runs collapse; trailing separators go.
    static QString normalise(const QString& name);
    // True for a file the console writes into the home directory for its players (the
    // read-only names): players may read it but never store, append, delete or rename it.
    bool isConsoleFile(const QString& local) const;
    // The same for a name as the player sent it, taken as a plain path (special names aside):
    // what DELE, RNFR and RNTO refuse before anything else.
    bool isConsoleName(const QString& name) const;

private:
    struct Walk {
        QString local;      // joined path, real spelling where it exists
        bool exists = false;
        bool refused = false;
    };
    // Walks an absolute virtual path from the home directory. Names that are looked up lose
    // their leading and trailing dots; an upload's name is kept as sent.
    enum class Names { Trimmed, AsSent };
    Walk walk(const QString& virtualPath, Names names = Names::Trimmed) const;
    QString absoluteVirtual(const QString& normalised) const;
    bool insideHome(const QString& local) const;
    int resolveSpecial(const QString& normalised, int access, QString* local, bool* special) const;

    QString programFolder_;
    PlayerGroupInfo group_;
    QString currentDirectory_ = QStringLiteral("/");
    bool rssActive_ = false;
};

// The playlist path of the first schedule line due on `today`, empty when none is due or the
// schedule cannot be read. A line is "path,YYYYMMDD,YYYYMMDD,mask" with a seven-character
// weekday mask, Sunday first.
QString PlaylistDueNow(const QString& schedulePath, const QDate& today);

// The entry of `dir` named `name`: the exact spelling when it exists, else the single entry
// whose name matches without regard to case; empty when there is none (or more than one).
QString findEntryNoCase(const QString& dir, const QString& name);

}  // namespace lum
