#include "playlists/ui/DlgPlaylistScheduler.h"

#include "accounts/UserStore.h"
#include "playlists/OperatorFileTexts.h"
#include "playlists/ui/PlaylistWindowTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/CopyProgress.h"
#include "widgets/RemovableDriveDialog.h"
#include "widgets/UiTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace lum {

namespace t = playlist_window_texts;

namespace {
QString L(const char* s) { return uiText(s); }

QDateEdit* datePicker(QWidget* parent) {
    auto* d = new QDateEdit(parent);
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return d;
}
}  // namespace

CDlgPlaylistScheduler::CDlgPlaylistScheduler(CUserStore& store, IOperatorPrompt& prompt,
                                             QWidget* parent)
    : QDialog(parent), store_(store), prompt_(prompt) {
    setWindowTitle(L(t::kSchedulerTitle));

    // The entry's fields.
    auto* entry = new QGridLayout;
    auto* pathLabel = new QLabel(L(t::kPlaylist), this);
    path_ = new QLineEdit(this);
    pathLabel->setBuddy(path_);
    auto* browse = new QPushButton(L(t::kBrowseDots), this);
    entry->addWidget(pathLabel, 0, 0);
    entry->addWidget(path_, 0, 1, 1, 3);
    entry->addWidget(browse, 0, 4);
    auto* startLabel = new QLabel(L(t::kStartDate), this);
    start_ = datePicker(this);
    startLabel->setBuddy(start_);
    auto* stopLabel = new QLabel(L(t::kEndDate), this);
    stop_ = datePicker(this);
    stopLabel->setBuddy(stop_);
    entry->addWidget(startLabel, 1, 0);
    entry->addWidget(start_, 1, 1);
    entry->addWidget(stopLabel, 1, 2);
    entry->addWidget(stop_, 1, 3);
    auto* dayRow = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        days_[size_t(i)] = new QCheckBox(L(operator_file_texts::kDayNames[i]), this);
        dayRow->addWidget(days_[size_t(i)]);
    }
    dayRow->addStretch();
    entry->addLayout(dayRow, 2, 0, 1, 5);

    auto* rowButtons = new QHBoxLayout;
    add_ = new QPushButton(L(t::kAdd), this);
    update_ = new QPushButton(L(t::kUpdate), this);
    delete_ = new QPushButton(L(t::kDelete), this);
    rowButtons->addWidget(add_);
    rowButtons->addWidget(update_);
    rowButtons->addWidget(delete_);
    rowButtons->addStretch();

    list_ = new QTableView(this);
    list_->setModel(&model_);
    list_->setAccessibleName(L(t::kScheduleList));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {260, 90, 90, 200};
    for (int c = 0; c < ScheduleModel::ColumnCount; ++c) list_->setColumnWidth(c, widths[c]);
    list_->setMinimumHeight(180);

    auto* fileButtons = new QHBoxLayout;
    auto* openButton = new QPushButton(L(t::kOpen), this);
    auto* saveButton = new QPushButton(L(t::kSave), this);
    auto* groupLabel = new QLabel(L(t::kGroup), this);
    groups_ = new QComboBox(this);
    groups_->setMinimumContentsLength(12);
    groupLabel->setBuddy(groups_);
    assign_ = new QPushButton(L(t::kAssignToGroup), this);
    saveToDisc_ = new QPushButton(L(t::kSaveToDisc), this);
    fileButtons->addWidget(openButton);
    fileButtons->addWidget(saveButton);
    fileButtons->addSpacing(16);
    fileButtons->addWidget(groupLabel);
    fileButtons->addWidget(groups_);
    fileButtons->addWidget(assign_);
    fileButtons->addStretch();
    fileButtons->addWidget(saveToDisc_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addLayout(rowButtons);
    layout->addWidget(list_, 1);
    layout->addLayout(fileButtons);
    resize(720, 460);

    // Opening: today to today plus this month's days, no row, the group list.
    setFields(ScheduleModel::openingFields(QDate::currentDate()));
    const ScheduleGroupChoices choices = scheduleGroupChoices(store_);
    groups_->addItems(choices.names);
    groups_->setCurrentIndex(choices.selected);

    connect(browse, &QPushButton::clicked, this, &CDlgPlaylistScheduler::browse);
    connect(add_, &QPushButton::clicked, this, &CDlgPlaylistScheduler::add);
    connect(update_, &QPushButton::clicked, this, &CDlgPlaylistScheduler::update);
    connect(delete_, &QPushButton::clicked, this, &CDlgPlaylistScheduler::remove);
    connect(openButton, &QPushButton::clicked, this, &CDlgPlaylistScheduler::openFile);
    connect(saveButton, &QPushButton::clicked, this, &CDlgPlaylistScheduler::save);
    connect(assign_, &QPushButton::clicked, this, &CDlgPlaylistScheduler::assignToGroup);
    connect(saveToDisc_, &QPushButton::clicked, this, &CDlgPlaylistScheduler::saveToDisc);
    connect(path_, &QLineEdit::textChanged, this, &CDlgPlaylistScheduler::updateButtons);
    connect(groups_, &QComboBox::currentIndexChanged, this, &CDlgPlaylistScheduler::updateButtons);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        onRowSelected();
        updateButtons();
    });
    for (auto sig : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&model_, sig, this, &CDlgPlaylistScheduler::updateButtons);
    connect(&model_, &QAbstractItemModel::modelReset, this, &CDlgPlaylistScheduler::updateButtons);
    // No button takes Enter: typing a path must not add or delete a row by surprise.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    nameControlsByLabels(this);
    updateButtons();
}

