#include "playlists/ui/DlgInstantMessage.h"

#include "accounts/UserStore.h"
#include "core/AppProfile.h"
#include "core/OperatorPrompt.h"
#include "playlists/MessageEditors.h"
#include "playlists/MessageSender.h"
#include "playlists/OperatorFileTexts.h"
#include "playlists/ui/PlaylistWindowTexts.h"
#include "widgets/AccessibleNames.h"
#include "widgets/UiTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lum {

namespace t = playlist_window_texts;

namespace {
QString L(const char* s) { return uiText(s); }

template <size_t N>
QComboBox* list(QWidget* parent, const char* const (&names)[N]) {
    auto* c = new QComboBox(parent);
    for (const char* n : names) c->addItem(L(n));
    return c;
}
}  // namespace

CDlgInstantMessage::CDlgInstantMessage(const CommandTarget& target, CUserStore& store,
                                       ICommandSender& sender, IOperatorPrompt& prompt,
                                       QWidget* parent)
    : QDialog(parent), target_(target), store_(store), sender_(sender), prompt_(prompt) {
    setWindowTitle(L(t::kMessageTitle));

    background_ = list(this, t::kBackgroundNames);
    foreground_ = list(this, t::kMessageForegroundNames);
    transparency_ = list(this, t::kTransparencyNames);
    speed_ = list(this, t::kSpeedNames);
    clock_ = list(this, t::kClockNames);
    encoding_ = list(this, t::kEncodingNames);
    auto* settings = new QGridLayout;
    const std::pair<const char*, QComboBox*> rows[] = {
        {t::kBackground, background_}, {t::kForeground, foreground_},
        {t::kTransparent, transparency_}, {t::kSpeed, speed_},
        {t::kClock, clock_}, {t::kEncoding, encoding_}};
    int i = 0;
    for (const auto& [label, box] : rows) {
        auto* l = new QLabel(L(label), this);
        l->setBuddy(box);
        settings->addWidget(l, i / 3, (i % 3) * 2);
        settings->addWidget(box, i / 3, (i % 3) * 2 + 1);
        ++i;
    }

    auto* fileRow = new QHBoxLayout;
    auto* pathLabel = new QLabel(L(t::kMessageFile), this);
    path_ = new QLineEdit(this);
    path_->setReadOnly(true);
    pathLabel->setBuddy(path_);
    auto* browse = new QPushButton(L(t::kBrowse), this);
    fileRow->addWidget(pathLabel);
    fileRow->addWidget(path_, 1);
    fileRow->addWidget(browse);

    auto* textLabel = new QLabel(L(t::kMessageText), this);
    text_ = new QPlainTextEdit(this);
    textLabel->setBuddy(text_);

    auto* buttons = new QHBoxLayout;
    send_ = new QPushButton(L(t::kSend), this);
    auto* save = new QPushButton(L(t::kSave), this);
    auto* exit = new QPushButton(L(t::kExit), this);
    buttons->addStretch();
    buttons->addWidget(send_);
    buttons->addWidget(save);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(fileRow);
    layout->addWidget(textLabel);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    resize(560, 360);

    // Opening: blue on white, 100 %, normal speed, no clock, the encoding used last.
    speed_->setCurrentIndex(InstantMessage::Normal);
    encoding_->setCurrentIndex(loadMessageEncoding(*openAppProfile()));
    send_->setEnabled(false);

    connect(text_, &QPlainTextEdit::textChanged, this,
            [this] { send_->setEnabled(canSendInstantMessage(text_->toPlainText())); });
    connect(browse, &QPushButton::clicked, this, &CDlgInstantMessage::browse);
    connect(send_, &QPushButton::clicked, this, &CDlgInstantMessage::send);
    connect(save, &QPushButton::clicked, this, &CDlgInstantMessage::saveToFile);
    connect(exit, &QPushButton::clicked, this, &CDlgInstantMessage::reject);
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);
    nameControlsByLabels(this);
}

InstantMessage CDlgInstantMessage::message() const {
    InstantMessage m;
    m.background = background_->currentIndex();
    m.foreground = foreground_->currentIndex();
    m.transparency = transparency_->currentIndex();
    m.speed = speed_->currentIndex();
    m.clock = clock_->currentIndex();
    m.encoding = encoding_->currentIndex();
    // Typed line ends become CR LF in the file.
    m.text = text_->toPlainText();
    return m;
}

void CDlgInstantMessage::setMessage(const InstantMessage& m) {
    background_->setCurrentIndex(m.background);
    foreground_->setCurrentIndex(m.foreground);
    transparency_->setCurrentIndex(m.transparency);
    speed_->setCurrentIndex(m.speed);
    clock_->setCurrentIndex(m.clock);
    encoding_->setCurrentIndex(m.encoding);
    QString text = m.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(text);
}

void CDlgInstantMessage::browse() {
    FileChoice c;
    c.filter = QString::fromLatin1(t::kMessageOpenFilter);
    const QStringList chosen = chooser_(this, c);
    if (chosen.isEmpty()) return;
    InstantMessage m = message();
    if (!loadInstantMessage(m, chosen.first())) return;
    path_->setText(chosen.first());
    setMessage(m);
}

void CDlgInstantMessage::send() {
    if (!canSendInstantMessage(text_->toPlainText())) return;
    const SendResult r = sendInstantMessage(message(), target_, store_, sender_, prompt_,
                                            openAppProfile().get());
    // A target that left the store keeps the window open with the operator told why.
    if (r.status != SendResult::UnknownTarget) accept();
}

void CDlgInstantMessage::saveToFile() {
    FileChoice c;
    c.mode = FileChoice::Mode::Save;
    c.filter = QString::fromLatin1(t::kTextSaveFilter);
    c.defaultSuffix = QString::fromLatin1(t::kTextExtension);
    const QStringList chosen = chooser_(this, c);
    if (chosen.isEmpty()) return;
    switch (writeInstantMessage(message(), chosen.first())) {
    case MessageWriteStatus::Written: break;
    case MessageWriteStatus::TooLong:
        prompt_.message(QString::fromLatin1(operator_file_texts::kMessageTooLong),
                        IOperatorPrompt::Icon::Stop);
        break;
    case MessageWriteStatus::CannotWrite:
        prompt_.message(QString::fromLatin1(operator_file_texts::kCannotSaveFile),
                        IOperatorPrompt::Icon::Stop);
        break;
    }
}

void CDlgInstantMessage::reject() {
    saveMessageEncoding(*openAppProfile(), encoding_->currentIndex());
    QDialog::reject();
}

}  // namespace lum
