#include "widgets/FixedTextProxy.h"

#include "widgets/UiTexts.h"

namespace lum {

QVariant CFixedTextProxy::data(const QModelIndex& index, int role) const {
    const QVariant v = QIdentityProxyModel::data(index, role);
    if (role == Qt::DisplayRole && translatedColumns_.contains(index.column())) return shownText(v);
    return v;
}

QVariant CFixedTextProxy::headerData(int section, Qt::Orientation orientation, int role) const {
    const QVariant v = QIdentityProxyModel::headerData(section, orientation, role);
    if (translateHeadings_ && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return shownText(v);
    return v;
}

QVariant CFixedTextProxy::shownText(const QVariant& v) {
    // Only the fixed texts have a translation; names and addresses come back unchanged.
    if (v.typeId() != QMetaType::QString) return v;
    const QByteArray text = v.toString().toUtf8();
    return uiText(text.constData());
}

}  // namespace lum
