// users.dat (the object archive): any bytes parse without reading past the end; what parses
// writes back to the same bytes' meaning.
#include "FuzzSupport.h"
#include "accounts/UserStore.h"

using namespace lum;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumfuzz::ensureApp();
    QList<CUserGroup> groups;
    const bool complete = CUserStore::Parse(lumfuzz::bytesOf(data, size), &groups);
    const QByteArray again = CUserStore::Serialize(groups);
    QList<CUserGroup> reread;
    // What was kept, complete or not, is a valid store.
    LUM_FUZZ_CHECK(CUserStore::Parse(again, &reread));
    LUM_FUZZ_CHECK(reread.size() == groups.size());
    LUM_FUZZ_CHECK(lumfuzz::sameBytes(again, CUserStore::Serialize(reread)));
    (void)complete;
    return 0;
}
