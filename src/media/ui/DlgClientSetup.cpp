#include "media/ui/DlgClientSetup.h"

#include "accounts/UserStore.h"
#include "core/OperatorPrompt.h"
#include "media/AutoconfigTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace lum {

namespace t = autoconfig_texts;
using S = AutoconfigSettings;

namespace {

QString L(const char* s) { return uiText(s); }

// The list beside the Update button is read anew each time it drops down.
class TargetCombo : public QComboBox {
public:
    std::function<void()> beforePopup;
    void showPopup() override {
        if (beforePopup) beforePopup();
        QComboBox::showPopup();
    }
};

// One path from the operator's file box; empty when cancelled.
QString chooseOne(const FileChooser& chooser, QWidget* parent, const FileChoice& choice) {
    const QStringList chosen = chooser(parent, choice);
    return chosen.isEmpty() ? QString() : chosen.first();
}

void setText(QLineEdit* e, const QString& v) {
    if (e->text() != v) e->setText(v);
}

void setIndex(QComboBox* c, int i) { c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1); }

// A loaded code no button stands for leaves every button of the group unchosen.
void setChoice(QButtonGroup* g, int id) {
    if (QAbstractButton* b = g->button(id)) {
        b->setChecked(true);
        return;
    }
    g->setExclusive(false);
    for (QAbstractButton* b : g->buttons()) b->setChecked(false);
    g->setExclusive(true);
}

}  // namespace

CDlgClientSetup::CDlgClientSetup(ClientSetupParts parts, QWidget* parent)
    : QDialog(parent), parts_(std::move(parts)) {
    setObjectName(QStringLiteral("ClientSetup"));
    setWindowTitle(L(t::kTitle));
    setModal(false);

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(L(t::kMenuFile));
    file->addAction(L(t::kMenuOpen), this, &CDlgClientSetup::openFile);
    file->addAction(L(t::kMenuSaveAs), this, &CDlgClientSetup::saveAs);
    file->addSeparator();
    file->addAction(L(t::kMenuExit), this, &QDialog::close);

    // Left of the divider: the target tabs above the form, the Update button below it.
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabBar;
    tabs_->setObjectName(QStringLiteral("TargetTabs"));
    tabs_->addTab(L(t::kTabClient));
    tabs_->addTab(L(t::kTabGroup));
    tabs_->setAccessibleName(L(t::kTargetTabs));
    tabs_->setExpanding(false);
    leftLayout->addWidget(tabs_);

    auto* form = new QGridLayout;
    auto* col0 = new QVBoxLayout;
    col0->addWidget(buildServerBox());
    col0->addWidget(buildNetworkBox());
    col0->addWidget(buildTimeBox());
    col0->addStretch();
    auto* col1 = new QVBoxLayout;
    col1->addWidget(buildStartupBox());
    col1->addWidget(buildVideoBox());
    col1->addWidget(buildPreferenceBox());
    col1->addStretch();
    form->addLayout(col0, 0, 0);
    form->addLayout(col1, 0, 1);
    leftLayout->addLayout(form);

    auto* bottom = new QHBoxLayout;
    updateButton_ = new QPushButton;
    updateButton_->setObjectName(QStringLiteral("Update"));
    auto* targets = new TargetCombo;
    targets->beforePopup = [this] { rebuildTargets(); };
    targets_ = targets;
    targets_->setObjectName(QStringLiteral("Targets"));
    targets_->setAccessibleName(L(t::kTargetList));
    targets_->setMinimumContentsLength(16);
    wifiButton_ = new QPushButton(L(t::kWifiButton));
    wifiButton_->setObjectName(QStringLiteral("Wifi"));
    bottom->addWidget(updateButton_);
    bottom->addWidget(targets_);
    bottom->addStretch();
    bottom->addWidget(wifiButton_);
    leftLayout->addLayout(bottom);

    divider_ = new QFrame;
    divider_->setFrameShape(QFrame::VLine);
    divider_->setFrameShadow(QFrame::Sunken);
    wifiPanel_ = buildWifiPanel();

    auto* body = new QHBoxLayout;
    body->addWidget(left);
    body->addWidget(divider_);
    body->addWidget(wifiPanel_);
    auto* outer = new QVBoxLayout(this);
    outer->setMenuBar(menuBar);
    outer->addLayout(body);
    outer->setSizeConstraint(QLayout::SetFixedSize);  // narrowed and widened with the panel

    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (showing_) return;
        s_.setTargetTab(tab == S::GroupTab ? S::GroupTab : S::ClientTab);
        showSettings();
        rebuildTargets();
    });
    connect(updateButton_, &QPushButton::clicked, this, &CDlgClientSetup::update);
    connect(wifiButton_, &QPushButton::clicked, this, &CDlgClientSetup::showWifiPanel);
    nameControlsByLabels(this);

    // It opens narrowed to the left part; the Wi-Fi panel and the button that would show it,
    // and the second and third on/off windows, stay hidden.
    divider_->hide();
    wifiPanel_->hide();
    wifiButton_->hide();
    hiddenOnOff_->hide();

    showSettings();
    rebuildTargets();
}

