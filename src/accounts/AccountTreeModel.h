#pragma once
// The account tree as an item model: a root "Server", one node per group labelled
// "name(accounts)", one node per account. Children of the root and of each group are kept in
// alphabetical order (letter case ignored). Pictures are data (PictureRole), not pixmaps:
// 0 server, 1 group, 2 account offline, 3 account disabled, 4 account online.
//
// The model follows the account store's change signals, so every dialog, the control server's
// self-registering players and a restore reach it the same way; the online list tells it who
// is online.

#include <QAbstractItemModel>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace lum {

class CUser;
class CUserGroup;
class CUserStore;

inline constexpr const char* kTreeRootLabel = "Server";

class CAccountTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Kind { KindRoot = 0, KindGroup = 1, KindAccount = 2 };
    enum Picture { PicServer = 0, PicGroup = 1, PicOffline = 2, PicDisabled = 3, PicOnline = 4 };
    enum Role { KindRole = Qt::UserRole + 1, PictureRole, NameRole, GroupRole };

    explicit CAccountTreeModel(CUserStore& store, QObject* parent = nullptr);
    ~CAccountTreeModel() override;

    // Writes the starter auto playlist of a newly created "Home" group (the playlist layer
    // knows the format). Without it the group is created with the path only.
    void setStarterPlaylistWriter(std::function<void(const QString& path)> writer) {
        starterWriter_ = std::move(writer);
    }

    // Rebuilds the tree from the store: guarantees the "Home" group, creates every missing
    // home directory, sorts.
    void FillTree();
    // True while FillTree runs: selection changes then must not reach the online list.
    bool isFilling() const { return filling_; }

    // The online list reports a player on or off line.
    void SetClientOnline(const QString& name, bool online);
    bool isOnline(const QString& name) const;

    QModelIndex rootIndex() const;
    QModelIndex groupIndex(const QString& name) const;    // no case
    QModelIndex accountIndex(const QString& name) const;  // no case
    static Kind kindOf(const QModelIndex& index);
    // The node's name: the label's text before the first "(".
    static QString nameOf(const QModelIndex& index);
    static int pictureOf(const QModelIndex& index);
    // A group node's group name, an account node's group, empty for the root.
    static QString groupOf(const QModelIndex& index);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node;

    void onGroupAdded(const CUserGroup& group);
    void onGroupUpdated(const QString& oldName, const CUserGroup& group);
    void onGroupDeleted(const QString& name);
    void onUserAdded(const CUser& user);
    void onUserUpdated(const QString& oldName, const CUser& user);
    void onUserDeleted(const QString& name);

    Node* findGroup(const QString& name) const;
    Node* findAccount(const QString& name) const;
    QModelIndex indexOf(const Node* node) const;
    int pictureFor(const Node* node) const;
    void insertSorted(Node* parent, std::unique_ptr<Node> child);
    void removeNode(Node* node);
    void resortChild(Node* node);
    void syncAccounts(Node* groupNode, const CUserGroup& group);
    void emitChanged(const Node* node);

    CUserStore& store_;
    std::unique_ptr<Node> root_;
    QSet<QString> online_;  // account names, lower case
    bool filling_ = false;
    std::function<void(const QString&)> starterWriter_;
};

}  // namespace lum
