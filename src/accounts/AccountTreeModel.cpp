#include "accounts/AccountTreeModel.h"

#include "accounts/UserStore.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace lum {

struct CAccountTreeModel::Node {
    Kind kind = KindRoot;
    QString name;
    bool disabled = false;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;

    int row() const {
        if (!parent) return 0;
        for (size_t i = 0; i < parent->children.size(); ++i)
            if (parent->children[i].get() == this) return int(i);
        return -1;
    }
    QString label() const {
        if (kind == KindGroup) return QStringLiteral("%1(%2)").arg(name).arg(children.size());
        return name;
    }
};

namespace {

bool sortsBefore(const QString& a, const QString& b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

CAccountTreeModel::CAccountTreeModel(CUserStore& store, QObject* parent)
    : QAbstractItemModel(parent), store_(store), root_(std::make_unique<Node>()) {
    root_->kind = KindRoot;
    root_->name = QString::fromLatin1(kTreeRootLabel);
    connect(&store_, &CUserStore::groupAdded, this, &CAccountTreeModel::onGroupAdded);
    connect(&store_, &CUserStore::groupUpdated, this, &CAccountTreeModel::onGroupUpdated);
    connect(&store_, &CUserStore::groupDeleted, this, &CAccountTreeModel::onGroupDeleted);
    connect(&store_, &CUserStore::userAdded, this, &CAccountTreeModel::onUserAdded);
    connect(&store_, &CUserStore::userUpdated, this, &CAccountTreeModel::onUserUpdated);
    connect(&store_, &CUserStore::userDeleted, this,
            [this](const QString& name, const QString&) { onUserDeleted(name); });
    connect(&store_, &CUserStore::storeReset, this, &CAccountTreeModel::FillTree);
}

CAccountTreeModel::~CAccountTreeModel() = default;

void CAccountTreeModel::FillTree() {
    filling_ = true;
    const QString home = QString::fromLatin1(kHomeGroupName);
    if (!store_.FindGroup(home, nullptr)) {
        CUserGroup g;
        g.name = home;
        const QString dir = store_.homeDirectoryFor(home);
        QDir().mkpath(dir);
        g.autoPlaylist = joinPath(dir, QString::fromLatin1(fixed_names::kAutoPlaylist));
        if (starterWriter_) starterWriter_(g.autoPlaylist);
        store_.AddGroup(g);
    }

    const QList<CUserGroup> groups = store_.Groups();
    beginResetModel();
    root_->children.clear();
    for (const CUserGroup& g : groups) {
        const QString dir = store_.homeDirectoryFor(g.name);
        if (!QFileInfo(dir).isDir()) QDir().mkpath(dir);
        auto gn = std::make_unique<Node>();
        gn->kind = KindGroup;
        gn->name = g.name;
        gn->parent = root_.get();
        for (const CUser& u : g.users) {
            auto an = std::make_unique<Node>();
            an->kind = KindAccount;
            an->name = u.name;
            an->disabled = u.disabled != 0;
            an->parent = gn.get();
            gn->children.push_back(std::move(an));
        }
        std::stable_sort(gn->children.begin(), gn->children.end(),
                         [](const auto& a, const auto& b) { return sortsBefore(a->name, b->name); });
        root_->children.push_back(std::move(gn));
    }
    std::stable_sort(root_->children.begin(), root_->children.end(),
                     [](const auto& a, const auto& b) { return sortsBefore(a->name, b->name); });
    endResetModel();
    filling_ = false;
}

void CAccountTreeModel::SetClientOnline(const QString& name, bool online) {
    const QString key = name.toLower();
    if (online) online_.insert(key);
    else online_.remove(key);
    if (Node* n = findAccount(name)) emitChanged(n);
}

bool CAccountTreeModel::isOnline(const QString& name) const {
    return online_.contains(name.toLower());
}

// ---- store signals -------------------------------------------------------------------------

void CAccountTreeModel::onGroupAdded(const CUserGroup& group) {
    Node* gn = findGroup(group.name);
    if (!gn) {
        auto node = std::make_unique<Node>();
        node->kind = KindGroup;
        node->name = group.name;
        gn = node.get();
        insertSorted(root_.get(), std::move(node));
    }
    syncAccounts(gn, group);
}

void CAccountTreeModel::onGroupUpdated(const QString& oldName, const CUserGroup& group) {
    Node* gn = findGroup(oldName);
    if (!gn) gn = findGroup(group.name);
    if (!gn) {
        onGroupAdded(group);
        return;
    }
    if (gn->name != group.name) {
        gn->name = group.name;
        emitChanged(gn);
        resortChild(gn);
    }
    syncAccounts(gn, group);
}

void CAccountTreeModel::onGroupDeleted(const QString& name) {
    if (Node* gn = findGroup(name)) removeNode(gn);
}

void CAccountTreeModel::onUserAdded(const CUser& user) {
    Node* gn = findGroup(user.group);
    if (!gn) return;  // the store refuses accounts of unknown groups too
    if (Node* existing = findAccount(user.name)) {
        if (existing->parent == gn) {
            existing->disabled = user.disabled != 0;
            emitChanged(existing);
            return;
        }
        removeNode(existing);
    }
    auto an = std::make_unique<Node>();
    an->kind = KindAccount;
    an->name = user.name;
    an->disabled = user.disabled != 0;
    insertSorted(gn, std::move(an));
}

void CAccountTreeModel::onUserUpdated(const QString& oldName, const CUser& user) {
    Node* an = findAccount(oldName);
    Node* gn = findGroup(user.group);
    if (!an || !gn || an->parent != gn) {
        // Moved to another group (or not shown yet): a new node under the new group.
        if (an) removeNode(an);
        if (!sameName(oldName, user.name) && isOnline(oldName)) {
            online_.remove(oldName.toLower());
            online_.insert(user.name.toLower());
        }
        onUserAdded(user);
        return;
    }
    if (!sameName(oldName, user.name) && isOnline(oldName)) {
        online_.remove(oldName.toLower());
        online_.insert(user.name.toLower());
    }
    an->name = user.name;
    an->disabled = user.disabled != 0;
    emitChanged(an);
    resortChild(an);
}

void CAccountTreeModel::onUserDeleted(const QString& name) {
    if (Node* an = findAccount(name)) removeNode(an);
}

// ---- tree helpers --------------------------------------------------------------------------

CAccountTreeModel::Node* CAccountTreeModel::findGroup(const QString& name) const {
    for (const auto& g : root_->children)
        if (sameName(g->name, name)) return g.get();
    return nullptr;
}

CAccountTreeModel::Node* CAccountTreeModel::findAccount(const QString& name) const {
    for (const auto& g : root_->children)
        for (const auto& a : g->children)
            if (sameName(a->name, name)) return a.get();
    return nullptr;
}

QModelIndex CAccountTreeModel::indexOf(const Node* node) const {
    if (!node) return {};
    return createIndex(node->row(), 0, const_cast<Node*>(node));
}

int CAccountTreeModel::pictureFor(const Node* node) const {
    switch (node->kind) {
    case KindRoot: return PicServer;
    case KindGroup: return PicGroup;
    case KindAccount:
        if (isOnline(node->name)) return PicOnline;
        return node->disabled ? PicDisabled : PicOffline;
    }
    return PicServer;
}

void CAccountTreeModel::insertSorted(Node* parent, std::unique_ptr<Node> child) {
    auto& kids = parent->children;
    const auto pos = std::upper_bound(kids.begin(), kids.end(), child->name,
                                      [](const QString& n, const auto& k) { return sortsBefore(n, k->name); });
    const int row = int(pos - kids.begin());
    child->parent = parent;
    beginInsertRows(indexOf(parent), row, row);
    kids.insert(kids.begin() + row, std::move(child));
    endInsertRows();
    if (parent->kind == KindGroup) emitChanged(parent);
}

void CAccountTreeModel::removeNode(Node* node) {
    Node* parent = node->parent;
    if (!parent) return;
    const int row = node->row();
    beginRemoveRows(indexOf(parent), row, row);
    parent->children.erase(parent->children.begin() + row);
    endRemoveRows();
    if (parent->kind == KindGroup) emitChanged(parent);
}

void CAccountTreeModel::resortChild(Node* node) {
    Node* parent = node->parent;
    if (!parent) return;
    const int row = node->row();
    int target = 0;  // position among the siblings other than the node
    for (const auto& k : parent->children)
        if (k.get() != node && sortsBefore(k->name, node->name)) ++target;
    if (target == row) return;
    const QModelIndex pi = indexOf(parent);
    beginMoveRows(pi, row, row, pi, target > row ? target + 1 : target);
    std::unique_ptr<Node> taken = std::move(parent->children[size_t(row)]);
    parent->children.erase(parent->children.begin() + row);
    parent->children.insert(parent->children.begin() + target, std::move(taken));
    endMoveRows();
}

void CAccountTreeModel::syncAccounts(Node* gn, const CUserGroup& group) {
    // Drop accounts the group no longer holds.
    for (size_t i = gn->children.size(); i-- > 0;) {
        Node* a = gn->children[i].get();
        const bool kept = std::any_of(group.users.begin(), group.users.end(),
                                      [&](const CUser& u) { return sameName(u.name, a->name); });
        if (!kept) removeNode(a);
    }
    for (const CUser& u : group.users) {
        CUser copy = u;
        copy.group = gn->name;
        onUserAdded(copy);
    }
}

void CAccountTreeModel::emitChanged(const Node* node) {
    const QModelIndex i = indexOf(node);
    Q_EMIT dataChanged(i, i);
}

// ---- index lookups -------------------------------------------------------------------------

QModelIndex CAccountTreeModel::rootIndex() const { return indexOf(root_.get()); }
QModelIndex CAccountTreeModel::groupIndex(const QString& name) const { return indexOf(findGroup(name)); }
QModelIndex CAccountTreeModel::accountIndex(const QString& name) const {
    return indexOf(findAccount(name));
}

CAccountTreeModel::Kind CAccountTreeModel::kindOf(const QModelIndex& index) {
    return Kind(index.data(KindRole).toInt());
}

QString CAccountTreeModel::nameOf(const QModelIndex& index) { return index.data(NameRole).toString(); }
int CAccountTreeModel::pictureOf(const QModelIndex& index) { return index.data(PictureRole).toInt(); }
QString CAccountTreeModel::groupOf(const QModelIndex& index) { return index.data(GroupRole).toString(); }

// ---- QAbstractItemModel --------------------------------------------------------------------

QModelIndex CAccountTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) return row == 0 ? createIndex(0, 0, root_.get()) : QModelIndex();
    const Node* p = static_cast<const Node*>(parent.internalPointer());
    if (row >= int(p->children.size())) return {};
    return createIndex(row, 0, p->children[size_t(row)].get());
}

QModelIndex CAccountTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    const Node* n = static_cast<const Node*>(child.internalPointer());
    return n->parent ? indexOf(n->parent) : QModelIndex();
}

int CAccountTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return 1;
    if (parent.column() != 0) return 0;
    return int(static_cast<const Node*>(parent.internalPointer())->children.size());
}

int CAccountTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant CAccountTreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Node* n = static_cast<const Node*>(index.internalPointer());
    switch (role) {
    case Qt::DisplayRole: return n->label();
    case KindRole: return int(n->kind);
    case PictureRole: return pictureFor(n);
    case NameRole: return n->name;
    case GroupRole:
        if (n->kind == KindGroup) return n->name;
        if (n->kind == KindAccount) return n->parent->name;
        return QString();
    default: return {};
    }
}

Qt::ItemFlags CAccountTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace lum
