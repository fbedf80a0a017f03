#include "widgets/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>

namespace lum {

QString plainLabel(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&x" is x, "&&" is '&'
        out += text[i];
    }
    return out;
}

void nameByLabel(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(plainLabel(label->text()));
}

void nameButtonsByText(QWidget* root) {
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
        if (b->accessibleName().isEmpty() && !b->text().isEmpty())
            b->setAccessibleName(plainLabel(b->text()));
}

namespace {

bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QAbstractSlider*>(w);
}

// Inside a composite control (a combo box's field, a tab bar's scroll buttons, a view's
// scroll bars): named by the control itself.
bool insideComposite(const QWidget* w, const QWidget* root) {
    for (const QWidget* p = w->parentWidget(); p && p != root->parentWidget(); p = p->parentWidget()) {
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractSpinBox*>(p) ||
            qobject_cast<const QTabBar*>(p) || qobject_cast<const QAbstractItemView*>(p) ||
            qobject_cast<const QTextEdit*>(p) || qobject_cast<const QPlainTextEdit*>(p))
            return true;
        if (p->inherits("QAbstractScrollArea") && qobject_cast<const QAbstractSlider*>(w)) return true;
    }
    return false;
}

}  // namespace

QStringList controlsWithoutName(const QWidget* root) {
    QStringList out;
    QList<const QWidget*> all{root};
    for (const QWidget* w : root->findChildren<QWidget*>()) all << w;
    for (const QWidget* w : all) {
        if (!isControl(w) || insideComposite(w, root)) continue;
        if (w != root && !w->isVisibleTo(root)) continue;
        if (w->accessibleName().isEmpty())
            out << QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
    }
    return out;
}

}  // namespace lum
