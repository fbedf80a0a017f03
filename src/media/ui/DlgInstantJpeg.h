#pragma once
// "Instant JPEG": the picture pushed to players at once. The main window's picture command
// uses the same window with two more controls, "Pictavo Mode (TR-50 only)" and its display
// time. The window only chooses; the caller copies the picture and sends the command.

#include "media/ImageEditorModel.h"
#include "widgets/FileChooser.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lum {

class CDlgInstantJpeg : public QDialog {
    Q_OBJECT
public:
    // `pictavo`: the picture command's window with the Pictavo controls.
    explicit CDlgInstantJpeg(bool pictavo, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    InstantPictureChoice choice() const;
    void setChoice(const InstantPictureChoice& c);

public Q_SLOTS:
    void browse();

private:
    void updateControls();

    FileChooser chooser_ = chooseWithFileDialog;
    QLineEdit* path_ = nullptr;
    QCheckBox* pictavo_ = nullptr;
    QSpinBox* seconds_ = nullptr;
    QPushButton* send_ = nullptr;
};

}  // namespace lum
