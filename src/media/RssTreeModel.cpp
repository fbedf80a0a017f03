#include "media/RssTreeModel.h"

#include "media/MediaTexts.h"

#include <QBrush>
#include <QColor>

namespace lum {

namespace t = media_texts;

namespace {
// A channel item's internal id is its group's row plus one; a group item's is 0.
constexpr quintptr kGroupId = 0;
}  // namespace

RssTreeModel::RssTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

QString RssTreeModel::key(const QString& group, const QString& link) {
    return group.toLower() + QLatin1Char('\n') + link;
}

void RssTreeModel::setDocument(const RssConfig& doc) {
    beginResetModel();
    groups_.clear();
    for (const QString& name : doc.groupNames()) groups_.append({name, doc.channels(name)});
    endResetModel();
}

QModelIndex RssTreeModel::groupIndex(const QString& group) const {
    for (int r = 0; r < groups_.size(); ++r)
        if (groups_[r].name.compare(group, Qt::CaseInsensitive) == 0) return createIndex(r, 0, kGroupId);
    return {};
}

QModelIndex RssTreeModel::channelIndex(const QString& group, int channel) const {
    const QModelIndex g = groupIndex(group);
    if (!g.isValid() || channel < 0 || channel >= groups_[g.row()].channels.size()) return {};
    return createIndex(channel, 0, quintptr(g.row()) + 1);
}

const RssChannel* RssTreeModel::channel(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kGroupId) return nullptr;
    const int g = int(index.internalId() - 1);
    if (g >= groups_.size() || index.row() >= groups_[g].channels.size()) return nullptr;
    return &groups_[g].channels[index.row()];
}

RssChannel RssTreeModel::channelAt(const QModelIndex& index) const {
    const RssChannel* c = channel(index);
    return c ? *c : RssChannel{};
}

void RssTreeModel::setRefreshState(const QString& group, const QString& link, RefreshState state,
                                   const QString& reason) {
    if (state == Idle) refreshes_.remove(key(group, link));
    else refreshes_.insert(key(group, link), {state, reason});
    const QModelIndex g = groupIndex(group);
    if (!g.isValid()) return;
    const QList<RssChannel>& channels = groups_[g.row()].channels;
    for (int r = 0; r < channels.size(); ++r) {
        if (channels[r].link != link) continue;
        const QModelIndex i = createIndex(r, 0, quintptr(g.row()) + 1);
        Q_EMIT dataChanged(i, i);
    }
}

RssTreeModel::RefreshState RssTreeModel::refreshState(const QString& group, const QString& link) const {
    return refreshes_.value(key(group, link)).state;
}

QModelIndex RssTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row < groups_.size() ? createIndex(row, 0, kGroupId) : QModelIndex();
    if (parent.internalId() != kGroupId || parent.row() >= groups_.size()) return {};
    if (row >= groups_[parent.row()].channels.size()) return {};
    return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex RssTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kGroupId) return {};
    return createIndex(int(child.internalId() - 1), 0, kGroupId);
}

int RssTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return int(groups_.size());
    if (parent.column() != 0 || parent.internalId() != kGroupId || parent.row() >= groups_.size()) return 0;
    return int(groups_[parent.row()].channels.size());
}

int RssTreeModel::columnCount(const QModelIndex&) const { return 1; }

Qt::ItemFlags RssTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.internalId() != kGroupId) f |= Qt::ItemNeverHasChildren;
    return f;
}

QVariant RssTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (index.internalId() == kGroupId) {
        if (index.row() >= groups_.size()) return {};
        const Group& g = groups_[index.row()];
        switch (role) {
        case Qt::DisplayRole:
        case GroupRole: return g.name;
        case KindRole: return int(GroupItem);
        case ChannelRole: return -1;
        default: return {};
        }
    }
    const RssChannel* c = channel(index);
    if (!c) return {};
    const QString& group = groups_[int(index.internalId() - 1)].name;
    const Refresh r = refreshes_.value(key(group, c->link));
    switch (role) {
    case Qt::DisplayRole: return c->title;
    case Qt::ToolTipRole:  // English like every model text; the window says it translated
        if (r.state == Refreshing)
            return QString::fromLatin1(t::kRefreshing).arg(c->link);
        if (r.state == Failed)
            return QString::fromLatin1(t::kCannotRefresh).arg(c->link, r.reason);
        return c->link;
    case Qt::ForegroundRole:
        if (r.state == Refreshing) return QBrush(QColor(Qt::gray));
        if (r.state == Failed) return QBrush(QColor(Qt::red));
        return {};
    case KindRole: return int(ChannelItem);
    case GroupRole: return group;
    case ChannelRole: return index.row();
    case LinkRole: return c->link;
    case StateRole: return int(r.state);
    case ReasonRole: return r.reason;
    default: return {};
    }
}

}  // namespace lum
