#pragma once
// "On Screen Label Editor": up to seven lines or a number, colour, alignment and how long it
// shows. "Send" writes "ostnmessage.txt" for the target's groups and sends the label message
// (command 43) to the target's online players.

#include "core/CommandSender.h"
#include "playlists/MessageEditors.h"
#include "playlists/MessageFiles.h"
#include "widgets/FileChooser.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace lum {

class CUserStore;
class IOperatorPrompt;

class CDlgScreenLabel : public QDialog {
    Q_OBJECT
public:
    CDlgScreenLabel(const CommandTarget& target, CUserStore& store, ICommandSender& sender,
                    IOperatorPrompt& prompt, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    ScreenLabelLinesModel& lines() { return lines_; }
    QTableView* lineList() const { return list_; }
    QMenuBar* menu() const { return menu_; }
    ScreenLabel label() const;
    void setLabel(const ScreenLabel& label);

public Q_SLOTS:
    void send();
    void clear();
    void openFile();
    void saveAs();

private:
    void updateControls();
    // The number field refuses the label: select and focus it.
    bool checkNumber();

    CommandTarget target_;
    CUserStore& store_;
    ICommandSender& sender_;
    IOperatorPrompt& prompt_;
    FileChooser chooser_ = chooseWithFileDialog;
    ScreenLabelLinesModel lines_;
    QMenuBar* menu_ = nullptr;
    QTableView* list_ = nullptr;
    QCheckBox* numberOnly_ = nullptr;
    QLineEdit* number_ = nullptr;
    QComboBox* colour_ = nullptr;
    QCheckBox* centred_ = nullptr;
    QCheckBox* alwaysOn_ = nullptr;
    QSpinBox* minutes_ = nullptr;
    QSpinBox* seconds_ = nullptr;
};

}  // namespace lum
