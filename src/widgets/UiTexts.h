#pragma once
// The console's fixed texts in the operator's language. The texts headers keep the English
// originals (they are also logged, stored and sent as they are) and mark them with
// QT_TRANSLATE_NOOP in the context kTextContext; the widgets translate them only where they
// are shown.

#include <QList>
#include <QString>
#include <QStringList>

namespace lum {

inline constexpr const char* kTextContext = "lum";

// A marked text in the installed translation, the English original without one.
QString uiText(const char* text);

// A list of marked texts (the entries of a drop-down list) in the operator's language.
template <typename Texts>
QStringList uiTexts(const Texts& texts) {
    QStringList out;
    for (const char* t : texts) out << uiText(t);
    return out;
}

// A message the core composed from a marked text: the text itself, a template with its %1..%9
// filled in, or a template without placeholders followed by more text (a file name, say).
// The pieces the core filled in are kept as they are; anything else comes back unchanged.
QString translateFixedText(const QString& text, const QList<const char*>& templates);

}  // namespace lum
