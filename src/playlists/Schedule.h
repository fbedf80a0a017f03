#pragma once
// Playlist schedules (".sch"): which playlist a player plays between two dates on which
// weekdays. One line per entry, CR LF ended:
//   playlist path,YYYYMMDD,YYYYMMDD,SMTWTFS      (seven "0"/"1", Sunday first)
// The model is what the "Playlist Scheduler" window lists; the window only shows it and
// collects the fields.

#include "playlists/RemovableCopy.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace lum {

class CUserStore;
class IOperatorPrompt;

using Weekdays = std::array<bool, 7>;  // Sunday first

struct ScheduleEntry {
    QString playlist;   // full path of a ".mpl"
    QString startDate;  // "yyyyMMdd"
    QString stopDate;
    QString weekdays;   // e.g. "Mon,Wed,Fri" ("Thr" for Thursday); empty when no day
};

// "Sun,Mon,...": the chosen day names joined by commas in Sunday-to-Saturday order.
QString weekdayText(const Weekdays& days);
// A day is chosen when the text contains its name.
Weekdays weekdaysFromText(const QString& text);
// One file line with its CR LF.
QByteArray scheduleLine(const ScheduleEntry& e);
// Entries of a file's content (a line without a comma adds none).
std::vector<ScheduleEntry> parseSchedule(const QByteArray& bytes);

// The scheduler's group list: every group name in table order, the only one preselected.
struct ScheduleGroupChoices {
    QStringList names;
    int selected = -1;  // -1: none
};
ScheduleGroupChoices scheduleGroupChoices(const CUserStore& store);

// Which of the scheduler's buttons act: "Add" needs a playlist path, "Update" and "Delete" a
// selected row, "Assign to Group" rows and a chosen group, "Save to disc" rows.
struct SchedulerButtons {
    bool add = false;
    bool update = false;
    bool remove = false;
    bool assign = false;
    bool saveToDisc = false;
};
SchedulerButtons schedulerButtons(const QString& path, int selectedRow, int rowCount,
                                  const QString& group);

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { PlaylistColumn, StartColumn, StopColumn, WeekdayColumn, ColumnCount };

    // The editor's fields.
    struct Fields {
        QString playlist;
        QDate start;
        QDate stop;
        Weekdays days{};
    };
    // Fields of a freshly opened window: today and today plus the days of this month.
    static Fields openingFields(const QDate& today);

    explicit ScheduleModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    const std::vector<ScheduleEntry>& entries() const { return entries_; }
    void setEntries(std::vector<ScheduleEntry> entries);

    // Appends a row from the fields; nothing when the playlist field is empty.
    bool add(const Fields& f);
    // Rewrites the row's dates and weekdays; its playlist stays.
    bool update(int row, const Fields& f);
    bool remove(int row);
    // The fields a selected row fills: its path, dates (an empty date column leaves the
    // current date) and the weekday boxes.
    Fields fieldsForRow(int row, const Fields& current) const;

    QByteArray toBytes() const;
    // Empties the list, then reads the file; false when it cannot be read.
    bool load(const QString& path);
    // Writes the schedule to `path`; "Can not save file!\n" when it cannot be created.
    bool save(const QString& path, IOperatorPrompt& prompt) const;

    // "Save to disc": each row's playlist and every media file it lists copied into
    // `driveRoot`/MEDIA, then "playlist.sch" written there (its lines keep the paths as listed).
    // One progress step per row. A playlist that cannot be read is copied as it is (the copy
    // reports it) and lists no media.
    CopyPlan saveToDiscPlan(const QString& driveRoot) const;

    // "Assign to Group": writes "playlist.sch" into the group's home directory and makes it the
    // group's auto playlist with AutoPlay on (the group table is stored). Nothing when the list
    // is empty or no group is named; an unknown group is refused with a message.
    bool assignToGroup(const QString& groupName, CUserStore& store, IOperatorPrompt& prompt) const;

private:
    std::vector<ScheduleEntry> entries_;
};


}  // namespace lum
