#include "playlists/HomeGroup.h"

#include "accounts/UserStore.h"
#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "playlists/HandedFiles.h"
#include "playlists/PlaylistDocument.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <climits>

namespace lum {

bool writeStarterPlaylist(const QString& path, const QString& samplesFolder) {
    CPlaylistDocument doc;
    const QDir samples(samplesFolder);
    if (!samplesFolder.isEmpty() && samples.exists()) {
        QFileInfoList files = samples.entryInfoList(QDir::Files, QDir::NoSort);
        // Plain code-point order, the same on every machine and locale.
        std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
            return a.fileName() < b.fileName();
        });
        for (const QFileInfo& f : files) {
            if (!isMediaFileName(f.fileName())) continue;
            PlaylistRow row;
            row.item.setPathAndName(toAnsi(f.absoluteFilePath()));
            row.item.size = qint32(std::min<qint64>(f.size(), INT32_MAX));
            doc.appendRow(row);
        }
    }
    return doc.Save(path);
}

HomeGroupReport ensureHomeGroup(CUserStore& store, const QString& programFolder,
                                const QString& samplesFolder) {
    HomeGroupReport report;
    // One step for the store: nobody may add "Home" between the look-up and the add.
    store.Lock();
    if (!store.FindGroup(QLatin1String(kHomeGroupName), nullptr)) {
        CUserGroup home;
        home.name = QLatin1String(kHomeGroupName);
        home.homeDirectory = joinPath(programFolder, home.name);
        home.autoPlaylist = joinPath(home.homeDirectory, QLatin1String(fixed_names::kAutoPlaylist));
        if (!QDir(home.homeDirectory).exists()) {
            if (QDir().mkpath(home.homeDirectory))
                report.createdFolders << home.homeDirectory;
            else
                report.failedFolders << home.homeDirectory;
        }
        // A playlist left by an earlier installation is kept. Players may read the sample
        // media the starter lists; of a kept playlist only the file itself, as a player may
        // have written it.
        if (!QFileInfo::exists(home.autoPlaylist)) {
            report.starterWritten = writeStarterPlaylist(home.autoPlaylist, samplesFolder);
            if (!report.starterWritten) report.ok = false;
        }
        const bool recorded =
            report.starterWritten
                ? recordHandedPlaylist(programFolder, home.name, home.homeDirectory,
                                       CHandedRecord::Slot::Auto, home.autoPlaylist)
                : CHandedRecord(programFolder)
                      .setHanded(home.name, CHandedRecord::Slot::Auto, {home.autoPlaylist}, {});
        if (!recorded) report.ok = false;
        // 0 also means users.dat could not be written; the group may still be in the list.
        if (!store.AddGroup(home)) report.ok = false;
        report.homeCreated = store.FindGroup(home.name, nullptr) != 0;
    }
    const QList<CUserGroup> groups = store.Groups();
    store.Unlock();

    for (const CUserGroup& g : groups) {
        const QString dir = joinPath(programFolder, g.name);
        if (QDir(dir).exists() || report.createdFolders.contains(dir) ||
            report.failedFolders.contains(dir))
            continue;
        if (QDir().mkpath(dir))
            report.createdFolders << dir;
        else
            report.failedFolders << dir;
    }
    if (!report.failedFolders.isEmpty()) report.ok = false;
    return report;
}

}  // namespace lum
