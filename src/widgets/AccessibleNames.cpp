#include "widgets/AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextEdit>

namespace lum {

QString labelText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) out += text[++i];
            continue;
        }
        out += text[i];
    }
    return out;
}

bool isOperatorControl(const QWidget* w) {
    // A combo box's own line edit and a spin box's field belong to their owner.
    // A list's headers belong to the list.
    if (qobject_cast<const QHeaderView*>(w)) return false;
    // So does the editor a list opens in one of its cells.
    if (QWidget* p = w->parentWidget())
        if (auto* view = qobject_cast<QAbstractItemView*>(p->parentWidget()); view && view->viewport() == p)
            return false;
    if (qobject_cast<const QLineEdit*>(w) &&
        (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QProgressBar*>(w);
}

void nameControlsByLabels(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy && buddy->accessibleName().isEmpty()) {
            QString text = labelText(label->text()).trimmed();
            buddy->setAccessibleName(text);
        }
    }
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
        if (b->accessibleName().isEmpty() && !b->text().isEmpty())
            b->setAccessibleName(labelText(b->text()));
    for (QGroupBox* box : root->findChildren<QGroupBox*>())
        for (QWidget* w : box->findChildren<QWidget*>())
            if (isOperatorControl(w) && w->accessibleName().isEmpty())
                w->setAccessibleName(labelText(box->title()));
}

}  // namespace lum
