#include "media/RssAccounts.h"

namespace lum {

RssGroupSource rssGroupsOf(const CUserStore& store) {
    const CUserStore* s = &store;
    return [s] {
        QList<RssGroupInfo> out;
        for (const CUserGroup& g : s->Groups()) out << RssGroupInfo{g.name, s->homeDirectoryFor(g.name)};
        return out;
    };
}

void connectRssGroupUpkeep(CUserStore& store, CRssThread& rss) {
    CRssThread* r = &rss;
    QObject::connect(&store, &CUserStore::groupAdded, r,
                     [r](const CUserGroup& g) { r->addGroupElement(g.name); });
    QObject::connect(&store, &CUserStore::groupUpdated, r,
                     [r](const QString& oldName, const CUserGroup& g) {
                         if (oldName != g.name) r->renameGroupElement(oldName, g.name);
                     });
    QObject::connect(&store, &CUserStore::groupDeleted, r,
                     [r](const QString& name) { r->removeGroupElement(name); });
}

}  // namespace lum
