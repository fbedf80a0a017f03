#pragma once
// Ties the ticker worker to the account store: the groups whose tickers are built, and the
// group element upkeep when groups are added, renamed or deleted.

#include "accounts/UserStore.h"
#include "media/RssThread.h"

namespace lum {

// The store's groups (name and home directory), read at each call.
RssGroupSource rssGroupsOf(const CUserStore& store);

// Keeps the configuration's group elements in step with the store's announcements. The
// connections live as long as both objects.
void connectRssGroupUpkeep(CUserStore& store, CRssThread& rss);

}  // namespace lum
