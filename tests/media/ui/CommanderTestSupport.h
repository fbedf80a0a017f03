#pragma once
// Shared pieces of the Commander's window tests: answering the modal windows and menus a click
// opens, and clicking check boxes on their box. Controls by name, screenshots and the file
// chooser script come from common/WindowTestSupport.h.

#include "common/WindowTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace lumtest {

// Runs `answer` on the next modal window that opens (a file dialog, a settings window ...),
// checked every few milliseconds until it appears.
template <class Dialog>
void whenModal(std::function<void(Dialog*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!d) return;
        timer->stop();
        timer->deleteLater();
        // Clicks land where the controls are only once the window is laid out and shown.
        if (!QTest::qWaitForWindowExposed(d)) ADD_FAILURE() << "the window was never shown";
        answer(d);
    });
    timer->start();
}

// Chooses the entry `text` of the popup menu the next click opens (a menu runs its own loop).
inline void whenMenu(const QString& text) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        timer->stop();
        timer->deleteLater();
        for (QAction* a : menu->actions())
            if (a->text() == text) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        menu->close();
    });
    timer->start();
}

// Clicks a check box on its box (its middle may lie beyond its text in a wide row).
inline void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

}  // namespace lumtest
