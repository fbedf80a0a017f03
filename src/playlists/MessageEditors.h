#pragma once
// The rules of the instant-message and on-screen label windows that do not need a window: when
// "Send" may be pressed, which label controls are enabled, the label's line list, and which
// group's files a window opens on for the account tree's selection.

#include "core/CommandSender.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace lum {

class CUserStore;

// "Send" of the instant-message window is enabled exactly while the message is not empty.
inline bool canSendInstantMessage(const QString& text) { return !text.isEmpty(); }

// The label window's dependent controls: "Always On" disables the minute and second fields,
// "Number only (000-999)" disables the line list and enables the number field.
struct LabelControls {
    bool linesEnabled = true;
    bool numberEnabled = false;
    bool durationEnabled = false;
};
LabelControls labelControls(bool numberOnly, bool alwaysOn);

// The group whose "ostnmessage.txt" the label window loads when it opens: the selected group,
// or the selected player's group; for everyone the Home group (every group gets the same file
// on "Send"). Empty when the group or player is unknown.
QString labelGroupFor(const CommandTarget& target, CUserStore& store);

// The label's lines as the window lists them: column "Line" ("0", "1" ...) and the editable
// column "Text". At most seven rows. Typing a text into the last row opens the next one; a row
// opened that way and left empty is not part of the label.
class ScreenLabelLinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { LineColumn, TextColumn, ColumnCount };

    explicit ScreenLabelLinesModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // Rows as loaded from a label file (at most seven; each row is part of the label).
    void setLines(const QStringList& lines);
    // The label's lines: every row except an empty row the window opened for typing.
    QStringList lines() const;
    // "Clear": no rows but an empty row "0" to type into. Returns that row's index.
    QModelIndex clearForTyping();

private:
    QStringList rows_;
    int openedRow_ = -1;  // a row opened for typing, not yet part of the label while empty
};

}  // namespace lum
