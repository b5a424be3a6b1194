#include "ui/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>

namespace {

const QString kTables = QStringLiteral("WortDateien2007");

QString ExistingFolder(const QString& path) {
    const QDir folder(path);
    return folder.exists() ? QDir::cleanPath(folder.absolutePath()) : QString();
}

} // namespace

ProgramFolders::ProgramFolders(const QString& programDir, const QString& workingDir,
                               const QString& home, const QString& installedData)
    : workingDir_(workingDir), home_(home) {
    // The program folder wins: a build run from its folder behaves as before,
    // even when an installation exists elsewhere.
    tables_ = ExistingFolder(programDir + QStringLiteral("/../") + kTables);
    if (tables_.isEmpty() && !installedData.isEmpty()) {
        tables_ = ExistingFolder(programDir + '/' + installedData + '/' + kTables);
        installed_ = !tables_.isEmpty();
    }
}

ProgramFolders ProgramFolders::Current() {
    return ProgramFolders(QCoreApplication::applicationDirPath(), QDir::currentPath(),
                          QDir::homePath(), InstalledDataPath());
}

QString ProgramFolders::InstalledDataPath() {
    return QStringLiteral(WABOLEX_INSTALLED_DATA);
}

QString ProgramFolders::DataFolder(const QString& name) const {
    if (!installed_) {
        return QDir::cleanPath(QDir(workingDir_).absoluteFilePath(QStringLiteral("../") + name));
    }
    const QString folder = QDir::cleanPath(home_ + QStringLiteral("/Wabolex/") + name);
    QDir().mkpath(folder); // a dialog cannot start in a folder that is not there
    return folder;
}

QString ProgramFolders::Puzzles() const {
    return DataFolder(QStringLiteral("RätselDateien"));
}

QString ProgramFolders::Exports() const {
    return DataFolder(QStringLiteral("ExportDateien"));
}
