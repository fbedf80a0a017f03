// Change announcements: emitted on the store's thread, after the lock is released.
#include "accounts/UserStore.h"

#include "common/TestSupport.h"

#include <QThread>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

using namespace lum;

namespace {

CUserGroup group(const QString& name) {
    CUserGroup g;
    g.name = name;
    return g;
}

TEST(StoreSignalsTest, RegistrationOnAConnectionThreadNeverWaitsForTheStoreThread) {
    QTemporaryDir dir;
    CUserStore store(dir.path());
    ASSERT_EQ(store.AddGroup(group("Home")), 1);
    QCoreApplication::processEvents();

    // A listener on a third thread that reads the store while the emitter waits for it: if the
    // store emitted under its lock this would deadlock.
    QThread worker;
    worker.start();
    QObject receiver;
    receiver.moveToThread(&worker);
    std::atomic<int> seenGroups{-1};
    QObject::connect(
        &store, &CUserStore::userAdded, &receiver,
        [&](const CUser& user) {
            CUserGroup g;
            if (store.FindGroup(user.group, &g)) seenGroups = int(g.users.size());
        },
        Qt::BlockingQueuedConnection);

    QThread* emittedOn = nullptr;
    QString addedName;
    QObject::connect(&store, &CUserStore::userAdded, &store, [&](const CUser& user) {
        emittedOn = QThread::currentThread();
        addedName = user.name;
    }, Qt::DirectConnection);

    // The "connection thread" returns without the main thread turning its event loop; a
    // synchronous call into the store's thread would never come back from join().
    CUser registered;
    std::thread connection([&] { store.FindUser("player7", nullptr, &registered, 1); });
    connection.join();
    EXPECT_EQ(registered.group, "Home");
    EXPECT_TRUE(addedName.isEmpty());  // not yet: delivery is queued

    EXPECT_TRUE(lumtest::waitUntil([&] { return seenGroups.load() >= 0; }));
    EXPECT_EQ(seenGroups.load(), 1);
    EXPECT_EQ(addedName, "player7");
    EXPECT_EQ(emittedOn, store.thread());

    worker.quit();
    worker.wait();
}

TEST(StoreSignalsTest, EachChangeIsAnnouncedOnceAfterTheOutermostLock) {
    QTemporaryDir dir;
    CUserStore store(dir.path());
    QStringList events;
    QObject::connect(&store, &CUserStore::groupAdded, &store,
                     [&](const CUserGroup& g) { events << "group+" + g.name; });
    QObject::connect(&store, &CUserStore::groupUpdated, &store,
                     [&](const QString& old, const CUserGroup& g) { events << "group~" + old + ">" + g.name; });
    QObject::connect(&store, &CUserStore::groupDeleted, &store,
                     [&](const QString& name) { events << "group-" + name; });
    QObject::connect(&store, &CUserStore::userAdded, &store,
                     [&](const CUser& u) { events << "user+" + u.name; });
    QObject::connect(&store, &CUserStore::userUpdated, &store,
                     [&](const QString& old, const CUser& u) { events << "user~" + old + ">" + u.name; });
    QObject::connect(&store, &CUserStore::userDeleted, &store,
                     [&](const QString& name, const QString& g) { events << "user-" + name + "@" + g; });

    store.Lock();
    store.AddGroup(group("Home"));
    store.AddGroup(group("Shop"));
    store.FindUser("p1", nullptr, nullptr, 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(events.isEmpty());  // nothing leaves while the caller holds the lock
    store.Unlock();
    QCoreApplication::processEvents();

    CUserGroup shop;
    ASSERT_EQ(store.FindGroup("Shop", &shop), 1);
    shop.name = "Mall";
    store.UpdateGroup("Shop", shop);
    CUser p1;
    store.FindUser("p1", nullptr, &p1, 0);
    p1.name = "p2";
    store.UpdateUser("p1", p1);
    store.DeleteUser("P2");
    store.DeleteGroup("mall");
    store.AddGroup(group("Home"));  // refused: no announcement
    QCoreApplication::processEvents();

    EXPECT_EQ(events, QStringList({"group+Home", "group+Shop", "user+p1", "group~Shop>Mall",
                                   "user~p1>p2", "user-p2@Home", "group-Mall"}));
}

}  // namespace
