#include "playlists/PlaylistCommander.h"

#include "core/Codepage.h"
#include "core/OperatorPrompt.h"
#include "playlists/PlaylistTexts.h"

#include <QFileInfo>

#include <algorithm>

namespace lum {

namespace texts = playlist_texts;

std::vector<TargetEntry> groupDeviceEntries(const QStringList& groups,
                                            const std::vector<ListedPlayer>& players) {
    std::vector<TargetEntry> out;
    for (const QString& g : groups) {
        out.push_back({g, false});
        for (const ListedPlayer& p : players) {
            if (p.group.compare(g, Qt::CaseInsensitive) != 0) continue;
            if (p.status.compare(QLatin1String("offline"), Qt::CaseInsensitive) == 0) continue;
            out.push_back({QLatin1String(texts::kPlayerEntryPrefix) + p.name, true});
        }
    }
    return out;
}

std::optional<CommandTarget> targetOfEntry(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    if (text.contains(QLatin1String(texts::kPlayerEntryPrefix)))
        return CommandTarget::player(text.mid(4));
    return CommandTarget::group(text);
}

PlaylistCommander::PlaylistCommander(IOperatorPrompt& prompt, QObject* parent)
    : QObject(parent), prompt_(prompt), grid_(doc_, prompt), sources_(this) {
    grid_.setParent(this);
    shownTitle_ = doc_.title();
}

void PlaylistCommander::titleMayHaveChanged() {
    if (doc_.title() == shownTitle_) return;
    shownTitle_ = doc_.title();
    Q_EMIT titleChanged(shownTitle_);
}

// ---- adding

int PlaylistCommander::addItem(const PlaylistItem& item, int afterRow) {
    if (item.isSchedule() && doc_.hasSchedule()) {
        prompt_.message(QString::fromLatin1(texts::kOnlyOneSchedule), IOperatorPrompt::Icon::Stop);
        return -1;
    }
    PlaylistRow row;
    row.item = item;
    const int at = afterRow >= 0 && afterRow < rowCount() ? afterRow + 1 : rowCount();
    return grid_.insertItemRow(at, row);
}

QList<int> PlaylistCommander::addItems(const std::vector<PlaylistItem>& items, int afterRow,
                                       const QString& host) {
    QList<int> added;
    int after = afterRow;
    const bool append = afterRow < 0 || afterRow >= rowCount();
    for (PlaylistItem item : items) {
        if (!host.isEmpty()) PlaylistItem::setField(item.host, toAnsi(host));
        const int row = addItem(item, append ? -1 : after);
        if (row < 0) continue;
        added << row;
        after = row;
    }
    return added;
}

QList<int> PlaylistCommander::addSources(const QList<int>& sourceRows, int afterRow,
                                         const QString& host) {
    std::vector<PlaylistItem> items;
    for (int s : sourceRows)
        if (const PlaylistItem* source = sources_.source(s)) items.push_back(*source);
    return addItems(items, afterRow, host);
}

QList<int> PlaylistCommander::addAllSources(int afterRow, const QString& host) {
    QList<int> all;
    for (int r = 0; r < sources_.rowCount(); ++r) all << r;
    return addSources(all, afterRow, host);
}

int PlaylistCommander::addTvFeed(int afterRow) {
    PlaylistItem item;
    item.setPathAndName(kTvFeedMarker);
    return addItem(item, afterRow);
}

int PlaylistCommander::addScrollTextOff() {
    PlaylistItem item;
    item.setPathAndName(kScrollTextEndMarker);
    return addItem(item, -1);
}

// ---- rows

void PlaylistCommander::deleteRows(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int r : rows) grid_.removeItemRow(r);
}

QList<int> PlaylistCommander::moveUp(QList<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<int> now = rows;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i] <= 0 || rows[i] >= rowCount()) break;  // already first: the move stops
        grid_.moveItemRow(rows[i], -1);
        now[i] = rows[i] - 1;
    }
    return now;
}

QList<int> PlaylistCommander::moveDown(QList<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<int> now = rows;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i] < 0 || rows[i] + 1 >= rowCount()) break;  // already last: the move stops
        grid_.moveItemRow(rows[i], +1);
        now[i] = rows[i] + 1;
    }
    std::sort(now.begin(), now.end());
    return now;
}

void PlaylistCommander::toggleFullScreen(const QList<int>& rows) {
    for (int r : rows) {
        if (r < 0 || r >= rowCount()) continue;
        const PlaylistItem& item = doc_.rows()[size_t(r)].item;
        if (fullScreenAllowed(item)) grid_.setFullScreen(r, !item.fullScreen);
    }
}

void PlaylistCommander::clear() {
    grid_.resetWith([this] { doc_.clearAll(); });
    titleMayHaveChanged();
}

void PlaylistCommander::newFile() {
    grid_.resetWith([this] { doc_.clearRows(); });
}

void PlaylistCommander::setMultiZone(bool on) {
    if (doc_.multiZone() != on) doc_.setMultiZone(on);
    grid_.setShowRowImages(on);
    Q_EMIT multiZoneChanged(on);
}

// ---- the file list

void PlaylistCommander::setPlaylistFilter(bool ticked) {
    if (ticked) {
        filter_ = FileTypeFilter::PlaylistsAndSchedules;
        grid_.resetWith([this] { doc_.clearRows(); });
    } else if (filter_ == FileTypeFilter::PlaylistsAndSchedules) {
        filter_ = FileTypeFilter::All;
    }
    if (ticked) doc_.setCurrentPath({});
    doc_.resetTitle();
    titleMayHaveChanged();
    Q_EMIT filterChanged();
}

void PlaylistCommander::setZoneFilter(bool ticked) {
    if (ticked) {
        filter_ = FileTypeFilter::ZoneImages;
        doc_.setCurrentPath({});
    } else if (filter_ == FileTypeFilter::ZoneImages) {
        filter_ = FileTypeFilter::All;
    }
    Q_EMIT filterChanged();
}

void PlaylistCommander::listFolder(const QString& folder) {
    folder_ = folder;
    sources_.setSources(listMediaFolder(folder, filter_));
}

void PlaylistCommander::relist() { listFolder(folder_); }

void PlaylistCommander::listPlayerStorage(const QString& reportPath) {
    sources_.setSources(storageReportSources(reportPath, filter_));
}

// ---- file

bool PlaylistCommander::open(const QString& path) {
    bool ok = false;
    const bool zonesBefore = doc_.multiZone();
    grid_.resetWith([&] { ok = doc_.Load(path); });
    if (!ok) {
        prompt_.message(QString::fromLatin1(texts::kCannotOpen) + path, IOperatorPrompt::Icon::Stop);
        return false;
    }
    titleMayHaveChanged();
    if (doc_.multiZone() != zonesBefore) setMultiZone(doc_.multiZone());
    return true;
}

bool PlaylistCommander::readyToSave() {
    if (rowCount() == 0) return false;
    if (!doc_.validateTimes(&prompt_)) {
        prompt_.message(QString::fromLatin1(texts::kInvalidTime), IOperatorPrompt::Icon::Stop);
        return false;
    }
    return true;
}

bool PlaylistCommander::save(const QString& path) {
    if (!doc_.validateTimes(&prompt_)) return false;
    if (!doc_.Save(path)) {
        prompt_.message(QString::fromLatin1(texts::kCannotSave) + path, IOperatorPrompt::Icon::Stop);
        return false;
    }
    titleMayHaveChanged();
    return true;
}

}  // namespace lum
