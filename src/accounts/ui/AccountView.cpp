#include "accounts/ui/AccountView.h"

#include "accounts/AccountRules.h"
#include "accounts/AccountTexts.h"
#include "accounts/AccountTreeModel.h"
#include "accounts/UserStore.h"
#include "accounts/ui/AccountDialog.h"
#include "accounts/ui/AccountViewTexts.h"
#include "core/DataFolder.h"
#include "core/OperatorPrompt.h"
#include "widgets/Icons.h"
#include "widgets/PictureIconProxy.h"
#include "widgets/UiTexts.h"

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QTreeView>
#include <QUrl>

namespace lum {

namespace t = account_view_texts;

// ---- CPictureBox ---------------------------------------------------------------------------

CPictureBox::CPictureBox(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void CPictureBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

QRect CPictureBox::placement(const QSize& picture, const QRect& area) {
    if (picture.isEmpty() || area.isEmpty()) return {};
    QSize size = picture;
    if (size.width() > area.width() || size.height() > area.height())
        size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    const int x = area.x() + (area.width() - size.width()) / 2;
    const int y = area.y() + (area.height() - size.height()) / 2;
    return QRect(QPoint(x, y), size);
}

void CPictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (image_.isNull()) return;
    const QRect area = rect().adjusted(1, 1, -1, -1);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(placement(image_.size(), area), image_);
}

// ---- CAccountView --------------------------------------------------------------------------

CAccountView::CAccountView(CUserStore& store, CAccountTreeModel& model, IOperatorPrompt& prompt,
                           QWidget* parent)
    : QWidget(parent), store_(store), model_(model), prompt_(prompt) {
    setObjectName(QStringLiteral("AccountView"));
    tree_ = new QTreeView(this);
    tree_->setObjectName(QStringLiteral("AccountTree"));
    proxy_ = new CPictureIconProxy(CAccountTreeModel::PictureRole, icons::accountPictures(), this);
    proxy_->setSourceModel(&model_);
    tree_->setModel(proxy_);
    tree_->setHeaderHidden(true);
    tree_->setDragEnabled(false);
    tree_->setAcceptDrops(false);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setContextMenuPolicy(Qt::DefaultContextMenu);
    tree_->installEventFilter(this);
    tree_->viewport()->installEventFilter(this);
    upper_ = new CPictureBox(this);
    lower_ = new CPictureBox(this);
    upper_->setObjectName(QStringLiteral("PictureBox1"));
    lower_->setObjectName(QStringLiteral("PictureBox0"));

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentChanged(current); });
    // After a refill the root is selected again; the rows were replaced under the view.
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] {
        tree_->expand(proxy_->mapFromSource(model_.rootIndex()));
        selectRoot();
    });
    connect(&model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& under) {
        if (model_.kindOf(under) == CAccountTreeModel::KindRoot && under.isValid())
            tree_->expand(proxy_->mapFromSource(under));
    });
    tree_->expand(proxy_->mapFromSource(model_.rootIndex()));
    selectRoot();
}

void CAccountView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void CAccountView::layoutChildren() {
    const int w = width();
    // Each box is three quarters of the width tall; the tree takes what is left.
    const int boxH = w * 3 / 4;
    const int treeH = std::max(0, height() - 2 * boxH);
    tree_->setGeometry(0, 0, w, treeH);
    upper_->setGeometry(0, treeH, w, boxH);
    lower_->setGeometry(0, treeH + boxH, w, boxH);
}

void CAccountView::selectRoot() {
    const QModelIndex root = proxy_->mapFromSource(model_.rootIndex());
    tree_->setCurrentIndex(root);
}

int CAccountView::selectedKind() const {
    const QModelIndex i = tree_->currentIndex();
    return i.isValid() ? CAccountTreeModel::kindOf(i) : -1;
}

CommandTarget CAccountView::selectedTarget() const {
    switch (selectedKind()) {
    case CAccountTreeModel::KindGroup: return CommandTarget::group(GetSelectedName());
    case CAccountTreeModel::KindAccount: return CommandTarget::player(GetSelectedName());
    default: return CommandTarget::all();
    }
}

QString CAccountView::GetSelectedName() const {
    return CAccountTreeModel::nameOf(tree_->currentIndex());
}

QString CAccountView::selectedGroup() const {
    return CAccountTreeModel::groupOf(tree_->currentIndex());
}

bool CAccountView::selectedIsOnlinePlayer() const {
    const QModelIndex i = tree_->currentIndex();
    return i.isValid() && CAccountTreeModel::pictureOf(i) == CAccountTreeModel::PicOnline;
}

void CAccountView::onCurrentChanged(const QModelIndex& current) {
    Q_EMIT selectionChanged();
    if (!current.isValid() || model_.isFilling()) return;
    const int kind = CAccountTreeModel::kindOf(current);
    const QString name = CAccountTreeModel::nameOf(current);
    if (kind == CAccountTreeModel::KindAccount) {
        if (CAccountTreeModel::pictureOf(current) == CAccountTreeModel::PicOnline)
            Q_EMIT showClients(CommandTarget::player(name));
        return;
    }
    Q_EMIT showClients(kind == CAccountTreeModel::KindGroup ? CommandTarget::group(name)
                                                            : CommandTarget::all());
    CUserGroup group;
    if (kind == CAccountTreeModel::KindGroup && store_.FindGroup(name, &group))
        Q_EMIT statusMessage(uiText(t::kPlaylistFile) + group.currentPlaylist);
}

