// Where the program looks for its tables and puts puzzles and exports: in its
// program folder as built, and in an installation under a prefix.
#include "ui/ProgramFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ProgramFoldersTest : public ::testing::Test {
protected:
    QTemporaryDir root;
    QString home;
    QString working;

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        home = Make("home/anna");
        working = Make("somewhere/else");
    }

    QString Make(const QString& path) {
        const QString full = root.filePath(path);
        QDir().mkpath(full);
        return QDir::cleanPath(full);
    }
};

TEST_F(ProgramFoldersTest, ProgramFolderKeepsTablesBesideBinAndDataFoldersBesideTheWorkingDir) {
    const QString bin = Make("Wabolex/bin");
    const QString tables = Make(QString::fromUtf8("Wabolex/WortDateien2007"));
    const ProgramFolders folders(bin, bin, home, ProgramFolders::InstalledDataPath());
    EXPECT_FALSE(folders.Installed());
    EXPECT_EQ(folders.Tables(), tables);
    EXPECT_EQ(folders.Puzzles(), root.filePath(QString::fromUtf8("Wabolex/RätselDateien")));
    EXPECT_EQ(folders.Exports(), root.filePath("Wabolex/ExportDateien"));
    // Relative to where the program was started from, as before; nothing is made.
    const ProgramFolders elsewhere(bin, working, home, ProgramFolders::InstalledDataPath());
    EXPECT_EQ(elsewhere.Exports(), root.filePath("somewhere/ExportDateien"));
    EXPECT_FALSE(QFileInfo::exists(root.filePath("somewhere/ExportDateien")));
    EXPECT_FALSE(QFileInfo::exists(home + "/Wabolex"));
}

TEST_F(ProgramFoldersTest, InstallationFindsItsTablesAndKeepsFilesUnderHome) {
    const QString bin = Make("usr/bin");
    const QString tables = Make("usr/share/wabolex/WortDateien2007");
    const ProgramFolders folders(bin, working, home, ProgramFolders::InstalledDataPath());
    ASSERT_TRUE(folders.Installed());
    EXPECT_EQ(folders.Tables(), tables);
    const QString puzzles = folders.Puzzles();
    const QString exports = folders.Exports();
    EXPECT_EQ(puzzles, home + QString::fromUtf8("/Wabolex/RätselDateien"));
    EXPECT_EQ(exports, home + "/Wabolex/ExportDateien");
    // Made on first use, so the dialogs can start in them.
    EXPECT_TRUE(QFileInfo(puzzles).isDir());
    EXPECT_TRUE(QFileInfo(exports).isDir());
}

TEST_F(ProgramFoldersTest, WithoutAnyTablesTheProgramFolderRulesApply) {
    const QString bin = Make("opt/bin");
    const ProgramFolders folders(bin, bin, home, ProgramFolders::InstalledDataPath());
    EXPECT_FALSE(folders.Installed());
    EXPECT_TRUE(folders.Tables().isEmpty());
    EXPECT_EQ(folders.Puzzles(), root.filePath(QString::fromUtf8("opt/RätselDateien")));
}

} // namespace
