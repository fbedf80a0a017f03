#include "widgets/MessageBoxPrompt.h"

#include "core/TsanAnnotations.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace lum {

namespace {
QMessageBox::Icon boxIcon(IOperatorPrompt::Icon icon) {
    switch (icon) {
    case IOperatorPrompt::Icon::Information: return QMessageBox::Information;
    case IOperatorPrompt::Icon::Stop: return QMessageBox::Critical;
    case IOperatorPrompt::Icon::Warning: return QMessageBox::Warning;
    case IOperatorPrompt::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

namespace {
bool onGuiThread() { return QThread::currentThread() == qApp->thread(); }
}  // namespace

void CMessageBoxPrompt::message(const QString& text, Icon icon) { messageAsIs(shown(text), icon); }

void CMessageBoxPrompt::messageAsIs(const QString& text, Icon icon) {
    // From another thread the notice is shown later by the user-interface thread: no worker
    // ever waits for the operator to close a box.
    if (!onGuiThread()) {
        QMetaObject::invokeMethod(qApp, handOff([this, text, icon] { messageAsIs(text, icon); }),
                                  Qt::QueuedConnection);
        return;
    }
    QMessageBox box(boxIcon(icon), title_.isEmpty() ? QApplication::applicationDisplayName() : title_,
                    text, QMessageBox::Ok, parent_);
    box.exec();
}

bool CMessageBoxPrompt::askYesNo(const QString& text) {
    if (!onGuiThread()) return false;  // only the operator's own commands ask
    QMessageBox box(QMessageBox::Question,
                    title_.isEmpty() ? QApplication::applicationDisplayName() : title_, shown(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace lum
