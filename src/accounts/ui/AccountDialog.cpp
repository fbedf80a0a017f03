#include "accounts/ui/AccountDialog.h"

#include "accounts/AccountRules.h"
#include "accounts/AccountTexts.h"
#include "accounts/UserStore.h"
#include "accounts/ui/AccountViewTexts.h"
#include "widgets/UiTexts.h"
#include "core/OperatorPrompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lum {

namespace t = account_view_texts;

namespace {
QString L(const char* s) { return uiText(s); }
}  // namespace

CAccountManagementDialog::CAccountManagementDialog(CUserStore& store, IOperatorPrompt& prompt,
                                                   QWidget* parent)
    : QDialog(parent), store_(store), prompt_(prompt) {
    setWindowTitle(L(t::kDialogTitle));
    setModal(false);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(buildChoicePage());
    pages_->addWidget(buildListPage());
    pages_->addWidget(buildGroupPage());
    pages_->addWidget(buildAccountPage());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    resize(620, 360);

    // The list follows the store wherever the change came from.
    auto refresh = [this] {
        if (pages_->currentIndex() == ListPage) refreshList();
    };
    connect(&store_, &CUserStore::groupAdded, this, refresh);
    connect(&store_, &CUserStore::groupUpdated, this, refresh);
    connect(&store_, &CUserStore::groupDeleted, this, refresh);
    connect(&store_, &CUserStore::userAdded, this, refresh);
    connect(&store_, &CUserStore::userUpdated, this, refresh);
    connect(&store_, &CUserStore::userDeleted, this, refresh);
    connect(&store_, &CUserStore::storeReset, this, refresh);
}

QWidget* CAccountManagementDialog::buildChoicePage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    choiceGroups_ = new QRadioButton(L(t::kUserGroup));
    auto* accounts = new QRadioButton(L(t::kUserAccount));
    choiceGroups_->setChecked(true);
    v->addWidget(choiceGroups_);
    v->addWidget(accounts);
    v->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (choiceGroups_->isChecked()) showGroupList();
        else showAccountList();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    v->addWidget(buttons);
    return page;
}

QWidget* CAccountManagementDialog::buildListPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    list_ = new QTreeWidget;
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setSectionResizeMode(QHeaderView::Stretch);
    v->addWidget(list_);
    auto* h = new QHBoxLayout;
    auto* newB = new QPushButton(L(t::kNew));
    auto* editB = new QPushButton(L(t::kEdit));
    auto* delB = new QPushButton(L(t::kDelete));
    auto* backB = new QPushButton(QStringLiteral("<"));
    auto* closeB = new QPushButton(tr("Close"));
    h->addWidget(backB);
    h->addStretch();
    h->addWidget(newB);
    h->addWidget(editB);
    h->addWidget(delB);
    h->addWidget(closeB);
    v->addLayout(h);
    connect(newB, &QPushButton::clicked, this, &CAccountManagementDialog::listNew);
    connect(editB, &QPushButton::clicked, this, &CAccountManagementDialog::listEdit);
    connect(delB, &QPushButton::clicked, this, &CAccountManagementDialog::listDelete);
    connect(backB, &QPushButton::clicked, this, &CAccountManagementDialog::showChoice);
    connect(closeB, &QPushButton::clicked, this, &QDialog::hide);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { listEdit(); });
    return page;
}

QWidget* CAccountManagementDialog::buildGroupPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    groupName_ = new QLineEdit;
    autoPlaylist_ = new QLineEdit;
    autoPlaylist_->setAccessibleName(L(t::kAutoPlaylist));  // its label names the row, not it
    auto* browse = new QPushButton(L(t::kBrowse));
    browse->setMaximumWidth(32);
    auto* pl = new QHBoxLayout;
    pl->addWidget(autoPlaylist_);
    pl->addWidget(browse);
    autoPlay_ = new QCheckBox(L(t::kAutoPlay));
    form->addRow(L(t::kGroupName), groupName_);
    form->addRow(L(t::kAutoPlaylist), pl);
    form->addRow(QString(), autoPlay_);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getOpenFileName(this, L(t::kAutoPlaylist),
                                                       autoPlaylist_->text(), L(t::kPlaylistFilter));
        if (!f.isEmpty()) autoPlaylist_->setText(f);
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { applyGroupPage(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &CAccountManagementDialog::leavePage);
    auto* v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addStretch();
    v->addWidget(buttons);
    return page;
}

