#pragma once
// Runs a copy plan (RemovableCopy.h) off the user-interface thread and shows it: the modeless
// progress window "Copying File" over the plan's steps with its Cancel button, the status text
// "Copying... path(step/steps)" for the main window, and at the end what did not work: each
// failure with its file and reason, or that the copy was cancelled. Both say that the list file
// (the plan's final file) was not written; a copy that worked says nothing. A failure is never
// shown as success.
//
// Used by the Playlist Commander's "Copy All..." and the Playlist Scheduler's "Save to disc":
//
//     auto* run = new CCopyProgress(doc.copyAllPlan(folder), prompt, this);
//     connect(run, &CCopyProgress::status, statusLabel, &QLabel::setText);  // "" at the end
//     connect(run, &CCopyProgress::finished, run, &QObject::deleteLater);
//     run->start();
//
// Deleting a running CCopyProgress cancels the copy and waits for its thread.

#include "playlists/RemovableCopy.h"

#include <QObject>
#include <QPointer>
#include <QProgressDialog>

namespace lum {

class IOperatorPrompt;

class CCopyProgress : public QObject {
    Q_OBJECT
public:
    // `parent` owns the runner and is the progress window's parent.
    CCopyProgress(CopyPlan plan, IOperatorPrompt& prompt, QWidget* parent);
    ~CCopyProgress() override;

    void start();
    // As the Cancel button: the copy stops within a piece of a file; nothing more is written.
    void cancel();
    bool isRunning() const { return running_; }
    // The progress window (null before start and after the end).
    QProgressDialog* dialog() const { return dialog_; }
    const CopyOutcome& outcome() const { return outcome_; }
    // The job on its worker thread (its signals come from there when connected directly).
    CCopyJob& job() { return job_; }

Q_SIGNALS:
    // "Copying... path(step/steps)" before each file; an empty text when the copy ends.
    void status(const QString& text);
    void finished(const lum::CopyOutcome& outcome);

private:
    void done(const CopyOutcome& outcome);

    IOperatorPrompt& prompt_;
    QWidget* window_;
    CCopyJob job_;
    QPointer<QProgressDialog> dialog_;
    CopyOutcome outcome_;
    bool running_ = false;
};

}  // namespace lum
