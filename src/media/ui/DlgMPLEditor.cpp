#include "media/ui/DlgMPLEditor.h"

#include "core/Codepage.h"
#include "core/CommandSender.h"
#include "core/OperatorPrompt.h"
#include "media/MediaTexts.h"
#include "media/ui/CommanderTexts.h"
#include "media/ui/FtpSiteManagerDialog.h"
#include "media/ui/PlaylistSettingsDialog.h"
#include "playlists/PlaylistTexts.h"
#include "widgets/CopyProgress.h"
#include "widgets/Icons.h"
#include "widgets/PictureIconProxy.h"
#include "widgets/RemovableDriveDialog.h"
#include "widgets/UiTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QStandardPaths>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace lum {

namespace t = commander_texts;

namespace {

// The Transition cell offers the 13 transitions as a drop-down list.
class TransitionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != PlaylistGridModel::TransitionColumn)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setAccessibleName(uiText(playlist_texts::kGridHeadings[PlaylistGridModel::TransitionColumn]));
        for (const char* name : kTransitionNames) box->addItem(QString::fromLatin1(name));
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentIndex(std::max(0, box->findText(index.data(Qt::EditRole).toString())));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

QTableView* makeTable(const QString& accessibleName) {
    auto* v = new QTableView;
    v->setAccessibleName(accessibleName);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->verticalHeader()->hide();
    v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 6);
    v->horizontalHeader()->setMinimumSectionSize(0);
    v->horizontalHeader()->setHighlightSections(false);
    v->setWordWrap(false);
    return v;
}

// Column widths as the model gives them through its headings. A column meant to show starts at
// least as wide as its heading (the given pixel widths were made for smaller fonts); the hidden
// and nearly hidden ones (below kShownWidth) keep their width until the operator widens them.
void applyWidths(QTableView* view, int role) {
    constexpr int kShownWidth = 30;
    QAbstractItemModel* m = view->model();
    QHeaderView* header = view->horizontalHeader();
    for (int c = 0; c < m->columnCount(); ++c) {
        const QVariant w = m->headerData(c, Qt::Horizontal, role);
        if (!w.isValid()) continue;
        int width = w.toInt();
        if (width >= kShownWidth) {
            const QString heading = m->headerData(c, Qt::Horizontal).toString();
            width = std::max(width, header->fontMetrics().horizontalAdvance(heading) + 16);
        }
        view->setColumnWidth(c, width);
    }
}

constexpr int kPathRole = Qt::UserRole + 1;

}  // namespace

// ---- "Save Playlist to FTP"

CSavePlaylistToFtpDialog::CSavePlaylistToFtpDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SavePlaylistToFtp"));
    setWindowTitle(uiText(media_texts::kSavePlaylistTitle));
    setAccessibleName(windowTitle());
    auto* form = new QFormLayout(this);
    name_ = new QLineEdit(QString::fromLatin1(media_texts::kDefaultPlaylistName));
    name_->setAccessibleName(uiText(media_texts::kSaveAsLabel));
    name_->selectAll();
    form->addRow(uiText(media_texts::kSaveAsLabel), name_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(uiText(t::kOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(uiText(t::kCancel));
    for (QAbstractButton* b : buttons->buttons()) b->setAccessibleName(b->text());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& s) { ok_->setEnabled(!s.isEmpty()); });
    form->addRow(buttons);
    name_->setFocus();
}

QString CSavePlaylistToFtpDialog::name() const { return name_->text(); }

// ---- the Commander