CDlgClientSetup::~CDlgClientSetup() = default;

QLabel* CDlgClientSetup::label(const char* text, QWidget* control) {
    auto* l = new QLabel(L(text));
    l->setBuddy(control);
    return l;
}

QLineEdit* CDlgClientSetup::boundEdit(const char* name, int maxLength,
                                      std::function<void(const QString&)> write) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0) e->setMaxLength(maxLength);
    connect(e, &QLineEdit::textChanged, this, [this, write = std::move(write)](const QString& text) {
        if (!showing_) write(text);
    });
    return e;
}

QComboBox* CDlgClientSetup::boundCombo(const char* name, const QStringList& items,
                                       std::function<void(int)> write) {
    auto* c = new QComboBox;
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    connect(c, &QComboBox::currentIndexChanged, this, [this, write = std::move(write)](int i) {
        if (showing_ || i < 0) return;
        write(i);
        showSettings();
    });
    return c;
}

QCheckBox* CDlgClientSetup::boundCheck(const char* text, std::function<AutoconfigField(bool)> write) {
    auto* c = new QCheckBox(L(text));
    connect(c, &QCheckBox::toggled, this, [this, write = std::move(write)](bool on) {
        if (showing_) return;
        const AutoconfigField focus = write(on);
        showSettings();
        focusField(focus);
    });
    return c;
}

QButtonGroup* CDlgClientSetup::boundChoice(const QList<QRadioButton*>& buttons,
                                           std::function<AutoconfigField(int)> write) {
    auto* g = new QButtonGroup(this);
    for (int i = 0; i < buttons.size(); ++i) g->addButton(buttons[i], i);
    connect(g, &QButtonGroup::idToggled, this, [this, write = std::move(write)](int id, bool checked) {
        if (showing_ || !checked) return;
        const AutoconfigField focus = write(id);
        showSettings();
        focusField(focus);
    });
    return g;
}

QWidget* CDlgClientSetup::buildServerBox() {
    auto* box = new QGroupBox(L(t::kServerBox));
    auto* g = new QGridLayout(box);
    server_ = boundEdit("ServerName", 0, [this](const QString& v) { s_.server = v; });
    port_ = boundEdit("Port", 5, [this](const QString& v) { s_.port = S::portFromText(v); });
    port_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), port_));
    userName_ = boundEdit("UserName", S::kUserNameMax, [this](const QString& v) { s_.userName = v; });
    hideMenu_ = boundCheck(t::kHideMenu, [this](bool on) {
        s_.hideMenu = on;
        return AutoconfigField::None;
    });
    g->addWidget(label(t::kServerName, server_), 0, 0);
    g->addWidget(server_, 0, 1);
    g->addWidget(label(t::kPort, port_), 1, 0);
    g->addWidget(port_, 1, 1);
    userNameLabel_ = label(t::kUserName, userName_);
    g->addWidget(userNameLabel_, 2, 0);
    g->addWidget(userName_, 2, 1);
    g->addWidget(hideMenu_, 3, 0, 1, 2);
    return box;
}

