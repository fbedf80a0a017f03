#pragma once
// The operator prompt of the windowed console: message boxes over a parent window.

#include "core/OperatorPrompt.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace lum {

class CMessageBoxPrompt : public IOperatorPrompt {
public:
    explicit CMessageBoxPrompt(QWidget* parent = nullptr, const QString& title = {})
        : parent_(parent), title_(title) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    void setTitle(const QString& title) { title_ = title; }

    void message(const QString& text, Icon icon) override;
    bool askYesNo(const QString& text) override;

private:
    QPointer<QWidget> parent_;
    QString title_;
};

}  // namespace lum
