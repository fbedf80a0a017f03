#include "media/ui/PlaylistSettingsDialog.h"

#include "media/ui/CommanderTexts.h"
#include "widgets/UiTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace lum {

namespace t = commander_texts;

CPlaylistSettingsDialog::CPlaylistSettingsDialog(const PlaylistSettings& settings, QWidget* parent)
    : QDialog(parent), base_(settings) {
    setObjectName(QStringLiteral("PlaylistSettings"));
    setWindowTitle(uiText(t::kSettingsTitle));
    setAccessibleName(windowTitle());
    auto* form = new QFormLayout(this);

    pictureTime_ = new QSpinBox;
    pictureTime_->setRange(0, 99999);
    pictureTime_->setSuffix(QLatin1Char(' ') + uiText(t::kSeconds));
    pictureTime_->setValue(std::clamp(settings.globalInterval, 0, 99999));
    pictureTime_->setAccessibleName(uiText(t::kPictureTime));
    form->addRow(uiText(t::kPictureTime), pictureTime_);

    useTransition_ = new QCheckBox(uiText(t::kUseGlobalTransition));
    useTransition_->setAccessibleName(useTransition_->text());
    useTransition_->setChecked(settings.useGlobalTransition);
    transition_ = new QComboBox;
    transition_->setAccessibleName(useTransition_->text());
    for (const char* name : kGlobalTransitionNames) transition_->addItem(uiText(name));
    transition_->setCurrentIndex(std::clamp(settings.globalTransition, 0, int(kGlobalTransitionNames.size()) - 1));
    form->addRow(useTransition_, transition_);

    deleteFiles_ = new QComboBox;
    deleteFiles_->setAccessibleName(uiText(t::kDeleteFiles));
    for (const char* name : kDeleteFilesChoiceNames) deleteFiles_->addItem(uiText(name));
    deleteFiles_->setCurrentIndex(settings.deleteFilesChoice());
    form->addRow(uiText(t::kDeleteFiles), deleteFiles_);

    mute_ = new QCheckBox(uiText(t::kMuteSound));
    mute_->setAccessibleName(mute_->text());
    mute_->setChecked(settings.mute);
    form->addRow(mute_);

    download_ = new QCheckBox(uiText(t::kDownloadSchedule));
    download_->setAccessibleName(download_->text());
    download_->setChecked(settings.downloadSchedule);
    hour_ = new QSpinBox;
    hour_->setRange(0, 23);
    hour_->setValue(std::clamp(settings.downloadHour, 0, 23));
    hour_->setAccessibleName(uiText(t::kHour));
    minute_ = new QSpinBox;
    minute_->setRange(0, 59);
    minute_->setValue(std::clamp(settings.downloadMinute, 0, 59));
    minute_->setAccessibleName(uiText(t::kMinute));
    auto* time = new QHBoxLayout;
    auto* hourLabel = new QLabel(uiText(t::kHour));
    auto* minuteLabel = new QLabel(uiText(t::kMinute));
    hourLabel->setBuddy(hour_);
    minuteLabel->setBuddy(minute_);
    time->addWidget(hourLabel);
    time->addWidget(hour_);
    time->addWidget(minuteLabel);
    time->addWidget(minute_);
    time->addStretch();
    form->addRow(download_, time);
    auto enableTime = [this](bool on) {
        hour_->setEnabled(on);
        minute_->setEnabled(on);
    };
    connect(download_, &QCheckBox::toggled, this, enableTime);
    enableTime(settings.downloadSchedule);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons_->button(QDialogButtonBox::Ok)->setText(uiText(t::kOk));
    buttons_->button(QDialogButtonBox::Cancel)->setText(uiText(t::kCancel));
    for (QAbstractButton* b : buttons_->buttons()) b->setAccessibleName(b->text());
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons_);
}

PlaylistSettings CPlaylistSettingsDialog::settings() const {
    PlaylistSettings s = base_;
    s.globalInterval = pictureTime_->value();
    s.useGlobalTransition = useTransition_->isChecked();
    s.globalTransition = transition_->currentIndex();
    s.mute = mute_->isChecked();
    s.downloadSchedule = download_->isChecked();
    s.downloadHour = hour_->value();
    s.downloadMinute = minute_->value();
    // The choice shown is the one kept, as its one flag.
    s.setDeleteFilesChoice(deleteFiles_->currentIndex());
    return s;
}

}  // namespace lum
