#pragma once
// "Account Management": a modeless dialog with a choice page ("User Group" / "User Account"),
// a list page with New, Edit and Delete, and the group and account pages. What the pages do
// with the operator's input is decided by the account rules; the tree follows the store.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

namespace lum {

class CUserStore;
class IOperatorPrompt;

class CAccountManagementDialog : public QDialog {
    Q_OBJECT
public:
    enum Page { ChoicePage = 0, ListPage, GroupPage, AccountPage };

    CAccountManagementDialog(CUserStore& store, IOperatorPrompt& prompt, QWidget* parent = nullptr);

    void showChoice();
    void showGroupList();
    void showAccountList();
    void showNewGroup();
    void showEditGroup(const QString& name);
    void showNewAccount(const QString& group);
    void showEditAccount(const QString& name);

    Page currentPage() const;
    bool listShowsGroups() const { return listGroups_; }

    // The list page's buttons (selection by row of the list).
    void listNew();
    void listEdit();
    void listDelete();
    // The group and account pages' OK.
    bool applyGroupPage();
    bool applyAccountPage();

    QTreeWidget* list() const { return list_; }
    QLineEdit* groupNameEdit() const { return groupName_; }
    QLineEdit* autoPlaylistEdit() const { return autoPlaylist_; }
    QCheckBox* autoPlayCheck() const { return autoPlay_; }
    QLineEdit* accountNameEdit() const { return accountName_; }
    QLineEdit* passwordEdit() const { return password_; }
    QComboBox* groupCombo() const { return groupCombo_; }
    QLineEdit* descriptionEdit() const { return description_; }
    QCheckBox* disabledCheck() const { return disabled_; }

    void refreshList();

private:
    QWidget* buildChoicePage();
    QWidget* buildListPage();
    QWidget* buildGroupPage();
    QWidget* buildAccountPage();
    bool openedFromList() const;
    void leavePage();  // back to the list when it was open, else close
    void showPage(Page page);

    CUserStore& store_;
    IOperatorPrompt& prompt_;
    QStackedWidget* pages_ = nullptr;
    QRadioButton* choiceGroups_ = nullptr;
    QTreeWidget* list_ = nullptr;
    bool listGroups_ = true;
    bool cameFromList_ = false;

    QString editedGroup_;  // old name of the edited group; empty for a new one
    QLineEdit* groupName_ = nullptr;
    QLineEdit* autoPlaylist_ = nullptr;
    QCheckBox* autoPlay_ = nullptr;

    QString editedAccount_;  // old name of the edited account; empty for a new one
    QLineEdit* accountName_ = nullptr;
    QLineEdit* password_ = nullptr;
    QComboBox* groupCombo_ = nullptr;
    QLineEdit* description_ = nullptr;
    QCheckBox* disabled_ = nullptr;
};

}  // namespace lum
