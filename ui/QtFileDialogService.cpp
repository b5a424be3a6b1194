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

// Any name may be typed: a missing file to open comes back too, and the
// command itself reports it.
void SetUp(QFileDialog& dialog, QFileDialog::AcceptMode mode, const QString& filter,
           const QString& defaultSuffix) {
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(CaseInsensitiveFilters(filter));
    dialog.setDefaultSuffix(defaultSuffix);
}

} // namespace

std::optional<QString> QtFileDialogService::OpenFileName(const QString& title,
                                                         const QString& filter,
                                                         const QString& initialFolder,
                                                         const QString& defaultSuffix) {
    QFileDialog dialog(QApplication::activeWindow(), title, initialFolder);
    SetUp(dialog, QFileDialog::AcceptOpen, filter, defaultSuffix);
    return Run(dialog);
}

std::optional<QString> QtFileDialogService::SaveFileName(const QString& title,
                                                         const QString& filter,
                                                         const QString& initialFolder,
                                                         const QString& defaultSuffix,
                                                         const QString& proposedName) {
    QFileDialog dialog(QApplication::activeWindow(), title, initialFolder);
    SetUp(dialog, QFileDialog::AcceptSave, filter, defaultSuffix);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    return Run(dialog);
}

std::optional<FileDialogService::TypedFile>
QtFileDialogService::SaveTypedFileName(const QString& title, const QStringList& filters,
                                       const QString& initialFolder, const QString& proposedName) {
    QFileDialog dialog(QApplication::activeWindow(), title, initialFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(0));
    dialog.setDefaultSuffix(SuffixOf(filters.value(0)));
    // The chosen type's extension for a name typed without one.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(SuffixOf(filter)); });
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    const std::optional<QString> path = Run(dialog);
    if (!path)
        return std::nullopt;
    return TypedFile{
        *path, std::max<int>(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}
