#pragma once
// Shows a model's picture index (a data role holding 0, 1, 2 ...) as the icon of its first
// column, so that the core models stay free of pixmaps. Fixed texts show as CFixedTextProxy
// shows them (headings untranslated unless asked for).

#include "widgets/FixedTextProxy.h"

#include <QIcon>
#include <QList>

namespace lum {

class CPictureIconProxy : public CFixedTextProxy {
    Q_OBJECT
public:
    CPictureIconProxy(int pictureRole, QList<QIcon> icons, QObject* parent = nullptr)
        : CFixedTextProxy(parent), pictureRole_(pictureRole), icons_(std::move(icons)) {
        setTranslateHeadings(false);
    }

    QVariant data(const QModelIndex& index, int role) const override;

private:
    int pictureRole_;
    QList<QIcon> icons_;
};

}  // namespace lum
