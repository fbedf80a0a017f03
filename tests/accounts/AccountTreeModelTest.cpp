#include "accounts/AccountTreeModel.h"
#include "accounts/UserStore.h"

#include "common/TestSupport.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lum;

namespace {

class AccountTree : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        store = std::make_unique<CUserStore>(dir.path());
        model = std::make_unique<CAccountTreeModel>(*store);
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }

    // Store announcements arrive queued; let them reach the model.
    void settle() { QCoreApplication::processEvents(); QCoreApplication::processEvents(); }

    QStringList childLabels(const QModelIndex& parent) const {
        QStringList out;
        for (int r = 0; r < model->rowCount(parent); ++r)
            out << model->index(r, 0, parent).data().toString();
        return out;
    }
    QStringList groupLabels() const { return childLabels(model->rootIndex()); }

    void addGroup(const QString& name) {
        CUserGroup g;
        g.name = name;
        ASSERT_EQ(store->AddGroup(g), 1);
    }
    void addUser(const QString& name, const QString& group, bool disabled = false) {
        CUser u;
        u.name = name;
        u.group = group;
        u.disabled = disabled ? 1 : 0;
        ASSERT_EQ(store->AddUser(u), 1);
    }
    int picture(const QString& account) const {
        return CAccountTreeModel::pictureOf(model->accountIndex(account));
    }

    QTemporaryDir dir;
    std::unique_ptr<CUserStore> store;
    std::unique_ptr<CAccountTreeModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

}  // namespace

TEST_F(AccountTree, FirstFillCreatesTheHomeGroupAndItsFolder) {
    QString starter;
    model->setStarterPlaylistWriter([&](const QString& path) { starter = path; });
    model->FillTree();
    settle();
    ASSERT_EQ(model->rowCount(), 1);
    const QModelIndex root = model->rootIndex();
    EXPECT_EQ(root.data().toString(), "Server");
    EXPECT_EQ(CAccountTreeModel::pictureOf(root), CAccountTreeModel::PicServer);
    EXPECT_EQ(groupLabels(), QStringList{"Home(0)"});
    EXPECT_TRUE(QFileInfo(dir.filePath("Home")).isDir());
    EXPECT_TRUE(QFileInfo::exists(store->filePath()));
    EXPECT_EQ(starter, QDir(dir.path()).filePath("Home/AutoPlaylist.mpl"));
    CUserGroup home;
    ASSERT_TRUE(store->FindGroup("home", &home));
    EXPECT_EQ(home.autoPlaylist, starter);

    // A second fill neither adds another Home nor another node.
    model->FillTree();
    settle();
    EXPECT_EQ(groupLabels(), QStringList{"Home(0)"});
    EXPECT_EQ(store->Groups().size(), 1);
}

TEST_F(AccountTree, LabelsCountAccountsAndChildrenAreSortedIgnoringCase) {
    addGroup("beta");
    addGroup("Alpha");
    addUser("zed", "Alpha");
    addUser("Bob", "alpha");
    addUser("amy", "Alpha", true);
    store->FindUser("walk-in", nullptr, nullptr, 0);  // not created
    model->FillTree();
    settle();
    EXPECT_EQ(groupLabels(), QStringList({"Alpha(3)", "beta(0)", "Home(0)"}));
    const QModelIndex alpha = model->groupIndex("ALPHA");
    EXPECT_EQ(childLabels(alpha), QStringList({"amy", "Bob", "zed"}));
    EXPECT_EQ(CAccountTreeModel::nameOf(alpha), "Alpha");  // the stored spelling, not the asked one
    EXPECT_EQ(CAccountTreeModel::groupOf(model->accountIndex("BOB")), "Alpha");
    EXPECT_EQ(picture("amy"), CAccountTreeModel::PicDisabled);
    EXPECT_EQ(picture("zed"), CAccountTreeModel::PicOffline);
}

TEST_F(AccountTree, FollowsTheStoresChanges) {
    model->FillTree();
    settle();
    addGroup("Lobby");
    settle();
    EXPECT_EQ(groupLabels(), QStringList({"Home(0)", "Lobby(0)"}));

    // A player registering itself at login is listed under Home at once.
    CUser created;
    ASSERT_EQ(store->FindUser("p2", nullptr, &created, 1), 1);
    addUser("p1", "Home");
    settle();
    EXPECT_EQ(childLabels(model->groupIndex("Home")), QStringList({"p1", "p2"}));
    EXPECT_EQ(groupLabels().first(), "Home(2)");

    // Renamed in place: re-sorted within its group.
    CUser u = created;
    u.name = "a0";
    ASSERT_EQ(store->UpdateUser("p2", u), 1);
    settle();
    EXPECT_EQ(childLabels(model->groupIndex("Home")), QStringList({"a0", "p1"}));

    // Moved: both groups relabelled.
    u.group = "Lobby";
    ASSERT_EQ(store->UpdateUser("a0", u), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList({"Home(1)", "Lobby(1)"}));
    EXPECT_EQ(CAccountTreeModel::groupOf(model->accountIndex("a0")), "Lobby");

    // Deleting the last account of a group gives the count 0.
    ASSERT_EQ(store->DeleteUser("A0"), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList({"Home(1)", "Lobby(0)"}));
    EXPECT_FALSE(model->accountIndex("a0").isValid());

    // Group renamed (sorted again) and deleted.
    CUserGroup lobby;
    ASSERT_TRUE(store->FindGroup("Lobby", &lobby));
    lobby.name = "Atrium";
    ASSERT_EQ(store->UpdateGroup("Lobby", lobby), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList({"Atrium(0)", "Home(1)"}));
    ASSERT_EQ(store->DeleteGroup("Atrium"), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList{"Home(1)"});
}

TEST_F(AccountTree, OnlinePictureSurvivesEditsAndFollowsLogout) {
    model->FillTree();
    addUser("p1", "Home");
    settle();
    model->SetClientOnline("P1", true);
    EXPECT_EQ(picture("p1"), CAccountTreeModel::PicOnline);

    CUser u;
    ASSERT_TRUE(store->FindUser("p1", nullptr, &u, 0));
    u.description = "lobby screen";
    u.disabled = 1;
    ASSERT_EQ(store->UpdateUser("p1", u), 1);
    settle();
    EXPECT_EQ(picture("p1"), CAccountTreeModel::PicOnline);

    // A renamed account keeps its online state.
    u.name = "p9";
    ASSERT_EQ(store->UpdateUser("p1", u), 1);
    settle();
    EXPECT_EQ(picture("p9"), CAccountTreeModel::PicOnline);

    model->SetClientOnline("p9", false);
    EXPECT_EQ(picture("p9"), CAccountTreeModel::PicDisabled);
    u.disabled = 0;
    ASSERT_EQ(store->UpdateUser("p9", u), 1);
    settle();
    EXPECT_EQ(picture("p9"), CAccountTreeModel::PicOffline);

    // The online state also survives a refill (a restore reloads the store).
    model->SetClientOnline("p9", true);
    model->FillTree();
    EXPECT_EQ(picture("p9"), CAccountTreeModel::PicOnline);
}

