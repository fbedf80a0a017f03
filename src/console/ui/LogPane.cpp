#include "console/ui/LogPane.h"

#include "console/ConsoleTexts.h"
#include "console/LogModel.h"
#include "playlists/ReportModels.h"
#include "widgets/Icons.h"
#include "widgets/UiTexts.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

namespace lum {

namespace t = console_texts;

CLogPane::CLogPane(CLogLists& lists, IOperatorPrompt& prompt, QWidget* parent)
    : QWidget(parent), lists_(lists), prompt_(prompt) {
    setObjectName(QStringLiteral("LogPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    tabs_ = new QTabWidget(this);
    tabs_->setTabPosition(QTabWidget::South);
    layout->addWidget(tabs_);

    auto* split = new QSplitter(Qt::Horizontal);
    allView_ = makeList(lists_.all());
    playerView_ = makeList(lists_.player());
    allView_->setObjectName(QStringLiteral("LogAll"));
    playerView_->setObjectName(QStringLiteral("LogPlayer"));
    // Unlabelled panes: named after the tab they sit in, for screen readers and test robots.
    allView_->setAccessibleName(uiText(t::kLogTabData));
    playerView_->setAccessibleName(tr("Selected player's log"));
    split->addWidget(allView_);
    split->addWidget(playerView_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    tabs_->addTab(split, icons::tile(QStringLiteral("L"), QColor(90, 90, 90)),
                  uiText(t::kLogTabData));

    auto makeTable = [] {
        auto* v = new QTableView;
        v->setSelectionBehavior(QAbstractItemView::SelectRows);
        v->horizontalHeader()->setStretchLastSection(true);
        v->horizontalHeader()->setMinimumSectionSize(0);  // "Seq." starts hidden
        v->verticalHeader()->hide();
        return v;
    };
    deviceView_ = makeTable();
    reportView_ = makeTable();
    deviceView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(deviceView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (!deleteFiles_ || !deviceView_->model() || deviceView_->model()->rowCount() == 0) return;
        QMenu menu(this);
        QAction* del = menu.addAction(uiText(t::kLogDelete));
        if (menu.exec(deviceView_->viewport()->mapToGlobal(pos)) == del) deleteFiles_();
    });
    tabs_->addTab(deviceView_, icons::tile(QStringLiteral("CF"), QColor(120, 80, 160)),
                  uiText(t::kLogTabDevice));
    tabs_->addTab(reportView_, icons::tile(QStringLiteral("R"), QColor(40, 120, 160)),
                  uiText(t::kLogTabReport));
}

QListView* CLogPane::makeList(CLogModel& model) {
    auto* view = new QListView;
    view->setModel(&model);
    // Every line has the same height: the view lays out 100,000 lines without measuring them.
    view->setUniformItemSizes(true);
    view->setLayoutMode(QListView::Batched);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    view->setFont(mono);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view, &model](const QPoint& pos) { showMenu(view, model, pos); });
    // Follow the newest line unless the operator scrolled up to read.
    auto atBottom = std::make_shared<bool>(true);
    connect(&model, &QAbstractItemModel::rowsAboutToBeInserted, view, [view, atBottom] {
        const QScrollBar* bar = view->verticalScrollBar();
        *atBottom = bar->value() >= bar->maximum() - 1;
    });
    connect(&model, &CLogModel::linesAppended, view, [view, atBottom] {
        if (*atBottom) view->scrollToBottom();
    });
    return view;
}

void CLogPane::showMenu(QListView* view, CLogModel& model, const QPoint& pos) {
    QMenu menu(this);
    QAction* clearAct = menu.addAction(uiText(t::kLogClear));
    QAction* saveAct = menu.addAction(uiText(t::kLogSaveAs));
    QAction* chosen = menu.exec(view->viewport()->mapToGlobal(pos));
    if (chosen == clearAct) clear();
    else if (chosen == saveAct) saveAs(model);
}

void CLogPane::clear() {
    if (dropPending_) dropPending_();
    lists_.Clear();
}

void CLogPane::saveAs(CLogModel& model) {
    QFileDialog dlg(this, uiText(t::kLogSaveAs));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("log"));
    dlg.setNameFilter(uiText(t::kLogFileFilter));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
    saveTo(model, dlg.selectedFiles().constFirst());
}

bool CLogPane::saveTo(CLogModel& model, const QString& path) {
    return saveLogLines(model.lines(), path, prompt_);
}

void CLogPane::setReportModels(QAbstractItemModel* storageList, QAbstractItemModel* playlistReport) {
    for (auto [view, model] : {std::pair{deviceView_, storageList}, std::pair{reportView_, playlistReport}}) {
        view->setModel(model);
        for (int c = 0; c < model->columnCount(); ++c) {
            const QVariant width =
                model->headerData(c, Qt::Horizontal, PlaylistReportModel::ColumnWidthRole);
            if (width.isValid()) view->setColumnWidth(c, width.toInt());
        }
    }
}

void CLogPane::setReportTitle(const QString& title) {
    const QByteArray text = title.toUtf8();
    tabs_->setTabText(2, uiText(text.constData()));
}
void CLogPane::showDeviceTab() { tabs_->setCurrentIndex(1); }
void CLogPane::showReportTab() { tabs_->setCurrentIndex(2); }

}  // namespace lum
