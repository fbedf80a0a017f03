#pragma once
// A control server on an ephemeral port over a temporary program folder with a "Home" group.

#include "ServerTestSupport.h"
#include "server/ControlServer.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <memory>
#include <mutex>

namespace lumtest {

// Accounts kept in memory, with the store's lookup rules (names without regard to case,
// unknown names registered in "Home").
class MemoryAccounts : public lum::IPlayerAccounts {
public:
    void addGroup(const lum::PlayerGroupInfo& g) {
        std::lock_guard l(lock_);
        groups_.push_back(g);
    }
    void addUser(const lum::PlayerAccountInfo& a) {
        std::lock_guard l(lock_);
        users_.push_back(a);
    }
    void updateGroup(const lum::PlayerGroupInfo& g) {
        std::lock_guard l(lock_);
        for (auto& x : groups_)
            if (x.name.compare(g.name, Qt::CaseInsensitive) == 0) x = g;
    }
    bool hasUser(const QString& name) const {
        std::lock_guard l(lock_);
        for (const auto& u : users_)
            if (u.name.compare(name, Qt::CaseInsensitive) == 0) return true;
        return false;
    }
    bool FindUser(const QString& name, bool create, lum::PlayerGroupInfo* group,
                  lum::PlayerAccountInfo* account, bool* created) override {
        std::lock_guard l(lock_);
        for (const auto& u : users_) {
            if (u.name.compare(name, Qt::CaseInsensitive) != 0) continue;
            for (const auto& g : groups_)
                if (g.name.compare(u.group, Qt::CaseInsensitive) == 0) *group = g;
            *account = u;
            return true;
        }
        if (!create) return false;
        lum::PlayerAccountInfo a;
        a.name = name;
        a.group = QStringLiteral("Home");
        users_.push_back(a);
        for (const auto& g : groups_)
            if (g.name == QLatin1String("Home")) *group = g;
        *account = a;
        if (created) *created = true;
        return true;
    }

private:
    mutable std::mutex lock_;
    std::vector<lum::PlayerGroupInfo> groups_;
    std::vector<lum::PlayerAccountInfo> users_;
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
        server = std::make_unique<lum::CControlServer>(&accounts, &sink);
        server->SetPort(0);
        server->SetMaxUsers(100);
        server->SetWelcome(QString());
        server->SetGoodbye(QString());
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
    MemoryAccounts accounts;
    CollectingSink sink;
    RecordingObserver observer;
    std::unique_ptr<lum::CControlServer> server;
    quint16 port = 0;
};

}  // namespace lumtest
