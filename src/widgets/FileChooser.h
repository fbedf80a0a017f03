#pragma once
// The file choosers of the editor windows, behind one function type so that the windows can be
// driven without a desktop (tests hand them a chooser that answers at once).

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace lum {

struct FileChoice {
    enum class Mode { Open, OpenMany, Save };
    Mode mode = Mode::Open;
    // The filter in the console's own form: "Text(*.a)|*.a;*.b|All Files (*.*)|*.*||".
    QString filter;
    QString defaultName;    // Save: the name offered
    QString defaultSuffix;  // Save: appended when the name has none
};

// The chosen paths; empty when the operator cancelled.
using FileChooser = std::function<QStringList(QWidget* parent, const FileChoice& choice)>;

// The desktop's file dialog. Saving asks before it replaces a file.
QStringList chooseWithFileDialog(QWidget* parent, const FileChoice& choice);

// "Text(*.a)|*.a;*.b||" as Qt's name filters: "Text (*.a *.b)".
QStringList qtNameFilters(const QString& filter);

}  // namespace lum
