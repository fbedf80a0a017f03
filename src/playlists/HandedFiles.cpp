#include "playlists/HandedFiles.h"

#include "accounts/UserStore.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/IniFile.h"
#include "playlists/Schedule.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <utility>

namespace lum {

namespace {

bool isSchedulePath(const QString& path) {
    return fileNameOfPath(path).contains(QLatin1String(".sch"), Qt::CaseInsensitive);
}

// A path as written in a playlist or schedule, made local: relative ones hang from the home
// directory.
QString localPath(const QString& written, const QString& homeDirectory) {
    QString p = written;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.isEmpty() || QDir::isAbsolutePath(p)) return p;
    return QDir::cleanPath(joinPath(homeDirectory, p));
}

// The [fileN] paths of a playlist, up to the first empty one.
QStringList playlistItems(const QString& playlist) {
    QStringList out;
    IniFile ini;
    if (!ini.load(playlist)) return out;
    for (int n = 0;; ++n) {
        const QByteArray path = ini.value("file" + QByteArray::number(n), "path", {}, 1000);
        if (path.isEmpty()) break;
        out << fromAnsi(path);
    }
    return out;
}

QStringList schedulePlaylists(const QString& schedule, const QString& homeDirectory) {
    ScheduleModel model;
    QStringList out;
    if (!model.load(schedule)) return out;
    for (const ScheduleEntry& e : model.entries())
        if (!e.playlist.isEmpty()) out << localPath(e.playlist, homeDirectory);
    return out;
}

}  // namespace

HandedSet handedSetOf(const QString& playlistPath, const QString& homeDirectory) {
    HandedSet set;
    QSet<QString> seen;
    QStringList named;  // playlists named by the schedules met so far
    auto addPlaylist = [&](const QString& p) {
        if (seen.contains(p)) return;
        seen.insert(p);
        set.playlists << p;
        named << p;
    };
    auto addSchedule = [&](const QString& sch) {
        addPlaylist(sch);
        for (const QString& p : schedulePlaylists(sch, homeDirectory)) addPlaylist(p);
    };
    // Media of a playlist; its nested schedule (followed on the first level only) names more.
    auto addItemsOf = [&](const QString& playlist, bool followSchedules) {
        for (const QString& item : playlistItems(playlist)) {
            const QString local = localPath(item, homeDirectory);
            if (isSchedulePath(local)) {
                if (followSchedules) addSchedule(local);
            } else if (!seen.contains(local)) {
                seen.insert(local);
                set.media << local;
            }
        }
    };
    if (isSchedulePath(playlistPath)) addSchedule(playlistPath);
    else addPlaylist(playlistPath);
    const QStringList firstLevel = std::exchange(named, {});
    for (const QString& pl : firstLevel)
        if (!isSchedulePath(pl)) addItemsOf(pl, true);
    for (const QString& pl : std::exchange(named, {}))
        if (!isSchedulePath(pl)) addItemsOf(pl, false);
    return set;
}

bool recordHandedPlaylist(const QString& programFolder, const QString& group,
                          const QString& homeDirectory, CHandedRecord::Slot slot,
                          const QString& playlistPath) {
    const HandedSet set = handedSetOf(playlistPath, homeDirectory);
    return CHandedRecord(programFolder).setHanded(group, slot, set.playlists, set.media);
}

bool seedHandedRecord(CUserStore& store) {
    CHandedRecord record(store.programFolder());
    if (record.exists()) return true;
    if (!record.create()) return false;
    bool ok = true;
    for (const CUserGroup& g : store.Groups()) {
        if (!g.currentPlaylist.isEmpty())
            ok = record.setHanded(g.name, CHandedRecord::Slot::Current, {g.currentPlaylist}, {}) && ok;
        if (!g.autoPlaylist.isEmpty())
            ok = record.setHanded(g.name, CHandedRecord::Slot::Auto, {g.autoPlaylist}, {}) && ok;
    }
    return ok;
}

}  // namespace lum
