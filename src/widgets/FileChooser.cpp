#include "widgets/FileChooser.h"

#include <QFileDialog>

namespace lum {

QStringList qtNameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString description = parts[i];
        const qsizetype paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0) description.truncate(paren);
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        out << description.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
    }
    return out;
}

QStringList chooseWithFileDialog(QWidget* parent, const FileChoice& choice) {
    QFileDialog dlg(parent);
    dlg.setNameFilters(qtNameFilters(choice.filter));
    switch (choice.mode) {
    case FileChoice::Mode::Open:
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileChoice::Mode::OpenMany:
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(QFileDialog::ExistingFiles);
        break;
    case FileChoice::Mode::Save:
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        if (!choice.defaultSuffix.isEmpty()) dlg.setDefaultSuffix(choice.defaultSuffix);
        if (!choice.defaultName.isEmpty()) dlg.selectFile(choice.defaultName);
        break;
    }
    if (dlg.exec() != QDialog::Accepted) return {};
    return dlg.selectedFiles();
}

}  // namespace lum
