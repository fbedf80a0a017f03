#pragma once
// "FTP Site Manager": the stored FTP sites ("server data/sites.dat") with Add, Save, Remove,
// Connect and Cancel, over the window-free CFtpSiteManager. The password shows masked with '*'
// unless the login is anonymous. After "Connect" (accepted) chosen() gives the site to connect.

#include "media/FtpSite.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lum {

class IOperatorPrompt;

class CFtpSiteManagerDialog : public QDialog {
    Q_OBJECT
public:
    CFtpSiteManagerDialog(const QString& sitesPath, FtpProfile& profile, IOperatorPrompt& prompt,
                          QWidget* parent = nullptr);

    // The fields as a site record ("Connect").
    CFtpSite chosen() const { return manager_.chosen(); }
    const CFtpSiteManager& manager() const { return manager_; }

    QListWidget* siteList() const { return list_; }
    QLineEdit* hostField() const { return host_; }
    QSpinBox* portField() const { return port_; }
    QCheckBox* passiveBox() const { return passive_; }
    QLineEdit* loginField() const { return login_; }
    QLineEdit* profileField() const { return profileName_; }
    QLineEdit* passwordField() const { return password_; }
    QLineEdit* initialPathField() const { return initialPath_; }
    QCheckBox* anonymousBox() const { return anonymous_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* removeButton() const { return remove_; }
    QPushButton* connectButton() const { return connect_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void fillList();
    void showFields();
    void takeFields();

    CFtpSiteManager manager_;
    IOperatorPrompt& prompt_;
    QString sitesPath_;
    bool showing_ = false;
    QListWidget* list_ = nullptr;
    QLineEdit* host_ = nullptr;
    QSpinBox* port_ = nullptr;
    QCheckBox* passive_ = nullptr;
    QLineEdit* login_ = nullptr;
    QLineEdit* profileName_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* initialPath_ = nullptr;
    QCheckBox* anonymous_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* connect_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace lum
