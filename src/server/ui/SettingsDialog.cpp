#include "server/ui/SettingsDialog.h"

#include "core/OperatorPrompt.h"
#include "server/AppSettings.h"
#include "server/ui/SettingsTexts.h"
#include "widgets/UiTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHostAddress>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lum {

namespace t = settings_texts;

namespace {
QString L(const char* s) { return uiText(s); }

const QRegularExpression& macPattern() {
    static const QRegularExpression re(
        QStringLiteral("^[0-9A-Fa-f]{2}(-[0-9A-Fa-f]{2}){5}$"));
    return re;
}
}  // namespace

CSettingsDialog::CSettingsDialog(CAppSettings& settings, IOperatorPrompt& prompt, QWidget* parent)
    : QDialog(parent), settings_(settings), prompt_(prompt) {
    setWindowTitle(L(t::kTitle));
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildServerPage(), L(t::kServerPage));
    tabs_->addTab(buildSecurityPage(), L(t::kSecurityPage));
    tabs_->addTab(buildStartupPage(), L(t::kStartupPage));
    tabs_->addTab(buildMacPage(), L(t::kMacPage));
    tabs_->addTab(buildAlertsPage(), L(t::kAlertsPage));
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSettingsDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            [this] { apply(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    load();
}

QWidget* CSettingsDialog::buildServerPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    port_ = new QSpinBox;
    port_->setRange(1, 65535);
    portStart_ = new QSpinBox;
    portStart_->setRange(1, 65535);
    portNum_ = new QSpinBox;
    portNum_->setRange(1, 65535);  // at least one passive port
    maxUsers_ = new QSpinBox;
    maxUsers_->setRange(0, 100000);
    maxUsers_->setEnabled(false);
    passwordCheck_ = new QCheckBox(L(t::kCheckPassword));
    localIp_ = new QComboBox;
    localIp_->setEditable(true);
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol) localIp_->addItem(a.toString());
    form->addRow(L(t::kServerPort), port_);
    form->addRow(L(t::kPasvPortStart), portStart_);
    form->addRow(L(t::kRange), portNum_);
    form->addRow(L(t::kMaxUsers), maxUsers_);
    form->addRow(QString(), passwordCheck_);
    form->addRow(L(t::kLocalIp), localIp_);
    auto* v = new QVBoxLayout(page);
    v->addLayout(form);
    v->addWidget(new QLabel(L(t::kPortNote)));
    v->addStretch();
    return page;
}

QWidget* CSettingsDialog::buildSecurityPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* box = new QGroupBox(L(t::kIpList));
    auto* h = new QHBoxLayout(box);
    ipList_ = new QListWidget;
    ipList_->setAccessibleName(L(t::kIpList));
    h->addWidget(ipList_);
    auto* bv = new QVBoxLayout;
    auto* add = new QPushButton(L(t::kAdd));
    auto* edit = new QPushButton(L(t::kEdit));
    auto* remove = new QPushButton(L(t::kRemove));
    bv->addWidget(add);
    bv->addWidget(edit);
    bv->addWidget(remove);
    bv->addStretch();
    h->addLayout(bv);
    v->addWidget(box);
    connect(add, &QPushButton::clicked, this, [this] { addAddress(); });
    connect(edit, &QPushButton::clicked, this, [this] { editAddress(); });
    connect(remove, &QPushButton::clicked, this, &CSettingsDialog::removeAddress);
    auto* group = new QButtonGroup(page);
    const char* labels[] = {t::kNoFilter, t::kAcceptOnly, t::kRefuseListed};
    for (int i = 0; i < 3; ++i) {
        filterModes_[i] = new QRadioButton(L(labels[i]));
        group->addButton(filterModes_[i], i);
        v->addWidget(filterModes_[i]);
    }
    autoRegister_ = new QCheckBox(L(t::kAutoRegister));
    maxPerAddress_ = new QSpinBox;
    maxPerAddress_->setRange(1, kMaxUsersInForce);
    auto* form = new QFormLayout;
    form->addRow(QString(), autoRegister_);
    form->addRow(L(t::kMaxPerAddress), maxPerAddress_);
    v->addLayout(form);
    return page;
}

