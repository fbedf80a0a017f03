#pragma once
// The online list as a table: equal columns that follow the width, the online/offline
// pictures, a selection that stays visible when the focus leaves, and the clicked row's MAC
// address handed on to the log pane.

#include <QTableView>

namespace lum {

class CPictureIconProxy;

class COnlineView : public QTableView {
    Q_OBJECT
public:
    // `imageRole` holds 0 (online) or 1 (offline); `macRole` the row's MAC address.
    COnlineView(QAbstractItemModel* model, int imageRole, int macRole, QWidget* parent = nullptr);

    // Source rows (of the online model) of the selection, in order.
    QList<int> selectedSourceRows() const;
    bool hasSelectedRow() const;
    // Columns holding the model's fixed texts (the state of a player), shown translated like
    // the headings.
    void setTranslatedColumns(const QList<int>& columns);

Q_SIGNALS:
    void macClicked(const QString& mac);
    void selectionChangedRows();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitColumns();

    CPictureIconProxy* proxy_ = nullptr;
    int macRole_;
};

}  // namespace lum
