#include "widgets/MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

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

void CMessageBoxPrompt::message(const QString& text, Icon icon) {
    QMessageBox box(boxIcon(icon), title_.isEmpty() ? QApplication::applicationDisplayName() : title_,
                    text, QMessageBox::Ok, parent_);
    box.exec();
}

bool CMessageBoxPrompt::askYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question,
                    title_.isEmpty() ? QApplication::applicationDisplayName() : title_, text,
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}  // namespace lum
