#include "media/ui/DlgRssMessage.h"

#include "core/OperatorPrompt.h"
#include "media/MediaTexts.h"
#include "media/RssThread.h"
#include "media/ui/DlgAddFeed.h"
#include "media/ui/DlgRssSettings.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace lum {

namespace t = media_texts;

namespace {
QString L(const char* s) { return uiText(s); }
}  // namespace

CDlgRssMessage::CDlgRssMessage(RssEditorParts parts, QWidget* parent)
    : QDialog(parent), parts_(std::move(parts)), editor_(parts_.rss) {
    setObjectName(QStringLiteral("RssMessage"));
    setWindowTitle(L(t::kRssMessageTitle));
    setModal(false);

    model_ = new RssTreeModel(this);
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("Channels"));
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->setAccessibleName(L(t::kChannelTree));
    preview_ = new QPlainTextEdit;
    preview_->setObjectName(QStringLiteral("Preview"));
    preview_->setReadOnly(true);
    preview_->setAccessibleName(L(t::kPreview));
    auto* split = new QSplitter;
    split->addWidget(tree_);
    split->addWidget(preview_);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("Status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* note = new QLabel(L(t::kFeedFormats));

    addButton_ = new QPushButton(L(t::kAddFeed));
    settingsButton_ = new QPushButton(L(t::kRssSettings));
    auto* exit = new QPushButton(L(t::kExit));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton_);
    buttons->addWidget(settingsButton_);
    buttons->addStretch();
    buttons->addWidget(exit);

    auto* v = new QVBoxLayout(this);
    v->addWidget(split, 1);
    v->addWidget(status_);
    v->addWidget(note);
    v->addLayout(buttons);
    resize(720, 440);

    channelMenu_ = new QMenu(this);
    channelMenu_->addAction(L(t::kDeleteChannel), this, &CDlgRssMessage::deleteChannel);
    channelMenu_->addAction(L(t::kRefreshChannel), this, &CDlgRssMessage::refreshChannel);
    channelMenu_->addAction(L(t::kChannelProperty), this, &CDlgRssMessage::channelProperty);
    groupMenu_ = new QMenu(this);
    groupMenu_->addAction(L(t::kGroupSettings), this, &CDlgRssMessage::groupSettings);

    connect(addButton_, &QPushButton::clicked, this, &CDlgRssMessage::addFeed);
    connect(settingsButton_, &QPushButton::clicked, this, &CDlgRssMessage::globalSettings);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
    connect(tree_, &QTreeView::customContextMenuRequested, this, [this](const QPoint& pos) {
        const QModelIndex i = tree_->indexAt(pos);
        if (!i.isValid()) return;
        tree_->setCurrentIndex(i);
        QMenu* menu = i.data(RssTreeModel::KindRole).toInt() == RssTreeModel::ChannelItem ? channelMenu_ : groupMenu_;
        menu->popup(tree_->viewport()->mapToGlobal(pos));
    });
    // Whoever changed the document (lumctl, the account pane's groups), the tree follows.
    connect(&parts_.rss, &CRssThread::configurationLoaded, this, &CDlgRssMessage::reload, Qt::QueuedConnection);
    nameControlsByLabels(this);

    QString error;
    if (!openDocument(&error)) parts_.prompt.message(error, IOperatorPrompt::Icon::Stop);
    showDocument();
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        showPreview();
        updateActions();
    });
    updateActions();
}

CDlgRssMessage::~CDlgRssMessage() = default;

CDlgAddFeed* CDlgRssMessage::feedDialog() const { return feedDialog_; }
CDlgRssSettings* CDlgRssMessage::settingsDialog() const { return settingsDialog_; }

QModelIndex CDlgRssMessage::currentIndex() const { return tree_->currentIndex(); }

void CDlgRssMessage::select(const QString& group, int channel) {
    const QModelIndex i = channel >= 0 ? model_->channelIndex(group, channel) : model_->groupIndex(group);
    if (i.isValid()) tree_->setCurrentIndex(i);
}

void CDlgRssMessage::showDocument() {
    const QModelIndex was = currentIndex();
    const QString group = was.data(RssTreeModel::GroupRole).toString();
    const QString link = was.data(RssTreeModel::LinkRole).toString();
    const int row = was.data(RssTreeModel::ChannelRole).toInt();
    model_->setDocument(editor_.document());
    tree_->expandAll();
    if (was.isValid()) {
        // The same channel if it is still there (by its address), else its group.
        QModelIndex again = model_->groupIndex(group);
        const QList<RssChannel> channels = editor_.document().channels(group);
        for (int r = 0; r < channels.size() && !link.isEmpty(); ++r) {
            if (channels[r].link != link) continue;
            again = model_->channelIndex(group, r);
            if (r == row) break;
        }
        if (again.isValid()) tree_->setCurrentIndex(again);
    }
    showPreview();
    updateActions();
}

bool CDlgRssMessage::openDocument(QString* error) {
    QString why;
    documentOk_ = editor_.open(parts_.groupNames ? parts_.groupNames() : QStringList(), &why);
    if (!documentOk_) {
        status_->setText(why);
        if (error) *error = why;
    }
    return documentOk_;
}

void CDlgRssMessage::reload() {
    const QByteArray before = editor_.document().toBytes();
    const bool wasOk = documentOk_;
    if (!openDocument(nullptr)) {
        updateActions();
        return;
    }
    if (!wasOk) status_->clear();
    if (editor_.document().toBytes() != before || !wasOk) showDocument();
}

void CDlgRssMessage::showPreview() {
    const QModelIndex i = currentIndex();
    if (i.data(RssTreeModel::KindRole).toInt() != RssTreeModel::ChannelItem || !i.isValid()) {
        preview_->clear();
        return;
    }
    preview_->setPlainText(editor_.preview(model_->channelAt(i)));
}

