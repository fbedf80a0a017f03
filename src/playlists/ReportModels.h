#pragma once
// The report files players upload into their group's home directory, and the delete list the
// console writes there, as the item models the log pane's "CF Device" and "Playlist" tabs show.
//   "filereport_<MAC>.zeb"  storage entries: one line each, TAB-separated name, kind, size
//   "playlist_<MAC>.zeb"    the player's playlist ([fileN] path/period/starttime/stoptime)
//   "File2Del.zeb"          [fileN] filename, the entries the player is to delete

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <vector>

namespace lum {

// Players write the reports: what the console reads of one is bounded, so that showing it takes
// milliseconds on the user-interface thread whatever a player uploaded. Bytes past the first
// kMaxReportBytes and entries past the first kMaxReportItems are not shown.
inline constexpr qint64 kMaxReportBytes = 2 * 1024 * 1024;
inline constexpr int kMaxReportItems = 10000;

// A report name with the player's MAC text in place of "XX-XX-XX".
QString reportFileName(const char* nameTemplate, const QString& mac);

// One line of a storage file report: the line trimmed and split at TAB (name, kind, size;
// further fields ignored, missing ones empty).
struct StorageEntry {
    QString name, kind, size;
};
// The entries of a storage file report, blank lines skipped; a missing file gives none.
std::vector<StorageEntry> readStorageReport(const QString& reportPath);

// Writes the delete list into `folder`: an older list is removed first, and no file is written
// when `names` is empty. False when the list could not be written.
bool writeDeleteList(const QString& folder, const QStringList& names);
// The names of a delete list, [file0] onward, trimmed, up to the first empty one.
QStringList readDeleteList(const QString& folder);

class StorageListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, KindColumn, SizeColumn, ColumnCount };
    struct Row {
        QString name, kind, size;
        int number = 0;  // running number in the report, from 0
        bool checked = false;
    };

    explicit StorageListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // Empties the list and reads the report (a missing file leaves it empty).
    void showReport(const QString& reportPath);
    void clear();
    const std::vector<Row>& rows() const { return rows_; }
    void setChecked(int row, bool checked);
    // Names of the ticked rows, in list order.
    QStringList checkedNames() const;
    // Deletion done: each name removes the first row whose name starts with it (no case).
    void removeDeleted(const QStringList& names);

private:
    std::vector<Row> rows_;
};

class PlaylistReportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SeqColumn, PathColumn, PeriodColumn, FromColumn, ToColumn, ColumnCount };
    enum class Mode { Playlist, PlaybackReport };
    struct Row {
        QString path, period, startTime, stopTime;
    };
    // Column widths of the view (pixels; "Seq." hidden until widened), given as the headings'
    // ColumnWidthRole (a size hint would also set the heading's height).
    static constexpr int kColumnWidths[ColumnCount] = {0, 80, 40, 40, 40};
    static constexpr int ColumnWidthRole = Qt::UserRole + 1;

    explicit PlaylistReportModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // Shows `reportPath`, or `fallbackPath` when the report does not exist.
    void show(const QString& reportPath, const QString& fallbackPath, Mode mode);
    void clear();
    Mode mode() const { return mode_; }
    QString tabLabel() const;
    const std::vector<Row>& rows() const { return rows_; }

private:
    std::vector<Row> rows_;
    Mode mode_ = Mode::Playlist;
};

}  // namespace lum
