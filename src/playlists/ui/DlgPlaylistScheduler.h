#pragma once
// "Playlist Scheduler": a thin window over ScheduleModel. The fields (playlist path, dates,
// weekdays) make or rewrite rows; the list is saved as a ".sch" file, assigned to a group as
// its auto playlist, or saved to a removable drive with the playlists and their media.

#include "playlists/Schedule.h"
#include "widgets/FileChooser.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lum {

class CUserStore;
class IOperatorPrompt;

class CDlgPlaylistScheduler : public QDialog {
    Q_OBJECT
public:
    CDlgPlaylistScheduler(CUserStore& store, IOperatorPrompt& prompt, QWidget* parent = nullptr);

    ScheduleModel& model() { return model_; }
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }
    // Where "Save to disc" finds the removable volumes (tests give folders of their own).
    void setVolumeSource(std::function<std::vector<RemovableVolume>()> source) {
        volumes_ = std::move(source);
    }

    // The fields as the operator set them.
    ScheduleModel::Fields fields() const;
    void setFields(const ScheduleModel::Fields& f);
    int selectedRow() const;

public Q_SLOTS:
    void browse();
    void add();
    void update();
    void remove();
    void openFile();
    void save();
    void assignToGroup();
    void saveToDisc();

private:
    void onRowSelected();
    void updateButtons();
    QString choose(FileChoice::Mode mode, const char* filter, const char* name = nullptr,
                   const char* suffix = nullptr);

    CUserStore& store_;
    IOperatorPrompt& prompt_;
    ScheduleModel model_;
    FileChooser chooser_ = chooseWithFileDialog;
    std::function<std::vector<RemovableVolume>()> volumes_ = removableVolumes;
    QLineEdit* path_ = nullptr;
    QDateEdit* start_ = nullptr;
    QDateEdit* stop_ = nullptr;
    std::array<QCheckBox*, 7> days_{};
    QTableView* list_ = nullptr;
    QComboBox* groups_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* update_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* assign_ = nullptr;
    QPushButton* saveToDisc_ = nullptr;
};

}  // namespace lum
