#include "console/ConsoleModels.h"

#include "accounts/UserStore.h"

namespace lum {

CConsoleModels::CConsoleModels(CUserStore& store, IOperatorPrompt& prompt, QObject* parent)
    : QObject(parent), store_(store), tree_(store), online_(store, prompt), log_() {
    // Who is online shows in the tree.
    connect(&online_, &COnlineModel::playerOnlineChanged, &tree_, &CAccountTreeModel::SetClientOnline);

    // Account and group edits reach the online records, wherever they were made.
    connect(&store_, &CUserStore::userUpdated, this, [this](const QString& oldName, const CUser& u) {
        if (oldName != u.name)
            online_.RenameClient(oldName, u.name);
        online_.MoveClient(u.name, u.group);
        online_.UpdateClientInfo(u);
    });
    connect(&store_, &CUserStore::userDeleted, this,
            [this](const QString& name, const QString&) { online_.RemoveClient(name); });
    connect(&store_, &CUserStore::groupUpdated, this, [this](const QString& oldName, const CUserGroup& g) {
        if (oldName != g.name) online_.RenameGroup(oldName, g.name);
        online_.RefreshGroups();
    });
    connect(&store_, &CUserStore::groupDeleted, this,
            [this](const QString& name) { online_.RemoveGroupRows(name); });
}

}  // namespace lum
