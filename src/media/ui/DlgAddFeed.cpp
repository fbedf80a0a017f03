#include "media/ui/DlgAddFeed.h"

#include "core/OperatorPrompt.h"
#include "media/MediaTexts.h"
#include "media/RssEditor.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum {

namespace t = media_texts;

namespace {
QString L(const char* s) { return uiText(s); }
}  // namespace

CDlgAddFeed::CDlgAddFeed(const CRssEditor& editor, IOperatorPrompt& prompt, const QStringList& groups,
                         QWidget* parent)
    : QDialog(parent), editor_(editor), prompt_(prompt) {
    setObjectName(QStringLiteral("AddFeed"));
    setWindowTitle(L(t::kAddFeedTitle));
    auto* g = new QGridLayout;
    url_ = new QLineEdit;
    url_->setMinimumWidth(fontMetrics().averageCharWidth() * 48);
    connect_ = new QPushButton(L(t::kConnect));
    title_ = new QLineEdit;
    group_ = new QComboBox;
    group_->addItems(groups);
    active_ = new QCheckBox;
    active_->setChecked(true);
    detailed_ = new QCheckBox(L(t::kFeedDetailed));

    auto* urlLabel = new QLabel(L(t::kFeedUrl));
    urlLabel->setBuddy(url_);
    g->addWidget(urlLabel, 0, 0, 1, 2);
    g->addWidget(url_, 1, 0, 1, 2);
    g->addWidget(connect_, 1, 2);
    auto* titleLabel = new QLabel(L(t::kFeedTitle));
    titleLabel->setBuddy(title_);
    g->addWidget(titleLabel, 2, 0);
    g->addWidget(title_, 2, 1, 1, 2);
    auto* groupLabel = new QLabel(L(t::kFeedGroup));
    groupLabel->setBuddy(group_);
    g->addWidget(groupLabel, 3, 0);
    g->addWidget(group_, 3, 1);
    auto* activeLabel = new QLabel(L(t::kFeedActive));
    activeLabel->setBuddy(active_);
    g->addWidget(activeLabel, 4, 0);
    auto* checks = new QHBoxLayout;
    checks->addWidget(active_);
    checks->addSpacing(24);
    checks->addWidget(detailed_);
    checks->addStretch();
    g->addLayout(checks, 4, 1, 1, 2);
    g->setColumnStretch(1, 1);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("Status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(L(t::kOk), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(L(t::kCancel), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgAddFeed::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(connect_, &QPushButton::clicked, this, &CDlgAddFeed::connectFeed);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addWidget(status_);
    v->addWidget(buttons);
    nameControlsByLabels(this);
}

void CDlgAddFeed::setValues(const Values& v, bool property) {
    property_ = property;
    url_->setText(v.url);
    url_->setReadOnly(property);
    connect_->setEnabled(!property);
    title_->setText(v.title);
    const int g = group_->findText(v.group, Qt::MatchFixedString);  // without regard to case
    if (g >= 0) group_->setCurrentIndex(g);
    active_->setChecked(v.active);
    detailed_->setChecked(v.detailed);
}

CDlgAddFeed::Values CDlgAddFeed::values() const {
    return {url_->text().trimmed(), title_->text(), group_->currentText(), active_->isChecked(),
            detailed_->isChecked()};
}

void CDlgAddFeed::setConnecting(bool on) {
    connecting_ = on;
    connect_->setEnabled(!on && !property_);
    ok_->setEnabled(!on);
    url_->setReadOnly(on || property_);
    if (on) setCursor(Qt::WaitCursor);
    else unsetCursor();
}

void CDlgAddFeed::connectFeed() {
    if (connecting_ || property_) return;
    const QString url = url_->text().trimmed();
    url_->setText(url);
    if (url.isEmpty()) return;
    setConnecting(true);
    status_->setText(L(t::kConnecting).arg(url));
    editor_.connectFeedAsync(url, this, [this, url](bool ok, const FetchedFeed& feed, const QString& error) {
        setConnecting(false);
        if (ok) {
            collected_ = feed;
            title_->setText(feed.firstTitle);
            status_->clear();
        } else {
            const QString text = CRssEditor::cannotConnectText(url);
            status_->setText(L(t::kCannotConnect).arg(url) + QStringLiteral("\n") + error);
            prompt_.message(text, IOperatorPrompt::Icon::Stop);
        }
        Q_EMIT connectFinished(ok);
    });
}

void CDlgAddFeed::accept() {
    if (connecting_) return;
    if (url_->text().trimmed().isEmpty() || title_->text().isEmpty()) return;
    QDialog::accept();
}

}  // namespace lum
