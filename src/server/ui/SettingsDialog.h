#pragma once
// The configuration dialog: Server, Security, Startup and MAC pages over CAppSettings. Apply
// (and OK) copy every page into the settings and save config.ini, which also creates or removes
// the launch-at-logon entry.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace lum {

class CAppSettings;
class IOperatorPrompt;

class CSettingsDialog : public QDialog {
    Q_OBJECT
public:
    CSettingsDialog(CAppSettings& settings, IOperatorPrompt& prompt, QWidget* parent = nullptr);

    // Copies the pages into the settings and saves; false (nothing saved) on invalid input or
    // when config.ini cannot be written.
    bool apply();
    // Reloads the pages from the settings.
    void load();

    // IP list entries: one address each, "*" standing for a whole octet.
    static bool isValidFilterAddress(const QString& text);
    // "a;b;" <-> list
    static QStringList splitFilterList(const QString& list);
    static QString joinFilterList(const QStringList& entries);

    QTabWidget* pages() const { return tabs_; }
    QSpinBox* portSpin() const { return port_; }
    QSpinBox* portStartSpin() const { return portStart_; }
    QSpinBox* portNumSpin() const { return portNum_; }
    QSpinBox* maxUsersSpin() const { return maxUsers_; }
    QCheckBox* passwordCheck() const { return passwordCheck_; }
    QComboBox* localIpCombo() const { return localIp_; }
    QListWidget* ipList() const { return ipList_; }
    QRadioButton* filterMode(int mode) const { return filterModes_[mode]; }
    QCheckBox* autoRegisterCheck() const { return autoRegister_; }
    QSpinBox* maxPerAddressSpin() const { return maxPerAddress_; }
    QCheckBox* launchCheck() const { return launch_; }
    QCheckBox* trayCheck() const { return tray_; }
    QCheckBox* autoActivateCheck() const { return autoActivate_; }
    QComboBox* languageCombo() const { return language_; }
    QComboBox* logLevelCombo() const { return logLevel_; }
    QCheckBox* enableMacCheck() const { return enableMac_; }
    QLineEdit* macMinEdit() const { return macMin_; }
    QSpinBox* macCountSpin() const { return macCount_; }
    QSpinBox* offlineMinutesSpin() const { return offlineMinutes_; }
    QLineEdit* offlineCommandEdit() const { return offlineCommand_; }

    // Security page buttons; the text comes from a small input box unless given.
    void addAddress(const QString& text = {});
    void editAddress(const QString& text = {});
    void removeAddress();

public Q_SLOTS:
    void accept() override;

private:
    QWidget* buildServerPage();
    QWidget* buildSecurityPage();
    QWidget* buildStartupPage();
    QWidget* buildMacPage();
    QWidget* buildAlertsPage();

    CAppSettings& settings_;
    IOperatorPrompt& prompt_;
    QTabWidget* tabs_ = nullptr;
    QSpinBox* port_ = nullptr;
    QSpinBox* portStart_ = nullptr;
    QSpinBox* portNum_ = nullptr;
    QSpinBox* maxUsers_ = nullptr;
    QCheckBox* passwordCheck_ = nullptr;
    QComboBox* localIp_ = nullptr;
    QListWidget* ipList_ = nullptr;
    QRadioButton* filterModes_[3] = {};
    QCheckBox* autoRegister_ = nullptr;
    QSpinBox* maxPerAddress_ = nullptr;
    QCheckBox* launch_ = nullptr;
    QCheckBox* tray_ = nullptr;
    QCheckBox* autoActivate_ = nullptr;
    QComboBox* language_ = nullptr;
    QComboBox* logLevel_ = nullptr;
    QCheckBox* enableMac_ = nullptr;
    QLineEdit* macMin_ = nullptr;
    QSpinBox* macCount_ = nullptr;
    QSpinBox* offlineMinutes_ = nullptr;
    QLineEdit* offlineCommand_ = nullptr;
};

}  // namespace lum
