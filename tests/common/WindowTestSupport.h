#pragma once
// Helpers of the window suites: controls found by their accessible name, the check that every
// visible control has one, and a file chooser that answers from a script.

#include "widgets/AccessibleNames.h"
#include "widgets/FileChooser.h"

#include <QAbstractButton>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>

namespace lumtest {

template <class T>
T* control(QWidget* root, const QString& name) {
    for (T* w : root->findChildren<T*>())
        if (w->accessibleName() == name) return w;
    return nullptr;
}

// Visible controls without an accessible name, and buttons whose name is not their label.
inline QStringList unnamedControls(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || !lum::isOperatorControl(w)) continue;
        const QString cls = QString::fromLatin1(w->metaObject()->className());
        if (w->accessibleName().isEmpty()) out << cls + QStringLiteral(" without a name");
        if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty() &&
                                                         b->accessibleName() != lum::labelText(b->text()))
            out << cls + QStringLiteral(" '") + b->text() + QStringLiteral("' named '") +
                       b->accessibleName() + QLatin1Char('\'');
    }
    return out;
}

// Answers file choosers in order (an empty answer cancels) and records what was asked.
struct ScriptedChooser {
    QList<QStringList> answers;
    QList<lum::FileChoice> asked;

    static lum::FileChooser make(const std::shared_ptr<ScriptedChooser>& s) {
        return [s](QWidget*, const lum::FileChoice& c) {
            s->asked << c;
            return s->answers.isEmpty() ? QStringList() : s->answers.takeFirst();
        };
    }
};

}  // namespace lumtest
