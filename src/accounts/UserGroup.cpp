#include "accounts/UserGroup.h"

#include "core/Archive.h"

namespace lum {

void CUserGroup::write(ArchiveWriter& ar) const {
    ar.writeText(name);
    ar.writeText(homeDirectory);
    ar.writeText(currentPlaylist);
    ar.writeText(autoPlaylist);
    ar.writeInt32(autoPlay);
    ar.writeInt32(autoRss);
    ar.writeText(tickerFile);
    ar.writeText(osdSettings);
    ar.writeCount(quint32(users.size()));
    for (const CUser& u : users) u.write(ar);
}

bool CUserGroup::read(ArchiveReader& ar) {
    quint32 count = 0;
    if (!(ar.readText(name) && ar.readText(homeDirectory) && ar.readText(currentPlaylist) &&
          ar.readText(autoPlaylist) && ar.readInt32(autoPlay) && ar.readInt32(autoRss) &&
          ar.readText(tickerFile) && ar.readText(osdSettings) && ar.readCount(count)))
        return false;
    users.clear();
    // The count comes from the file: never reserve by it, each record proves itself.
    for (quint32 i = 0; i < count; ++i) {
        CUser u;
        if (!u.read(ar)) return false;
        users.append(std::move(u));
    }
    return true;
}

bool isValidGroupName(const QString& name) {
    if (name.isEmpty() || name != name.trimmed() || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

bool CUserGroup::isHome() const {
    return name.compare(QLatin1String(kHomeGroupName), Qt::CaseInsensitive) == 0;
}

}  // namespace lum