QWidget* CDlgClientSetup::buildNetworkBox() {
    auto* box = new QGroupBox(L(t::kNetworkBox));
    auto* g = new QGridLayout(box);
    auto* dhcp = new QRadioButton(L(t::kDhcp));
    auto* fixed = new QRadioButton(L(t::kStaticIp));
    dhcp_ = boundChoice({dhcp, fixed}, [this](int id) {
        s_.setDhcp(id == 0);
        return AutoconfigField::None;
    });
    auto* choice = new QHBoxLayout;
    choice->addWidget(dhcp);
    choice->addWidget(fixed);
    choice->addStretch();
    g->addLayout(choice, 0, 0, 1, 2);
    const std::array<const char*, 4> labels{t::kIpAddress, t::kSubnetMask, t::kGateway, t::kDns};
    const std::array<const char*, 4> names{"IpAddress", "SubnetMask", "Gateway", "Dns"};
    const std::array<QString S::*, 4> fields{&S::staticIp, &S::subnetMask, &S::gateway, &S::dns};
    for (size_t i = 0; i < 4; ++i) {
        addresses_[i] = boundEdit(names[i], 15, [this, f = fields[i]](const QString& v) { s_.*f = v; });
        addressLabels_[i] = label(labels[i], addresses_[i]);
        g->addWidget(addressLabels_[i], int(i) + 1, 0);
        g->addWidget(addresses_[i], int(i) + 1, 1);
    }
    return box;
}

