#include "widgets/UiTexts.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace lum {

QString uiText(const char* text) { return QCoreApplication::translate(kTextContext, text); }

namespace {

// The template as a pattern: every %n becomes a capture; the numbers in capture order.
QRegularExpression templatePattern(const QString& tmpl, QList<int>* numbers) {
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    QString pattern = QStringLiteral("\\A");
    qsizetype at = 0;
    for (auto it = marker.globalMatch(tmpl); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        pattern += QRegularExpression::escape(tmpl.mid(at, m.capturedStart() - at));
        pattern += QStringLiteral("(.*)");
        numbers->append(m.captured(1).toInt());
        at = m.capturedEnd();
    }
    pattern += QRegularExpression::escape(tmpl.mid(at));
    // A template without placeholders may lead a longer message.
    if (numbers->isEmpty()) pattern += QStringLiteral("(.*)");
    pattern += QStringLiteral("\\z");
    return QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption);
}

// %n in `translated` replaced in one pass, so that a filled-in piece holding "%2" stays as it is.
QString fill(const QString& translated, const QMap<int, QString>& values) {
    QString out;
    out.reserve(translated.size());
    for (qsizetype i = 0; i < translated.size(); ++i) {
        const QChar c = translated.at(i);
        if (c == QLatin1Char('%') && i + 1 < translated.size()) {
            const int n = translated.at(i + 1).digitValue();
            if (values.contains(n)) {
                out += values.value(n);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace

QString translateFixedText(const QString& text, const QList<const char*>& templates) {
    const QByteArray utf8 = text.toUtf8();
    const QString whole = QCoreApplication::translate(kTextContext, utf8.constData());
    if (whole != text) return whole;
    for (const char* t : templates) {
        const QString tmpl = QString::fromLatin1(t);
        const QString translated = uiText(t);
        if (translated == tmpl) continue;  // not translated: nothing to gain
        QList<int> numbers;
        const QRegularExpressionMatch m = templatePattern(tmpl, &numbers).match(text);
        if (!m.hasMatch()) continue;
        if (numbers.isEmpty()) return translated + m.captured(1);
        QMap<int, QString> values;
        for (int i = 0; i < numbers.size(); ++i) values.insert(numbers.at(i), m.captured(i + 1));
        return fill(translated, values);
    }
    return text;
}

}  // namespace lum
