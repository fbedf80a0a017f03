#include "media/ui/FtpSiteManagerDialog.h"

#include "core/OperatorPrompt.h"
#include "media/ui/CommanderTexts.h"
#include "playlists/PlaylistTexts.h"
#include "widgets/UiTexts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lum {

namespace t = commander_texts;

CFtpSiteManagerDialog::CFtpSiteManagerDialog(const QString& sitesPath, FtpProfile& profile,
                                             IOperatorPrompt& prompt, QWidget* parent)
    : QDialog(parent), manager_(sitesPath, profile), prompt_(prompt), sitesPath_(sitesPath) {
    setObjectName(QStringLiteral("FtpSiteManager"));
    setWindowTitle(uiText(t::kSiteManagerTitle));
    setAccessibleName(windowTitle());

    auto* top = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* sitesLabel = new QLabel(uiText(t::kSites));
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("Sites"));
    list_->setAccessibleName(sitesLabel->text());
    sitesLabel->setBuddy(list_);
    left->addWidget(sitesLabel);
    left->addWidget(list_);
    top->addLayout(left, 1);

    auto* form = new QFormLayout;
    auto field = [&](const char* label, QWidget* w) {
        w->setAccessibleName(uiText(label));
        form->addRow(uiText(label), w);
    };
    host_ = new QLineEdit;
    field(t::kHostAddress, host_);
    port_ = new QSpinBox;
    port_->setRange(1, 65535);
    field(t::kPort, port_);
    passive_ = new QCheckBox(uiText(t::kUsePasv));
    passive_->setAccessibleName(passive_->text());
    form->addRow(QString(), passive_);
    login_ = new QLineEdit;
    field(t::kLogin, login_);
    anonymous_ = new QCheckBox(uiText(t::kAnonymous));
    anonymous_->setAccessibleName(anonymous_->text());
    form->addRow(QString(), anonymous_);
    password_ = new QLineEdit;
    // Every character shows as '*'.
    password_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    field(t::kPassword, password_);
    profileName_ = new QLineEdit;
    field(t::kProfileName, profileName_);
    initialPath_ = new QLineEdit;
    field(t::kInitialPath, initialPath_);

    auto* right = new QVBoxLayout;
    right->addLayout(form);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const char* label) {
        auto* b = new QPushButton(uiText(label));
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    add_ = button(t::kSiteAdd);
    save_ = button(t::kSiteSave);
    remove_ = button(t::kSiteRemove);
    buttons->addStretch();
    connect_ = button(t::kConnect);
    cancel_ = button(t::kCancel);
    connect_->setDefault(true);
    right->addLayout(buttons);
    top->addLayout(right, 2);

    manager_.open();
    fillList();
    showFields();

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (showing_ || row < 0) return;
        manager_.select(row);
        showFields();
    });
    for (QLineEdit* e : {host_, login_, password_, profileName_, initialPath_})
        connect(e, &QLineEdit::textEdited, this, [this] { takeFields(); });
    connect(port_, &QSpinBox::valueChanged, this, [this] { takeFields(); });
    connect(passive_, &QCheckBox::toggled, this, [this] { takeFields(); });
    connect(anonymous_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) return;
        takeFields();
        manager_.setAnonymous(on);
        showFields();
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        takeFields();
        switch (manager_.add()) {
        case CFtpSiteManager::AddResult::Added:
            fillList();
            showFields();
            break;
        case CFtpSiteManager::AddResult::Duplicate:
            showFields();
            profileName_->setFocus();
            break;
        case CFtpSiteManager::AddResult::NeedName: profileName_->setFocus(); break;
        case CFtpSiteManager::AddResult::WriteFailed:
            prompt_.message(QString::fromLatin1(playlist_texts::kCannotSave) + sitesPath_,
                            IOperatorPrompt::Icon::Stop);
            break;
        }
    });
    connect(save_, &QPushButton::clicked, this, [this] {
        takeFields();
        if (manager_.fields().profileName.isEmpty()) {
            profileName_->setFocus();
            return;
        }
        if (manager_.selected() < 0) return;
        if (!manager_.save()) {
            prompt_.message(QString::fromLatin1(playlist_texts::kCannotSave) + sitesPath_,
                            IOperatorPrompt::Icon::Stop);
            return;
        }
        fillList();
        showFields();
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (!manager_.remove()) return;
        fillList();
        showFields();
    });
    connect(connect_, &QPushButton::clicked, this, [this] {
        takeFields();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void CFtpSiteManagerDialog::fillList() {
    showing_ = true;
    list_->clear();
    list_->addItems(manager_.profileNames());
    list_->setCurrentRow(manager_.selected());
    showing_ = false;
}

void CFtpSiteManagerDialog::showFields() {
    showing_ = true;
    const CFtpSiteManager::Fields& f = manager_.fields();
    host_->setText(f.host);
    port_->setValue(int(std::clamp<quint32>(f.port, 1, 65535)));
    passive_->setChecked(f.usePassive);
    login_->setText(f.login);
    profileName_->setText(f.profileName);
    initialPath_->setText(f.initialPath);
    const bool anonymous = f.anonymous || f.login.compare(QLatin1String("anonymous"), Qt::CaseInsensitive) == 0;
    anonymous_->setChecked(f.anonymous);
    password_->setEchoMode(anonymous ? QLineEdit::Normal : QLineEdit::Password);
    password_->setText(f.password);
    list_->setCurrentRow(manager_.selected());
    showing_ = false;
}

void CFtpSiteManagerDialog::takeFields() {
    if (showing_) return;
    CFtpSiteManager::Fields& f = manager_.editFields();
    f.host = host_->text();
    f.port = quint32(port_->value());
    f.usePassive = passive_->isChecked();
    f.login = login_->text();
    f.profileName = profileName_->text();
    f.password = password_->text();
    f.initialPath = initialPath_->text();
}

}  // namespace lum