CDlgMPLEditor::CDlgMPLEditor(CommanderServices services, IOperatorPrompt& prompt, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), prompt_(prompt),
      commander_(std::make_unique<PlaylistCommander>(prompt)) {
    setObjectName(QStringLiteral("MPL"));
    setWindowTitle(commander_->title());
    setAccessibleName(uiText(playlist_texts::kCommanderCaption));
    ftpProfile_ = std::make_unique<FtpProfile>();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* split = new QSplitter(Qt::Horizontal);
    split->setChildrenCollapsible(false);
    split->addWidget(buildBrowsingSide());

    auto* middle = new QWidget;
    auto* mid = new QVBoxLayout(middle);
    mid->setContentsMargins(0, 0, 0, 0);
    mid->addStretch();
    QPushButton* one = addButton(t::kAdd, &CDlgMPLEditor::add);
    QPushButton* all = addButton(t::kAddAll, &CDlgMPLEditor::addAll);
    one->setToolTip(uiText(t::kAddTip));
    all->setToolTip(uiText(t::kAddAllTip));
    for (QPushButton* b : {one, all}) {
        b->setFixedWidth(36);
        mid->addWidget(b);
    }
    mid->addStretch();
    split->addWidget(middle);
    split->addWidget(buildPlaylistSide());
    split->setStretchFactor(0, 2);
    split->setStretchFactor(2, 3);
    // The browsing side starts wide enough for its three tabs and the file list's columns.
    split->setSizes({std::max(tabs_->tabBar()->sizeHint().width() + 8, 470), 40, 900});
    layout->addWidget(split);

    connect(commander_.get(), &PlaylistCommander::titleChanged, this, [this](const QString& title) {
        setWindowTitle(title);
        Q_EMIT titleChanged(title);
    });
    connect(commander_.get(), &PlaylistCommander::multiZoneChanged, this, [this](bool on) {
        const QSignalBlocker block(multiZone_);
        multiZone_->setChecked(on);
        updateButtons();
    });
    reloadSites();
    const QString start = services_.startFolder.isEmpty()
                              ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation)
                              : services_.startFolder;
    showFolder(start);
    updateButtons();
}

CDlgMPLEditor::~CDlgMPLEditor() {
    // A length query ends within the HTTP time-outs; its thread is not left behind.
    for (const QPointer<QThread>& t : webThreads_)
        if (t) t->wait();
    while (busyCursors_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyCursors_;
    }
    // The FTP worker ends before the window's objects it reports to.
    publisher_.reset();
}

QPushButton* CDlgMPLEditor::addButton(const char* label, void (CDlgMPLEditor::*slot)()) {
    auto* b = new QPushButton(uiText(label));
    b->setObjectName(QString::fromLatin1(label));
    b->setAccessibleName(b->text());
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, slot);
    buttons_ << b;
    return b;
}

QPushButton* CDlgMPLEditor::button(const char* label) const {
    for (QPushButton* b : buttons_)
        if (b->objectName() == QLatin1String(label)) return b;
    return nullptr;
}