QWidget* CDlgClientSetup::buildTimeBox() {
    auto* box = new QGroupBox(L(t::kTimeBox));
    auto* g = new QGridLayout(box);
    timeZone_ = boundCombo("TimeZone", S::timeZoneNames(), [this](int i) { s_.timeZoneIndex = i; });
    daylight_ = boundCombo("DaylightSaving", uiTexts(t::kDaylightChoices), [this](int i) { s_.daylightSaving = i; });
    timeFormat_ = boundCombo("TimeFormat", uiTexts(t::kTimeFormatChoices), [this](int i) { s_.timeFormatIndex = i; });
    g->addWidget(label(t::kTimeZone, timeZone_), 0, 0);
    g->addWidget(timeZone_, 0, 1, 1, 4);
    g->addWidget(label(t::kDaylightSaving, daylight_), 1, 0);
    g->addWidget(daylight_, 1, 1, 1, 4);
    g->addWidget(label(t::kTimeFormat, timeFormat_), 2, 0);
    g->addWidget(timeFormat_, 2, 1, 1, 4);

    auto timeEdit = [this](const char* name, const char* accessible, QString S::*field) {
        QLineEdit* e = boundEdit(name, S::kTimeFieldMax, [this, field](const QString& v) { s_.*field = v; });
        e->setAccessibleName(L(accessible));
        e->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        return e;
    };
    auto hourMinute = [](QLineEdit* hour, QLineEdit* minute) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(hour);
        row->addWidget(new QLabel(QStringLiteral(":")));
        row->addWidget(minute);
        return row;
    };

    restart_ = boundCheck(t::kRestartTime, [this](bool on) { return s_.setRestartTime(on); });
    rebootHour_ = timeEdit("RebootHour", t::kRebootHour, &S::rebootHour);
    rebootMinute_ = timeEdit("RebootMinute", t::kRebootMinute, &S::rebootMinute);

    deviceOnOff_ = boundCheck(t::kDeviceOnOff1, [this](bool on) { return s_.setDeviceOnOff(on); });
    deviceTimes_ = {timeEdit("StartHour", t::kOnHour, &S::startHour),
                    timeEdit("StartMinute", t::kOnMinute, &S::startMinute),
                    timeEdit("StopHour", t::kOffHour, &S::stopHour),
                    timeEdit("StopMinute", t::kOffMinute, &S::stopMinute)};
    auto onOffRow = [&](QCheckBox* check, const std::array<QLineEdit*, 4>& times, int row, QGridLayout* into) {
        into->addWidget(check, row, 0);
        auto* on = new QLabel(L(t::kOn));
        on->setBuddy(times[0]);
        into->addWidget(on, row, 1);
        into->addLayout(hourMinute(times[0], times[1]), row, 2);
        auto* off = new QLabel(L(t::kOff));
        off->setBuddy(times[2]);
        into->addWidget(off, row, 3);
        into->addLayout(hourMinute(times[2], times[3]), row, 4);
    };
    // Restart and on/off times in one grid, so that their hour fields line up.
    auto* times = new QGridLayout;
    times->addWidget(restart_, 0, 0);
    times->addLayout(hourMinute(rebootHour_, rebootMinute_), 0, 2);
    onOffRow(deviceOnOff_, deviceTimes_, 1, times);
    times->setColumnStretch(5, 1);
    g->addLayout(times, 3, 0, 1, 5);

    // The second and third on/off windows exist, but are not offered (never written either).
    hiddenOnOff_ = new QWidget;
    auto* hidden = new QGridLayout(hiddenOnOff_);
    hidden->setContentsMargins(0, 0, 0, 0);
    int row = 0;
    for (const char* text : {t::kDeviceOnOff2, t::kDeviceOnOff3}) {
        auto* check = new QCheckBox(L(text));
        std::array<QLineEdit*, 4> edits{};
        const std::array<const char*, 4> names{t::kOnHour, t::kOnMinute, t::kOffHour, t::kOffMinute};
        for (size_t i = 0; i < 4; ++i) {
            edits[i] = new QLineEdit;
            edits[i]->setMaxLength(S::kTimeFieldMax);
            edits[i]->setEnabled(false);
            edits[i]->setAccessibleName(QStringLiteral("%1 %2").arg(L(text), L(names[i])));
        }
        onOffRow(check, edits, row++, hidden);
    }
    g->addWidget(hiddenOnOff_, 4, 0, 1, 5);

    auto* standby = new QRadioButton(L(t::kStandby));
    auto* sleep = new QRadioButton(L(t::kSleep));
    offMode_ = boundChoice({standby, sleep}, [this](int id) {
        s_.standbyWhenOff = id == 0;
        return AutoconfigField::None;
    });
    auto* mode = new QHBoxLayout;
    auto* modeLabel = new QLabel(L(t::kDeviceOffMode));
    mode->addWidget(modeLabel);
    mode->addWidget(standby);
    mode->addWidget(sleep);
    mode->addStretch();
    g->addLayout(mode, 5, 0, 1, 5);
    return box;
}

