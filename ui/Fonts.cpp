#include "ui/Fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <cmath>

namespace Fonts {

void InstallSubstitutes() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Kids"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont WithCellHeight(const QString& family, int cellHeight, bool bold) {
    // The pixel size of a QFont is its em height; the cell is a little taller.
    // Measured once per family, height and weight.
    static QHash<QString, int> cache;
    const QString key =
        family + QLatin1Char('/') + QString::number(cellHeight) + (bold ? "b" : "r");
    QFont font(family);
    font.setBold(bold);
    auto it = cache.constFind(key);
    if (it != cache.constEnd()) {
        font.setPixelSize(*it);
        return font;
    }
    font.setPixelSize(cellHeight);
    const int measured = QFontMetrics(font).height();
    int size = cellHeight;
    if (measured > 0)
        size =
            std::max(1, static_cast<int>(std::lround(double(cellHeight) * cellHeight / measured)));
    cache.insert(key, size);
    font.setPixelSize(size);
    return font;
}

QFont WithPointSize(const QString& family, int points, bool bold) {
    QFont font(family);
    font.setBold(bold);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    return font;
}

} // namespace Fonts