QWidget* CDlgMPLEditor::buildBrowsingSide() {
    auto* side = new QWidget;
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabWidget;
    tabs_->setAccessibleName(uiText(t::kLocalTab));
    tabs_->setDocumentMode(true);

    // "Local Directory": the folder tree and the file list, or the files on a player.
    auto* local = new QWidget;
    auto* localLayout = new QVBoxLayout(local);
    localLayout->setContentsMargins(0, 2, 0, 0);
    localLayout->setSpacing(2);
    playerFiles_ = new QToolButton;
    playerFiles_->setText(uiText(t::kPlayerFiles));
    playerFiles_->setAccessibleName(playerFiles_->text());
    playerFiles_->setToolTip(uiText(t::kPlayerFilesTip));
    playerFiles_->setCheckable(true);
    playerFiles_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    playerFiles_->setIcon(icons::tile(QStringLiteral("CF"), QColor(40, 110, 170)));
    connect(playerFiles_, &QToolButton::toggled, this, &CDlgMPLEditor::setPlayerFiles);
    folderModel_ = new QFileSystemModel(this);
    folderModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folderModel_->setRootPath(QDir::rootPath());
    folders_ = new QTreeView;
    folders_->setAccessibleName(uiText(t::kFolders));
    folders_->setModel(folderModel_);
    for (int c = 1; c < folderModel_->columnCount(); ++c) folders_->hideColumn(c);
    folders_->setHeaderHidden(true);
    // The tree fills as the folders are read: the listed folder is shown once it is there.
    connect(folderModel_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (folders_->currentIndex().isValid()) folders_->scrollTo(folders_->currentIndex());
    });
    connect(folders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !playerFilesMode())
                    commander_->listFolder(folderModel_->filePath(current));
            });
    fileList_ = makeTable(uiText(t::kFiles));
    fileList_->setModel(commander_->sources());
    applyWidths(fileList_, SourceListModel::ColumnWidthRole);
    fileList_->horizontalHeader()->setStretchLastSection(true);
    connect(fileList_, &QTableView::doubleClicked, this, [this] { add(); });
    auto* localSplit = new QSplitter(Qt::Horizontal);
    localSplit->addWidget(folders_);
    localSplit->addWidget(fileList_);
    localSplit->setStretchFactor(1, 2);
    localSplit->setSizes({170, 290});
    localLayout->addWidget(playerFiles_, 0, Qt::AlignLeft);
    localLayout->addWidget(localSplit, 1);
    tabs_->addTab(local, uiText(t::kLocalTab));

    // "Remote HTTP Server": a web item from its address and file name.
    auto* http = new QWidget;
    auto* form = new QFormLayout(http);
    url_ = new QLineEdit;
    url_->setAccessibleName(uiText(t::kUrlAndPath));
    webName_ = new QLineEdit;
    webName_->setAccessibleName(uiText(t::kFileName));
    form->addRow(uiText(t::kUrlAndPath), url_);
    form->addRow(uiText(t::kFileName), webName_);
    tabs_->addTab(http, uiText(t::kHttpTab));

    // "Remote FTP Server": a stored site, its folders and files.
    auto* ftpPage = new QWidget;
    auto* ftpLayout = new QVBoxLayout(ftpPage);
    ftpLayout->setContentsMargins(0, 2, 0, 0);
    ftpLayout->setSpacing(2);
    auto* siteRow = new QHBoxLayout;
    auto* siteLabel = new QLabel(uiText(t::kFtpSite));
    siteList_ = new QComboBox;
    siteList_->setAccessibleName(siteLabel->text());
    siteList_->setMinimumContentsLength(12);
    siteLabel->setBuddy(siteList_);
    siteRow->addWidget(siteLabel);
    siteRow->addWidget(siteList_, 1);
    siteRow->addWidget(addButton(t::kConnect, &CDlgMPLEditor::connectSite));
    siteRow->addWidget(addButton(t::kProperty, &CDlgMPLEditor::openSiteManager));
    ftpLayout->addLayout(siteRow);
    ftpTree_ = new QTreeWidget;
    ftpTree_->setAccessibleName(uiText(t::kRemoteFolders));
    ftpTree_->setHeaderHidden(true);
    connect(ftpTree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (publisher_ && publisher_->isConnected() && !publisher_->isBusy())
            publisher_->listFolder(item->data(0, kPathRole).toString(), commander_->playlistFilter());
    });
    ftpList_ = makeTable(uiText(t::kRemoteFiles));
    ftpList_->setModel(&ftpSources_);
    applyWidths(ftpList_, SourceListModel::ColumnWidthRole);
    ftpList_->horizontalHeader()->setStretchLastSection(true);
    connect(ftpList_, &QTableView::doubleClicked, this, [this] { add(); });
    auto* ftpSplit = new QSplitter(Qt::Horizontal);
    ftpSplit->addWidget(ftpTree_);
    ftpSplit->addWidget(ftpList_);
    ftpSplit->setStretchFactor(1, 2);
    ftpSplit->setSizes({170, 290});
    ftpLayout->addWidget(ftpSplit, 1);
    tabs_->addTab(ftpPage, uiText(t::kFtpTab));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        tabs_->setAccessibleName(tabs_->tabText(tab));
    });
    layout->addWidget(tabs_, 1);

    // The file-type filters.
    auto* filters = new QHBoxLayout;
    auto* typeLabel = new QLabel(uiText(t::kFileType));
    mplBox_ = new QCheckBox(QString::fromLatin1(t::kMplSch));
    yuvBox_ = new QCheckBox(QString::fromLatin1(t::kYuv));
    for (QCheckBox* b : {mplBox_, yuvBox_}) b->setAccessibleName(b->text());
    filters->addWidget(typeLabel);
    filters->addWidget(mplBox_);
    filters->addWidget(yuvBox_);
    filters->addStretch();
    connect(mplBox_, &QCheckBox::toggled, this, [this](bool on) {
        commander_->setPlaylistFilter(on);
        filtersChanged();
    });
    connect(yuvBox_, &QCheckBox::toggled, this, [this](bool on) {
        commander_->setZoneFilter(on);
        filtersChanged();
    });
    layout->addLayout(filters);
    return side;
}

