#pragma once
// A control server on an ephemeral port over a temporary program folder with a "Home" group.

#include "ServerTestSupport.h"
#include "accounts/UserStore.h"
#include "server/ControlServer.h"
#include "server/UserStoreAccounts.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>
#include <mutex>

namespace lumtest {

// The real account store in the test's program folder, with helpers in the server's terms.
class TestAccounts {
public:
    explicit TestAccounts(const QString& programFolder) : store(programFolder), accounts(store) {}
    void addGroup(const lum::PlayerGroupInfo& g) {
        lum::CUserGroup group;
        group.name = g.name;
        group.currentPlaylist = g.currentPlaylist;
        group.autoPlaylist = g.autoPlaylist;
        group.autoPlay = g.autoPlay ? 1 : 0;
        store.AddGroup(group);
    }
    void updateGroup(const lum::PlayerGroupInfo& g) {
        lum::CUserGroup group;
        ASSERT_TRUE(store.FindGroup(g.name, &group));
        group.currentPlaylist = g.currentPlaylist;
        group.autoPlaylist = g.autoPlaylist;
        group.autoPlay = g.autoPlay ? 1 : 0;
        ASSERT_TRUE(store.UpdateGroup(g.name, group));
    }
    void addUser(const lum::PlayerAccountInfo& a) {
        lum::CUser u;
        u.name = a.name;
        u.password = a.password;
        u.group = a.group;
        u.disabled = a.disabled ? 1 : 0;
        store.AddUser(u);
    }
    bool hasUser(const QString& name) { return store.FindUser(name, nullptr, nullptr, 0) != 0; }

    lum::CUserStore store;
    lum::UserStoreAccounts accounts;
};

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        home = dir.path() + QStringLiteral("/Home");
        QDir().mkpath(home);
        lum::PlayerGroupInfo g;
        g.name = QStringLiteral("Home");
        g.homeDirectory = home;
        g.autoPlay = true;
        accounts.addGroup(g);
        server = std::make_unique<lum::CControlServer>(&accounts.accounts, &sink);
        server->SetPort(0);
        server->SetMaxUsers(100);
        server->SetPassiveRange(randomPassiveStart(), 10);
        server->SetProgramFolder(dir.path());
        server->SetObserver(&observer);
        configure();
        ASSERT_TRUE(server->Start());
        port = server->ListeningPort();
    }
    void TearDown() override { server->Stop(); }
    // Settings a test wants before Start.
    virtual void configure() {}

    QString path(const QString& rel) const { return home + QLatin1Char('/') + rel; }

    QTemporaryDir dir;
    QString home;
    TestAccounts accounts{dir.path()};  // after `dir`: its folder is the program folder
    CollectingSink sink;
    RecordingObserver observer;
    std::unique_ptr<lum::CControlServer> server;
    quint16 port = 0;
};

}  // namespace lumtest
