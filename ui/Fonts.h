#pragma once

#include <QFont>
#include <QString>

namespace Fonts {

// The program was drawn with Windows fonts; a Linux desktop has their metric
// twins under other names. Called once before the first window is made.
void InstallSubstitutes();

// A font whose character cell (ascent + descent, internal leading included) is
// cellHeight pixels: the way the window's font heights are given.
QFont WithCellHeight(const QString& family, int cellHeight, bool bold);

// A font of the given point size as the original screen showed it (96 dots per inch).
QFont WithPointSize(const QString& family, int points, bool bold);

} // namespace Fonts
