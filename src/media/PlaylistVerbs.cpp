#include "media/PlaylistVerbs.h"

#include "core/Codepage.h"
#include "core/CollectingPrompt.h"
#include "media/FtpPublisher.h"
#include "media/FtpSite.h"
#include "playlists/PlaylistCommander.h"
#include "playlists/PlaylistTexts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace lum {

namespace texts = playlist_texts;

namespace {

int tableIndex(const QString& name, const char* const* table, int count) {
    for (int i = 0; i < count; ++i)
        if (name.compare(QLatin1String(table[i]), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

// A media file given on the command line as the Commander's file list offers it.
std::optional<PlaylistItem> mediaItem(const QString& file, QStringList* errors) {
    const QFileInfo info(file);
    if (!info.isFile()) {
        *errors << QString::fromLatin1(texts::kMissingMediaFile).arg(file);
        return std::nullopt;
    }
    if (!isMediaFileName(info.fileName())) {
        *errors << QString::fromLatin1(texts::kNotMediaFile).arg(file);
        return std::nullopt;
    }
    const QByteArray path = toAnsi(info.absoluteFilePath());
    if (path.size() >= PlaylistItem::kPathWidth) {
        *errors << QStringLiteral("%1 is longer than a playlist item holds (%2 bytes)")
                       .arg(info.absoluteFilePath())
                       .arg(PlaylistItem::kPathWidth - 1);
        return std::nullopt;
    }
    PlaylistItem item;
    item.setPathAndName(path);
    item.size = qint32(std::min<qint64>(info.size(), std::numeric_limits<qint32>::max()));
    return item;
}

}  // namespace

bool makePlaylist(const QString& out, const PlaylistMakeOptions& o, QStringList* errors) {
    CollectingPrompt prompt;
    PlaylistCommander commander(prompt);
    auto refused = [&] {
        *errors << prompt.messages();
        return !errors->isEmpty();
    };

    PlaylistSettings settings = commander.settings();
    if (o.pictureTime) {
        if (*o.pictureTime < 0 || *o.pictureTime > 99999)
            *errors << QStringLiteral("the picture play time must be 0 to 99999 seconds");
        settings.globalInterval = *o.pictureTime;
    }
    if (!o.globalTransition.isEmpty()) {
        const int g = tableIndex(o.globalTransition, kGlobalTransitionNames.data(),
                                 int(kGlobalTransitionNames.size()));
        if (g < 0) *errors << QString::fromLatin1(texts::kUnknownTransition).arg(o.globalTransition);
        settings.useGlobalTransition = true;
        settings.globalTransition = std::max(g, 0);
    }
    settings.mute = o.mute;
    if (!o.downloadAt.isEmpty()) {
        int h = 0, m = 0;
        if (!ParseHourMinute(o.downloadAt.trimmed(), &h, &m))
            *errors << QString::fromLatin1(texts::kTimeFormat);
        settings.downloadSchedule = true;
        settings.downloadHour = h;
        settings.downloadMinute = m;
    }
    if (!o.deleteFiles.isEmpty()) {
        static const char* const kChoices[] = {"none", "format", "not-in-playlist", "in-playlist"};
        const int choice = tableIndex(o.deleteFiles, kChoices, 4);
        if (choice < 0)
            *errors << QStringLiteral("--delete-files takes none, format, not-in-playlist or in-playlist");
        settings.setDeleteFilesChoice(std::max(choice, 0));
    }
    QString transition;
    if (!o.transition.isEmpty()) {
        const int t = tableIndex(o.transition, kTransitionNames.data(), kTransitionCount);
        if (t < 0) *errors << QString::fromLatin1(texts::kUnknownTransition).arg(o.transition);
        else transition = QLatin1String(kTransitionNames[size_t(t)]);
    }
    if (o.media.isEmpty()) *errors << QString::fromLatin1(texts::kEmptyPlaylist);
    if (!errors->isEmpty()) return false;
    commander.setSettings(settings);

    for (const QString& z : o.zones) {
        std::optional<PlaylistItem> item = mediaItem(z, errors);
        if (!item) continue;
        if (!item->isYuv()) {
            *errors << QStringLiteral("%1 is not a zone image (.yuv)").arg(z);
            continue;
        }
        item->period = settings.globalInterval;
        commander.document().zoneItems().push_back(*item);
    }
    if (!o.zones.isEmpty()) commander.setMultiZone(true);

    PlaylistGridModel* grid = commander.grid();
    for (const QString& file : o.media) {
        const std::optional<PlaylistItem> item = mediaItem(file, errors);
        if (!item) continue;
        const int row = commander.addItem(*item);
        if (row < 0) continue;  // a second schedule: the prompt says so
        // Each cell as the operator types it, through the grid's checks.
        auto set = [&](int column, const QString& text) {
            if (!text.isEmpty()) grid->setData(grid->index(row, column), text);
        };
        set(PlaylistGridModel::DurationColumn, o.duration);
        set(PlaylistGridModel::FromColumn, o.startTime);
        set(PlaylistGridModel::ToColumn, o.stopTime);
        if (item->isPicture()) set(PlaylistGridModel::TransitionColumn, transition);
        if (o.reload)
            grid->setData(grid->index(row, PlaylistGridModel::ReloadColumn), Qt::Checked, Qt::CheckStateRole);
        if (o.dlOnly)
            grid->setData(grid->index(row, PlaylistGridModel::DlOnlyColumn), Qt::Checked, Qt::CheckStateRole);
        if (o.fullScreen) commander.toggleFullScreen({row});
    }
    if (refused()) return false;
    if (!commander.document().validateTimes(&prompt)) {
        refused();
        return false;
    }
    if (!commander.document().Save(out)) {
        *errors << QString::fromLatin1(texts::kCannotSave).trimmed() + QLatin1Char(' ') + out;
        return false;
    }
    return true;
}

std::optional<CopyAllFolder> copyAllFolderByName(const QString& name) {
    const std::pair<const char*, CopyAllFolder> names[] = {{"root", CopyAllFolder::Root},
                                                           {"MEDIA", CopyAllFolder::Media},
                                                           {"COPY", CopyAllFolder::Copy},
                                                           {"SYNC", CopyAllFolder::Sync}};
    for (const auto& [n, f] : names)
        if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0) return f;
    return std::nullopt;
}

std::optional<CopyPlan> copyAllPlanFor(const QString& playlist, const QString& mountPoint,
                                       CopyAllFolder folder, QString* error) {
    if (!QFileInfo(mountPoint).isDir()) {
        *error = QStringLiteral("%1 is no folder").arg(mountPoint);
        return std::nullopt;
    }
    CPlaylistDocument doc;
    if (!QFileInfo(playlist).isFile() || !doc.Load(playlist)) {
        *error = QString::fromLatin1(texts::kCannotOpen).trimmed() + QLatin1Char(' ') + playlist;
        return std::nullopt;
    }
    if (doc.rowCount() == 0) {
        *error = QString::fromLatin1(texts::kEmptyPlaylist);
        return std::nullopt;
    }
    CollectingPrompt prompt;
    if (!doc.validateTimes(&prompt)) {
        *error = prompt.messages().join(QLatin1Char(' '));
        return std::nullopt;
    }
    return doc.copyAllPlan(copyAllFolderPath(QFileInfo(mountPoint).absoluteFilePath(), folder));
}

bool publishPlaylist(const QString& programFolder, const QString& siteName, const QString& playlist,
                     const QString& name, const FtpProfile& profile, IOperatorPrompt& prompt,
                     QString* error, QString* remotePath) {
    const std::optional<CFtpSite> site = findFtpSite(loadFtpSites(ftpSitesPath(programFolder)), siteName);
    if (!site) {
        *error = QStringLiteral("no stored FTP site is named '%1'").arg(siteName);
        return false;
    }
    CPlaylistDocument doc;
    if (!QFileInfo(playlist).isFile() || !doc.Load(playlist)) {
        *error = QString::fromLatin1(texts::kCannotOpen).trimmed() + QLatin1Char(' ') + playlist;
        return false;
    }
    if (doc.rowCount() == 0) {
        *error = QString::fromLatin1(texts::kEmptyPlaylist);
        return false;
    }
    const std::optional<QString> remote =
        ftpPlaylistName(name.isEmpty() ? QFileInfo(playlist).fileName() : name, prompt);
    if (!remote) {
        *error = QStringLiteral("the name cannot be used");
        return false;
    }
    CFtpPanel panel(prompt);
    if (!panel.connectTo(ftpConnectParams(*site, profile), false)) {
        *error = QStringLiteral("cannot connect to '%1'").arg(site->profileName);
        return false;
    }
    // The file as it is: uploading never changes what the operator wrote.
    if (!panel.uploadFile(playlist, *remote, false)) {
        *error = QStringLiteral("cannot upload %1").arg(*remote);
        return false;
    }
    if (remotePath) {
        const QString folder = panel.currentFolder();
        *remotePath = folder.endsWith(QLatin1Char('/')) ? folder + *remote : folder + QLatin1Char('/') + *remote;
    }
    return true;
}

}  // namespace lum