QWidget* CDlgMPLEditor::buildPlaylistSide() {
    auto* side = new QWidget;
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);

    grid_ = makeTable(uiText(t::kPlaylist));
    auto* proxy = new CPictureIconProxy(
        PlaylistGridModel::RowImageRole,
        {icons::tile(QStringLiteral("Z"), QColor(120, 120, 120)),
         icons::tile(QStringLiteral("F"), QColor(0, 130, 70))},
        this);
    proxy->setTranslateHeadings(true);
    proxy->setSourceModel(commander_->grid());
    grid_->setModel(proxy);
    grid_->setItemDelegate(new TransitionDelegate(grid_));
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    applyWidths(grid_, PlaylistGridModel::ColumnWidthRole);
    grid_->setMinimumHeight(80);
    layout->addWidget(grid_, 1);

    auto* row1 = new QHBoxLayout;
    row1->setSpacing(3);
    fileMenu_ = new QToolButton;
    fileMenu_->setText(uiText(t::kFile));
    fileMenu_->setAccessibleName(fileMenu_->text());
    fileMenu_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(fileMenu_);
    menu->addAction(uiText(t::kNew), this, &CDlgMPLEditor::newFile);
    menu->addAction(uiText(t::kOpen), this, &CDlgMPLEditor::openPlaylist);
    fileMenu_->setMenu(menu);
    row1->addWidget(fileMenu_);
    row1->addWidget(addButton(t::kOpen, &CDlgMPLEditor::openPlaylist));
    row1->addWidget(addButton(t::kSave, &CDlgMPLEditor::savePlaylist));
    row1->addWidget(addButton(t::kSettings, &CDlgMPLEditor::editSettings));
    multiZone_ = new QCheckBox(uiText(t::kMultiZone));
    multiZone_->setAccessibleName(multiZone_->text());
    connect(multiZone_, &QCheckBox::toggled, this, [this](bool on) { commander_->setMultiZone(on); });
    row1->addSpacing(6);
    row1->addWidget(multiZone_);
    row1->addWidget(addButton(t::kImageZone, &CDlgMPLEditor::imageZone));
    row1->addWidget(addButton(t::kFullScreen, &CDlgMPLEditor::fullScreen));
    row1->addWidget(addButton(t::kAddTvFeed, &CDlgMPLEditor::addTvFeed));
    row1->addSpacing(6);
    row1->addWidget(addButton(t::kScrollTextOff, &CDlgMPLEditor::scrollTextOff));
    row1->addWidget(addButton(t::kDelete, &CDlgMPLEditor::deleteRows));
    row1->addWidget(addButton(t::kClear, &CDlgMPLEditor::clearAll));
    // The two arrows carry no text: their names say what they do.
    QPushButton* up = addButton(t::kUp, &CDlgMPLEditor::moveUp);
    QPushButton* down = addButton(t::kDown, &CDlgMPLEditor::moveDown);
    up->setText(QString());
    down->setText(QString());
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    up->setToolTip(uiText(t::kUp));
    down->setToolTip(uiText(t::kDown));
    row1->addWidget(up);
    row1->addWidget(down);
    row1->addStretch();
    layout->addLayout(row1);

    auto* row2 = new QHBoxLayout;
    row2->setSpacing(3);
    auto* targetLabel = new QLabel(uiText(t::kSelectTarget));
    target_ = new CTargetCombo;
    target_->setAccessibleName(targetLabel->text());
    target_->setMinimumContentsLength(16);
    target_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    target_->beforePopup = [this] { refillTargets(); };
    targetLabel->setBuddy(target_);
    connect(target_, &QComboBox::activated, this, [this] {
        // "Player Files" follows the chosen player.
        if (playerFilesMode()) setPlayerFiles(true);
    });
    row2->addWidget(targetLabel);
    row2->addWidget(target_);
    row2->addWidget(addButton(t::kAutoPlay, &CDlgMPLEditor::autoPlay));
    row2->addWidget(addButton(t::kEzPlay, &CDlgMPLEditor::ezPlay));
    row2->addSpacing(6);
    row2->addWidget(addButton(t::kCopyAll, &CDlgMPLEditor::copyAll));
    row2->addWidget(addButton(t::kUpload, &CDlgMPLEditor::uploadPlaylist));
    row2->addStretch();
    layout->addLayout(row2);
    return side;
}

