#pragma once
// "Instant Message": the message with its colours, transparency, speed, clock and encoding.
// "Send" writes "instantmessage.txt" for the target's groups and announces it to the target's
// online players; "Browse" loads a message file, "Save" writes one, "Exit" closes.

#include "core/CommandSender.h"
#include "playlists/MessageFiles.h"
#include "widgets/FileChooser.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace lum {

class CUserStore;
class IOperatorPrompt;

class CDlgInstantMessage : public QDialog {
    Q_OBJECT
public:
    CDlgInstantMessage(const CommandTarget& target, CUserStore& store, ICommandSender& sender,
                       IOperatorPrompt& prompt, QWidget* parent = nullptr);

    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // The message as the controls hold it.
    InstantMessage message() const;
    void setMessage(const InstantMessage& m);
    CommandTarget target() const { return target_; }

public Q_SLOTS:
    void browse();
    void send();
    void saveToFile();
    void reject() override;  // "Exit"

private:
    CommandTarget target_;
    CUserStore& store_;
    ICommandSender& sender_;
    IOperatorPrompt& prompt_;
    FileChooser chooser_ = chooseWithFileDialog;
    QComboBox* background_ = nullptr;
    QComboBox* foreground_ = nullptr;
    QComboBox* transparency_ = nullptr;
    QComboBox* speed_ = nullptr;
    QComboBox* clock_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QLineEdit* path_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    QPushButton* send_ = nullptr;
};

}  // namespace lum
