#include "playlists/PlaylistGridModel.h"

#include "core/OperatorPrompt.h"
#include "playlists/PlaylistTexts.h"

#include <QColor>

#include <algorithm>

namespace lum {

namespace texts = playlist_texts;

namespace {

bool allDigits(const QString& text) {
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

bool isScrollTextEnd(const PlaylistItem& item) {
    return PlaylistItem::field(item.path) == kScrollTextEndMarker;
}

}  // namespace

bool fullScreenAllowed(const PlaylistItem& item) {
    const QByteArray path = PlaylistItem::field(item.path);
    for (const char* kind : {".YUV", ".yuv", ".txt", ".TXT"})
        if (path.contains(kind)) return false;
    return true;
}

QString gridPathText(const PlaylistItem& item) {
    QString host = item.hostText();
    const QString path = item.pathText();
    if (host.isEmpty()) return path;
    if (host.startsWith(QLatin1String("ftp://"), Qt::CaseInsensitive)) {
        const int at = host.lastIndexOf(QLatin1Char('@'));
        if (at > 0) host = QStringLiteral("ftp://") + host.mid(at + 1);
    }
    return path.startsWith(QLatin1Char('/')) ? host + path : host + QLatin1Char('/') + path;
}

PlaylistGridModel::PlaylistGridModel(CPlaylistDocument& document, IOperatorPrompt& prompt,
                                     QObject* parent)
    : QAbstractTableModel(parent), doc_(document), prompt_(prompt) {
    for (int r = 0; r < doc_.rowCount(); ++r) numbers_.push_back(r + 1);
}

int PlaylistGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : doc_.rowCount();
}

int PlaylistGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const PlaylistRow* PlaylistGridModel::rowAt(int row) const {
    return row >= 0 && row < doc_.rowCount() ? &doc_.rows()[size_t(row)] : nullptr;
}

PlaylistGridModel::NameColour PlaylistGridModel::nameColour(const QString& name) {
    if (isZoneImageName(name)) return ZoneImageName;
    if (name.contains(QLatin1String(".yuv"))) return YuvName;
    return PlainName;
}

QVariant PlaylistGridModel::data(const QModelIndex& index, int role) const {
    const PlaylistRow* r = index.isValid() ? rowAt(index.row()) : nullptr;
    if (!r) return {};
    const int col = index.column();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (col) {
        case SeqColumn:
            if (rowImages_ || size_t(index.row()) >= numbers_.size()) return {};
            return QString::number(numbers_[size_t(index.row())]);
        case NameColumn: return r->item.fileNameText();
        case PathColumn: return gridPathText(r->item);
        case DurationColumn: return r->cells.duration;
        case FromColumn: return r->cells.fromTime;
        case ToColumn: return r->cells.toTime;
        case TransitionColumn: return r->cells.transition;
        default: return {};
        }
    }
    if (role == Qt::CheckStateRole) {
        if (col == ReloadColumn) return r->cells.reload ? Qt::Checked : Qt::Unchecked;
        if (col == DlOnlyColumn) return r->cells.dlOnly ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == RowImageRole && col == SeqColumn && rowImages_) return r->item.fullScreen ? 1 : 0;
    if (role == Qt::ForegroundRole && col == NameColumn) {
        switch (nameColour(r->item.fileNameText())) {
        case ZoneImageName: return QColor(Qt::red);
        case YuvName: return QColor(Qt::blue);
        case PlainName: return {};
        }
    }
    if (role == Qt::ToolTipRole && (col == NameColumn || col == PathColumn)) return gridPathText(r->item);
    return {};
}

Qt::ItemFlags PlaylistGridModel::flags(const QModelIndex& index) const {
    const PlaylistRow* r = index.isValid() ? rowAt(index.row()) : nullptr;
    if (!r) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    switch (index.column()) {
    case DurationColumn:
    case FromColumn:
    case ToColumn:
        if (!isScrollTextEnd(r->item)) f |= Qt::ItemIsEditable;
        break;
    case TransitionColumn:
        // Only pictures have a transition; the cell is disabled for the rest.
        if (r->item.isPicture()) f |= Qt::ItemIsEditable;
        else f &= ~Qt::ItemIsEnabled;
        break;
    case ReloadColumn:
    case DlOnlyColumn: f |= Qt::ItemIsUserCheckable; break;
    default: break;
    }
    return f;
}

