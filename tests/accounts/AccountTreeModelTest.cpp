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
    EXPECT_EQ(root.data().toString(), QStringLiteral("Server"));
    EXPECT_EQ(CAccountTreeModel::pictureOf(root), CAccountTreeModel::PicServer);
    EXPECT_EQ(groupLabels(), QStringList{QStringLiteral("Home(0)")});
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Home"))).isDir());
    EXPECT_TRUE(QFileInfo::exists(store->filePath()));
    EXPECT_EQ(starter, QDir(dir.path()).filePath(QStringLiteral("Home/AutoPlaylist.mpl")));
    CUserGroup home;
    ASSERT_TRUE(store->FindGroup(QStringLiteral("home"), &home));
    EXPECT_EQ(home.autoPlaylist, starter);

    // A second fill neither adds another Home nor another node.
    model->FillTree();
    settle();
    EXPECT_EQ(groupLabels(), QStringList{QStringLiteral("Home(0)")});
    EXPECT_EQ(store->Groups().size(), 1);
}

TEST_F(AccountTree, LabelsCountAccountsAndChildrenAreSortedIgnoringCase) {
    addGroup(QStringLiteral("beta"));
    addGroup(QStringLiteral("Alpha"));
    addUser(QStringLiteral("zed"), QStringLiteral("Alpha"));
    addUser(QStringLiteral("Bob"), QStringLiteral("alpha"));
    addUser(QStringLiteral("amy"), QStringLiteral("Alpha"), true);
    store->FindUser(QStringLiteral("walk-in"), nullptr, nullptr, 0);  // not created
    model->FillTree();
    settle();
    EXPECT_EQ(groupLabels(), QStringList({QStringLiteral("Alpha(3)"), QStringLiteral("beta(0)"),
                                          QStringLiteral("Home(0)")}));
    const QModelIndex alpha = model->groupIndex(QStringLiteral("ALPHA"));
    EXPECT_EQ(childLabels(alpha),
              QStringList({QStringLiteral("amy"), QStringLiteral("Bob"), QStringLiteral("zed")}));
    EXPECT_EQ(CAccountTreeModel::kindOf(alpha), CAccountTreeModel::KindGroup);
    EXPECT_EQ(CAccountTreeModel::nameOf(alpha), QStringLiteral("Alpha"));
    EXPECT_EQ(CAccountTreeModel::pictureOf(alpha), CAccountTreeModel::PicGroup);
    EXPECT_EQ(CAccountTreeModel::groupOf(model->accountIndex(QStringLiteral("BOB"))),
              QStringLiteral("Alpha"));
    EXPECT_EQ(picture(QStringLiteral("amy")), CAccountTreeModel::PicDisabled);
    EXPECT_EQ(picture(QStringLiteral("zed")), CAccountTreeModel::PicOffline);
}

TEST_F(AccountTree, FollowsTheStoresChanges) {
    model->FillTree();
    settle();
    addGroup(QStringLiteral("Lobby"));
    settle();
    EXPECT_EQ(groupLabels(), QStringList({QStringLiteral("Home(0)"), QStringLiteral("Lobby(0)")}));

    // A player registering itself at login is listed under Home at once.
    CUser created;
    ASSERT_EQ(store->FindUser(QStringLiteral("p2"), nullptr, &created, 1), 1);
    addUser(QStringLiteral("p1"), QStringLiteral("Home"));
    settle();
    EXPECT_EQ(childLabels(model->groupIndex(QStringLiteral("Home"))),
              QStringList({QStringLiteral("p1"), QStringLiteral("p2")}));
    EXPECT_EQ(groupLabels().first(), QStringLiteral("Home(2)"));

    // Renamed in place: re-sorted within its group.
    CUser u = created;
    u.name = QStringLiteral("a0");
    ASSERT_EQ(store->UpdateUser(QStringLiteral("p2"), u), 1);
    settle();
    EXPECT_EQ(childLabels(model->groupIndex(QStringLiteral("Home"))),
              QStringList({QStringLiteral("a0"), QStringLiteral("p1")}));

    // Moved: both groups relabelled.
    u.group = QStringLiteral("Lobby");
    ASSERT_EQ(store->UpdateUser(QStringLiteral("a0"), u), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList({QStringLiteral("Home(1)"), QStringLiteral("Lobby(1)")}));
    EXPECT_EQ(CAccountTreeModel::groupOf(model->accountIndex(QStringLiteral("a0"))),
              QStringLiteral("Lobby"));

    // Deleting the last account of a group gives the count 0.
    ASSERT_EQ(store->DeleteUser(QStringLiteral("A0")), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList({QStringLiteral("Home(1)"), QStringLiteral("Lobby(0)")}));
    EXPECT_FALSE(model->accountIndex(QStringLiteral("a0")).isValid());

    // Group renamed (sorted again) and deleted.
    CUserGroup lobby;
    ASSERT_TRUE(store->FindGroup(QStringLiteral("Lobby"), &lobby));
    lobby.name = QStringLiteral("Atrium");
    ASSERT_EQ(store->UpdateGroup(QStringLiteral("Lobby"), lobby), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList({QStringLiteral("Atrium(0)"), QStringLiteral("Home(1)")}));
    ASSERT_EQ(store->DeleteGroup(QStringLiteral("Atrium")), 1);
    settle();
    EXPECT_EQ(groupLabels(), QStringList{QStringLiteral("Home(1)")});
}

TEST_F(AccountTree, OnlinePictureSurvivesEditsAndFollowsLogout) {
    model->FillTree();
    addUser(QStringLiteral("p1"), QStringLiteral("Home"));
    settle();
    model->SetClientOnline(QStringLiteral("P1"), true);
    EXPECT_EQ(picture(QStringLiteral("p1")), CAccountTreeModel::PicOnline);

    CUser u;
    ASSERT_TRUE(store->FindUser(QStringLiteral("p1"), nullptr, &u, 0));
    u.description = QStringLiteral("lobby screen");
    u.disabled = 1;
    ASSERT_EQ(store->UpdateUser(QStringLiteral("p1"), u), 1);
    settle();
    EXPECT_EQ(picture(QStringLiteral("p1")), CAccountTreeModel::PicOnline);

    // A renamed account keeps its online state.
    u.name = QStringLiteral("p9");
    ASSERT_EQ(store->UpdateUser(QStringLiteral("p1"), u), 1);
    settle();
    EXPECT_EQ(picture(QStringLiteral("p9")), CAccountTreeModel::PicOnline);

    model->SetClientOnline(QStringLiteral("p9"), false);
    EXPECT_EQ(picture(QStringLiteral("p9")), CAccountTreeModel::PicDisabled);
    u.disabled = 0;
    ASSERT_EQ(store->UpdateUser(QStringLiteral("p9"), u), 1);
    settle();
    EXPECT_EQ(picture(QStringLiteral("p9")), CAccountTreeModel::PicOffline);

    // The online state also survives a refill (a restore reloads the store).
    model->SetClientOnline(QStringLiteral("p9"), true);
    model->FillTree();
    EXPECT_EQ(picture(QStringLiteral("p9")), CAccountTreeModel::PicOnline);
}