QWidget* CSettingsDialog::buildStartupPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    launch_ = new QCheckBox(L(t::kLaunchAtStartup));
    tray_ = new QCheckBox(L(t::kStartInTray));
    autoActivate_ = new QCheckBox(L(t::kAutoActivate));
    v->addWidget(launch_);
    v->addWidget(tray_);
    v->addWidget(autoActivate_);
    auto* form = new QFormLayout;
    language_ = new QComboBox;
    for (const char* l : t::kLanguages) language_->addItem(L(l));
    logLevel_ = new QComboBox;
    for (const char* l : t::kLogLevels) logLevel_->addItem(L(l));
    form->addRow(L(t::kLanguage), language_);
    form->addRow(L(t::kLogLevel), logLevel_);
    v->addLayout(form);
    v->addStretch();
    return page;
}

QWidget* CSettingsDialog::buildMacPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    enableMac_ = new QCheckBox(L(t::kEnableSetMac));
    macMin_ = new QLineEdit;
    macMin_->setInputMask(QStringLiteral("HH-HH-HH-HH-HH-HH"));
    macCount_ = new QSpinBox;
    macCount_->setRange(0, 1 << 24);  // the MAC space left of a three-byte vendor prefix
    form->addRow(QString(), enableMac_);
    form->addRow(L(t::kMacRangeMin), macMin_);
    form->addRow(L(t::kMacRangeCount), macCount_);
    return page;
}

QWidget* CSettingsDialog::buildAlertsPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    offlineMinutes_ = new QSpinBox;
    offlineMinutes_->setRange(0, 7 * 24 * 60);
    offlineCommand_ = new QLineEdit;
    form->addRow(L(t::kOfflineMinutes), offlineMinutes_);
    form->addRow(L(t::kOfflineCommand), offlineCommand_);
    auto* note = new QLabel(L(t::kOfflineCommandNote));
    note->setWordWrap(true);
    form->addRow(note);
    return page;
}

void CSettingsDialog::load() {
    port_->setValue(settings_.port());
    portStart_->setValue(int(settings_.portStart()));
    portNum_->setValue(int(std::max<quint32>(1, settings_.portNum())));
    maxUsers_->setValue(settings_.maxUsers());
    passwordCheck_->setChecked(settings_.passwordCheck());
    localIp_->setEditText(settings_.localIpAddress());
    ipList_->clear();
    ipList_->addItems(splitFilterList(settings_.ipFilterList()));
    const int mode = settings_.ipFilterMode();
    filterModes_[mode >= 0 && mode <= 2 ? mode : 0]->setChecked(true);
    autoRegister_->setChecked(settings_.autoRegister());
    maxPerAddress_->setValue(settings_.maxPerAddress());
    launch_->setChecked(settings_.launchOnStartup());
    tray_->setChecked(settings_.startInTray());
    autoActivate_->setChecked(settings_.autoActivate());
    const int lang = settings_.language();
    language_->setCurrentIndex(lang >= 0 && lang < language_->count() ? lang : 0);
    // LOGLEVEL 1 and 2 are the list's entries; any other stored value stays as it is unless
    // the operator picks an entry.
    const int level = settings_.logLevel();
    logLevel_->setCurrentIndex(level >= 1 && level <= 2 ? level - 1 : -1);
    enableMac_->setChecked(settings_.enableSetMac());
    macMin_->setText(settings_.macRangeMin());
    macCount_->setValue(int(std::min<quint32>(settings_.macRangeMax(), 1u << 24)));
    offlineMinutes_->setValue(settings_.offlineMinutes());
    offlineCommand_->setText(settings_.offlineCommand());
}

