#pragma once
// "Client Setup Utility": the autoconfig editor's window. A thin view over AutoconfigSettings:
// every control writes its field as it changes, the rules (enabling, focus, target lists, the
// checks before saving and updating) are those of media/Autoconfig.h, and files and the update
// command go through saveAutoconfig, loadAutoconfig and updateAutoconfig.

#include "media/Autoconfig.h"
#include "widgets/FileChooser.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace lum {

class CUserStore;
class ICommandSender;
class IOperatorPrompt;

struct ClientSetupParts {
    CUserStore& store;
    ICommandSender& sender;
    IOperatorPrompt& prompt;
    // The online list's players with their status texts (the Client tab's targets).
    std::function<std::vector<PlayerStatus>()> players;
};

class CDlgClientSetup : public QDialog {
    Q_OBJECT
public:
    explicit CDlgClientSetup(ClientSetupParts parts, QWidget* parent = nullptr);
    ~CDlgClientSetup() override;

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    const AutoconfigSettings& settings() const { return s_; }

    // File menu: "&Open", "S&ave as...".
    void openFile();
    void saveAs();
    // The "Update Client==>" / "Update Group==>" button.
    void update();
    // The list beside the button, read anew (opening, tab change, drop-down).
    void rebuildTargets();
    // "WIFI>>": the window at its full width with the Wi-Fi panel.
    void showWifiPanel();

    QTabBar* targetTabs() const { return tabs_; }
    QComboBox* targetList() const { return targets_; }
    QPushButton* updateButton() const { return updateButton_; }
    QWidget* wifiPanel() const { return wifiPanel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildServerBox();
    QWidget* buildNetworkBox();
    QWidget* buildTimeBox();
    QWidget* buildStartupBox();
    QWidget* buildVideoBox();
    QWidget* buildPreferenceBox();
    QWidget* buildWifiPanel();

    // A field bound to the settings: every change is written at once.
    QLineEdit* boundEdit(const char* name, int maxLength, std::function<void(const QString&)> write);
    QComboBox* boundCombo(const char* name, const QStringList& items, std::function<void(int)> write);
    QCheckBox* boundCheck(const char* label, std::function<AutoconfigField(bool)> write);
    QButtonGroup* boundChoice(const QList<QRadioButton*>& buttons, std::function<AutoconfigField(int)> write);
    QLabel* label(const char* text, QWidget* control);

    // Shows the settings and the enabling that follows from them.
    void showSettings();
    void focusField(AutoconfigField field);
    void checkIlumPart(int part);

    ClientSetupParts parts_;
    FileChooser chooser_ = chooseWithFileDialog;
    AutoconfigSettings s_;
    bool showing_ = false;  // the controls are being filled: their changes are not edits
    bool checkingIlum_ = false;

    QTabBar* tabs_ = nullptr;
    QComboBox* targets_ = nullptr;
    QPushButton* updateButton_ = nullptr;
    QPushButton* wifiButton_ = nullptr;
    QFrame* divider_ = nullptr;
    QWidget* wifiPanel_ = nullptr;

    QLineEdit* server_ = nullptr;
    QLineEdit* port_ = nullptr;
    QLineEdit* userName_ = nullptr;
    QLabel* userNameLabel_ = nullptr;
    QCheckBox* hideMenu_ = nullptr;
    QButtonGroup* dhcp_ = nullptr;
    std::array<QLineEdit*, 4> addresses_{};
    std::array<QLabel*, 4> addressLabels_{};

    QComboBox* timeZone_ = nullptr;
    QComboBox* daylight_ = nullptr;
    QComboBox* timeFormat_ = nullptr;
    QCheckBox* restart_ = nullptr;
    QLineEdit* rebootHour_ = nullptr;
    QLineEdit* rebootMinute_ = nullptr;
    QCheckBox* deviceOnOff_ = nullptr;
    std::array<QLineEdit*, 4> deviceTimes_{};  // on hour, on minute, off hour, off minute
    QWidget* hiddenOnOff_ = nullptr;           // the second and third on/off windows
    QButtonGroup* offMode_ = nullptr;

    QButtonGroup* startup_ = nullptr;
    QLabel* urlLabel_ = nullptr;
    QLineEdit* url_ = nullptr;
    QLabel* urlExample_ = nullptr;
    QWidget* ilumRow_ = nullptr;
    std::array<QLineEdit*, 3> ilum_{};
    QCheckBox* changeIlum_ = nullptr;
    QLabel* ilumHint_ = nullptr;

    QButtonGroup* video_ = nullptr;
    QComboBox* tvMode_ = nullptr;
    QComboBox* tvType_ = nullptr;
    QComboBox* hdmi_ = nullptr;
    QComboBox* dateFormat_ = nullptr;
    QComboBox* fileRepeat_ = nullptr;
    QComboBox* rotate_ = nullptr;
    QComboBox* inputMode_ = nullptr;
    QCheckBox* weather_ = nullptr;
    QLineEdit* cityCode_ = nullptr;
    QLabel* cityLabel_ = nullptr;
    QButtonGroup* unit_ = nullptr;

    QLineEdit* ssid_ = nullptr;
    QComboBox* encryption_ = nullptr;
    QComboBox* wepLength_ = nullptr;
    QLineEdit* wepKey_ = nullptr;
    QComboBox* wpaType_ = nullptr;
    QLineEdit* wpaKey_ = nullptr;
    QList<QLabel*> wepLabels_, wpaLabels_;
};

}  // namespace lum
