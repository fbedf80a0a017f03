#pragma once
// Driving the media windows as an operator does: controls found by their accessible names (their
// labels), typed into and clicked with QTest.

#include "common/AccessibleNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumtest {

// The control under `root` whose accessible name is `name`; fails the test when there is none.
template <typename T>
T* named(const QWidget* root, const QString& name) {
    for (T* w : root->findChildren<T*>())
        if (w->accessibleName() == name) return w;
    ADD_FAILURE() << "no control named " << name.toStdString();
    return nullptr;
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

// The window on screen and active, so that focus moves as it does for an operator.
inline bool showActive(QWidget* w) {
    w->show();
    QApplication::setActiveWindow(w);
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

}  // namespace lumtest