QWidget* CDlgClientSetup::buildStartupBox() {
    auto* box = new QGroupBox(L(t::kStartupBox));
    auto* v = new QVBoxLayout(box);
    QList<QRadioButton*> modes;
    auto* row = new QHBoxLayout;
    for (const char* text : t::kStartupModes) {
        modes << new QRadioButton(L(text));
        row->addWidget(modes.last());
    }
    row->addStretch();
    v->addLayout(row);
    startup_ = boundChoice(modes, [this](int id) { return s_.setStartupMode(id); });

    url_ = boundEdit("Url", S::kUrlMax, [this](const QString& value) { s_.url = value; });
    urlLabel_ = label(t::kUrl, url_);
    urlExample_ = new QLabel(L(t::kUrlExample));
    auto* urlRow = new QHBoxLayout;
    urlRow->addWidget(urlLabel_);
    urlRow->addWidget(url_, 1);
    v->addLayout(urlRow);
    v->addWidget(urlExample_);

    ilumRow_ = new QWidget;
    auto* ilum = new QGridLayout(ilumRow_);
    ilum->setContentsMargins(0, 0, 0, 0);
    auto* ilumLabel = new QLabel(L(t::kIlumId));
    ilum->addWidget(ilumLabel, 0, 0);
    auto* parts = new QHBoxLayout;
    parts->setSpacing(2);
    for (size_t i = 0; i < 3; ++i) {
        const int length = S::kIlumPartLength[i];
        ilum_[i] = boundEdit(i == 0 ? "Ilum1" : i == 1 ? "Ilum2" : "Ilum3", length,
                             [this, i](const QString& value) { s_.ilumId[i] = value; });
        ilum_[i]->setAccessibleName(L(t::kIlumParts[i]));
        ilum_[i]->setMaximumWidth(fontMetrics().horizontalAdvance(QString(length + 2, '0')) + 12);
        ilum_[i]->installEventFilter(this);
        if (i > 0) parts->addWidget(new QLabel(QStringLiteral("-")));
        parts->addWidget(ilum_[i]);
    }
    ilumLabel->setBuddy(ilum_[0]);
    parts->addStretch();
    ilum->addLayout(parts, 0, 1);
    changeIlum_ = boundCheck(t::kChangeIlumId, [this](bool on) {
        s_.changeIlumId = on;
        return AutoconfigField::None;
    });
    ilum->addWidget(changeIlum_, 0, 2);
    ilumHint_ = new QLabel(L(t::kIlumHint));
    ilum->addWidget(ilumHint_, 1, 0, 1, 3);
    v->addWidget(ilumRow_);
    return box;
}

QWidget* CDlgClientSetup::buildVideoBox() {
    auto* box = new QGroupBox(L(t::kVideoBox));
    auto* g = new QGridLayout(box);
    QList<QRadioButton*> outputs;
    auto* row = new QHBoxLayout;
    for (const char* text : t::kVideoOutputs) {
        outputs << new QRadioButton(L(text));
        row->addWidget(outputs.last());
    }
    row->addStretch();
    g->addLayout(row, 0, 0, 1, 6);
    video_ = boundChoice(outputs, [this](int id) {
        s_.videoOut = id;
        return AutoconfigField::None;
    });
    tvMode_ = boundCombo("TvMode", uiTexts(t::kTvModes), [this](int i) { s_.tvModeIndex = i; });
    tvType_ = boundCombo("TvType", uiTexts(t::kTvTypes), [this](int i) { s_.tvTypeIndex = i; });
    hdmi_ = boundCombo("Hdmi", uiTexts(t::kHdmiModes), [this](int i) { s_.hdmi = i; });
    g->addWidget(label(t::kTvMode, tvMode_), 1, 0);
    g->addWidget(tvMode_, 1, 1);
    g->addWidget(label(t::kTvType, tvType_), 1, 2);
    g->addWidget(tvType_, 1, 3);
    g->addWidget(label(t::kHdmi, hdmi_), 1, 4);
    g->addWidget(hdmi_, 1, 5);
    return box;
}

QWidget* CDlgClientSetup::buildPreferenceBox() {
    auto* box = new QGroupBox(L(t::kPreferenceBox));
    auto* g = new QGridLayout(box);
    dateFormat_ = boundCombo("DateFormat", uiTexts(t::kDateFormats), [this](int i) { s_.dateFormat = i; });
    fileRepeat_ = boundCombo("FileRepeat", uiTexts(t::kFileRepeats), [this](int i) { s_.fileRepeat = i; });
    rotate_ = boundCombo("PicRotate", uiTexts(t::kPicRotations), [this](int i) { s_.picAutoRotate = i; });
    inputMode_ = boundCombo("InputMode", uiTexts(t::kInputModes), [this](int i) { s_.userInputMode = i; });
    g->addWidget(label(t::kDateFormat, dateFormat_), 0, 0);
    g->addWidget(dateFormat_, 0, 1);
    g->addWidget(label(t::kFileRepeat, fileRepeat_), 0, 2);
    g->addWidget(fileRepeat_, 0, 3);
    g->addWidget(label(t::kPicRotate, rotate_), 1, 0);
    g->addWidget(rotate_, 1, 1);
    g->addWidget(label(t::kInputMode, inputMode_), 1, 2);
    g->addWidget(inputMode_, 1, 3);

    weather_ = boundCheck(t::kWeather, [this](bool on) {
        s_.weather = on;
        return AutoconfigField::None;
    });
    cityCode_ = boundEdit("CityCode", S::kCityCodeMax, [this](const QString& v) { s_.cityCode = v; });
    cityLabel_ = label(t::kCityCode, cityCode_);
    auto* fahrenheit = new QRadioButton(L(t::kFahrenheit));
    auto* celsius = new QRadioButton(L(t::kCelsius));
    unit_ = boundChoice({fahrenheit, celsius}, [this](int id) {
        s_.celsius = id == 1;
        return AutoconfigField::None;
    });
    g->addWidget(weather_, 2, 0);
    g->addWidget(cityLabel_, 3, 0);
    g->addWidget(cityCode_, 3, 1);
    g->addWidget(fahrenheit, 3, 2);
    g->addWidget(celsius, 3, 3);
    return box;
}

