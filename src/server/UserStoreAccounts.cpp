#include "server/UserStoreAccounts.h"

#include "accounts/UserStore.h"

namespace lum {

bool UserStoreAccounts::FindUser(const QString& name, bool create, PlayerGroupInfo* group,
                                 PlayerAccountInfo* account, bool* created) {
    CUserGroup g;
    CUser u;
    // The lock makes "not there yet" and the registration one step.
    store_.Lock();
    const bool existed = store_.FindUser(name, &g, &u, 0) != 0;
    const bool found = existed || (create && store_.FindUser(name, &g, &u, 1) != 0);
    store_.Unlock();
    if (!found) return false;
    if (created) *created = !existed;
    if (group) {
        group->name = g.name;
        group->homeDirectory = g.homeDirectory;
        group->currentPlaylist = g.currentPlaylist;
        group->autoPlaylist = g.autoPlaylist;
        group->autoPlay = g.autoPlay != 0;
    }
    if (account) {
        account->name = u.name;
        account->password = u.password;
        account->group = u.group;
        account->disabled = u.disabled != 0;
    }
    return true;
}

}  // namespace lum
