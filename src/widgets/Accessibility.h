#pragma once
// Accessible names: every control is named by its label, so screen readers and tests find it by
// what the operator reads.

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;

namespace lum {

// A label's text as a name: the mnemonic '&' dropped ("&&" stays one '&').
QString plainLabel(const QString& text);

// `label` names `control`: its buddy and its accessible name.
void nameByLabel(QLabel* label, QWidget* control);

// Buttons (push, check, radio, tool) under `root` without an accessible name take their text.
void nameButtonsByText(QWidget* root);

// The visible controls under `root` that have no accessible name, each described by its class
// and object name. Parts of composite controls (a combo box's own field) are not counted.
QStringList controlsWithoutName(const QWidget* root);

}  // namespace lum
