#pragma once
// Screen readers and UI test robots find a control by its accessible name. These helpers list
// the visible controls of a window whose name is missing or differs from the label the operator
// sees, so every window test can say "none".

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

namespace lumtest {

// The label text as a screen reader says it: without the "&" that marks a shortcut key.
inline QString withoutShortcutMark(QString text) {
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

inline bool isControl(const QWidget* w) {
    // A combo box's own line edit and the spin box's are parts of their owner.
    if (qobject_cast<const QLineEdit*>(w) &&
        (qobject_cast<const QComboBox*>(w->parentWidget()) ||
         qobject_cast<const QAbstractSpinBox*>(w->parentWidget())))
        return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTabBar*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

// "Class 'objectName': problem" for each visible control of `root` without a fitting name.
// A button with a text must be named by that text; other controls need a non-empty name.
inline QStringList controlsWithoutAccessibleName(QWidget* root) {
    QStringList out;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
        if (!isControl(w) || !w->isVisibleTo(root)) continue;
        // Scroll bars and the item views' own header buttons belong to their owners.
        if (qobject_cast<const QAbstractSlider*>(w) && w->parentWidget() &&
            w->parentWidget()->inherits("QAbstractScrollArea"))
            continue;
        if (w->inherits("QHeaderView") && qobject_cast<QAbstractItemView*>(w->parentWidget()))
            continue;
        if (w->inherits("QScrollBar") || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        const QString name = iface ? iface->text(QAccessible::Name) : QString();
        const QString where = QStringLiteral("%1 '%2'").arg(QString::fromLatin1(
            w->metaObject()->className()), w->objectName());
        if (name.trimmed().isEmpty()) {
            out << where + QStringLiteral(": no name");
            continue;
        }
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
            const QString label = withoutShortcutMark(b->text());
            if (name != label) out << where + QStringLiteral(": named '%1', shows '%2'").arg(name, label);
        }
    }
    return out;
}

}  // namespace lumtest
