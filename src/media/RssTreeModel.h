#pragma once
// The RSS editor's tree: the configuration's groups with their channels as children, each
// channel showing its title. It also keeps how the editor's last refresh of each channel went,
// so the tree can show a refresh running or failed (with the address and the reason).

#include "media/RssConfig.h"

#include <QAbstractItemModel>
#include <QHash>

namespace lum {

class RssTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        KindRole = Qt::UserRole + 1,  // Kind
        GroupRole,                    // the group's name (of a channel: its group's)
        ChannelRole,                  // a channel's place in its group; -1 for a group
        LinkRole,                     // a channel's feed address
        StateRole,                    // RefreshState of a channel
        ReasonRole,                   // why its last refresh failed
    };
    enum Kind { GroupItem, ChannelItem };
    enum RefreshState { Idle, Refreshing, Failed };

    explicit RssTreeModel(QObject* parent = nullptr);

    // Shows a (newly loaded) document; refresh states stay with their group and address.
    void setDocument(const RssConfig& doc);

    QModelIndex groupIndex(const QString& group) const;  // without regard to case
    QModelIndex channelIndex(const QString& group, int channel) const;
    // The channel an index shows (a default channel for a group or an invalid index).
    RssChannel channelAt(const QModelIndex& index) const;

    void setRefreshState(const QString& group, const QString& link, RefreshState state,
                         const QString& reason = {});
    RefreshState refreshState(const QString& group, const QString& link) const;

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Group {
        QString name;
        QList<RssChannel> channels;
    };
    struct Refresh {
        RefreshState state = Idle;
        QString reason;
    };
    static QString key(const QString& group, const QString& link);
    const RssChannel* channel(const QModelIndex& index) const;

    QList<Group> groups_;
    QHash<QString, Refresh> refreshes_;
};

}  // namespace lum
