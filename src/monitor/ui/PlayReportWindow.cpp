#include "monitor/ui/PlayReportWindow.h"

#include "monitor/MonitorTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/FixedTextProxy.h"
#include "widgets/UiTexts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

namespace lum {

namespace {

// The date edits show "any" at their lowest date: no bound on that side.
const QDate kAnyDate(2000, 1, 1);

QDateEdit* dateEdit(QWidget* parent) {
    auto* e = new QDateEdit(parent);
    e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    e->setMinimumDate(kAnyDate);
    e->setSpecialValueText(uiText(QT_TRANSLATE_NOOP("lum", "any")));
    e->setDate(kAnyDate);
    e->setCalendarPopup(true);
    return e;
}

}  // namespace

CPlayReportWindow::CPlayReportWindow(QString playReportPath, std::function<PlayerDirectory()> directory,
                                     const QStringList& groups, QWidget* parent)
    : QDialog(parent), path_(std::move(playReportPath)), directory_(std::move(directory)) {
    setObjectName(QStringLiteral("PlayReportWindow"));
    setWindowTitle(uiText(monitor_texts::kPlayReportTitle));
    resize(980, 640);

    from_ = dateEdit(this);
    to_ = dateEdit(this);
    group_ = new QComboBox(this);
    group_->addItem(uiText(QT_TRANSLATE_NOOP("lum", "All groups")), QString());
    for (const QString& g : groups) group_->addItem(g, g);
    player_ = new QLineEdit(this);
    player_->setPlaceholderText(uiText(QT_TRANSLATE_NOOP("lum", "all players")));
    show_ = new QPushButton(uiText(QT_TRANSLATE_NOOP("lum", "&Show")), this);
    show_->setDefault(true);
    export_ = new QPushButton(uiText(QT_TRANSLATE_NOOP("lum", "Export &CSV...")), this);
    state_ = new QLabel(this);

    auto* filters = new QHBoxLayout;
    auto addField = [&](const char* label, QWidget* field) {
        auto* l = new QLabel(uiText(label), this);
        l->setBuddy(field);
        filters->addWidget(l);
        filters->addWidget(field);
    };
    addField(QT_TRANSLATE_NOOP("lum", "From:"), from_);
    addField(QT_TRANSLATE_NOOP("lum", "To:"), to_);
    addField(QT_TRANSLATE_NOOP("lum", "Group:"), group_);
    addField(QT_TRANSLATE_NOOP("lum", "Player:"), player_);
    filters->addWidget(show_);
    filters->addStretch(1);
    filters->addWidget(export_);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("PlayReportTable"));
    auto* headings = new CFixedTextProxy(this);
    headings->setSourceModel(&model_);
    table_->setModel(headings);
    table_->setSortingEnabled(true);
    table_->sortByColumn(PlayReportModel::ColPlays, Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setAccessibleName(uiText(monitor_texts::kPlayReportTitle));

    auto* chart = new QChart;
    chart->setTitle(uiText(QT_TRANSLATE_NOOP("lum", "Most played media")));
    chart->legend()->hide();
    chart_ = new QChartView(chart, this);
    chart_->setObjectName(QStringLiteral("PlayReportChart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(220);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(chart_);
    split->addWidget(table_);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(split, 1);
    layout->addWidget(state_);

    connect(show_, &QPushButton::clicked, this, &CPlayReportWindow::refresh);
    connect(export_, &QPushButton::clicked, this, &CPlayReportWindow::exportCsv);
    connect(&model_, &PlayReportModel::loaded, this, &CPlayReportWindow::showResult);
    nameControlsByLabels(this);
    refresh();
}

PlayReportFilter CPlayReportWindow::filter() const {
    PlayReportFilter f;
    if (from_->date() != kAnyDate) f.from = from_->date();
    if (to_->date() != kAnyDate) f.to = to_->date();
    f.group = group_->currentData().toString();
    f.player = player_->text().trimmed();
    return f;
}

void CPlayReportWindow::refresh() {
    state_->setText(uiText(QT_TRANSLATE_NOOP("lum", "Reading the play report...")));
    show_->setEnabled(false);
    model_.load(path_, directory_ ? directory_() : PlayerDirectory(), filter());
}

void CPlayReportWindow::showResult() {
    show_->setEnabled(true);
    export_->setEnabled(!model_.rows().empty());
    QString state = uiText(QT_TRANSLATE_NOOP("lum", "%1 rows")).arg(model_.rowCount());
    if (model_.damagedLines() > 0)
        state += QStringLiteral("; ") +
                 uiText(QT_TRANSLATE_NOOP("lum", "%1 damaged lines skipped")).arg(model_.damagedLines());
    if (model_.truncated())
        state += QStringLiteral("; ") + uiText(QT_TRANSLATE_NOOP("lum", "only the start of the file was read"));
    state_->setText(state);
    table_->resizeColumnsToContents();

    bars_ = playsByMedia(model_.rows(), kChartBars);
    QChart* chart = chart_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* a : chart->axes()) {
        chart->removeAxis(a);
        delete a;
    }
    auto* set = new QBarSet(uiText(QT_TRANSLATE_NOOP("lum", "Plays")));
    QStringList names;
    qint64 most = 0;
    for (const auto& [media, plays] : bars_) {
        names << media;
        *set << double(plays);
        most = std::max(most, plays);
    }
    auto* series = new QBarSeries;
    series->append(set);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(names);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, double(std::max<qint64>(most, 1)));
    y->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

bool CPlayReportWindow::exportCsv() {
    FileChoice choice;
    choice.mode = FileChoice::Mode::Save;
    choice.filter = QStringLiteral("CSV (*.csv)|*.csv||");
    choice.defaultName = QStringLiteral("PlayReport.csv");
    choice.defaultSuffix = QStringLiteral("csv");
    const QStringList chosen = chooser_(this, choice);
    if (chosen.isEmpty()) return false;
    QSaveFile f(chosen.constFirst());
    const QByteArray bytes = model_.csv();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        state_->setText(uiText(QT_TRANSLATE_NOOP("lum", "Cannot write %1")).arg(chosen.constFirst()));
        return false;
    }
    state_->setText(uiText(QT_TRANSLATE_NOOP("lum", "Saved %1")).arg(chosen.constFirst()));
    return true;
}

}  // namespace lum
