#include "widgets/RemovableDriveDialog.h"

#include "widgets/AccessibleNames.h"
#include "widgets/CopyTexts.h"
#include "widgets/UiTexts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lum {

namespace t = copy_texts;

CRemovableDriveDialog::CRemovableDriveDialog(const QString& title,
                                             std::vector<RemovableVolume> volumes,
                                             bool chooseFolder, QWidget* parent)
    : QDialog(parent), volumes_(std::move(volumes)) {
    setWindowTitle(title);
    auto* label = new QLabel(uiText(t::kRemovableDrives), this);
    list_ = new QListWidget(this);
    label->setBuddy(list_);
    for (const RemovableVolume& v : volumes_) list_->addItem(v.displayName());
    list_->setMinimumSize(320, 120);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    if (volumes_.empty()) layout->addWidget(new QLabel(uiText(t::kNoRemovableDrive), this));

    if (chooseFolder) {
        auto* box = new QGroupBox(uiText(t::kTargetFolder), this);
        auto* boxLayout = new QVBoxLayout(box);
        folders_ = new QButtonGroup(this);
        const char* const names[] = {t::kFolderRoot, t::kFolderMedia, t::kFolderCopy, t::kFolderSync};
        for (int i = 0; i < 4; ++i) {
            auto* b = new QRadioButton(uiText(names[i]), box);
            folders_->addButton(b, i);
            boxLayout->addWidget(b);
        }
        folders_->button(0)->setChecked(true);
        layout->addWidget(box);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { ok_->setEnabled(row >= 0); });
    if (!volumes_.empty()) list_->setCurrentRow(0);  // the first drive is preselected
    ok_->setEnabled(list_->currentRow() >= 0);
    nameControlsByLabels(this);
}

QString CRemovableDriveDialog::mountPoint() const {
    const int row = list_->currentRow();
    return row >= 0 && row < int(volumes_.size()) ? volumes_[size_t(row)].mountPoint : QString();
}

CopyAllFolder CRemovableDriveDialog::folder() const {
    if (!folders_) return CopyAllFolder::Media;
    return static_cast<CopyAllFolder>(std::max(0, folders_->checkedId()));
}

QString CRemovableDriveDialog::targetFolder() const {
    const QString mount = mountPoint();
    return mount.isEmpty() ? QString() : copyAllFolderPath(mount, folder());
}

}  // namespace lum