QWidget* CAccountManagementDialog::buildAccountPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    accountName_ = new QLineEdit;
    accountName_->setMaxLength(kMaxAccountNameLength);
    password_ = new QLineEdit;
    password_->setMaxLength(kMaxAccountPasswordLength);
    groupCombo_ = new QComboBox;
    description_ = new QLineEdit;
    description_->setMaxLength(kMaxAccountDescriptionLength);
    disabled_ = new QCheckBox(L(t::kDisableAccount));
    auto withHint = [](QWidget* w, const char* hint) {
        auto* h = new QHBoxLayout;
        h->addWidget(w);
        h->addWidget(new QLabel(L(hint)));
        return h;
    };
    form->addRow(L(t::kAccountName), withHint(accountName_, account_texts::kNameHint));
    form->addRow(L(t::kPassword), withHint(password_, account_texts::kPasswordHint));
    form->addRow(L(t::kGroup), groupCombo_);
    form->addRow(L(t::kDescription), description_);
    form->addRow(QString(), disabled_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { applyAccountPage(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &CAccountManagementDialog::leavePage);
    auto* v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addStretch();
    v->addWidget(buttons);
    return page;
}

CAccountManagementDialog::Page CAccountManagementDialog::currentPage() const {
    return Page(pages_->currentIndex());
}

void CAccountManagementDialog::showPage(Page page) {
    pages_->setCurrentIndex(page);
    show();
    raise();
    activateWindow();
}

bool CAccountManagementDialog::openedFromList() const {
    // A page opened from the list (or from another page opened from it) goes back to it.
    if (!isVisible()) return false;
    const int page = pages_->currentIndex();
    return page == ListPage || (cameFromList_ && page != ChoicePage);
}

void CAccountManagementDialog::showChoice() {
    cameFromList_ = false;
    showPage(ChoicePage);
}

void CAccountManagementDialog::showGroupList() {
    listGroups_ = true;
    cameFromList_ = true;
    refreshList();
    showPage(ListPage);
}

void CAccountManagementDialog::showAccountList() {
    listGroups_ = false;
    cameFromList_ = true;
    refreshList();
    showPage(ListPage);
}

void CAccountManagementDialog::refreshList() {
    list_->clear();
    const QList<CUserGroup> groups = store_.Groups();
    QStringList headers;
    // The list is named after what the first page chose to list.
    list_->setAccessibleName(L(listGroups_ ? t::kUserGroup : t::kUserAccount));
    if (listGroups_) {
        for (const char* c : t::kGroupColumns) headers << L(c);
        list_->setHeaderLabels(headers);
        for (const CUserGroup& g : groups)
            new QTreeWidgetItem(list_, {g.name, g.autoPlaylist,
                                        L(g.autoPlay ? t::kEnable : t::kDisable)});
    } else {
        for (const char* c : t::kAccountColumns) headers << L(c);
        list_->setHeaderLabels(headers);
        for (const CUserGroup& g : groups)
            for (const CUser& u : g.users)
                new QTreeWidgetItem(list_, {u.name, g.name, L(u.disabled ? t::kDisable : t::kEnable),
                                            u.description, L(g.autoPlay ? t::kEnable : t::kDisable)});
    }
}

void CAccountManagementDialog::leavePage() {
    if (cameFromList_) {
        refreshList();
        pages_->setCurrentIndex(ListPage);
    } else {
        hide();
    }
}

void CAccountManagementDialog::showNewGroup() {
    cameFromList_ = openedFromList();
    editedGroup_.clear();
    groupName_->clear();
    groupName_->setReadOnly(false);
    autoPlaylist_->clear();
    autoPlay_->setChecked(false);
    showPage(GroupPage);
    groupName_->setFocus();
}

void CAccountManagementDialog::showEditGroup(const QString& name) {
    CUserGroup g;
    if (!store_.FindGroup(name, &g)) return;
    cameFromList_ = openedFromList();
    editedGroup_ = g.name;
    groupName_->setText(g.name);
    groupName_->setReadOnly(!isGroupNameEditable(g.name));
    autoPlaylist_->setText(g.autoPlaylist);
    autoPlay_->setChecked(g.autoPlay != 0);
    showPage(GroupPage);
    groupName_->setFocus();
}

void CAccountManagementDialog::showNewAccount(const QString& group) {
    cameFromList_ = openedFromList();
    editedAccount_.clear();
    accountName_->clear();
    password_->clear();
    description_->clear();
    disabled_->setChecked(false);
    groupCombo_->clear();
    groupCombo_->addItems(store_.GroupNames());
    const int i = groupCombo_->findText(group, Qt::MatchFixedString);
    groupCombo_->setCurrentIndex(i >= 0 ? i : 0);
    showPage(AccountPage);
    accountName_->setFocus();
}

void CAccountManagementDialog::showEditAccount(const QString& name) {
    CUserGroup g;
    CUser u;
    if (!store_.FindUser(name, &g, &u, 0)) return;
    cameFromList_ = openedFromList();
    editedAccount_ = u.name;
    accountName_->setText(u.name);
    password_->setText(u.password);
    description_->setText(u.description);
    disabled_->setChecked(u.disabled != 0);
    groupCombo_->clear();
    groupCombo_->addItems(store_.GroupNames());
    const int i = groupCombo_->findText(g.name, Qt::MatchFixedString);
    groupCombo_->setCurrentIndex(i >= 0 ? i : 0);
    showPage(AccountPage);
    accountName_->setFocus();
}

bool CAccountManagementDialog::applyGroupPage() {
    GroupDialogInput in;
    in.oldName = editedGroup_;
    in.name = groupName_->text();
    in.autoPlaylist = autoPlaylist_->text();
    in.autoPlay = autoPlay_->isChecked();
    const DialogResult r = applyGroupDialog(store_, prompt_, in);
    if (!r.accepted) {
        if (r.focus == DialogField::AutoPlaylist) autoPlaylist_->setFocus();
        else groupName_->setFocus();
        return false;
    }
    leavePage();
    return true;
}

bool CAccountManagementDialog::applyAccountPage() {
    AccountDialogInput in;
    in.oldName = editedAccount_;
    in.name = accountName_->text();
    in.password = password_->text();
    in.group = groupCombo_->currentText();
    in.description = description_->text();
    in.disabled = disabled_->isChecked();
    const DialogResult r = applyAccountDialog(store_, prompt_, in);
    if (!r.accepted) {
        if (r.focus == DialogField::Group) groupCombo_->setFocus();
        else if (r.focus == DialogField::Password) password_->setFocus();
        else accountName_->setFocus();
        return false;
    }
    leavePage();
    return true;
}

void CAccountManagementDialog::listNew() {
    if (listGroups_) showNewGroup();
    else showNewAccount(QString::fromLatin1(kHomeGroupName));
}

void CAccountManagementDialog::listEdit() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) {
        prompt_.message(L(t::kSelectItem), IOperatorPrompt::Icon::Information);
        return;
    }
    if (listGroups_) showEditGroup(item->text(0));
    else showEditAccount(item->text(0));
}

void CAccountManagementDialog::listDelete() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) {
        prompt_.message(L(t::kSelectItem), IOperatorPrompt::Icon::Information);
        return;
    }
    const QString name = item->text(0);
    bool done = false;
    if (listGroups_) {
        if (!isGroupNameEditable(name)) {
            prompt_.message(L(account_texts::kHomeGroupNotEditable), IOperatorPrompt::Icon::Stop);
            return;
        }
        if (!prompt_.askYesNo(L(t::kAskDeleteGroup).arg(name))) return;
        done = store_.FindGroup(name, nullptr) && deleteGroupChecked(store_, prompt_, name);
    } else {
        if (!prompt_.askYesNo(L(t::kAskDeleteAccount).arg(name))) return;
        done = store_.FindUser(name, nullptr, nullptr, 0) && store_.DeleteUser(name) == 1;
    }
    if (!done) prompt_.message(L(t::kDeleteFailed), IOperatorPrompt::Icon::Stop);
    refreshList();
}

}  // namespace lum
