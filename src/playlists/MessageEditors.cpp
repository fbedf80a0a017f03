#include "playlists/MessageEditors.h"

#include "accounts/UserStore.h"
#include "playlists/MessageFiles.h"
#include "playlists/OperatorFileTexts.h"

namespace lum {

LabelControls labelControls(bool numberOnly, bool alwaysOn) {
    return {!numberOnly, numberOnly, !alwaysOn};
}

QString labelGroupFor(const CommandTarget& target, CUserStore& store) {
    CUserGroup group;
    switch (target.kind) {
    case CommandTarget::Kind::All:
        return store.FindGroup(QStringLiteral("Home"), &group) ? group.name : QString();
    case CommandTarget::Kind::Group:
        return store.FindGroup(target.name, &group) ? group.name : QString();
    case CommandTarget::Kind::Player:
        return store.FindUser(target.name, &group, nullptr, 0) ? group.name : QString();
    case CommandTarget::Kind::Mac: return {};
    }
    return {};
}

ScreenLabelLinesModel::ScreenLabelLinesModel(QObject* parent) : QAbstractTableModel(parent) {}

int ScreenLabelLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ScreenLabelLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScreenLabelLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (index.column() == LineColumn) return QString::number(index.row());
    return rows_[index.row()];
}

bool ScreenLabelLinesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.column() != TextColumn || role != Qt::EditRole ||
        index.row() >= rowCount())
        return false;
    const int row = index.row();
    rows_[row] = value.toString();
    Q_EMIT dataChanged(index, index);
    if (row == openedRow_ && !rows_[row].isEmpty()) openedRow_ = -1;
    // The next line opens once the last one holds text.
    if (row == rowCount() - 1 && !rows_[row].isEmpty() && rowCount() < ScreenLabel::kMaxLines) {
        beginInsertRows({}, row + 1, row + 1);
        rows_ << QString();
        endInsertRows();
        openedRow_ = row + 1;
    }
    return true;
}

Qt::ItemFlags ScreenLabelLinesModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == TextColumn) f |= Qt::ItemIsEditable;
    return f;
}

QVariant ScreenLabelLinesModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == LineColumn) return QString::fromLatin1(operator_file_texts::kColLine);
    if (section == TextColumn) return QString::fromLatin1(operator_file_texts::kColText);
    return {};
}

void ScreenLabelLinesModel::setLines(const QStringList& lines) {
    beginResetModel();
    rows_ = lines.mid(0, ScreenLabel::kMaxLines);
    openedRow_ = -1;
    endResetModel();
}

QStringList ScreenLabelLinesModel::lines() const {
    QStringList out = rows_;
    if (openedRow_ >= 0 && openedRow_ < out.size() && out[openedRow_].isEmpty())
        out.removeAt(openedRow_);
    return out;
}

QModelIndex ScreenLabelLinesModel::clearForTyping() {
    beginResetModel();
    rows_ = QStringList{QString()};
    openedRow_ = 0;
    endResetModel();
    return index(0, TextColumn);
}

}  // namespace lum
