#pragma once
// The windowed console's pane models beside the core's online list: the account tree and the
// log lists, wired to the account store and the online list. Tests drive them directly.

#include "accounts/AccountTreeModel.h"
#include "console/LogModel.h"
#include "console/OnlineModel.h"

#include <QObject>

namespace lum {

class CUserStore;

class CConsoleModels : public QObject {
    Q_OBJECT
public:
    CConsoleModels(CUserStore& store, COnlineModel& online, QObject* parent = nullptr);

    CUserStore& store() { return store_; }
    CAccountTreeModel& tree() { return tree_; }
    COnlineModel& online() { return online_; }
    CLogLists& log() { return log_; }

private:
    CUserStore& store_;
    COnlineModel& online_;
    CAccountTreeModel tree_;
    CLogLists log_;
};

}  // namespace lum
