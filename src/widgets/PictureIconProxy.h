#pragma once
// Shows a model's picture index (a data role holding 0, 1, 2 ...) as the icon of its first
// column, so that the core models stay free of pixmaps. It can also show the model's fixed
// English headings, and the fixed texts of chosen columns, in the operator's language.

#include <QIcon>
#include <QIdentityProxyModel>
#include <QList>

namespace lum {

class CPictureIconProxy : public QIdentityProxyModel {
    Q_OBJECT
public:
    CPictureIconProxy(int pictureRole, QList<QIcon> icons, QObject* parent = nullptr)
        : QIdentityProxyModel(parent), pictureRole_(pictureRole), icons_(std::move(icons)) {}

    void setTranslateHeadings(bool on) { translateHeadings_ = on; }
    void setTranslatedColumns(QList<int> columns) { translatedColumns_ = std::move(columns); }

    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    static QVariant shownText(const QVariant& v);

    int pictureRole_;
    QList<QIcon> icons_;
    bool translateHeadings_ = false;
    QList<int> translatedColumns_;
};

}  // namespace lum
