#include "widgets/Accessibility.h"

#include <QAbstractButton>
#include <QLabel>

namespace lum {

QString plainLabel(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&x" is x, "&&" is '&'
        out += text[i];
    }
    return out;
}

void nameByLabel(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(plainLabel(label->text()));
}

void nameButtonsByText(QWidget* root) {
    for (QAbstractButton* b : root->findChildren<QAbstractButton*>())
        if (b->accessibleName().isEmpty() && !b->text().isEmpty())
            b->setAccessibleName(plainLabel(b->text()));
}

}  // namespace lum
