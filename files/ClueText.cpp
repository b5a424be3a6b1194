#include "files/ClueText.h"

#include "files/LineFile.h"
#include "model/Cp1252.h"
#include "model/WabolexError.h"

#include <QSaveFile>

namespace {

void AppendSection(std::string& text, const std::vector<ClueRow>& rows, Direction direction) {
    text += std::string(DirectionWord(direction)) + "\r\n";
    for (const ClueRow& row : rows) {
        if (row.Dir == direction) {
            text += row.NumberText() + ") " + row.Clue + "\r\n";
        }
    }
}

} // namespace

std::string ClueText::Contents(const std::vector<ClueRow>& rows) {
    std::string text;
    AppendSection(text, rows, Direction::Across);
    AppendSection(text, rows, Direction::Down);
    return text;
}

void ClueText::Write(const QString& path, const std::vector<ClueRow>& rows) {
    const std::string text = Contents(rows);
    // Written whole or not at all: an old file stays intact when the disk fails.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.commit();
    if (!written) {
        const std::string name = Cp1252::FromUtf8(path.toStdString());
        const std::string reason = LineFile::WriteFailureReason(path.toStdString());
        throw WabolexError(W("Die Textdatei \"") + name +
                           W("\" konnte nicht geschrieben werden (") + reason + ").");
    }
}
