#pragma once
// "Copying File": runs a copy plan on a worker thread (CCopyJob) in a window that shows the
// progress and can cancel it. At the end every failed file is shown with its reason; a failed
// or cancelled copy is never reported as done. The window closes itself when the copy ends.
//
// Used by the Playlist Commander's "Copy All..." and the Playlist Scheduler's "Save to disc":
//
//     auto* copy = new CCopyProgress(plan, prompt, this);
//     copy->setAttribute(Qt::WA_DeleteOnClose);
//     connect(copy, &CCopyProgress::status, statusLabel, &QLabel::setText);  // optional
//     copy->start();

#include "playlists/RemovableCopy.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace lum {

class IOperatorPrompt;

class CCopyProgress : public QDialog {
    Q_OBJECT
public:
    CCopyProgress(CopyPlan plan, IOperatorPrompt& prompt, QWidget* parent = nullptr);

    void start();
    CCopyJob* job() const { return job_; }

Q_SIGNALS:
    void copyFinished(const lum::CopyOutcome& outcome);
    // "Copying... path(step/steps)" before each file (for a status bar); empty at the end.
    void status(const QString& text);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void onFinished(const CopyOutcome& outcome);

    IOperatorPrompt& prompt_;
    CCopyJob* job_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* bar_ = nullptr;
    bool finished_ = false;
};

}  // namespace lum
