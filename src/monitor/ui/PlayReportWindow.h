#pragma once
// The "Play Report" window: play counts per player and media over a date range, for every
// player, a group or one player, as a sortable table and a bar chart of the most played media,
// with export to CSV. A thin view over PlayReportModel, which reads the file off this thread.

#include "monitor/PlayReportModel.h"
#include "widgets/FileChooser.h"

#include <QDialog>

#include <functional>

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lum {

class CPlayReportWindow : public QDialog {
    Q_OBJECT
public:
    // Bars shown in the chart: the most played media.
    static constexpr int kChartBars = 10;

    CPlayReportWindow(QString playReportPath, std::function<PlayerDirectory()> directory,
                      const QStringList& groups, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    PlayReportModel& model() { return model_; }
    // The filter the controls describe.
    PlayReportFilter filter() const;
    // Bars of the chart now: (media, plays).
    std::vector<std::pair<QString, qint64>> chartBars() const { return bars_; }

public Q_SLOTS:
    // Reads the file again with the filter of the controls.
    void refresh();
    // Asks for a file and writes the rows as CSV; false when cancelled or not written.
    bool exportCsv();

private:
    void showResult();

    const QString path_;
    std::function<PlayerDirectory()> directory_;
    PlayReportModel model_;
    FileChooser chooser_ = chooseWithFileDialog;
    std::vector<std::pair<QString, qint64>> bars_;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QComboBox* group_ = nullptr;
    QLineEdit* player_ = nullptr;
    QPushButton* show_ = nullptr;
    QPushButton* export_ = nullptr;
    QTableView* table_ = nullptr;
    QChartView* chart_ = nullptr;
    QLabel* state_ = nullptr;
};

}  // namespace lum
