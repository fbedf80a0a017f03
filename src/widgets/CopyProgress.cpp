#include "widgets/CopyProgress.h"

#include "core/OperatorPrompt.h"
#include "playlists/PlaylistDocument.h"
#include "widgets/AccessibleNames.h"
#include "widgets/CopyTexts.h"
#include "widgets/UiTexts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum {

namespace t = copy_texts;

CCopyProgress::CCopyProgress(CopyPlan plan, IOperatorPrompt& prompt, QWidget* parent)
    : QDialog(parent), prompt_(prompt) {
    setWindowTitle(uiText(t::kCopyingFile));
    setModal(false);
    const int totalSteps = std::max(1, plan.steps);
    job_ = new CCopyJob(std::move(plan), this);
    status_ = new QLabel(this);
    status_->setMinimumWidth(420);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, totalSteps);
    bar_->setValue(0);
    bar_->setAccessibleName(uiText(t::kCopyingFile));
    auto* cancel = new QPushButton(uiText(t::kCancel), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(bar_);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, &CCopyProgress::reject);
    connect(job_, &CCopyJob::progress, this, [this](int step, int steps, const QString& source) {
        bar_->setValue(step);
        status_->setText(copyingStatusText(source, step, steps));
        Q_EMIT status(status_->text());
    });
    connect(job_, &CCopyJob::finished, this, &CCopyProgress::onFinished);
    nameControlsByLabels(this);
}

void CCopyProgress::start() {
    show();
    job_->start();
}

void CCopyProgress::onFinished(const CopyOutcome& outcome) {
    finished_ = true;
    bar_->setValue(bar_->maximum());
    if (outcome.status == CopyOutcome::Status::Failed) {
        QString text = QString::fromLatin1(t::kCopyFailed).arg(job_->plan().finalPath);
        for (const QString& f : outcome.failures) text += QLatin1Char('\n') + f;
        prompt_.message(text, IOperatorPrompt::Icon::Stop);
    }
    Q_EMIT status(QString());
    Q_EMIT copyFinished(outcome);
    close();
}

void CCopyProgress::reject() {
    // Cancel stops the copy; the window goes once the worker has stopped.
    if (!finished_) {
        job_->cancel();
        return;
    }
    QDialog::reject();
}

void CCopyProgress::closeEvent(QCloseEvent* event) {
    if (!finished_) {
        job_->cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace lum
