#include "playlists/ReportCenter.h"

#include "accounts/UserStore.h"
#include "core/CommandSender.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "playlists/OperatorFileTexts.h"

namespace lum {

namespace texts = operator_file_texts;

ReportCenter::ReportCenter(CUserStore& store, ICommandSender& sender, QObject* parent)
    : QObject(parent), store_(store), sender_(sender) {}

QString ReportCenter::playerFolder(const QString& player) const {
    CUserGroup group;
    if (player.isEmpty() || !store_.FindUser(player, &group, nullptr, 0)) return {};
    return store_.homeDirectoryFor(group.name);
}

void ReportCenter::playerEvent(PlayerEvent event, const QString& player, const QString& mac) {
    const QString folder = playerFolder(player);
    // An unknown player has no folder: its reports read as missing files.
    auto inFolder = [&](const QString& name) {
        return folder.isEmpty() ? QString() : joinPath(folder, name);
    };
    switch (event) {
    case PlayerEvent::StorageFiles: {
        const QString report = inFolder(reportFileName(fixed_names::kStorageReportTemplate, mac));
        if (forward_ && forward_(player, mac, report)) break;
        storageMac_ = mac;
        storage_.showReport(report);
        Q_EMIT tabRequested(StorageTab);
        break;
    }
    case PlayerEvent::DeleteDone:
        if (!folder.isEmpty()) storage_.removeDeleted(readDeleteList(folder));
        break;
    case PlayerEvent::Playlist:
    case PlayerEvent::PlayReport:
        playlist_.show(inFolder(reportFileName(fixed_names::kPlaylistReportTemplate, mac)),
                       inFolder(QString::fromLatin1(fixed_names::kCurrentPlaylist)),
                       event == PlayerEvent::PlayReport ? PlaylistReportModel::Mode::PlaybackReport
                                                     : PlaylistReportModel::Mode::Playlist);
        Q_EMIT tabRequested(PlaylistTab);
        break;
    default: break;
    }
}

bool ReportCenter::deleteSelectedFiles() {
    if (storage_.rowCount() == 0) return false;
    const QString user = sender_.onlinePlayerByMac(storageMac_);
    if (user.isEmpty()) return false;  // dropped silently, as the player is gone
    const QString folder = playerFolder(user);
    if (folder.isEmpty()) return false;
    writeDeleteList(folder, storage_.checkedNames());
    return sender_.send(CommandTarget::mac(storageMac_), CommandIndex::DeleteFiles).targeted > 0;
}

}  // namespace lum
