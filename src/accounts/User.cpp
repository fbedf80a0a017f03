#include "accounts/User.h"

#include "core/Archive.h"

namespace lum {

void CUser::write(ArchiveWriter& ar) const {
    ar.writeText(name);
    ar.writeText(password);
    ar.writeText(group);
    ar.writeText(description);
    ar.writeInt32(disabled);
}

bool CUser::read(ArchiveReader& ar) {
    return ar.readText(name) && ar.readText(password) && ar.readText(group) &&
           ar.readText(description) && ar.readInt32(disabled);
}

}  // namespace lum
