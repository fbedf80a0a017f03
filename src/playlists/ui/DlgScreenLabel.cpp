#include "playlists/ui/DlgScreenLabel.h"

#include "accounts/UserStore.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/OperatorPrompt.h"
#include "playlists/MessageSender.h"
#include "playlists/OperatorFileTexts.h"
#include "playlists/ui/PlaylistWindowTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace lum {

namespace t = playlist_window_texts;

namespace {
QString L(const char* s) { return uiText(s); }
}  // namespace

CDlgScreenLabel::CDlgScreenLabel(const CommandTarget& target, CUserStore& store,
                                 ICommandSender& sender, IOperatorPrompt& prompt, QWidget* parent)
    : QDialog(parent), target_(target), store_(store), sender_(sender), prompt_(prompt) {
    setWindowTitle(L(t::kLabelTitle));

    menu_ = new QMenuBar(this);
    QMenu* file = menu_->addMenu(L(t::kFileMenu));
    file->addAction(L(t::kOpen), this, &CDlgScreenLabel::openFile);
    file->addAction(L(t::kSaveAs), this, &CDlgScreenLabel::saveAs);
    file->addSeparator();
    file->addAction(L(t::kExit), this, &CDlgScreenLabel::reject);

    list_ = new QTableView(this);
    list_->setModel(&lines_);
    list_->setAccessibleName(L(t::kLabelLines));
    list_->verticalHeader()->hide();
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    list_->setColumnWidth(ScreenLabelLinesModel::LineColumn, 50);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setMinimumSize(330, 200);

    numberOnly_ = new QCheckBox(L(t::kNumberOnly), this);
    number_ = new QLineEdit(this);
    number_->setMaxLength(ScreenLabel::kMaxNumberDigits);
    number_->setAccessibleName(L(t::kNumber));
    colour_ = new QComboBox(this);
    for (const char* n : t::kLabelColourNames) colour_->addItem(*n ? L(n) : QString());
    auto* colourLabel = new QLabel(L(t::kForeground), this);
    colourLabel->setBuddy(colour_);
    centred_ = new QCheckBox(L(t::kCenterAlignment), this);
    alwaysOn_ = new QCheckBox(L(t::kAlwaysOn), this);
    minutes_ = new QSpinBox(this);
    minutes_->setRange(0, 9999);
    seconds_ = new QSpinBox(this);
    seconds_->setRange(0, 59);
    auto* minutesLabel = new QLabel(L(t::kMinutes), this);
    minutesLabel->setBuddy(minutes_);
    auto* secondsLabel = new QLabel(L(t::kSeconds), this);
    secondsLabel->setBuddy(seconds_);

    auto* side = new QGridLayout;
    side->addWidget(numberOnly_, 0, 0, 1, 2);
    side->addWidget(number_, 1, 0, 1, 2);
    side->addWidget(colourLabel, 2, 0);
    side->addWidget(colour_, 2, 1);
    side->addWidget(centred_, 3, 0, 1, 2);
    side->addWidget(alwaysOn_, 4, 0, 1, 2);
    side->addWidget(minutesLabel, 5, 0);
    side->addWidget(minutes_, 5, 1);
    side->addWidget(secondsLabel, 6, 0);
    side->addWidget(seconds_, 6, 1);
    side->setRowStretch(7, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(side);

    auto* buttons = new QHBoxLayout;
    auto* sendButton = new QPushButton(L(t::kSend), this);
    auto* clearButton = new QPushButton(L(t::kClear), this);
    auto* exitButton = new QPushButton(L(t::kExit), this);
    buttons->addStretch();
    buttons->addWidget(sendButton);
    buttons->addWidget(clearButton);
    buttons->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu_);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(sendButton, &QPushButton::clicked, this, &CDlgScreenLabel::send);
    connect(clearButton, &QPushButton::clicked, this, &CDlgScreenLabel::clear);
    connect(exitButton, &QPushButton::clicked, this, &CDlgScreenLabel::reject);
    connect(numberOnly_, &QCheckBox::toggled, this, &CDlgScreenLabel::updateControls);
    connect(alwaysOn_, &QCheckBox::toggled, this, [this](bool on) {
        // Unticked with no time set: five seconds to start from.
        if (!on && minutes_->value() == 0 && seconds_->value() == 0) seconds_->setValue(5);
        updateControls();
    });
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    nameControlsByLabels(this);

    // Opening: the group's label file when there is one, else an empty list to type into.
    const QString group = labelGroupFor(target_, store_);
    const QString path = group.isEmpty() ? QString()
        : joinPath(store_.homeDirectoryFor(group), QString::fromLatin1(fixed_names::kScreenLabel));
    if (!path.isEmpty() && QFileInfo::exists(path)) {
        setLabel(loadScreenLabel(path));
    } else {
        setLabel(ScreenLabel());  // white, always on, not centred, lines
        // Row "0" is current: typing starts it.
        list_->setCurrentIndex(lines_.clearForTyping());
    }
}

