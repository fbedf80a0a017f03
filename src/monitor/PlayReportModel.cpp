#include "monitor/PlayReportModel.h"

#include "monitor/MonitorTexts.h"

#include <algorithm>
#include <memory>

namespace lum {

namespace {

struct LoadResult {
    std::vector<PlayReportRow> rows;
    int damaged = 0;
    bool truncated = false;
};

}  // namespace

PlayReportModel::PlayReportModel(QObject* parent) : QAbstractTableModel(parent) {}

PlayReportModel::~PlayReportModel() {
    // A read still running finishes on its own; its result goes nowhere.
    if (loading_) {
        loading_->disconnect(this);
        loading_->wait();
    }
}

int PlayReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PlayReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlayReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) return {};
    const PlayReportRow& r = rows_[size_t(index.row())];
    if (role == Qt::TextAlignmentRole && index.column() == ColPlays)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
    case ColMac: return r.mac;
    case ColPlayer: return r.player;
    case ColGroup: return r.group;
    case ColMedia: return r.media;
    case ColPlays: return r.plays;
    case ColFirst: return r.first.toString(Qt::ISODate);
    case ColLast: return r.last.toString(Qt::ISODate);
    default: return {};
    }
}

QVariant PlayReportModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromLatin1(monitor_texts::kPlayReportHeadings[section]);
}

void PlayReportModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount) return;
    sortColumn_ = column;
    sortOrder_ = order;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    auto key = [column](const PlayReportRow& a, const PlayReportRow& b) -> int {
        switch (column) {
        case ColMac: return a.mac.compare(b.mac, Qt::CaseInsensitive);
        case ColPlayer: return a.player.compare(b.player, Qt::CaseInsensitive);
        case ColGroup: return a.group.compare(b.group, Qt::CaseInsensitive);
        case ColMedia: return a.media.compare(b.media, Qt::CaseInsensitive);
        case ColPlays: return a.plays < b.plays ? -1 : a.plays > b.plays ? 1 : 0;
        case ColFirst: return a.first < b.first ? -1 : a.first > b.first ? 1 : 0;
        default: return a.last < b.last ? -1 : a.last > b.last ? 1 : 0;
        }
    };
    // Sort a permutation, so the views' persistent indexes follow their rows.
    std::vector<int> perm(rows_.size());
    for (size_t i = 0; i < perm.size(); ++i) perm[i] = int(i);
    std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
        const int c = key(rows_[size_t(a)], rows_[size_t(b)]);
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    std::vector<PlayReportRow> sorted;
    sorted.reserve(rows_.size());
    std::vector<int> newRowOf(rows_.size());
    for (size_t n = 0; n < perm.size(); ++n) {
        sorted.push_back(std::move(rows_[size_t(perm[n])]));
        newRowOf[size_t(perm[n])] = int(n);
    }
    rows_ = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from)
        to.append(index(newRowOf[size_t(i.row())], i.column()));
    changePersistentIndexList(from, to);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PlayReportModel::setResult(std::vector<PlayReportRow> rows, int damagedLines, bool truncated) {
    beginResetModel();
    rows_ = std::move(rows);
    damaged_ = damagedLines;
    truncated_ = truncated;
    endResetModel();
    if (sortColumn_ >= 0) sort(sortColumn_, sortOrder_);
    Q_EMIT loaded();
}

void PlayReportModel::load(const QString& path, const PlayerDirectory& directory,
                           const PlayReportFilter& filter) {
    if (loading_) loading_->disconnect(this);  // superseded: its result is dropped
    auto result = std::make_shared<LoadResult>();
    QThread* worker = QThread::create([path, directory, filter, result] {
        const PlayReportData data = readPlayReport(path);
        result->rows = aggregatePlayReport(data, filter, directory);
        result->damaged = data.damagedLines;
        result->truncated = data.truncated;
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, worker, result] {
        if (loading_ == worker) loading_ = nullptr;
        setResult(std::move(result->rows), result->damaged, result->truncated);
    });
    loading_ = worker;
    worker->start();
}

}  // namespace lum
