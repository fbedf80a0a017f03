#pragma once
// "RSS Message": the RSS editor's window. A thin view over CRssEditor and RssTreeModel: the
// groups with their channels, the preview of the selected channel, "Add Feed", the channel menu
// (Delete, "&Refresh", "&Property"), the group menu ("&RSS Settings") and the global
// "RSS Settings". Every change is saved at once and reaches the running ticker worker; fetching
// runs on worker threads while the window shows what runs and what failed.

#include "media/RssEditor.h"
#include "media/RssTreeModel.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTreeView;

namespace lum {

class CDlgAddFeed;
class CDlgRssSettings;
class CRssThread;
class IOperatorPrompt;

struct RssEditorParts {
    CRssThread& rss;
    IOperatorPrompt& prompt;
    std::function<QStringList()> groupNames;  // the account store's groups, in store order
};

class CDlgRssMessage : public QDialog {
    Q_OBJECT
public:
    explicit CDlgRssMessage(RssEditorParts parts, QWidget* parent = nullptr);
    ~CDlgRssMessage() override;

    const CRssEditor& editor() const { return editor_; }
    RssTreeModel* model() const { return model_; }
    QTreeView* tree() const { return tree_; }
    QPlainTextEdit* preview() const { return preview_; }
    QLabel* statusLine() const { return status_; }
    QMenu* channelMenu() const { return channelMenu_; }
    QMenu* groupMenu() const { return groupMenu_; }
    QPushButton* addFeedButton() const { return addButton_; }
    QPushButton* settingsButton() const { return settingsButton_; }
    // The box opened last by "Add Feed" or "&Property", and by either "RSS Settings", while open.
    CDlgAddFeed* feedDialog() const;
    CDlgRssSettings* settingsDialog() const;
    int refreshesRunning() const { return refreshes_; }

    // Selects a group, or one of its channels.
    void select(const QString& group, int channel = -1);

    void addFeed();         // "Add Feed"
    void deleteChannel();   // "Delete"
    void refreshChannel();  // "&Refresh"
    void channelProperty(); // "&Property"
    void groupSettings();   // the group's "&RSS Settings"
    void globalSettings();  // "RSS Settings"

Q_SIGNALS:
    // A refresh started by "&Refresh" has ended.
    void refreshFinished(bool ok);

private:
    // Reads the document again and shows it, keeping the selection where it can.
    void reload();
    bool openDocument(QString* error);
    void showDocument();
    void showPreview();
    void updateActions();
    QModelIndex currentIndex() const;
    // After an edit: the tree shows the saved document; a failed save is said.
    void committed(bool ok);

    RssEditorParts parts_;
    CRssEditor editor_;
    RssTreeModel* model_ = nullptr;
    QTreeView* tree_ = nullptr;
    QPlainTextEdit* preview_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    QMenu* channelMenu_ = nullptr;
    QMenu* groupMenu_ = nullptr;
    QPointer<CDlgAddFeed> feedDialog_;
    QPointer<CDlgRssSettings> settingsDialog_;
    int refreshes_ = 0;
    // The document could be read; a refused one (damaged, too large, nested too deep) is shown
    // empty and nothing is offered that would save over it.
    bool documentOk_ = false;
};

}  // namespace lum
