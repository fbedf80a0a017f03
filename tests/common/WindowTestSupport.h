#pragma once
// Helpers of the window suites: controls found by their accessible name (every control has one,
// see AccessibleNames.h) and a file chooser that answers from a script.

#include "common/AccessibleNames.h"
#include "widgets/FileChooser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QList>
#include <QPixmap>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <memory>
#include <stdexcept>

namespace lumtest {

template <class T>
T* control(const QWidget* root, const QString& name) {
    for (T* w : root->findChildren<T*>())
        if (w->accessibleName() == name) return w;
    return nullptr;
}

// As control(), for a control the test needs: a missing one ends the test with its name.
template <class T>
T* named(const QWidget* root, const QString& name) {
    if (T* w = control<T>(root, name)) return w;
    throw std::runtime_error("no control named " + name.toStdString());
}

// Replaces a field's text by typing.
inline void typeInto(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
}

// Clicks near the left edge: a check box or radio button takes clicks only on its box and text.
inline void click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(qMin(8, b->width() / 2), b->height() / 2));
}

// Picks an entry of a closed drop-down list with the keyboard.
inline void choose(QComboBox* c, int index) {
    c->setFocus();
    QTest::keyClick(c, Qt::Key_Home);
    for (int i = 0; i < index; ++i) QTest::keyClick(c, Qt::Key_Down);
}

// The window on screen and active, so that the focus moves as it does for an operator.
inline bool showActive(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

// With LUM_SCREENSHOTS set to a folder, saves what the window shows there as NAME.png (for
// looking at the windows; nothing is compared).
inline void screenshot(QWidget* w, const QString& name) {
    const QString folder = qEnvironmentVariable("LUM_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);  // as the screen shows it
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
