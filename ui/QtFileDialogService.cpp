#include "ui/QtFileDialogService.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace {

std::optional<QString> Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// The tables carry upper-case extensions ("*.DB") as often as lower-case ones;
// the filter must find both, as it did on the desktop they came from.
QStringList CaseInsensitiveFilters(const QString& filter) {
    // "Paradoxtabellen (*.db)" -> "Paradoxtabellen (*.db *.DB)"
    const qsizetype open = filter.lastIndexOf('(');
    const qsizetype close = filter.lastIndexOf(')');
    if (open < 0 || close < open)
        return {filter};
    const QStringList patterns =
        filter.mid(open + 1, close - open - 1).split(' ', Qt::SkipEmptyParts);
    QStringList all;
    for (const QString& p : patterns) {
        all << p;
        if (p.toUpper() != p)
            all << p.toUpper();
    }
    return {filter.left(open + 1) + all.join(' ') + filter.mid(close)};
}

} // namespace

std::optional<QString> QtFileDialogService::OpenFileName(const QString& title,
                                                         const QString& filter,
                                                         const QString& initialFolder,
                                                         const QString& defaultSuffix) {
    QFileDialog dialog(QApplication::activeWindow(), title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // A typed name of a missing file comes back too: the command itself reports it.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(CaseInsensitiveFilters(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    return Run(dialog);
}

std::optional<QString> QtFileDialogService::SaveFileName(const QString& title,
                                                         const QString& filter,
                                                         const QString& initialFolder,
                                                         const QString& defaultSuffix,
                                                         const QString& proposedName) {
    QFileDialog dialog(QApplication::activeWindow(), title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(CaseInsensitiveFilters(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    return Run(dialog);
}
