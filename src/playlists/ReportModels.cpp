#include "playlists/ReportModels.h"

#include "core/Codepage.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/IniFile.h"
#include "playlists/OperatorFileTexts.h"

#include <QFile>
#include <QSize>

namespace lum {

namespace texts = operator_file_texts;

namespace {

QByteArray section(int n) { return "file" + QByteArray::number(n); }

// The first kMaxReportBytes of a report; empty when it cannot be read.
QByteArray readReport(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) return {};
    return f.read(kMaxReportBytes);
}

}  // namespace

QString reportFileName(const char* nameTemplate, const QString& mac) {
    return QString::fromLatin1(nameTemplate).replace(QLatin1String(fixed_names::kMacPlaceholder), mac);
}

std::vector<StorageEntry> readStorageReport(const QString& reportPath) {
    std::vector<StorageEntry> out;
    const QByteArray data = readReport(reportPath);
    for (const QByteArray& raw : data.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty()) continue;
        if (int(out.size()) == kMaxReportItems) break;
        const QList<QByteArray> f = line.split('\t');
        out.push_back({fromAnsi(f.value(0)), fromAnsi(f.value(1)), fromAnsi(f.value(2))});
    }
    return out;
}

bool writeDeleteList(const QString& folder, const QStringList& names) {
    const QString path = joinPath(folder, QString::fromLatin1(fixed_names::kDeleteList));
    QFile::remove(path);
    if (names.isEmpty()) return true;
    IniFile ini;
    for (int i = 0; i < names.size(); ++i) ini.setValue(section(i), "filename", toAnsi(names[i]));
    return ini.save(path);
}

QStringList readDeleteList(const QString& folder) {
    const IniFile ini =
        IniFile::fromBytes(readReport(joinPath(folder, QString::fromLatin1(fixed_names::kDeleteList))));
    QStringList names;
    for (int n = 0; n < kMaxReportItems; ++n) {
        const QString name = fromAnsi(ini.value(section(n), "filename")).trimmed();
        if (name.isEmpty()) break;
        names << name;
    }
    return names;
}

// ---- storage list

StorageListModel::StorageListModel(QObject* parent) : QAbstractTableModel(parent) {}

int StorageListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int StorageListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StorageListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Row& r = rows_[size_t(index.row())];
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case NameColumn: return r.name;
        case KindColumn: return r.kind;
        case SizeColumn: return r.size;
        default: return {};
        }
    }
    if (role == Qt::CheckStateRole && index.column() == NameColumn)
        return r.checked ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::UserRole) return r.number;
    return {};
}

bool StorageListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount() || index.column() != NameColumn ||
        role != Qt::CheckStateRole)
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags StorageListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == NameColumn) f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant StorageListModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    static const char* const names[] = {texts::kColFileName, texts::kColFileKind, texts::kColSize};
    return QString::fromLatin1(names[section]);
}

void StorageListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void StorageListModel::showReport(const QString& reportPath) {
    beginResetModel();
    rows_.clear();
    int number = 0;
    for (const StorageEntry& e : readStorageReport(reportPath)) {
        Row r;
        r.name = e.name;
        r.kind = e.kind;
        r.size = e.size;
        r.number = number++;
        rows_.push_back(r);
    }
    endResetModel();
}

void StorageListModel::setChecked(int row, bool checked) {
    if (row < 0 || row >= rowCount()) return;
    rows_[size_t(row)].checked = checked;
    const QModelIndex i = index(row, NameColumn);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

QStringList StorageListModel::checkedNames() const {
    QStringList out;
    for (const Row& r : rows_)
        if (r.checked) out << r.name;
    return out;
}

void StorageListModel::removeDeleted(const QStringList& names) {
    for (const QString& name : names) {
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (rows_[i].name.startsWith(name, Qt::CaseInsensitive)) {
                beginRemoveRows({}, int(i), int(i));
                rows_.erase(rows_.begin() + qsizetype(i));
                endRemoveRows();
                break;
            }
        }
    }
}

// ---- playlist report

PlaylistReportModel::PlaylistReportModel(QObject* parent) : QAbstractTableModel(parent) {}

int PlaylistReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int PlaylistReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PlaylistReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    const Row& r = rows_[size_t(index.row())];
    switch (index.column()) {
    case SeqColumn: return QString::number(index.row());
    case PathColumn: return r.path;
    case PeriodColumn: return r.period;
    case FromColumn: return r.startTime;
    case ToColumn: return r.stopTime;
    default: return {};
    }
}

QVariant PlaylistReportModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
    if (role == ColumnWidthRole) return kColumnWidths[section];
    if (role != Qt::DisplayRole) return {};
    if (section == ToColumn && mode_ == Mode::PlaybackReport)
        return QString::fromLatin1(texts::kColTimesPlayed);
    static const char* const names[] = {texts::kColSeq, texts::kColFilePath, texts::kColDuration,
                                        texts::kColFrom, texts::kColTo};
    return QString::fromLatin1(names[section]);
}

QString PlaylistReportModel::tabLabel() const {
    return QString::fromLatin1(mode_ == Mode::PlaybackReport ? texts::kTabPlaybackReport
                                                             : texts::kTabPlaylist);
}

void PlaylistReportModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void PlaylistReportModel::show(const QString& reportPath, const QString& fallbackPath, Mode mode) {
    beginResetModel();
    const bool modeChanged = mode_ != mode;
    mode_ = mode;
    rows_.clear();
    const IniFile ini =
        IniFile::fromBytes(readReport(QFile::exists(reportPath) ? reportPath : fallbackPath));
    for (int n = 0; n < kMaxReportItems; ++n) {
        const QByteArray sec = section(n);
        const QString path = fromAnsi(ini.value(sec, "path")).trimmed();
        if (path.isEmpty()) break;
        rows_.push_back({path, fromAnsi(ini.value(sec, "period")),
                         fromAnsi(ini.value(sec, "starttime")), fromAnsi(ini.value(sec, "stoptime"))});
    }
    endResetModel();
    if (modeChanged) Q_EMIT headerDataChanged(Qt::Horizontal, ToColumn, ToColumn);
}

}  // namespace lum
