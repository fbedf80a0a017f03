#pragma once
// The screen log: coloured lines in a list model with a bound, so that a busy server (100
// players at LOGLEVEL 2) never grows the list or the view without limit. Lines arriving in a
// burst are inserted in one step.
//
// CLogLists is the log pane's pair of lists: every line, and the lines of the player whose MAC
// address the online view passed last.

#include "core/LogSink.h"

#include <QAbstractListModel>
#include <QColor>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <vector>

namespace lum {

class IOperatorPrompt;

inline constexpr int kLogViewMaxLines = 100000;

class CLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { TypeRole = Qt::UserRole + 1 };

    explicit CLogModel(int maxLines = kLogViewMaxLines, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Queues a line; it shows at the next flush (soon after, or at once through flush()).
    void append(LogType type, const QString& line);
    // Inserts the queued lines now, dropping the oldest beyond the bound.
    void flush();
    void clear();

    int maxLines() const { return maxLines_; }
    QStringList lines() const;  // includes queued lines

    // Colour of a line by its entry type.
    static QColor colourForType(LogType type);

Q_SIGNALS:
    // After a flush that added lines (the view scrolls to the last one).
    void linesAppended();

private:
    struct Line {
        QString text;
        LogType type;
    };
    const int maxLines_;
    std::deque<Line> lines_;
    std::vector<Line> pending_;
    QTimer flushTimer_;
};

// Writes every line followed by "\n" to `path` (8-bit text in the console's code page). Shows
// "Success to save the log data to file" when lines were written, or the stop message with the
// path when the file cannot be created. An empty list creates an empty file silently.
bool saveLogLines(const QStringList& lines, const QString& path, IOperatorPrompt& prompt);

class CLogLists : public QObject {
    Q_OBJECT
public:
    explicit CLogLists(int maxLines = kLogViewMaxLines, QObject* parent = nullptr);

    CLogModel& all() { return all_; }
    CLogModel& player() { return player_; }
    QString clientFilter() const { return filter_; }

    // One processed log record: into the first list, and into the second when the filter is
    // set and contains the record's key.
    void addRecord(LogType type, const QString& key, const QString& screenLine);
    // A new player (compared without regard to case) empties the second list.
    void SetClientFilter(const QString& mac);
    // "Clear": empties the first list (the pane also drops the records not yet processed).
    void Clear();

private:
    CLogModel all_;
    CLogModel player_;
    QString filter_;
};

}  // namespace lum
