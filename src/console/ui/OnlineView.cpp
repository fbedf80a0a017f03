#include "console/ui/OnlineView.h"

#include "widgets/Icons.h"
#include "widgets/PictureIconProxy.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QResizeEvent>

namespace lum {

COnlineView::COnlineView(QAbstractItemModel* model, int imageRole, int macRole, QWidget* parent)
    : QTableView(parent), macRole_(macRole) {
    setObjectName(QStringLiteral("OnlineView"));
    proxy_ = new CPictureIconProxy(imageRole, icons::onlinePictures(), this);
    proxy_->setSourceModel(model);
    proxy_->setTranslateHeadings(true);
    setModel(proxy_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setIconSize(QSize(16, 16));
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);

    // Without the focus the selected rows keep a light highlight: the highlight colour blended
    // with three quarters of white.
    QPalette pal = palette();
    const QColor hl = pal.color(QPalette::Active, QPalette::Highlight);
    const QColor light(int(hl.red() * 0.25 + 255 * 0.75), int(hl.green() * 0.25 + 255 * 0.75),
                       int(hl.blue() * 0.25 + 255 * 0.75));
    pal.setColor(QPalette::Inactive, QPalette::Highlight, light);
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::Text));
    setPalette(pal);

    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        Q_EMIT macClicked(index.siblingAtColumn(0).data(macRole_).toString());
    });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &COnlineView::selectionChangedRows);
    // A new selection in the account tree refills the list; its first row is selected, so the
    // row commands are ready without another click.
    connect(proxy_, &QAbstractItemModel::modelReset, this, [this] {
        if (proxy_->rowCount() > 0) selectRow(0);
        Q_EMIT selectionChangedRows();
    });
    connect(proxy_, &QAbstractItemModel::modelReset, this, &COnlineView::fitColumns);
    fitColumns();
}

void COnlineView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

void COnlineView::fitColumns() {
    const int n = model()->columnCount();
    if (n <= 0) return;
    const int w = viewport()->width() / n;
    for (int c = 0; c < n; ++c) setColumnWidth(c, w);
}

QList<int> COnlineView::selectedSourceRows() const {
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void COnlineView::setTranslatedColumns(const QList<int>& columns) {
    proxy_->setTranslatedColumns(columns);
}

bool COnlineView::hasSelectedRow() const { return selectionModel()->hasSelection(); }

}  // namespace lum
