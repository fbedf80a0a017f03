#include "media/ui/DlgRssSettings.h"

#include "media/MediaTexts.h"
#include "media/RssEditor.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum {

namespace t = media_texts;

namespace {

QString L(const char* s) { return uiText(s); }

const std::array<int RssDisplaySettings::*, 6> kFields{&RssDisplaySettings::bgcolor, &RssDisplaySettings::fgcolor,
                                                 &RssDisplaySettings::trans,   &RssDisplaySettings::speed,
                                                 &RssDisplaySettings::clkon,   &RssDisplaySettings::autorsson};

}  // namespace

CDlgRssSettings::CDlgRssSettings(const RssDisplaySettings& settings, std::optional<QString> leadChars,
                                 QWidget* parent)
    : QDialog(parent), opened_(settings) {
    setObjectName(QStringLiteral("RssSettings"));
    setWindowTitle(L(t::kRssSettingsTitle));
    auto* form = new QFormLayout;
    const std::array<const char*, 6> labels{t::kBackground, t::kForeground, t::kTransparent,
                                            t::kSpeed,      t::kClock,      t::kAutoRss};
    const std::array<QStringList, 6> items{uiTexts(t::kBackgrounds), uiTexts(t::kForegrounds),
                                           uiTexts(t::kTransparencies), uiTexts(t::kSpeeds),
                                           uiTexts(t::kOffOn), uiTexts(t::kOffOn)};
    for (size_t i = 0; i < 6; ++i) {
        lists_[i] = new QComboBox;
        lists_[i]->addItems(items[i]);
        const int value = settings.*kFields[i];
        lists_[i]->setCurrentIndex(value >= 0 && value < lists_[i]->count() ? value : -1);
        auto* l = new QLabel(L(labels[i]));
        l->setBuddy(lists_[i]);
        form->addRow(l, lists_[i]);
    }
    if (leadChars) {
        lead_ = new QLineEdit(leadChars->left(kLeadCharsMax));
        lead_->setMaxLength(kLeadCharsMax);
        // Wide enough to show all 20 characters.
        lead_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(kLeadCharsMax, QLatin1Char('>'))) + 16);
        auto* l = new QLabel(L(t::kLeadChars));
        l->setBuddy(lead_);
        form->addRow(l, lead_);
    }
    auto* buttons = new QDialogButtonBox;
    save_ = buttons->addButton(L(t::kSave), QDialogButtonBox::AcceptRole);
    exit_ = buttons->addButton(L(t::kExit), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* v = new QVBoxLayout(this);
    v->addLayout(form);
    v->addWidget(buttons);
    nameControlsByLabels(this);
}

RssDisplaySettings CDlgRssSettings::settings() const {
    RssDisplaySettings s = opened_;
    for (size_t i = 0; i < 6; ++i)
        if (lists_[i]->currentIndex() >= 0) s.*kFields[i] = lists_[i]->currentIndex();
    return s;
}

QString CDlgRssSettings::leadChars() const { return lead_ ? lead_->text() : QString(); }

}  // namespace lum