bool CSettingsDialog::apply() {
    const QString mac = macMin_->text().toUpper();
    if (!macPattern().match(mac).hasMatch()) {
        prompt_.message(L(t::kBadMac).arg(mac), IOperatorPrompt::Icon::Stop);
        tabs_->setCurrentIndex(3);
        macMin_->setFocus();
        return false;
    }
    settings_.setPort(port_->value());
    settings_.setPortStart(quint32(portStart_->value()));
    settings_.setPortNum(quint32(portNum_->value()));
    settings_.setMaxUsers(maxUsers_->value());
    settings_.setPasswordCheck(passwordCheck_->isChecked());
    settings_.setLocalIpAddress(localIp_->currentText().trimmed());
    QStringList entries;
    for (int i = 0; i < ipList_->count(); ++i) entries << ipList_->item(i)->text();
    settings_.setIpFilterList(joinFilterList(entries));
    for (int i = 0; i < 3; ++i)
        if (filterModes_[i]->isChecked()) settings_.setIpFilterMode(i);
    settings_.setAutoRegister(autoRegister_->isChecked());
    settings_.setMaxPerAddress(maxPerAddress_->value());
    settings_.setLaunchOnStartup(launch_->isChecked());
    settings_.setStartInTray(tray_->isChecked());
    settings_.setAutoActivate(autoActivate_->isChecked());
    settings_.setLanguage(language_->currentIndex());
    if (logLevel_->currentIndex() >= 0) settings_.setLogLevel(logLevel_->currentIndex() + 1);
    settings_.setEnableSetMac(enableMac_->isChecked());
    settings_.setMacRangeMin(mac);
    settings_.setMacRangeMax(quint32(macCount_->value()));
    settings_.setOfflineMinutes(offlineMinutes_->value());
    settings_.setOfflineCommand(offlineCommand_->text().trimmed());
    if (!settings_.Save()) {
        prompt_.message(L(t::kSaveFailed).arg(settings_.iniPath()), IOperatorPrompt::Icon::Stop);
        return false;
    }
    return true;
}

void CSettingsDialog::accept() {
    if (apply()) QDialog::accept();
}

bool CSettingsDialog::isValidFilterAddress(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4) return false;
    for (const QString& p : parts) {
        if (p == QLatin1String("*")) continue;
        bool ok = false;
        const int v = p.toInt(&ok);
        if (!ok || p.isEmpty() || p.size() > 3 || v < 0 || v > 255) return false;
        for (QChar c : p)
            if (!c.isDigit()) return false;
    }
    return true;
}

QStringList CSettingsDialog::splitFilterList(const QString& list) {
    QStringList out;
    for (const QString& e : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString s = e.trimmed();
        if (!s.isEmpty()) out << s;
    }
    return out;
}

QString CSettingsDialog::joinFilterList(const QStringList& entries) {
    QString out;
    for (const QString& e : entries) out += e + QLatin1Char(';');
    return out;
}

void CSettingsDialog::addAddress(const QString& given) {
    QString text = given;
    if (text.isEmpty()) {
        bool ok = false;
        text = QInputDialog::getText(this, L(t::kAdd), L(t::kIpList), QLineEdit::Normal, {}, &ok);
        if (!ok) return;
    }
    text = text.trimmed();
    if (text.isEmpty()) return;
    if (!isValidFilterAddress(text)) {
        prompt_.message(L(t::kBadAddress).arg(text), IOperatorPrompt::Icon::Stop);
        return;
    }
    if (ipList_->findItems(text, Qt::MatchFixedString).isEmpty()) ipList_->addItem(text);
}

void CSettingsDialog::editAddress(const QString& given) {
    QListWidgetItem* item = ipList_->currentItem();
    if (!item) return;
    QString text = given;
    if (text.isEmpty()) {
        bool ok = false;
        text = QInputDialog::getText(this, L(t::kEdit), L(t::kIpList), QLineEdit::Normal,
                                     item->text(), &ok);
        if (!ok) return;
    }
    text = text.trimmed();
    if (text.isEmpty()) return;
    if (!isValidFilterAddress(text)) {
        prompt_.message(L(t::kBadAddress).arg(text), IOperatorPrompt::Icon::Stop);
        return;
    }
    item->setText(text);
}

void CSettingsDialog::removeAddress() {
    delete ipList_->takeItem(ipList_->currentRow());
}

}  // namespace lum
