#pragma once

#include <QString>

// Where the program finds its shipped tables and where its dialogs start for
// puzzle files and exports. Two layouts:
// - the program folder (as built, or unpacked by hand): "bin" beside
//   "WortDateien2007"; puzzles and exports go to "../RätselDateien" and
//   "../ExportDateien" from the working directory, which is "bin" on a normal
//   start;
// - an installation under a prefix: the tables in the prefix's data folder
//   ("share/wabolex/WortDateien2007"), puzzles and exports in the user's home
//   ("~/Wabolex/RätselDateien", "~/Wabolex/ExportDateien"), made on first use.
class ProgramFolders {
public:
    // programDir: the folder of the running program; workingDir: the current
    // directory; home: the user's home; installedData: the path of the
    // installed data folder relative to programDir ("../share/wabolex").
    ProgramFolders(const QString& programDir, const QString& workingDir, const QString& home,
                   const QString& installedData);
    // For the running program.
    static ProgramFolders Current();
    // Where an installation keeps the data folder, relative to the program's
    // folder ("../share/wabolex" for the usual prefix layout).
    static QString InstalledDataPath();

    bool Installed() const { return installed_; }
    // The shipped tables; empty when there are none.
    QString Tables() const { return tables_; }
    // Start folders of the puzzle-file and export dialogs. In an installation
    // they are created when asked for, so that the dialog can open them.
    QString Puzzles() const;
    QString Exports() const;

private:
    QString DataFolder(const QString& name) const;

    bool installed_ = false;
    QString tables_;
    QString workingDir_;
    QString home_;
};