bool CAccountView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ContextMenu && (watched == tree_ || watched == tree_->viewport())) {
        auto* ce = static_cast<QContextMenuEvent*>(event);
        if (ce->reason() == QContextMenuEvent::Mouse) {
            const QModelIndex i = tree_->indexAt(tree_->viewport()->mapFromGlobal(ce->globalPos()));
            if (i.isValid()) {
                tree_->setCurrentIndex(i);
                showMenuAt(i, ce->globalPos());
            }
        } else {
            const QModelIndex i = tree_->currentIndex();
            if (i.isValid()) {
                const QPoint at = tree_->visualRect(i).topLeft() + QPoint(15, 8);
                showMenuAt(i, tree_->viewport()->mapToGlobal(at));
            }
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CAccountView::showMenuAt(const QModelIndex& index, const QPoint& globalPos) {
    QMenu menu(this);
    switch (CAccountTreeModel::kindOf(index)) {
    case CAccountTreeModel::KindRoot:
        // A null entry is a separator; actions the window does not offer are left out.
        for (QAction* a : rootActions_) {
            if (a) menu.addAction(a);
            else if (!menu.isEmpty()) menu.addSeparator();
        }
        break;
    case CAccountTreeModel::KindGroup:
        connect(menu.addAction(uiText(t::kNewAccount)), &QAction::triggered, this,
                &CAccountView::newAccount);
        connect(menu.addAction(uiText(t::kEditGroup)), &QAction::triggered, this,
                &CAccountView::editGroup);
        connect(menu.addAction(uiText(t::kDeleteGroup)), &QAction::triggered, this,
                &CAccountView::deleteGroup);
        break;
    case CAccountTreeModel::KindAccount:
        connect(menu.addAction(uiText(t::kGetLogFile)), &QAction::triggered, this,
                &CAccountView::getLogFile);
        break;
    }
    if (!menu.isEmpty()) menu.exec(globalPos);
}

CAccountManagementDialog* CAccountView::dialog() {
    if (!dialog_) dialog_ = new CAccountManagementDialog(store_, prompt_, this);
    return dialog_;
}

void CAccountView::openAccountManagement() { dialog()->showChoice(); }

void CAccountView::newGroup() { dialog()->showNewGroup(); }

void CAccountView::newAccount() {
    QString group = selectedGroup();
    if (group.isEmpty()) group = QString::fromLatin1(kHomeGroupName);
    dialog()->showNewAccount(group);
}

void CAccountView::editGroup() {
    if (selectedKind() != CAccountTreeModel::KindGroup) return;
    dialog()->showEditGroup(GetSelectedName());
}

void CAccountView::deleteGroup() {
    if (selectedKind() != CAccountTreeModel::KindGroup) return;
    const QString name = GetSelectedName();
    if (!isGroupNameEditable(name)) {
        prompt_.message(uiText(account_texts::kHomeGroupNotEditable),
                        IOperatorPrompt::Icon::Stop);
        return;
    }
    if (!prompt_.askYesNo(uiText(t::kAskDeleteThisGroup) + name)) return;
    deleteGroupChecked(store_, prompt_, name);
}

QString CAccountView::playerLogFile(const QString& account) const {
    const QDir logDir(joinPath(store_.programFolder(), QString::fromLatin1(kLogDir)));
    const QString prefix = QLatin1Char('[') + account + QLatin1Char(']');
    // "[name]?*.log": at least one character between the bracketed name and the extension.
    const QStringList files = logDir.entryList(QDir::Files, QDir::Name);
    for (const QString& f : files) {
        if (f.startsWith(prefix, Qt::CaseInsensitive) &&
            f.endsWith(QStringLiteral(".log"), Qt::CaseInsensitive) &&
            f.size() > prefix.size() + 4)
            return logDir.filePath(f);
    }
    return {};
}

void CAccountView::getLogFile() {
    if (selectedKind() != CAccountTreeModel::KindAccount) return;
    const QString name = GetSelectedName();
    const QString path = playerLogFile(name);
    if (path.isEmpty()) {
        prompt_.message(uiText(t::kNoLogFile).arg(name), IOperatorPrompt::Icon::Information);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void CAccountView::clearPictures() {
    upper_->setImage({});
    lower_->setImage({});
}

bool CAccountView::ShowPicture(const QString& path, int box) {
    if (!QFileInfo::exists(path)) return false;
    QImage image;
    if (path.endsWith(QStringLiteral("yuv"), Qt::CaseInsensitive)) {
        if (yuvReader_) image = yuvReader_(path);
    } else {
        image.load(path);
    }
    if (image.isNull()) return false;
    pictureBox(box)->setImage(image);
    return true;
}

}  // namespace lum