ScheduleModel::Fields CDlgPlaylistScheduler::fields() const {
    ScheduleModel::Fields f;
    f.playlist = path_->text();
    f.start = start_->date();
    f.stop = stop_->date();
    for (size_t i = 0; i < 7; ++i) f.days[i] = days_[i]->isChecked();
    return f;
}

void CDlgPlaylistScheduler::setFields(const ScheduleModel::Fields& f) {
    path_->setText(f.playlist);
    start_->setDate(f.start);
    stop_->setDate(f.stop);
    for (size_t i = 0; i < 7; ++i) days_[i]->setChecked(f.days[i]);
}

int CDlgPlaylistScheduler::selectedRow() const {
    const QModelIndexList rows = list_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CDlgPlaylistScheduler::updateButtons() {
    const SchedulerButtons b =
        schedulerButtons(path_->text(), selectedRow(), model_.rowCount(), groups_->currentText());
    add_->setEnabled(b.add);
    update_->setEnabled(b.update);
    delete_->setEnabled(b.remove);
    assign_->setEnabled(b.assign);
    saveToDisc_->setEnabled(b.saveToDisc);
}

void CDlgPlaylistScheduler::onRowSelected() {
    const int row = selectedRow();
    if (row >= 0) setFields(model_.fieldsForRow(row, fields()));
}

QString CDlgPlaylistScheduler::choose(FileChoice::Mode mode, const char* filter, const char* name,
                                      const char* suffix) {
    FileChoice c;
    c.mode = mode;
    c.filter = QString::fromLatin1(filter);
    if (name) c.defaultName = QString::fromLatin1(name);
    if (suffix) c.defaultSuffix = QString::fromLatin1(suffix);
    const QStringList chosen = chooser_(this, c);
    return chosen.isEmpty() ? QString() : chosen.first();
}

void CDlgPlaylistScheduler::browse() {
    const QString path = choose(FileChoice::Mode::Open, t::kPlaylistFilter);
    if (!path.isEmpty()) path_->setText(path);
}

void CDlgPlaylistScheduler::add() {
    if (model_.add(fields())) list_->selectRow(model_.rowCount() - 1);
}

void CDlgPlaylistScheduler::update() { model_.update(selectedRow(), fields()); }

void CDlgPlaylistScheduler::remove() { model_.remove(selectedRow()); }

void CDlgPlaylistScheduler::openFile() {
    // The list is replaced only once a file was chosen: cancelling the chooser keeps the rows.
    const QString path = choose(FileChoice::Mode::Open, t::kScheduleFilter);
    if (path.isEmpty()) return;
    model_.load(path);
}

void CDlgPlaylistScheduler::save() {
    const QString path = choose(FileChoice::Mode::Save, t::kScheduleFilter,
                                t::kScheduleDefaultName, t::kScheduleExtension);
    if (!path.isEmpty()) model_.save(path, prompt_);
}

void CDlgPlaylistScheduler::saveToDisc() {
    if (model_.rowCount() == 0) return;
    auto* drives = new CRemovableDriveDialog(L(t::kSaveToDisc), volumes_(), false, this);
    drives->setAttribute(Qt::WA_DeleteOnClose);
    connect(drives, &QDialog::accepted, this, [this, drives] {
        const QString mount = drives->mountPoint();
        if (mount.isEmpty()) return;
        // "MEDIA" is created on the drive by the copy; the schedule is written last.
        auto* copy = new CCopyProgress(model_.saveToDiscPlan(mount), prompt_, this);
        copy->setAttribute(Qt::WA_DeleteOnClose);
        copy->start();
    });
    drives->open();
}

void CDlgPlaylistScheduler::assignToGroup() {
    model_.assignToGroup(groups_->currentText(), store_, prompt_);
}

}  // namespace lum
