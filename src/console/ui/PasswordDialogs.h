#pragma once
// "Resume from Protect Mode" (the console stays locked until the password is typed) and
// "Change Pasword".

#include <QDialog>

#include <functional>

class QLineEdit;

namespace lum {

class CAppSettings;
class IOperatorPrompt;

class CResumeDialog : public QDialog {
    Q_OBJECT
public:
    // `password` gives the console password at the moment OK is pressed.
    CResumeDialog(std::function<QString()> password, QWidget* parent = nullptr);

    QLineEdit* passwordEdit() const { return edit_; }

public Q_SLOTS:
    void accept() override;  // closes only on the console password
    void reject() override;  // Escape and closing are ignored

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<QString()> password_;
    QLineEdit* edit_ = nullptr;
};

class CChangePasswordDialog : public QDialog {
    Q_OBJECT
public:
    CChangePasswordDialog(CAppSettings& settings, IOperatorPrompt& prompt,
                          QWidget* parent = nullptr);

    QLineEdit* oldEdit() const { return old_; }
    QLineEdit* newEdit() const { return new_; }
    QLineEdit* confirmEdit() const { return confirm_; }

public Q_SLOTS:
    void accept() override;

private:
    CAppSettings& settings_;
    IOperatorPrompt& prompt_;
    QLineEdit* old_ = nullptr;
    QLineEdit* new_ = nullptr;
    QLineEdit* confirm_ = nullptr;
};

}  // namespace lum
