#include "console/ui/PasswordDialogs.h"

#include "console/ConsolePassword.h"
#include "console/ConsoleTexts.h"
#include "widgets/UiTexts.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum {

namespace t = console_texts;

namespace {
QLineEdit* passwordField(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setEchoMode(QLineEdit::Password);
    return e;
}
}  // namespace

CResumeDialog::CResumeDialog(std::function<QString()> password, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      password_(std::move(password)) {
    setWindowTitle(uiText(t::kResumeTitle));
    setModal(true);
    auto* form = new QFormLayout;
    edit_ = passwordField(this);
    form->addRow(uiText(t::kPasswordLabel), edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CResumeDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    edit_->setFocus();
}

void CResumeDialog::accept() {
    if (consolePasswordMatches(edit_->text(), password_ ? password_() : QString())) {
        edit_->clear();
        QDialog::accept();
    }
}

void CResumeDialog::reject() {}

void CResumeDialog::closeEvent(QCloseEvent* event) {
    if (result() != QDialog::Accepted) event->ignore();
}

CChangePasswordDialog::CChangePasswordDialog(CAppSettings& settings, IOperatorPrompt& prompt,
                                             QWidget* parent)
    : QDialog(parent), settings_(settings), prompt_(prompt) {
    setWindowTitle(uiText(t::kChangePasswordTitle));
    auto* form = new QFormLayout;
    old_ = passwordField(this);
    new_ = passwordField(this);
    confirm_ = passwordField(this);
    old_->setObjectName(QStringLiteral("OldPassword"));
    new_->setObjectName(QStringLiteral("NewPassword"));
    confirm_->setObjectName(QStringLiteral("ConfirmPassword"));
    form->addRow(uiText(t::kOldPassword), old_);
    form->addRow(uiText(t::kNewPassword), new_);
    form->addRow(uiText(t::kConfirmPassword), confirm_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CChangePasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CChangePasswordDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    old_->setFocus();
}

void CChangePasswordDialog::accept() {
    const PasswordChange r =
        applyPasswordChange(settings_, prompt_, {old_->text(), new_->text(), confirm_->text()});
    switch (r) {
    case PasswordChange::Ignored:
    case PasswordChange::SaveFailed:
        return;
    case PasswordChange::OldMismatch:
        old_->clear();
        new_->clear();
        confirm_->clear();
        old_->setFocus();
        return;
    case PasswordChange::ConfirmMismatch:
        new_->clear();
        confirm_->clear();
        new_->setFocus();
        return;
    case PasswordChange::Changed:
        QDialog::accept();
        return;
    }
}

}  // namespace lum
