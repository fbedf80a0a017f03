#pragma once
// Shows a core model's fixed English headings, and the fixed texts of chosen columns, in the
// operator's language; the model itself (and whatever reads it) keeps the English texts.

#include <QIdentityProxyModel>
#include <QList>

namespace lum {

class CFixedTextProxy : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit CFixedTextProxy(QObject* parent = nullptr) : QIdentityProxyModel(parent) {}

    void setTranslateHeadings(bool on) { translateHeadings_ = on; }
    void setTranslatedColumns(QList<int> columns) { translatedColumns_ = std::move(columns); }

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static QVariant shownText(const QVariant& v);

    bool translateHeadings_ = true;
    QList<int> translatedColumns_;
};

}  // namespace lum
