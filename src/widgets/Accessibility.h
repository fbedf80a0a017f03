#pragma once
// Accessible names: every control is named by its label, so screen readers and tests find it by
// what the operator reads.

#include <QString>

class QLabel;
class QWidget;

namespace lum {

// A label's text as a name: the mnemonic '&' dropped ("&&" stays one '&').
QString plainLabel(const QString& text);

// `label` names `control`: its buddy and its accessible name.
void nameByLabel(QLabel* label, QWidget* control);

// Buttons (push, check, radio, tool) under `root` without an accessible name take their text.
void nameButtonsByText(QWidget* root);

}  // namespace lum
