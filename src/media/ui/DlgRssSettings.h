#pragma once
// "RSS Settings": the six display lists (each stores its choice index) and, for the whole
// configuration, the "Lead Characters" (at most 20). "Save" accepts, "Exit" closes.

#include "media/RssConfig.h"

#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace lum {

class CDlgRssSettings : public QDialog {
    Q_OBJECT
public:
    // Without lead characters the box edits one group's settings and has no such field.
    CDlgRssSettings(const RssDisplaySettings& settings, std::optional<QString> leadChars,
                    QWidget* parent = nullptr);

    // The chosen indexes; a list left without a choice keeps the value it was opened with.
    RssDisplaySettings settings() const;
    QString leadChars() const;

    QComboBox* list(int i) const { return lists_[size_t(i)]; }  // 0 background ... 5 auto RSS
    QLineEdit* leadEdit() const { return lead_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* exitButton() const { return exit_; }

private:
    RssDisplaySettings opened_;
    std::array<QComboBox*, 6> lists_{};
    QLineEdit* lead_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* exit_ = nullptr;
};

}  // namespace lum