void CDlgMPLEditor::setImageEditorHook(ImageEditorHook hook) {
    imageEditor_ = std::move(hook);
    updateButtons();
}

void CDlgMPLEditor::updateButtons() {
    const bool zones = commander_->multiZone();
    QPushButton* image = button(t::kImageZone);
    image->setEnabled(zones && bool(imageEditor_));
    image->setToolTip(imageEditor_ ? QString() : uiText(t::kNoImageEditor));
    button(t::kFullScreen)->setEnabled(zones);
    button(t::kAddTvFeed)->setVisible(zones);
}

// ---- selection

QList<int> CDlgMPLEditor::selectedGridRows() const {
    QList<int> rows;
    for (const QModelIndex& i : grid_->selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CDlgMPLEditor::selectedGridRow() const {
    const QList<int> rows = selectedGridRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void CDlgMPLEditor::selectGridRows(const QList<int>& rows) {
    QItemSelection selection;
    for (int r : rows) {
        const QModelIndex i = grid_->model()->index(r, 0);
        selection.select(i, i);
    }
    grid_->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
}

// ---- adding

void CDlgMPLEditor::add() { addFromTab(false); }
void CDlgMPLEditor::addAll() { addFromTab(true); }

void CDlgMPLEditor::addFromTab(bool all) {
    auto chosenRows = [all](QTableView* list) {
        QList<int> rows;
        if (all) {
            for (int r = 0; r < list->model()->rowCount(); ++r) rows << r;
        } else {
            for (const QModelIndex& i : list->selectionModel()->selectedRows()) rows << i.row();
            std::sort(rows.begin(), rows.end());
        }
        list->clearSelection();
        return rows;
    };
    switch (tabs_->currentIndex()) {
    case LocalTab:
        commander_->addSources(chosenRows(fileList_), selectedGridRow());
        break;
    case HttpTab: addWebItem(); break;
    case FtpTab: {
        if (!publisher_ || !publisher_->isConnected()) return;
        std::vector<PlaylistItem> items;
        for (int r : chosenRows(ftpList_))
            if (const PlaylistItem* s = ftpSources_.source(r)) items.push_back(*s);
        commander_->addItems(items, selectedGridRow(), ftpItemHost(ftpParams_));
        break;
    }
    default: break;
    }
}

void CDlgMPLEditor::addWebItem() {
    const WebItemResult r = prepareWebItem(url_->text(), webName_->text(), prompt_);
    if (!r.ok) {
        if (r.focus == WebItemResult::Focus::UrlField) url_->setFocus();
        if (r.focus == WebItemResult::Focus::FileNameField) webName_->setFocus();
        return;
    }
    queryLength(r, false, selectedGridRow());
}

void CDlgMPLEditor::addWebAddress(const QString& address) {
    const std::optional<WebItem> web = webItemFromAddress(address);
    if (!web) return;
    WebItemResult r;
    r.ok = true;
    r.item = *web;
    queryLength(r, true, -1);
}

void CDlgMPLEditor::queryLength(const WebItemResult& item, bool append, int afterRow) {
    // The server may take its time: the query runs on a thread of its own.
    ++webQueries_;
    QApplication::setOverrideCursor(Qt::BusyCursor);
    ++busyCursors_;
    auto length = std::make_shared<quint32>(kWebLengthFailed);
    const QString url = webItemUrl(item.item);
    QThread* worker = QThread::create([length, url] { *length = queryWebLength(url); });
    webThreads_.removeAll(nullptr);
    webThreads_ << worker;
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, [this, item, length, append, afterRow] {
        --webQueries_;
        if (busyCursors_ > 0) {
            QApplication::restoreOverrideCursor();
            --busyCursors_;
        }
        WebItemResult r = item;
        if (finishWebItem(r, *length, prompt_))
            commander_->addItem(toPlaylistItem(r.item), append ? -1 : afterRow);
        Q_EMIT backgroundWorkDone();
    });
    worker->start();
}

// ---- playlist buttons

void CDlgMPLEditor::openPlaylist() {
    FileChoice c;
    c.mode = FileChoice::Mode::Open;
    c.filter = QString::fromLatin1(t::kOpenFilter);
    const QStringList chosen = chooser_(this, c);
    if (!chosen.isEmpty()) commander_->open(chosen.first());
}

void CDlgMPLEditor::savePlaylist() {
    if (!commander_->readyToSave()) return;
    FileChoice c;
    c.mode = FileChoice::Mode::Save;  // asks before it replaces a file
    c.filter = QString::fromLatin1(t::kSaveFilter);
    c.defaultSuffix = QString::fromLatin1(t::kPlaylistExtension);
    const QStringList chosen = chooser_(this, c);
    if (!chosen.isEmpty()) commander_->save(chosen.first());
}

void CDlgMPLEditor::editSettings() {
    CPlaylistSettingsDialog dlg(commander_->settings(), this);
    if (dlg.exec() == QDialog::Accepted) commander_->setSettings(dlg.settings());
}

void CDlgMPLEditor::imageZone() {
    if (!imageEditor_ || !commander_->multiZone()) return;
    std::vector<PlaylistItem> zones = commander_->document().zoneItems();
    if (imageEditor_(this, zones)) commander_->document().zoneItems() = std::move(zones);
}

void CDlgMPLEditor::fullScreen() { commander_->toggleFullScreen(selectedGridRows()); }
void CDlgMPLEditor::addTvFeed() { commander_->addTvFeed(selectedGridRow()); }
void CDlgMPLEditor::scrollTextOff() { commander_->addScrollTextOff(); }
void CDlgMPLEditor::deleteRows() { commander_->deleteRows(selectedGridRows()); }
void CDlgMPLEditor::clearAll() { commander_->clear(); }
void CDlgMPLEditor::newFile() { commander_->newFile(); }
void CDlgMPLEditor::moveUp() { selectGridRows(commander_->moveUp(selectedGridRows())); }
void CDlgMPLEditor::moveDown() { selectGridRows(commander_->moveDown(selectedGridRows())); }

void CDlgMPLEditor::refillTargets() {
    const QStringList groups = services_.groups ? services_.groups() : QStringList();
    const std::vector<ListedPlayer> players = services_.players ? services_.players() : std::vector<ListedPlayer>();
    target_->clear();
    for (const TargetEntry& e : groupDeviceEntries(groups, players))
        target_->addItem(e.text, e.isPlayer ? 1 : 0);
    target_->setCurrentIndex(target_->count() == 1 ? 0 : -1);
}

void CDlgMPLEditor::autoPlay() {
    if (commander_->rowCount() == 0 || !services_.autoPlay) return;
    // No entry chosen: the hand-over says "Please select a Group or Device!".
    services_.autoPlay(targetOfEntry(target_->currentText()).value_or(CommandTarget::group({})),
                       commander_->document());
}

void CDlgMPLEditor::ezPlay() {
    if (!services_.ezPlay) return;
    services_.ezPlay(targetOfEntry(target_->currentText()).value_or(CommandTarget::group({})),
                     commander_->document());
}

void CDlgMPLEditor::copyAll() {
    if (commander_->rowCount() == 0 || copy_) return;  // one copy at a time
    if (!commander_->document().validateTimes(&prompt_)) return;
    CRemovableDriveDialog dlg(uiText(t::kCopyAllTitle),
                              services_.volumes ? services_.volumes() : removableVolumes(), true, this);
    if (dlg.exec() != QDialog::Accepted) return;
    const QString folder = dlg.targetFolder();
    if (folder.isEmpty()) return;
    copy_ = new CCopyProgress(commander_->document().copyAllPlan(folder), prompt_, this);
    copy_->setAttribute(Qt::WA_DeleteOnClose);
    connect(copy_, &CCopyProgress::status, this, [this](const QString& text) {
        if (services_.showStatus) services_.showStatus(text);
    });
    Q_EMIT copyStarting(copy_);
    copy_->start();
}

void CDlgMPLEditor::uploadPlaylist() {
    if (commander_->rowCount() == 0 || !publisher_ || !publisher_->isConnected() || publisher_->isBusy())
        return;
    CSavePlaylistToFtpDialog dlg(this);
    if (dlg.exec() != QDialog::Accepted) return;
    publisher_->savePlaylist(
        dlg.name(), services_.programFolder,
        [this](const QString& path) { return commander_->document().Save(path, &prompt_); },
        commander_->playlistFilter());
}

// ---- the file list

void CDlgMPLEditor::showFolder(const QString& folder) {
    if (folder.isEmpty()) return;
    const QModelIndex index = folderModel_->index(folder);
    if (index.isValid()) {
        const QSignalBlocker block(folders_->selectionModel());
        folders_->setCurrentIndex(index);
        folders_->scrollTo(index);
    }
    if (!playerFilesMode()) commander_->listFolder(folder);
}

void CDlgMPLEditor::filtersChanged() {
    {
        const QSignalBlocker a(mplBox_), b(yuvBox_);
        mplBox_->setChecked(commander_->playlistFilter());
        yuvBox_->setChecked(commander_->zoneFilter());
    }
    if (tabs_->currentIndex() == FtpTab && publisher_ && publisher_->isConnected()) {
        if (!publisher_->isBusy())
            publisher_->listFolder(publisher_->currentFolder(), commander_->playlistFilter());
        return;
    }
    if (!playerFilesMode()) commander_->relist();
}

bool CDlgMPLEditor::playerFilesMode() const { return playerFiles_->isChecked(); }

void CDlgMPLEditor::setPlayerFiles(bool on) {
    if (!on) {
        playerFilesOf_.clear();
        folders_->setEnabled(true);
        commander_->relist();
        return;
    }
    const std::optional<CommandTarget> target = targetOfEntry(target_->currentText());
    if (!target || target->kind != CommandTarget::Kind::Player) {
        prompt_.message(uiText(t::kChoosePlayer), IOperatorPrompt::Icon::Information);
        const QSignalBlocker block(playerFiles_);
        playerFiles_->setChecked(false);
        return setPlayerFiles(false);
    }
    playerFilesOf_ = target->name;
    folders_->setEnabled(false);
    commander_->sources()->clear();
    // The player uploads its storage report; the report comes back as event 1001.
    if (services_.sender)
        tellOperator(prompt_, CommandIndex::StorageFiles,
                     services_.sender->send(*target, CommandIndex::StorageFiles));
}

bool CDlgMPLEditor::takeStorageReport(const QString& player, const QString&, const QString& reportPath) {
    if (!playerFilesMode() || player.isEmpty() ||
        player.compare(playerFilesOf_, Qt::CaseInsensitive) != 0)
        return false;
    commander_->listPlayerStorage(reportPath);
    tabs_->setCurrentIndex(LocalTab);
    return true;
}

// ---- FTP

FtpPublisher& CDlgMPLEditor::ftp() {
    if (!publisher_) {
        publisher_ = std::make_unique<FtpPublisher>(prompt_);
        connect(publisher_.get(), &FtpPublisher::busyChanged, this, &CDlgMPLEditor::ftpBusy);
        for (auto sig : {&FtpPublisher::connectFinished, &FtpPublisher::listFinished,
                         &FtpPublisher::saveFinished})
            connect(publisher_.get(), sig, this, &CDlgMPLEditor::ftpListed);
    }
    return *publisher_;
}

void CDlgMPLEditor::ftpBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
        ++busyCursors_;
    } else if (busyCursors_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyCursors_;
    }
}