QWidget* CDlgClientSetup::buildWifiPanel() {
    auto* box = new QGroupBox(L(t::kWifiBox));
    auto* v = new QVBoxLayout(box);
    auto* top = new QGridLayout;
    ssid_ = boundEdit("Ssid", S::kSsidMax, [this](const QString& value) { s_.ssid = value; });
    encryption_ = boundCombo("Encryption", uiTexts(t::kEncryptions), [this](int i) { s_.setWifiEncryption(i); });
    top->addWidget(label(t::kSsid, ssid_), 0, 0);
    top->addWidget(ssid_, 0, 1);
    top->addWidget(new QLabel(L(t::kSsidHint)), 1, 1);
    top->addWidget(label(t::kEncryption, encryption_), 2, 0);
    top->addWidget(encryption_, 2, 1);
    v->addLayout(top);

    auto* wep = new QGroupBox(L(t::kWepBox));
    auto* wg = new QGridLayout(wep);
    wepLength_ = boundCombo("WepLength", uiTexts(t::kWepLengths), [this](int i) { s_.wepKeyLength = i; });
    wepKey_ = boundEdit("WepKey", S::kWepKeyMax, [this](const QString& value) { s_.wepKey = value; });
    wepLabels_ = {label(t::kWepLength, wepLength_), label(t::kWepKey, wepKey_)};
    wg->addWidget(wepLabels_[0], 0, 0);
    wg->addWidget(wepLength_, 0, 1);
    wg->addWidget(wepLabels_[1], 1, 0);
    wg->addWidget(wepKey_, 1, 1);
    v->addWidget(wep);

    auto* wpa = new QGroupBox(L(t::kWpaBox));
    auto* pg = new QGridLayout(wpa);
    wpaType_ = boundCombo("WpaKeyType", uiTexts(t::kWpaKeyTypes), [this](int i) { s_.wpaKeyType = i; });
    wpaKey_ = boundEdit("WpaKey", S::kWpaKeyMax, [this](const QString& value) { s_.wpaKey = value; });
    wpaLabels_ = {label(t::kWpaKeyType, wpaType_), label(t::kWpaKey, wpaKey_)};
    pg->addWidget(wpaLabels_[0], 0, 0);
    pg->addWidget(wpaType_, 0, 1);
    pg->addWidget(wpaLabels_[1], 1, 0);
    pg->addWidget(wpaKey_, 1, 1);
    v->addWidget(wpa);
    v->addStretch();
    return box;
}

