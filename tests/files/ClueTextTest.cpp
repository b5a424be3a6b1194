#include "files/ClueText.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/files/SamplePuzzles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ClueTextTest, SectionsWithCrLfAfterEveryLine) {
    const std::vector<ClueRow> rows = {
        ClueRow::Of(1, Direction::Across, W("Wohngebäude")),
        ClueRow::Of(1, Direction::Down, "Beinkleid"),
        ClueRow::FromTexts("2", "Senkrecht", "falsch geschrieben"), // neither section
        ClueRow::Of(3, Direction::Across, "See"),
        ClueRow::Of(12, Direction::Down, ""),
    };
    EXPECT_EQ(ClueText::Contents(rows), "waagerecht\r\n"
                                        "1) Wohngeb\xe4ude\r\n"
                                        "3) See\r\n"
                                        "senkrecht\r\n"
                                        "1) Beinkleid\r\n"
                                        "12) \r\n");
    // Start-up: a single empty row gives just the two section words.
    EXPECT_EQ(ClueText::Contents({ClueRow{}}), "waagerecht\r\nsenkrecht\r\n");
}

TEST(ClueTextTest, WritesExactBytesAndReplacesAnOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromUtf8("Lösung Tiere-5x5-5.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(std::string(500, 'x').c_str());
    }
    ClueText::Write(path, SamplePuzzles::Small().ClueRows);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "waagerecht\r\n"
                                            "1) Wohngeb\xe4ude\r\n"
                                            "3) Binnengew\xe4sser\r\n"
                                            "senkrecht\r\n"
                                            "1) Beinkleid\r\n"
                                            "2) Gew\xe4sser\r\n"
                                            "4) Erbse\r\n");
}

TEST(ClueTextTest, FailureNamesTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    try {
        ClueText::Write(dir.filePath("fehlt/text.txt"), {});
        FAIL() << "no error for a missing folder";
    } catch (const WabolexError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("text.txt"), std::string::npos) << message;
        EXPECT_NE(message.find("kann nicht geschrieben werden"), std::string::npos) << message;
    }
}
