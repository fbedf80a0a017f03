#pragma once
// Every control of a window carries an accessible name equal to its label, so that screen
// readers and UI tests find it by what the operator reads.

#include <QString>

class QWidget;

namespace lum {

// A label as it reads: mnemonic ampersands removed ("&&" stays one "&").
QString labelText(const QString& text);

// Names the controls under `root` that have none yet: buttons and check boxes after their text,
// a labelled control (QLabel::setBuddy) after its label, a group box's controls without a
// label after the group's title.
void nameControlsByLabels(QWidget* root);

// True for the widgets that count as controls an operator uses (buttons, fields, lists,
// pickers, progress bars).
bool isOperatorControl(const QWidget* w);

}  // namespace lum