void CDlgMPLEditor::reloadSites() {
    const QString current = siteList_->currentText();
    siteList_->clear();
    siteList_->addItem(QString());
    for (const CFtpSite& s : loadFtpSites(ftpSitesPath(services_.programFolder)))
        siteList_->addItem(s.profileName);
    siteList_->setCurrentIndex(std::max(0, siteList_->findText(current)));
}

void CDlgMPLEditor::connectSite() {
    const QString name = siteList_->currentText();
    const std::optional<CFtpSite> site =
        name.isEmpty() ? std::nullopt
                       : findFtpSite(loadFtpSites(ftpSitesPath(services_.programFolder)), name);
    if (!site) return openSiteManager();
    connectWith(*site);
}

void CDlgMPLEditor::openSiteManager() {
    CFtpSiteManagerDialog dlg(ftpSitesPath(services_.programFolder), *ftpProfile_, prompt_, this);
    const int result = dlg.exec();
    reloadSites();
    if (result != QDialog::Accepted) return;
    const CFtpSite site = dlg.chosen();
    siteList_->setCurrentIndex(std::max(0, siteList_->findText(site.profileName)));
    connectWith(site);
}

void CDlgMPLEditor::connectWith(const CFtpSite& site) {
    if (publisher_ && publisher_->isBusy()) return;
    ftpParams_ = ftpConnectParams(site, *ftpProfile_);
    ftpTree_->clear();
    ftpSources_.clear();
    tabs_->setCurrentIndex(FtpTab);
    ftp().connectTo(ftpParams_, commander_->playlistFilter());
}