bool PlaylistGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const PlaylistRow* r = index.isValid() ? rowAt(index.row()) : nullptr;
    if (!r || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable))) return false;
    PlaylistCells& cells = doc_.rows()[size_t(index.row())].cells;
    const int col = index.column();
    auto changed = [&] {
        Q_EMIT dataChanged(index, index);
        return true;
    };
    if (role == Qt::CheckStateRole) {
        const bool on = value.toInt() == Qt::Checked;
        if (col == ReloadColumn) cells.reload = on;
        else if (col == DlOnlyColumn) cells.dlOnly = on;
        else return false;
        return changed();
    }
    if (role != Qt::EditRole) return false;
    const QString text = value.toString();
    switch (col) {
    case DurationColumn:
        if (!allDigits(text)) {
            prompt_.message(QString::fromLatin1(texts::kOnlyNumeric), IOperatorPrompt::Icon::Stop);
            cells.duration.clear();
        } else {
            cells.duration = text;
        }
        return changed();
    case FromColumn:
    case ToColumn: {
        const QString time = text.trimmed();
        int h = 0, m = 0;
        QString& cell = col == FromColumn ? cells.fromTime : cells.toTime;
        if (!ParseHourMinute(time, &h, &m)) {
            prompt_.message(QString::fromLatin1(texts::kTimeFormat), IOperatorPrompt::Icon::Stop);
            cell.clear();
        } else {
            cell = time;
        }
        return changed();
    }
    case TransitionColumn:
        if (!text.isEmpty() && transitionIndex(text) < 0) return false;
        cells.transition = text;
        return changed();
    default: return false;
    }
}

QVariant PlaylistGridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == ColumnWidthRole) return kColumnWidths[section];
    if (role == Qt::DisplayRole) return QString::fromLatin1(texts::kGridHeadings[section]);
    return {};
}

void PlaylistGridModel::setShowRowImages(bool on) {
    if (rowImages_ == on) return;
    rowImages_ = on;
    if (rowCount() > 0) Q_EMIT dataChanged(index(0, SeqColumn), index(rowCount() - 1, SeqColumn));
}

void PlaylistGridModel::renumberFrom(int first) {
    numbers_.resize(size_t(rowCount()));
    int changedFrom = -1;
    for (int r = std::max(first, 0); r < rowCount(); ++r) {
        if (numbers_[size_t(r)] == r + 1) continue;
        numbers_[size_t(r)] = r + 1;
        if (changedFrom < 0) changedFrom = r;
    }
    if (changedFrom >= 0)
        Q_EMIT dataChanged(index(changedFrom, SeqColumn), index(rowCount() - 1, SeqColumn));
}

int PlaylistGridModel::insertItemRow(int at, const PlaylistRow& row) {
    if (at < 0 || at > rowCount()) at = rowCount();
    beginInsertRows({}, at, at);
    doc_.insertRow(at, row);
    numbers_.insert(numbers_.begin() + at, at + 1);
    endInsertRows();
    renumberFrom(at + 1);
    return at;
}

bool PlaylistGridModel::removeItemRow(int at) {
    if (at < 0 || at >= rowCount()) return false;
    beginRemoveRows({}, at, at);
    doc_.removeRow(at);
    numbers_.erase(numbers_.begin() + at);
    endRemoveRows();
    renumberFrom(at);
    return true;
}

bool PlaylistGridModel::moveItemRow(int at, int by) {
    const int to = at + by;
    if (at < 0 || at >= rowCount() || to < 0 || to >= rowCount() || (by != 1 && by != -1))
        return false;
    // Qt's destination is the row before which the moved row lands.
    beginMoveRows({}, at, at, {}, by > 0 ? to + 1 : to);
    if (by > 0) doc_.moveRowDown(at);
    else doc_.moveRowUp(at);
    std::swap(numbers_[size_t(at)], numbers_[size_t(to)]);
    endMoveRows();
    renumberFrom(std::min(at, to));
    return true;
}

void PlaylistGridModel::setFullScreen(int row, bool on) {
    if (row < 0 || row >= rowCount()) return;
    doc_.rows()[size_t(row)].item.fullScreen = on ? 1 : 0;
    Q_EMIT dataChanged(index(row, SeqColumn), index(row, SeqColumn));
}

void PlaylistGridModel::resetWith(const std::function<void()>& change) {
    beginResetModel();
    if (change) change();
    numbers_.clear();
    for (int r = 0; r < doc_.rowCount(); ++r) numbers_.push_back(r + 1);
    endResetModel();
}

}  // namespace lum
