#include "widgets/RemovableDriveDialog.h"

#include "widgets/UiTexts.h"
#include "widgets/WidgetTexts.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lum {

namespace t = widget_texts;

CRemovableDriveDialog::CRemovableDriveDialog(std::vector<RemovableVolume> volumes,
                                             const QString& title, FolderChoice choice,
                                             QWidget* parent)
    : QDialog(parent), volumes_(std::move(volumes)) {
    setObjectName(QStringLiteral("RemovableDriveDialog"));
    setWindowTitle(title);
    setAccessibleName(title);
    auto* layout = new QVBoxLayout(this);

    auto* driveLabel = new QLabel(uiText(t::kDriveLabel));
    layout->addWidget(driveLabel);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("Volumes"));
    list_->setAccessibleName(driveLabel->text());
    driveLabel->setBuddy(list_);
    for (const RemovableVolume& v : volumes_) list_->addItem(v.displayName());
    list_->setMinimumWidth(360);
    list_->setMaximumHeight(list_->sizeHintForRow(0) * 6 + 2 * list_->frameWidth() + 8);
    layout->addWidget(list_);
    if (volumes_.empty()) {
        auto* none = new QLabel(uiText(t::kNoDrive));
        none->setObjectName(QStringLiteral("NoDrive"));
        none->setWordWrap(true);
        layout->addWidget(none);
    } else {
        list_->setCurrentRow(0);
    }

    folders_ = new QButtonGroup(this);
    if (choice == FolderChoice::Offered) {
        auto* box = new QGroupBox(uiText(t::kFolderLabel));
        box->setAccessibleName(box->title());
        auto* boxLayout = new QVBoxLayout(box);
        const std::pair<CopyAllFolder, const char*> entries[] = {
            {CopyAllFolder::Root, t::kFolderRoot},
            {CopyAllFolder::Media, t::kFolderMedia},
            {CopyAllFolder::Copy, t::kFolderCopy},
            {CopyAllFolder::Sync, t::kFolderSync},
        };
        for (const auto& [folder, text] : entries) {
            auto* b = new QRadioButton(uiText(text));
            b->setAccessibleName(b->text());
            folders_->addButton(b, int(folder));
            boxLayout->addWidget(b);
        }
        folders_->button(int(CopyAllFolder::Root))->setChecked(true);
        layout->addWidget(box);
    }

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    for (QAbstractButton* b : buttons_->buttons()) b->setAccessibleName(b->text());
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto okState = [this] {
        buttons_->button(QDialogButtonBox::Ok)->setEnabled(chosenVolume() != nullptr);
    };
    connect(list_, &QListWidget::currentRowChanged, this, okState);
    okState();
    layout->addWidget(buttons_);
}

const RemovableVolume* CRemovableDriveDialog::chosenVolume() const {
    const int row = list_->currentRow();
    return row >= 0 && row < int(volumes_.size()) ? &volumes_[size_t(row)] : nullptr;
}

CopyAllFolder CRemovableDriveDialog::chosenFolder() const {
    const int id = folders_->checkedId();
    return id < 0 ? CopyAllFolder::Root : CopyAllFolder(id);
}

QString CRemovableDriveDialog::targetFolder() const {
    const RemovableVolume* v = chosenVolume();
    return v ? copyAllFolderPath(v->mountPoint, chosenFolder()) : QString();
}

}  // namespace lum
