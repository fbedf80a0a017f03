#pragma once
// A strict reader of the Prometheus text exposition format 0.0.4, for checking what the
// monitoring endpoint serves without promtool: comment lines, HELP and TYPE per family, sample
// lines with escaped label values, one family's samples together, no series twice.

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <cmath>

namespace lumtest {

struct ExpositionParser {
    struct Result {
        QMap<QString, double> samples;     // "name{k=\"v\",...}" as written -> value
        QHash<QString, QString> types;     // family -> type
        QHash<QString, QString> help;      // family -> text (unescaped)
        QMap<QString, QMap<QString, QString>> labels;  // series key -> labels (unescaped)
        QStringList errors;                // "line N: what"
    };

    static bool validName(const QString& n) {
        static const QRegularExpression re(QStringLiteral("^[a-zA-Z_:][a-zA-Z0-9_:]*$"));
        return re.match(n).hasMatch();
    }
    static bool validLabelName(const QString& n) {
        static const QRegularExpression re(QStringLiteral("^[a-zA-Z_][a-zA-Z0-9_]*$"));
        return re.match(n).hasMatch() && !n.startsWith(QLatin1String("__"));
    }
    static bool parseValue(const QString& text, double* v) {
        if (text == QLatin1String("+Inf")) { *v = INFINITY; return true; }
        if (text == QLatin1String("-Inf")) { *v = -INFINITY; return true; }
        if (text == QLatin1String("NaN")) { *v = NAN; return true; }
        bool ok = false;
        *v = text.toDouble(&ok);
        return ok;
    }
    // The family a sample belongs to (histogram and summary suffixes stripped when typed so).
    static QString familyOf(const QString& name, const QHash<QString, QString>& types) {
        for (const char* suffix : {"_bucket", "_sum", "_count"}) {
            if (!name.endsWith(QLatin1String(suffix))) continue;
            const QString base = name.chopped(int(qstrlen(suffix)));
            const QString t = types.value(base);
            if (t == QLatin1String("histogram") || t == QLatin1String("summary")) return base;
        }
        return name;
    }

    static Result parse(const QByteArray& body) {
        Result r;
        if (!body.isEmpty() && !body.endsWith('\n')) r.errors << QStringLiteral("no line feed at the end");
        const QStringList lines = QString::fromUtf8(body).split(QLatin1Char('\n'));
        QSet<QString> closedFamilies;  // families whose samples ended
        QString current;
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines[i];
            auto err = [&](const QString& what) { r.errors << QStringLiteral("line %1: %2").arg(i + 1).arg(what); };
            if (line.isEmpty()) continue;
            if (line.startsWith(QLatin1Char('#'))) {
                const QStringList parts = line.mid(1).trimmed().split(QLatin1Char(' '));
                if (parts.size() >= 2 && (parts[0] == QLatin1String("HELP") || parts[0] == QLatin1String("TYPE"))) {
                    const QString family = parts[1];
                    if (!validName(family)) err(QStringLiteral("bad metric name %1").arg(family));
                    if (closedFamilies.contains(family) || current == family)
                        err(QStringLiteral("%1 after samples of %2").arg(parts[0], family));
                    if (parts[0] == QLatin1String("TYPE")) {
                        static const QStringList kTypes = {"counter", "gauge", "histogram", "summary", "untyped"};
                        if (parts.size() != 3 || !kTypes.contains(parts[2])) err(QStringLiteral("bad TYPE line"));
                        if (r.types.contains(family)) err(QStringLiteral("second TYPE for %1").arg(family));
                        r.types.insert(family, parts.value(2));
                    } else {
                        if (r.help.contains(family)) err(QStringLiteral("second HELP for %1").arg(family));
                        QString text = line.section(QLatin1Char(' '), 3);
                        // HELP escapes: \\ and \n only.
                        QString plain;
                        for (int k = 0; k < text.size(); ++k) {
                            if (text[k] != QLatin1Char('\\')) { plain += text[k]; continue; }
                            if (++k >= text.size()) { err(QStringLiteral("HELP ends in a backslash")); break; }
                            if (text[k] == QLatin1Char('\\')) plain += QLatin1Char('\\');
                            else if (text[k] == QLatin1Char('n')) plain += QLatin1Char('\n');
                            else { plain += QLatin1Char('\\'); plain += text[k]; }
                        }
                        r.help.insert(family, plain);
                    }
                }
                continue;  // other comments
            }
            // A sample: name, optional labels, value, optional time stamp.
            int k = 0;
            while (k < line.size() && line[k] != QLatin1Char('{') && line[k] != QLatin1Char(' ')) ++k;
            const QString name = line.left(k);
            if (!validName(name)) { err(QStringLiteral("bad metric name '%1'").arg(name)); continue; }
            QMap<QString, QString> labelValues;
            QStringList written;
            bool bad = false;
            if (k < line.size() && line[k] == QLatin1Char('{')) {
                ++k;
                while (k < line.size() && line[k] != QLatin1Char('}')) {
                    int eq = line.indexOf(QLatin1Char('='), k);
                    if (eq < 0) { bad = true; break; }
                    const QString label = line.mid(k, eq - k);
                    if (!validLabelName(label) || labelValues.contains(label)) { bad = true; break; }
                    k = eq + 1;
                    if (k >= line.size() || line[k] != QLatin1Char('"')) { bad = true; break; }
                    ++k;
                    QString value, raw;
                    bool closed = false;
                    while (k < line.size()) {
                        const QChar c = line[k++];
                        if (c == QLatin1Char('"')) { closed = true; break; }
                        if (c == QLatin1Char('\\')) {
                            if (k >= line.size()) break;
                            const QChar e = line[k++];
                            raw += c; raw += e;
                            if (e == QLatin1Char('\\')) value += QLatin1Char('\\');
                            else if (e == QLatin1Char('"')) value += QLatin1Char('"');
                            else if (e == QLatin1Char('n')) value += QLatin1Char('\n');
                            else { bad = true; break; }
                            continue;
                        }
                        raw += c;
                        value += c;
                    }
                    if (!closed || bad) { bad = true; break; }
                    labelValues.insert(label, value);
                    written << label + QStringLiteral("=\"") + raw + QLatin1Char('"');
                    if (k < line.size() && line[k] == QLatin1Char(',')) ++k;
                }
                if (bad || k >= line.size()) { err(QStringLiteral("bad labels")); continue; }
                ++k;  // '}'
            }
            const QStringList rest = line.mid(k).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            double v = 0;
            if (k >= line.size() || line[k] != QLatin1Char(' ') || rest.isEmpty() || rest.size() > 2 ||
                !parseValue(rest[0], &v)) {
                err(QStringLiteral("bad value"));
                continue;
            }
            const QString family = familyOf(name, r.types);
            if (family != current) {
                if (closedFamilies.contains(family)) err(QStringLiteral("samples of %1 are not together").arg(family));
                if (!current.isEmpty()) closedFamilies.insert(current);
                current = family;
            }
            if (!r.types.contains(family)) err(QStringLiteral("%1 has no TYPE").arg(family));
            if (r.types.value(family) == QLatin1String("counter") && v < 0) err(QStringLiteral("negative counter"));
            const QString key = written.isEmpty() ? name : name + QLatin1Char('{') + written.join(QLatin1Char(',')) + QLatin1Char('}');
            if (r.samples.contains(key)) err(QStringLiteral("series %1 twice").arg(key));
            r.samples.insert(key, v);
            r.labels.insert(key, labelValues);
        }
        return r;
    }
};

}  // namespace lumtest
