#pragma once
// Helpers of the window suites: controls found by their accessible name (every control has one,
// see AccessibleNames.h) and a file chooser that answers from a script.

#include "common/AccessibleNames.h"
#include "widgets/FileChooser.h"

#include <QList>
#include <QPixmap>
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

// With LUM_SCREENSHOTS set to a folder, saves what the window shows there as NAME.png (for
// looking at the windows; nothing is compared).
inline void screenshot(QWidget* w, const QString& name) {
    const QString folder = qEnvironmentVariable("LUM_SCREENSHOTS");
    if (folder.isEmpty()) return;
    w->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
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
