#pragma once
// The operator prompt of the windowed console: message boxes over a parent window.

#include "core/OperatorPrompt.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace lum {

class CMessageBoxPrompt : public IOperatorPrompt {
public:
    explicit CMessageBoxPrompt(QWidget* parent = nullptr, const QString& title = {})
        : parent_(parent), title_(title) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    void setTitle(const QString& title) { title_ = title; }

    // The core's texts arrive in English; this turns them into the operator's language just
    // before they are shown (nothing else the core does with them changes).
    void setTextFilter(std::function<QString(const QString&)> filter) { filter_ = std::move(filter); }

    void message(const QString& text, Icon icon) override;
    bool askYesNo(const QString& text) override;
    // A text already in the language it is meant to be read in.
    void messageAsIs(const QString& text, Icon icon);

private:
    QString shown(const QString& text) const { return filter_ ? filter_(text) : text; }

    QPointer<QWidget> parent_;
    QString title_;
    std::function<QString(const QString&)> filter_;
};

}  // namespace lum
