#pragma once
// "Add New Feed": the feed's address, title, group, "Active:" and "Detailed news". "Connect"
// fetches the address on a worker thread (wait cursor; the window stays responsive) and fills
// the title with the feed's first title; on failure it shows "Can not connect to: %s" and the
// reason under the fields. OK needs an address and a title. Opened on a channel ("&Property")
// the address is read-only and there is nothing to connect.

#include "media/RssFeed.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lum {

class CRssEditor;
class IOperatorPrompt;

class CDlgAddFeed : public QDialog {
    Q_OBJECT
public:
    struct Values {
        QString url;
        QString title;
        QString group;
        bool active = true;
        bool detailed = false;
    };

    CDlgAddFeed(const CRssEditor& editor, IOperatorPrompt& prompt, const QStringList& groups,
                QWidget* parent = nullptr);

    // Fills the fields; `property` makes the address read-only.
    void setValues(const Values& v, bool property);
    Values values() const;
    // What the last successful "Connect" collected (empty before one).
    const FetchedFeed& collected() const { return collected_; }
    bool isConnecting() const { return connecting_; }

    // "Connect".
    void connectFeed();
    // OK: accepted only with an address and a title.
    void accept() override;

    QLineEdit* urlEdit() const { return url_; }
    QLineEdit* titleEdit() const { return title_; }
    QComboBox* groupList() const { return group_; }
    QCheckBox* activeCheck() const { return active_; }
    QCheckBox* detailedCheck() const { return detailed_; }
    QPushButton* connectButton() const { return connect_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* statusLine() const { return status_; }

Q_SIGNALS:
    void connectFinished(bool ok);

private:
    void setConnecting(bool on);

    const CRssEditor& editor_;
    IOperatorPrompt& prompt_;
    FetchedFeed collected_;
    bool connecting_ = false;
    bool property_ = false;
    QLineEdit* url_ = nullptr;
    QLineEdit* title_ = nullptr;
    QComboBox* group_ = nullptr;
    QCheckBox* active_ = nullptr;
    QCheckBox* detailed_ = nullptr;
    QPushButton* connect_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace lum
