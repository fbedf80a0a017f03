#include "playlists/Schedule.h"

#include "accounts/UserStore.h"
#include "core/AtomicFile.h"
#include "core/Codepage.h"
#include "core/CommandTexts.h"
#include "core/DataFolder.h"
#include "core/FixedNames.h"
#include "core/IniFile.h"
#include "core/OperatorPrompt.h"
#include "playlists/HandedFiles.h"
#include "playlists/OperatorFileTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace lum {

namespace texts = operator_file_texts;

namespace {

const QString kDateFormat = QStringLiteral("yyyyMMdd");

QDate dateOfColumn(const QString& text, const QDate& current) {
    if (text.isEmpty()) return current;
    // First four, next two and last two digits, at midnight.
    const QDate d(text.left(4).toInt(), text.mid(4, 2).toInt(), text.right(2).toInt());
    return d.isValid() ? d : current;
}

ScheduleEntry parseLine(const QString& line) {
    ScheduleEntry e;
    // A path holding commas cannot be told apart by the first commas, but the last three
    // fields have a fixed form: take the path as everything before them when they match.
    static const QRegularExpression tail(QStringLiteral(",(\\d{8}),(\\d{8}),([01]{7})$"));
    const QRegularExpressionMatch m = tail.match(line);
    if (m.hasMatch() && line.left(m.capturedStart()).contains(',')) {
        e.playlist = line.left(m.capturedStart());
        e.startDate = m.captured(1);
        e.stopDate = m.captured(2);
        Weekdays days{};
        for (int i = 0; i < 7; ++i) days[size_t(i)] = m.captured(3)[i] == '1';
        e.weekdays = weekdayText(days);
        return e;
    }
    const qsizetype c1 = line.indexOf(',');
    e.playlist = line.left(c1);
    const qsizetype c2 = line.indexOf(',', c1 + 1);
    if (c2 < 0) return e;
    e.startDate = line.mid(c1 + 1, c2 - c1 - 1);
    const qsizetype c3 = line.indexOf(',', c2 + 1);
    if (c3 < 0) return e;
    e.stopDate = line.mid(c2 + 1, c3 - c2 - 1);
    const QString rest = line.mid(c3 + 1);
    if (rest.size() == 7) {
        Weekdays days{};
        for (int i = 0; i < 7; ++i) days[size_t(i)] = rest[i] == '1';
        e.weekdays = weekdayText(days);
    }
    return e;
}

}  // namespace

QString weekdayText(const Weekdays& days) {
    QStringList names;
    for (int i = 0; i < 7; ++i)
        if (days[size_t(i)]) names << QString::fromLatin1(texts::kDayNames[i]);
    return names.join(',');
}

Weekdays weekdaysFromText(const QString& text) {
    Weekdays days{};
    for (int i = 0; i < 7; ++i) days[size_t(i)] = text.contains(QLatin1String(texts::kDayNames[i]));
    return days;
}

QByteArray scheduleLine(const ScheduleEntry& e) {
    QByteArray line = toAnsi(e.playlist) + ',' + toAnsi(e.startDate) + ',' + toAnsi(e.stopDate) + ',';
    for (bool d : weekdaysFromText(e.weekdays)) line += d ? '1' : '0';
    return line + "\r\n";
}

std::vector<ScheduleEntry> parseSchedule(const QByteArray& bytes) {
    std::vector<ScheduleEntry> out;
    for (QByteArray raw : bytes.split('\n')) {
        while (raw.endsWith('\r')) raw.chop(1);
        const QString line = fromAnsi(raw);
        if (!line.contains(',')) continue;
        out.push_back(parseLine(line));
    }
    return out;
}

ScheduleGroupChoices scheduleGroupChoices(const CUserStore& store) {
    ScheduleGroupChoices c;
    c.names = store.GroupNames();
    if (c.names.size() == 1) c.selected = 0;
    return c;
}

SchedulerButtons schedulerButtons(const QString& path, int selectedRow, int rowCount,
                                  const QString& group) {
    SchedulerButtons b;
    const bool selected = selectedRow >= 0 && selectedRow < rowCount;
    b.add = !path.isEmpty();
    b.update = selected;
    b.remove = selected;
    b.assign = rowCount > 0 && !group.trimmed().isEmpty();
    b.saveToDisc = rowCount > 0;
    return b;
}

ScheduleModel::Fields ScheduleModel::openingFields(const QDate& today) {
    Fields f;
    f.start = today;
    f.stop = today.addDays(today.daysInMonth());
    return f;
}

