#pragma once
// The report models of the log pane (storage list, playlist report) keep their headings and tab
// labels unmarked in the operator files layer; they are marked for translation here. Each mark
// is a copy of the layer's own text, which a test compares with the original.

#include <QList>

namespace lum {

struct TextMark {
    const char* original;  // the text as the report model gives it
    const char* marked;    // the same text, marked in the context "lum"
};

QList<TextMark> reportTextMarks();

}  // namespace lum
