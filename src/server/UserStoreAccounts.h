#pragma once
// The account store as the control server sees it.

#include "server/ServerInterfaces.h"

namespace lum {

class CUserStore;

class UserStoreAccounts : public IPlayerAccounts {
public:
    explicit UserStoreAccounts(CUserStore& store) : store_(store) {}
    bool FindUser(const QString& name, bool create, PlayerGroupInfo* group,
                  PlayerAccountInfo* account, bool* created) override;

private:
    CUserStore& store_;
};

}  // namespace lum
