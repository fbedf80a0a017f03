#pragma once
// What the browsing side of the Playlist Commander lists as source files: the media of a local
// folder under the file-type filter, or the entries of a player's storage report, and the item
// model of its file list ("File Name", "Type", "Size(Byte)").

#include "playlists/PlaylistItem.h"

#include <QAbstractTableModel>

#include <vector>

namespace lum {

// The "mpl/sch" and "yuv" boxes; they exclude each other.
enum class FileTypeFilter {
    All,                    // every media file
    PlaylistsAndSchedules,  // "mpl/sch": names holding "mpl" or "sch"
    ZoneImages,             // "yuv": *.yuv only
};

// A file name the file list shows under `filter`: a media file (kMediaExtensions, any case)
// whose name holds "mpl" or "sch" (any case) for the playlist filter, or whose extension is
// "yuv" (any case) for the zone-image filter.
bool passesFileTypeFilter(const QString& name, FileTypeFilter filter);

// The files of `folder` the file list shows, in name order, each as a source item with its
// full path, name and size. Folders, unreadable entries and files whose path is longer than a
// playlist item holds (its cut path would name another file) are left out.
std::vector<PlaylistItem> listMediaFolder(const QString& folder, FileTypeFilter filter);

// The file entries of a player's storage report ("filereport_<MAC>.zeb": name TAB kind TAB
// size per line) as source items named as on the player's storage; directories are left out.
// A missing report gives none. Bounded like every report (kMaxReportBytes, kMaxReportItems).
std::vector<PlaylistItem> storageReportSources(const QString& reportPath, FileTypeFilter filter);

// The file list of the browsing side.
class SourceListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, TypeColumn, SizeColumn, ColumnCount };
    static constexpr int kColumnWidths[ColumnCount] = {100, 50, 62};
    // Column widths of the view, given through the headings.
    static constexpr int ColumnWidthRole = Qt::UserRole + 1;

    explicit SourceListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    void setSources(std::vector<PlaylistItem> sources);
    void clear() { setSources({}); }
    const std::vector<PlaylistItem>& sources() const { return sources_; }
    const PlaylistItem* source(int row) const;

    // The "Type" column: the text after the last ".", empty without one.
    static QString typeOf(const QString& name);

private:
    std::vector<PlaylistItem> sources_;
};

}  // namespace lum
