#include "console/ConsoleModels.h"

#include "accounts/UserStore.h"

namespace lum {

CConsoleModels::CConsoleModels(CUserStore& store, COnlineModel& online, QObject* parent)
    : QObject(parent), store_(store), online_(online), tree_(store), log_() {
    // Who is online shows in the tree.
    connect(&online_, &COnlineModel::playerOnlineChanged, &tree_, &CAccountTreeModel::SetClientOnline);
}

}  // namespace lum