void CDlgClientSetup::showSettings() {
    const QScopedValueRollback guard(showing_, true);
    tabs_->setCurrentIndex(s_.tab);
    setText(server_, s_.server);
    // The port field keeps what was typed while it means the same number.
    if (S::portFromText(port_->text()) != s_.port) setText(port_, QString::number(s_.port));
    setText(userName_, s_.userName);
    hideMenu_->setChecked(s_.hideMenu);
    setChoice(dhcp_, s_.dhcp ? 0 : 1);
    setText(addresses_[0], s_.staticIp);
    setText(addresses_[1], s_.subnetMask);
    setText(addresses_[2], s_.gateway);
    setText(addresses_[3], s_.dns);

    setIndex(timeZone_, s_.timeZoneIndex);
    setIndex(daylight_, s_.daylightSaving);
    setIndex(timeFormat_, s_.timeFormatIndex);
    restart_->setChecked(s_.restartTime);
    setText(rebootHour_, s_.rebootHour);
    setText(rebootMinute_, s_.rebootMinute);
    deviceOnOff_->setChecked(s_.deviceOnOff);
    setText(deviceTimes_[0], s_.startHour);
    setText(deviceTimes_[1], s_.startMinute);
    setText(deviceTimes_[2], s_.stopHour);
    setText(deviceTimes_[3], s_.stopMinute);
    setChoice(offMode_, s_.standbyWhenOff ? 0 : 1);

    setChoice(startup_, s_.startupMode);
    setText(url_, s_.url);
    for (size_t i = 0; i < 3; ++i) setText(ilum_[i], s_.ilumId[i]);
    changeIlum_->setChecked(s_.changeIlumId);
    setChoice(video_, s_.videoOut);
    setIndex(tvMode_, s_.tvModeIndex);
    setIndex(tvType_, s_.tvTypeIndex);
    setIndex(hdmi_, s_.hdmi);
    setIndex(dateFormat_, s_.dateFormat);
    setIndex(fileRepeat_, s_.fileRepeat);
    setIndex(rotate_, s_.picAutoRotate);
    setIndex(inputMode_, s_.userInputMode);
    weather_->setChecked(s_.weather);
    setText(cityCode_, s_.cityCode);
    setChoice(unit_, s_.celsius ? 1 : 0);

    setText(ssid_, s_.ssid);
    setIndex(encryption_, s_.wifiEncryption);
    setIndex(wepLength_, s_.wepKeyLength);
    setText(wepKey_, s_.wepKey);
    setIndex(wpaType_, s_.wpaKeyType);
    setText(wpaKey_, s_.wpaKey);

    const AutoconfigControls c = autoconfigControls(s_);
    userName_->setEnabled(c.userName);
    userNameLabel_->setEnabled(c.userName);
    dhcp_->button(1)->setEnabled(c.staticIpChoice);
    for (size_t i = 0; i < 4; ++i) {
        addresses_[i]->setEnabled(c.addresses);
        addressLabels_[i]->setEnabled(c.addresses);
    }
    rebootHour_->setEnabled(c.rebootTime);
    rebootMinute_->setEnabled(c.rebootTime);
    for (QLineEdit* e : deviceTimes_) e->setEnabled(c.deviceTime);
    startup_->button(S::Ilum)->setEnabled(c.ilumMode);
    urlLabel_->setVisible(c.urlShown);
    url_->setVisible(c.urlShown);
    urlExample_->setVisible(c.urlShown);
    ilumRow_->setVisible(c.ilumShown);
    for (QLineEdit* e : ilum_) e->setEnabled(c.ilumParts);
    cityCode_->setEnabled(c.weatherFields);
    cityLabel_->setEnabled(c.weatherFields);
    for (QAbstractButton* b : unit_->buttons()) b->setEnabled(c.weatherFields);
    wepLength_->setEnabled(c.wepFields);
    wepKey_->setEnabled(c.wepFields);
    for (QLabel* l : wepLabels_) l->setEnabled(c.wepFields);
    wpaType_->setEnabled(c.wpaFields);
    wpaKey_->setEnabled(c.wpaFields);
    for (QLabel* l : wpaLabels_) l->setEnabled(c.wpaFields);
    updateButton_->setText(L(c.updateText));
    updateButton_->setAccessibleName(updateButton_->text());
}

