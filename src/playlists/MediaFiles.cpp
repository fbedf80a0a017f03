#include "playlists/MediaFiles.h"

#include "core/Codepage.h"
#include "playlists/PlaylistTexts.h"
#include "playlists/ReportModels.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace lum {

namespace texts = playlist_texts;

bool passesFileTypeFilter(const QString& name, FileTypeFilter filter) {
    if (!isMediaFileName(name)) return false;
    switch (filter) {
    case FileTypeFilter::All: return true;
    case FileTypeFilter::PlaylistsAndSchedules:
        return name.contains(QLatin1String("mpl"), Qt::CaseInsensitive) ||
               name.contains(QLatin1String("sch"), Qt::CaseInsensitive);
    case FileTypeFilter::ZoneImages: return SourceListModel::typeOf(name).toLower() == QLatin1String("yuv");
    }
    return false;
}

std::vector<PlaylistItem> listMediaFolder(const QString& folder, FileTypeFilter filter) {
    std::vector<PlaylistItem> out;
    if (folder.isEmpty()) return out;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& f : entries) {
        if (!passesFileTypeFilter(f.fileName(), filter)) continue;
        const QByteArray path = toAnsi(f.absoluteFilePath());
        if (path.size() >= PlaylistItem::kPathWidth) continue;  // a cut path names another file
        PlaylistItem item;
        item.setPathAndName(path);
        // The playlist holds a signed 32-bit size: a larger video is capped, never negative.
        item.size = qint32(std::min<qint64>(f.size(), std::numeric_limits<qint32>::max()));
        out.push_back(item);
    }
    return out;
}

std::vector<PlaylistItem> storageReportSources(const QString& reportPath, FileTypeFilter filter) {
    std::vector<PlaylistItem> out;
    for (const StorageEntry& e : readStorageReport(reportPath)) {
        if (e.kind.startsWith(QLatin1String("dir"), Qt::CaseInsensitive)) continue;
        if (e.name.isEmpty() || !passesFileTypeFilter(e.name, filter)) continue;
        PlaylistItem item;
        item.setPathAndName(toAnsi(e.name));
        item.size = e.size.trimmed().toInt();
        out.push_back(item);
    }
    return out;
}

// ---- the file list

SourceListModel::SourceListModel(QObject* parent) : QAbstractTableModel(parent) {}

int SourceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(sources_.size());
}

int SourceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString SourceListModel::typeOf(const QString& name) {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QVariant SourceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const PlaylistItem& item = sources_[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case NameColumn: return item.fileNameText();
        case TypeColumn: return typeOf(item.fileNameText());
        case SizeColumn: return QString::number(item.size);
        default: return {};
        }
    }
    if (role == Qt::ToolTipRole && index.column() == NameColumn) {
        const QString host = item.hostText();
        return host.isEmpty() ? item.pathText() : host + item.pathText();
    }
    if (role == Qt::TextAlignmentRole && index.column() == SizeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant SourceListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == ColumnWidthRole) return kColumnWidths[section];
    if (role == Qt::DisplayRole) return QString::fromLatin1(texts::kFileListHeadings[section]);
    return {};
}

void SourceListModel::setSources(std::vector<PlaylistItem> sources) {
    beginResetModel();
    sources_ = std::move(sources);
    endResetModel();
}

const PlaylistItem* SourceListModel::source(int row) const {
    return row >= 0 && row < rowCount() ? &sources_[size_t(row)] : nullptr;
}

}  // namespace lum