void CDlgRssMessage::updateActions() {
    const QModelIndex i = currentIndex();
    const bool channel = i.isValid() && i.data(RssTreeModel::KindRole).toInt() == RssTreeModel::ChannelItem;
    for (QAction* a : channelMenu_->actions()) a->setEnabled(documentOk_ && channel);
    for (QAction* a : groupMenu_->actions()) a->setEnabled(documentOk_ && i.isValid() && !channel);
    addButton_->setEnabled(documentOk_);
    settingsButton_->setEnabled(documentOk_);
}

void CDlgRssMessage::committed(bool ok) {
    if (!ok)
        parts_.prompt.message(QString::fromLatin1(t::kCannotSave) + parts_.rss.configPath(),
                              IOperatorPrompt::Icon::Stop);
    if (!ok) openDocument(nullptr);
    showDocument();
}

void CDlgRssMessage::addFeed() {
    if (!documentOk_) return;
    auto* dlg = new CDlgAddFeed(editor_, parts_.prompt, parts_.groupNames ? parts_.groupNames() : QStringList(), this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    CDlgAddFeed::Values start;
    start.group = currentIndex().data(RssTreeModel::GroupRole).toString();
    dlg->setValues(start, false);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        const CDlgAddFeed::Values v = dlg->values();
        const int index = editor_.addFeed(v.group, v.url, v.title, v.active, v.detailed, dlg->collected());
        committed(index >= 0);
        if (index >= 0) select(v.group, index);
    });
    feedDialog_ = dlg;
    dlg->open();
}

void CDlgRssMessage::deleteChannel() {
    const QModelIndex i = currentIndex();
    if (i.data(RssTreeModel::KindRole).toInt() != RssTreeModel::ChannelItem) return;
    const QString group = i.data(RssTreeModel::GroupRole).toString();
    const bool ok = editor_.deleteChannel(group, i.row());
    select(group);
    committed(ok);
}

void CDlgRssMessage::refreshChannel() {
    const QModelIndex i = currentIndex();
    if (i.data(RssTreeModel::KindRole).toInt() != RssTreeModel::ChannelItem) return;
    const QString group = i.data(RssTreeModel::GroupRole).toString();
    const QString link = i.data(RssTreeModel::LinkRole).toString();
    model_->setRefreshState(group, link, RssTreeModel::Refreshing);
    status_->setText(L(t::kRefreshing).arg(link));
    if (refreshes_++ == 0) tree_->setCursor(Qt::BusyCursor);
    editor_.refreshChannelAsync(group, i.row(), this, [this, group, link](bool ok, const QString& text,
                                                                         const QString& error) {
        if (--refreshes_ == 0) tree_->unsetCursor();
        model_->setRefreshState(group, link, ok ? RssTreeModel::Idle : RssTreeModel::Failed, error);
        status_->setText(ok ? L(t::kRefreshed).arg(link) : L(t::kCannotRefresh).arg(link, error));
        const QModelIndex now = currentIndex();
        if (ok && now.data(RssTreeModel::LinkRole).toString() == link &&
            now.data(RssTreeModel::GroupRole).toString().compare(group, Qt::CaseInsensitive) == 0)
            preview_->setPlainText(text);
        Q_EMIT refreshFinished(ok);
    });
}

void CDlgRssMessage::channelProperty() {
    const QModelIndex i = currentIndex();
    if (i.data(RssTreeModel::KindRole).toInt() != RssTreeModel::ChannelItem) return;
    const QString group = i.data(RssTreeModel::GroupRole).toString();
    const int row = i.row();
    const RssChannel ch = model_->channelAt(i);
    auto* dlg = new CDlgAddFeed(editor_, parts_.prompt, parts_.groupNames ? parts_.groupNames() : QStringList(), this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    dlg->setValues({ch.link, ch.title, group, ch.active, ch.detailed}, true);
    connect(dlg, &QDialog::accepted, this, [this, dlg, group, row] {
        const CDlgAddFeed::Values v = dlg->values();
        const bool ok = editor_.changeChannel(group, row, v.title, v.active, v.detailed, v.group);
        if (ok) {
            const bool moved = !v.group.isEmpty() && v.group.compare(group, Qt::CaseInsensitive) != 0;
            if (moved) {
                model_->setDocument(editor_.document());
                select(v.group, int(editor_.document().channels(v.group).size()) - 1);
            }
        }
        committed(ok);
    });
    feedDialog_ = dlg;
    dlg->open();
}

void CDlgRssMessage::groupSettings() {
    const QModelIndex i = currentIndex();
    if (!i.isValid() || i.data(RssTreeModel::KindRole).toInt() != RssTreeModel::GroupItem) return;
    const QString group = i.data(RssTreeModel::GroupRole).toString();
    auto* dlg = new CDlgRssSettings(editor_.document().groupSettings(group), std::nullopt, this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::accepted, this, [this, dlg, group] {
        committed(editor_.setGroupSettings(group, dlg->settings()));
    });
    settingsDialog_ = dlg;
    dlg->open();
}

void CDlgRssMessage::globalSettings() {
    if (!documentOk_) return;
    const RssConfig& doc = editor_.document();
    auto* dlg = new CDlgRssSettings(doc.settings(), doc.leadChars(), this);
    dlg->setAttribute(Qt::WA_DeleteOnClose);
    connect(dlg, &QDialog::accepted, this, [this, dlg] {
        committed(editor_.setGlobalSettings(dlg->settings(), dlg->leadChars()));
    });
    settingsDialog_ = dlg;
    dlg->open();
}

}  // namespace lum