void CDlgClientSetup::focusField(AutoconfigField field) {
    QLineEdit* e = nullptr;
    switch (field) {
    case AutoconfigField::None: return;
    case AutoconfigField::Port: e = port_; break;
    case AutoconfigField::UserName: e = userName_; break;
    case AutoconfigField::IlumPart0: e = ilum_[0]; break;
    case AutoconfigField::IlumPart1: e = ilum_[1]; break;
    case AutoconfigField::IlumPart2: e = ilum_[2]; break;
    case AutoconfigField::RebootHour: e = rebootHour_; break;
    case AutoconfigField::StartHour: e = deviceTimes_[0]; break;
    case AutoconfigField::Url: e = url_; break;
    }
    e->setFocus(Qt::OtherFocusReason);
    if (field == AutoconfigField::IlumPart0) e->selectAll();
}

bool CDlgClientSetup::eventFilter(QObject* watched, QEvent* event) {
    // Checked when the operator leaves the part; not when another window or a menu takes the
    // focus for a while (the part keeps it).
    const auto reason = event->type() == QEvent::FocusOut ? static_cast<QFocusEvent*>(event)->reason()
                                                          : Qt::OtherFocusReason;
    if (event->type() == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason &&
        reason != Qt::PopupFocusReason) {
        for (int i = 0; i < 3; ++i)
            if (watched == ilum_[size_t(i)]) checkIlumPart(i);
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgClientSetup::checkIlumPart(int part) {
    // The message box takes the focus too: one check at a time.
    if (checkingIlum_) return;
    const QScopedValueRollback guard(checkingIlum_, true);
    if (lum::checkIlumPart(s_, part, parts_.prompt)) return;
    showSettings();  // the part is emptied
    // Back into the part once the focus change that led here is over.
    QPointer<QLineEdit> e = ilum_[size_t(part)];
    QTimer::singleShot(0, this, [e] {
        if (e) e->setFocus(Qt::OtherFocusReason);
    });
}

void CDlgClientSetup::rebuildTargets() {
    std::vector<PlayerStatus> players;
    if (parts_.players) players = parts_.players();
    const QStringList names = autoconfigTargets(s_.tab, parts_.store.GroupNames(), players);
    targets_->clear();
    targets_->addItems(names);
    targets_->setCurrentIndex(int(names.indexOf(defaultAutoconfigTarget(names))));
}

void CDlgClientSetup::showWifiPanel() {
    divider_->show();
    wifiPanel_->show();
}

void CDlgClientSetup::openFile() {
    FileChoice c;
    c.filter = QString::fromLatin1(t::kOpenFilter);
    const QString path = chooseOne(chooser_, this, c);
    if (path.isEmpty()) return;
    loadAutoconfig(s_, path);
    showSettings();
}

void CDlgClientSetup::saveAs() {
    const AutoconfigField refused = checkBeforeSaveAs(s_, parts_.prompt);
    if (refused != AutoconfigField::None) {
        focusField(refused);
        return;
    }
    FileChoice c;
    c.mode = FileChoice::Mode::Save;  // asks before it replaces a file
    c.filter = QString::fromLatin1(t::kSaveFilter);
    c.defaultName = QString::fromLatin1(t::kDefaultName);
    c.defaultSuffix = QString::fromLatin1(t::kDefaultExtension);
    const QString path = chooseOne(chooser_, this, c);
    if (path.isEmpty()) return;
    // A file that cannot be written is said so (the operator would otherwise look for it).
    if (!saveAutoconfig(s_, path))
        parts_.prompt.message(QString::fromLatin1(t::kCannotWrite) + path, IOperatorPrompt::Icon::Stop);
}

void CDlgClientSetup::update() {
    if (targets_->currentIndex() < 0) return;
    const AutoconfigUpdate r =
        updateAutoconfig(s_, targets_->currentText(), parts_.store, parts_.sender, parts_.prompt);
    if (r == AutoconfigUpdate::BadPort) focusField(AutoconfigField::Port);
    if (r == AutoconfigUpdate::BlankUserName) focusField(AutoconfigField::UserName);
}

}  // namespace lum
