#pragma once

#include "base/Cp1252.h"

#include <QString>

#include <string>
#include <string_view>

// Where the model's Windows-1252 texts meet Qt: widgets, file names, drawing.
namespace Cp1252 {

inline QString ToQString(std::string_view cp1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    for (const char c : cp1252) {
        text.append(QChar(static_cast<char16_t>(ToUnicode(static_cast<unsigned char>(c)))));
    }
    return text;
}

// Characters without a Windows-1252 form become '?'.
inline std::string FromQString(const QString& text) {
    return FromUtf8(text.toStdString());
}

} // namespace Cp1252
