#include "widgets/PictureIconProxy.h"

namespace lum {

QVariant CPictureIconProxy::data(const QModelIndex& index, int role) const {
    if (role == Qt::DecorationRole && index.column() == 0) {
        const QVariant picture = CFixedTextProxy::data(index, pictureRole_);
        bool ok = false;
        const int i = picture.toInt(&ok);
        if (ok && i >= 0 && i < icons_.size()) return icons_[i];
        return {};
    }
    return CFixedTextProxy::data(index, role);
}

}  // namespace lum
