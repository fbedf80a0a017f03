#pragma once
// Shared pieces of the Commander's window tests: answering the modal windows a click opens, a
// screenshot when LUM_SCREENSHOT_DIR is set, and the check that every visible control has an
// accessible name.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

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
        answer(d);
    });
    timer->start();
}

// A file dialog answered with `path`.
inline void answerFileDialog(const QString& path) {
    whenModal<QFileDialog>([path](QFileDialog* d) {
        d->selectFile(path);
        QMetaObject::invokeMethod(d, "accept");
    });
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

inline void screenshot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("LUM_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    w->grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

// The visible controls of `root` without an accessible name, or whose name differs from their
// label, as "class 'label'".
inline QStringList controlsWithoutNames(QWidget* root) {
    QStringList out;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || !w->isEnabled()) continue;
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QLineEdit*>(w) || w->inherits("QAbstractItemView") ||
                             w->inherits("QAbstractSpinBox") || w->inherits("QTabWidget");
        if (!control) continue;
        // Parts of composite controls (a spin box's or combo's own editor, the tab bar's scroll
        // buttons, the views' corner buttons) are named through their owner.
        if (w->parentWidget() && (w->parentWidget()->inherits("QAbstractSpinBox") ||
                                  w->parentWidget()->inherits("QComboBox") ||
                                  w->parentWidget()->inherits("QTabBar") ||
                                  w->parentWidget()->inherits("QAbstractItemView")))
            continue;
        const QString name = w->accessibleName();
        auto* b = qobject_cast<QAbstractButton*>(w);
        const QString label = b ? b->text().remove(QLatin1Char('&')) : QString();
        if (name.isEmpty() || (b && !label.isEmpty() && name != label))
            out << QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), label);
    }
    return out;
}

}  // namespace lumtest