QTreeWidgetItem* CDlgMPLEditor::ftpFolderItem(const QString& path) {
    QTreeWidgetItem* item = ftpTree_->topLevelItem(0);
    if (!item) {
        item = new QTreeWidgetItem(ftpTree_, {QStringLiteral("/")});
        item->setData(0, kPathRole, QStringLiteral("/"));
    }
    QString walked;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        walked += QLatin1Char('/') + part;
        QTreeWidgetItem* next = nullptr;
        for (int c = 0; c < item->childCount() && !next; ++c)
            if (item->child(c)->data(0, kPathRole).toString() == walked) next = item->child(c);
        if (!next) {
            next = new QTreeWidgetItem(item, {part});
            next->setData(0, kPathRole, walked);
        }
        item = next;
    }
    return item;
}

void CDlgMPLEditor::ftpListed(bool) {
    if (!publisher_ || !publisher_->isConnected()) {
        ftpTree_->clear();
        ftpSources_.clear();
        Q_EMIT backgroundWorkDone();
        return;
    }
    QTreeWidgetItem* folder = ftpFolderItem(publisher_->currentFolder());
    qDeleteAll(folder->takeChildren());
    std::vector<PlaylistItem> files;
    for (const FtpEntry& e : publisher_->entries()) {
        if (e.isFolder) {
            auto* child = new QTreeWidgetItem(folder, {e.name});
            child->setData(0, kPathRole, e.path);
            continue;
        }
        PlaylistItem item;
        item.setPathAndName(toAnsi(e.path));
        item.size = qint32(std::min<qint64>(e.size, std::numeric_limits<qint32>::max()));
        files.push_back(item);
    }
    folder->setExpanded(true);
    ftpTree_->setCurrentItem(folder);
    ftpSources_.setSources(std::move(files));
    Q_EMIT backgroundWorkDone();
}

}  // namespace lum
