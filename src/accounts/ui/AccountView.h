#pragma once
// The left pane: the account tree with its menus, and two picture boxes under it.

#include "core/CommandSender.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QTreeView;

namespace lum {

class CAccountTreeModel;
class CAccountManagementDialog;
class CPictureIconProxy;
class CUserStore;
class IOperatorPrompt;

// One bordered box that draws a picture scaled into it with its aspect ratio kept and centred;
// a smaller picture keeps its own size.
class CPictureBox : public QWidget {
    Q_OBJECT
public:
    explicit CPictureBox(QWidget* parent = nullptr);
    void setImage(const QImage& image);
    QImage image() const { return image_; }
    // Where the picture is drawn inside `area`.
    static QRect placement(const QSize& picture, const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

class CAccountView : public QWidget {
    Q_OBJECT
public:
    CAccountView(CUserStore& store, CAccountTreeModel& model, IOperatorPrompt& prompt,
                 QWidget* parent = nullptr);

    QTreeView* tree() const { return tree_; }
    CAccountTreeModel& model() { return model_; }
    CPictureBox* pictureBox(int box) const { return box == 1 ? upper_ : lower_; }

    // The root's menu: the main window's start, stop, new group and exit actions.
    void setRootActions(QList<QAction*> actions) { rootActions_ = std::move(actions); }
    QList<QAction*> rootActions() const { return rootActions_; }
    // Reads a player zone image (".yuv") for the picture boxes.
    void setYuvReader(std::function<QImage(const QString&)> reader) { yuvReader_ = std::move(reader); }

    // Selected node: kind (0 root, 1 group, 2 account) and name.
    int selectedKind() const;
    // The selection as a command target: root = everyone, group, account = that player.
    CommandTarget selectedTarget() const;
    QString GetSelectedName() const;
    QString selectedGroup() const;
    bool selectedIsOnlinePlayer() const;
    void selectRoot();

    // Shows a picture in box 1 (upper) or 0 (lower); a missing file leaves the box unchanged.
    bool ShowPicture(const QString& path, int box);
    void clearPictures();

    // The menu commands of the group and account nodes (also offered by the main window).
    void newAccount();
    void editGroup();
    void deleteGroup();
    void newGroup();
    void openAccountManagement();
    // "Get Log file...": the player's newest-named log in Log/ ("[name]...log"); empty if none.
    QString playerLogFile(const QString& account) const;
    void getLogFile();

    CAccountManagementDialog* dialog();

Q_SIGNALS:
    // The online list shows the selection: everyone (root), a group, or one online player.
    void showClients(const lum::CommandTarget& filter);
    // Text for the status bar's message pane.
    void statusMessage(const QString& text);
    void selectionChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onCurrentChanged(const QModelIndex& current);
    void showMenuAt(const QModelIndex& index, const QPoint& globalPos);
    void layoutChildren();

    CUserStore& store_;
    CAccountTreeModel& model_;
    IOperatorPrompt& prompt_;
    QTreeView* tree_ = nullptr;
    CPictureIconProxy* proxy_ = nullptr;
    CPictureBox* upper_ = nullptr;  // box 1
    CPictureBox* lower_ = nullptr;  // box 0
    QList<QAction*> rootActions_;
    std::function<QImage(const QString&)> yuvReader_;
    CAccountManagementDialog* dialog_ = nullptr;
};

}  // namespace lum
