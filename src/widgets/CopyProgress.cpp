#include "widgets/CopyProgress.h"

#include "core/OperatorPrompt.h"
#include "playlists/PlaylistDocument.h"
#include "widgets/UiTexts.h"
#include "widgets/WidgetTexts.h"

#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QWidget>

namespace lum {

namespace t = widget_texts;

CCopyProgress::CCopyProgress(CopyPlan plan, IOperatorPrompt& prompt, QWidget* parent)
    : QObject(parent), prompt_(prompt), window_(parent), job_(std::move(plan)) {
    connect(&job_, &CCopyJob::progress, this, [this](int step, int steps, const QString& source) {
        const QString text = copyingStatusText(source, step, steps);
        if (dialog_) {
            dialog_->setMaximum(std::max(steps, 1));
            dialog_->setValue(std::min(step, dialog_->maximum()));
            dialog_->setLabelText(text);
        }
        Q_EMIT status(text);
    });
    connect(&job_, &CCopyJob::finished, this, &CCopyProgress::done);
}

CCopyProgress::~CCopyProgress() {
    if (dialog_) delete dialog_.data();
}

void CCopyProgress::start() {
    if (running_ || job_.isRunning()) return;
    running_ = true;
    dialog_ = new QProgressDialog(window_);
    dialog_->setObjectName(QStringLiteral("CopyingFile"));
    dialog_->setWindowTitle(uiText(t::kCopyingFile));
    dialog_->setAccessibleName(dialog_->windowTitle());
    dialog_->setWindowModality(Qt::NonModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    dialog_->setMinimumWidth(420);
    auto* cancelButton = new QPushButton(uiText(t::kCancel));
    cancelButton->setAccessibleName(cancelButton->text());
    dialog_->setCancelButton(cancelButton);
    dialog_->setRange(0, std::max(job_.plan().steps, 1));
    dialog_->setValue(0);
    dialog_->setLabelText(uiText(t::kCopyingFile));
    connect(dialog_, &QProgressDialog::canceled, this, &CCopyProgress::cancel);
    dialog_->show();
    job_.start();
}

void CCopyProgress::cancel() {
    job_.cancel();
    if (dialog_) dialog_->setLabelText(uiText(t::kCancel) + QStringLiteral("..."));
}

void CCopyProgress::done(const CopyOutcome& outcome) {
    outcome_ = outcome;
    running_ = false;
    if (dialog_) {
        dialog_->setValue(dialog_->maximum());
        dialog_->hide();
        dialog_->deleteLater();
        dialog_ = nullptr;
    }
    Q_EMIT status(QString());
    const QString listFile = QFileInfo(job_.plan().finalPath).fileName();
    switch (outcome.status) {
    case CopyOutcome::Status::Done: break;
    case CopyOutcome::Status::Failed:
        prompt_.message(uiText(t::kCopyFailed).arg(listFile) + QLatin1Char('\n') +
                            outcome.failures.join(QLatin1Char('\n')),
                        IOperatorPrompt::Icon::Stop);
        break;
    case CopyOutcome::Status::Cancelled:
        prompt_.message(uiText(t::kCopyCancelled).arg(listFile), IOperatorPrompt::Icon::Information);
        break;
    }
    Q_EMIT finished(outcome);
}

}  // namespace lum
