#include "media/ui/DlgInstantJpeg.h"

#include "media/MediaTexts.h"
#include "media/ui/MediaWindowTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lum {

namespace t = media_window_texts;

namespace {
QString L(const char* s) { return uiText(s); }
}  // namespace

CDlgInstantJpeg::CDlgInstantJpeg(bool pictavo, QWidget* parent) : QDialog(parent) {
    setWindowTitle(L(t::kInstantTitle));
    auto* grid = new QGridLayout;
    auto* fileLabel = new QLabel(L(t::kFilename), this);
    path_ = new QLineEdit(this);
    path_->setMinimumWidth(320);
    fileLabel->setBuddy(path_);
    auto* browseButton = new QPushButton(L(t::kBrowseDots), this);
    grid->addWidget(fileLabel, 0, 0);
    grid->addWidget(path_, 0, 1);
    grid->addWidget(browseButton, 0, 2);
    if (pictavo) {
        pictavo_ = new QCheckBox(L(t::kPictavoMode), this);
        auto* durationLabel = new QLabel(L(t::kDuration), this);
        seconds_ = new QSpinBox(this);
        seconds_->setRange(1, 65535);
        seconds_->setValue(InstantPictureChoice::kDefaultSeconds);
        seconds_->setSuffix(QStringLiteral(" S"));
        durationLabel->setBuddy(seconds_);
        grid->addWidget(pictavo_, 1, 1, 1, 2);
        grid->addWidget(durationLabel, 2, 0);
        grid->addWidget(seconds_, 2, 1, Qt::AlignLeft);
        connect(pictavo_, &QCheckBox::toggled, this, &CDlgInstantJpeg::updateControls);
    }
    auto* buttons = new QHBoxLayout;
    send_ = new QPushButton(L(t::kSend), this);
    auto* cancel = new QPushButton(L(t::kCancel), this);
    buttons->addStretch();
    buttons->addWidget(send_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(browseButton, &QPushButton::clicked, this, &CDlgInstantJpeg::browse);
    connect(path_, &QLineEdit::textChanged, this, &CDlgInstantJpeg::updateControls);
    connect(send_, &QPushButton::clicked, this, [this] {
        if (choice().canSend()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &CDlgInstantJpeg::reject);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    nameControlsByLabels(this);
    updateControls();
}

InstantPictureChoice CDlgInstantJpeg::choice() const {
    InstantPictureChoice c;
    c.path = path_->text().trimmed();
    if (pictavo_) {
        c.pictavo = pictavo_->isChecked();
        c.seconds = seconds_->value();
    }
    return c;
}

void CDlgInstantJpeg::setChoice(const InstantPictureChoice& c) {
    path_->setText(c.path);
    if (pictavo_) {
        seconds_->setValue(c.seconds);
        pictavo_->setChecked(c.pictavo);
    }
    updateControls();
}

void CDlgInstantJpeg::updateControls() {
    send_->setEnabled(choice().canSend());
    // The display time counts only in Pictavo mode.
    if (seconds_) seconds_->setEnabled(pictavo_->isChecked());
}

void CDlgInstantJpeg::browse() {
    FileChoice c;
    c.filter = QString::fromLatin1(media_texts::kInstantFilter);
    c.defaultSuffix = QString::fromLatin1(t::kInstantExtension);
    const QStringList chosen = chooser_(this, c);
    if (!chosen.isEmpty()) path_->setText(chosen.first());
}

}  // namespace lum