ScheduleModel::ScheduleModel(QObject* parent) : QAbstractTableModel(parent) {}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return {};
    const ScheduleEntry& e = entries_[size_t(index.row())];
    switch (index.column()) {
    case PlaylistColumn: return e.playlist;
    case StartColumn: return e.startDate;
    case StopColumn: return e.stopDate;
    case WeekdayColumn: return e.weekdays;
    default: return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const names[] = {texts::kColPlaylist, texts::kColStartDate,
                                        texts::kColStopDate, texts::kColWeekday};
    if (section < 0 || section >= ColumnCount) return {};
    return QString::fromLatin1(names[section]);
}

void ScheduleModel::setEntries(std::vector<ScheduleEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

bool ScheduleModel::add(const Fields& f) {
    if (f.playlist.isEmpty()) return false;
    const int row = rowCount();
    beginInsertRows({}, row, row);
    entries_.push_back({f.playlist, f.start.toString(kDateFormat), f.stop.toString(kDateFormat),
                        weekdayText(f.days)});
    endInsertRows();
    return true;
}

bool ScheduleModel::update(int row, const Fields& f) {
    if (row < 0 || row >= rowCount()) return false;
    ScheduleEntry& e = entries_[size_t(row)];
    e.startDate = f.start.toString(kDateFormat);
    e.stopDate = f.stop.toString(kDateFormat);
    e.weekdays = weekdayText(f.days);
    Q_EMIT dataChanged(index(row, StartColumn), index(row, WeekdayColumn));
    return true;
}

bool ScheduleModel::remove(int row) {
    if (row < 0 || row >= rowCount()) return false;
    beginRemoveRows({}, row, row);
    entries_.erase(entries_.begin() + row);
    endRemoveRows();
    return true;
}

ScheduleModel::Fields ScheduleModel::fieldsForRow(int row, const Fields& current) const {
    if (row < 0 || row >= rowCount()) return current;
    const ScheduleEntry& e = entries_[size_t(row)];
    Fields f;
    f.playlist = e.playlist;
    f.start = dateOfColumn(e.startDate, current.start);
    f.stop = dateOfColumn(e.stopDate, current.stop);
    f.days = weekdaysFromText(e.weekdays);
    return f;
}

QByteArray ScheduleModel::toBytes() const {
    QByteArray out;
    for (const ScheduleEntry& e : entries_) out += scheduleLine(e);
    return out;
}

bool ScheduleModel::load(const QString& path) {
    setEntries({});
    QByteArray bytes;
    if (!readWholeFile(path, &bytes)) return false;
    setEntries(parseSchedule(bytes));
    return true;
}

bool ScheduleModel::save(const QString& path, IOperatorPrompt& prompt) const {
    if (writeFileAtomic(path, toBytes())) return true;
    prompt.message(QString::fromLatin1(texts::kCannotSaveFile), IOperatorPrompt::Icon::Stop);
    return false;
}

CopyPlan ScheduleModel::saveToDiscPlan(const QString& driveRoot) const {
    const QString folder = joinPath(driveRoot, QStringLiteral("MEDIA"));
    CopyPlan plan;
    plan.steps = int(entries_.size());
    for (size_t row = 0; row < entries_.size(); ++row) {
        auto add = [&](const QString& from) {
            plan.copies.push_back({from, joinPath(folder, fileNameOfPath(from)), int(row)});
        };
        const QString& list = entries_[row].playlist;
        add(list);
        IniFile playlist;
        playlist.load(list);
        for (int n = 0;; ++n) {
            const QByteArray path = playlist.value("file" + QByteArray::number(n), "path");
            if (path.isEmpty()) break;
            add(fromAnsi(path));
        }
    }
    plan.finalPath = joinPath(folder, QString::fromLatin1(fixed_names::kSchedule));
    plan.finalBytes = toBytes();
    return plan;
}

bool ScheduleModel::assignToGroup(const QString& groupName, CUserStore& store,
                                  IOperatorPrompt& prompt) const {
    if (entries_.empty() || groupName.trimmed().isEmpty()) return false;
    CUserGroup group;
    if (!store.FindGroup(groupName, &group)) {
        prompt.message(QString::fromLatin1(command_texts::kUnknownGroup).arg(groupName),
                       IOperatorPrompt::Icon::Stop);
        return false;
    }
    const QString home = store.homeDirectoryFor(group.name);
    const QString path = joinPath(home, QString::fromLatin1(fixed_names::kSchedule));
    if (!save(path, prompt)) return false;
    group.autoPlaylist = path;
    group.autoPlay = 1;
    if (!store.UpdateGroup(group.name, group) ||  // the group table could not be stored
        !recordHandedPlaylist(store.programFolder(), group.name, home, CHandedRecord::Slot::Auto,
                              path)) {
        prompt.message(QString::fromLatin1(texts::kCannotSaveFile), IOperatorPrompt::Icon::Stop);
        return false;
    }
    prompt.message(QString::fromLatin1(texts::kAutoPlayNextStart),
                   IOperatorPrompt::Icon::Information);
    return true;
}

}  // namespace lum
