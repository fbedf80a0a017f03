#pragma once
// The console's panes as models, wired to each other and to the account store: the account
// tree, the online list and the log lists. The windowed console puts views on them; tests drive
// them directly.

#include "accounts/AccountTreeModel.h"
#include "console/LogModel.h"
#include "console/OnlineModel.h"

#include <QObject>

namespace lum {

class CUserStore;
class IOperatorPrompt;

class CConsoleModels : public QObject {
    Q_OBJECT
public:
    CConsoleModels(CUserStore& store, IOperatorPrompt& prompt, QObject* parent = nullptr);

    CUserStore& store() { return store_; }
    CAccountTreeModel& tree() { return tree_; }
    COnlineModel& online() { return online_; }
    CLogLists& log() { return log_; }

private:
    CUserStore& store_;
    CAccountTreeModel tree_;
    COnlineModel online_;
    CLogLists log_;
};

}  // namespace lum
