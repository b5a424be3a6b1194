#include "files/ExportOptions.h"

#include "base/Cp1252.h"

std::string ExportOptions::TitleText() const {
    if (Title) {
        return *Title;
    }
    return Cp1252::ToUtf8(SourceName.substr(0, SourceName.find('.')));
}
