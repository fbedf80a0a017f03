#pragma once
// The "Play Report" window's table: the aggregated play counts, sortable by any column. Reading
// and adding up the file runs on a worker thread (the file may hold tens of megabytes), so the
// window keeps answering; the rows change when the result arrives.

#include "monitor/PlayReport.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QThread>

namespace lum {

class PlayReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColMac, ColPlayer, ColGroup, ColMedia, ColPlays, ColFirst, ColLast, ColumnCount };

    explicit PlayReportModel(QObject* parent = nullptr);
    ~PlayReportModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Reads `path` and adds it up on a worker thread; `loaded` follows. A load still running
    // is superseded (its result is dropped).
    void load(const QString& path, const PlayerDirectory& directory, const PlayReportFilter& filter);
    // The same, at once, on this thread (lumctl's handler has its own worker; tests).
    void setResult(std::vector<PlayReportRow> rows, int damagedLines, bool truncated);
    bool isLoading() const { return loading_ != nullptr; }

    const std::vector<PlayReportRow>& rows() const { return rows_; }
    int damagedLines() const { return damaged_; }
    bool truncated() const { return truncated_; }
    QByteArray csv() const { return playReportCsv(rows_); }

Q_SIGNALS:
    void loaded();

private:
    std::vector<PlayReportRow> rows_;
    int damaged_ = 0;
    bool truncated_ = false;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    QPointer<QThread> loading_;
};

}  // namespace lum