ScreenLabel CDlgScreenLabel::label() const {
    ScreenLabel l;
    l.lines = lines_.lines();
    l.numberOnly = numberOnly_->isChecked();
    l.number = number_->text();
    l.colour = colour_->currentIndex();
    l.centred = centred_->isChecked();
    l.setDuration(alwaysOn_->isChecked(), minutes_->value(), seconds_->value());
    return l;
}

void CDlgScreenLabel::setLabel(const ScreenLabel& l) {
    lines_.setLines(l.lines);
    numberOnly_->setChecked(l.numberOnly);
    number_->setText(l.number);
    colour_->setCurrentIndex(l.colour);
    centred_->setChecked(l.centred);
    // The fields first: ticking "Always On" off must not find them at zero.
    minutes_->setValue(l.minutes());
    seconds_->setValue(l.seconds());
    alwaysOn_->setChecked(l.alwaysOn());
    updateControls();
}

void CDlgScreenLabel::updateControls() {
    const LabelControls c = labelControls(numberOnly_->isChecked(), alwaysOn_->isChecked());
    list_->setEnabled(c.linesEnabled);
    number_->setEnabled(c.numberEnabled);
    minutes_->setEnabled(c.durationEnabled);
    seconds_->setEnabled(c.durationEnabled);
}

bool CDlgScreenLabel::checkNumber() {
    const ScreenLabel l = label();
    switch (checkLabel(l, prompt_)) {
    case LabelCheck::Ok: return true;
    case LabelCheck::NotDigits:
        number_->selectAll();
        number_->setFocus();
        return false;
    case LabelCheck::EmptyNumber: return false;
    }
    return false;
}

void CDlgScreenLabel::send() {
    // An edit still open in the list belongs to the label.
    list_->setCurrentIndex({});
    if (!checkNumber()) return;
    const SendResult r = sendScreenLabel(label(), target_, store_, sender_, prompt_);
    if (r.status == SendResult::Sent || r.status == SendResult::NoneReached) accept();
}

void CDlgScreenLabel::clear() {
    const QModelIndex row0 = lines_.clearForTyping();
    list_->setCurrentIndex(row0);
    if (list_->isEnabled() && list_->isVisible()) list_->edit(row0);
}

void CDlgScreenLabel::openFile() {
    FileChoice c;
    c.filter = QString::fromLatin1(t::kMessageOpenFilter);
    const QStringList chosen = chooser_(this, c);
    if (!chosen.isEmpty()) setLabel(loadScreenLabel(chosen.first()));
}

void CDlgScreenLabel::saveAs() {
    list_->setCurrentIndex({});
    FileChoice c;
    c.mode = FileChoice::Mode::Save;
    c.filter = QString::fromLatin1(t::kTextSaveFilter);
    c.defaultSuffix = QString::fromLatin1(t::kTextExtension);
    const QStringList chosen = chooser_(this, c);
    if (chosen.isEmpty()) return;
    if (!checkNumber()) return;
    if (!writeScreenLabel(label(), chosen.first(), prompt_))
        prompt_.message(QString::fromLatin1(operator_file_texts::kCannotSaveFile),
                        IOperatorPrompt::Icon::Stop);
}

}  // namespace lum
