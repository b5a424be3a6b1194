#pragma once

// Pictures of the windows for a look by eye. Set WABOLEX_SCREENSHOTS to a
// folder to keep them as PNG files; otherwise nothing is written.

#include "ui/TBegriffsumschreibung.h"
#include "ui/TKatalog.h"
#include "ui/TLHint.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace Screenshots {

// The main window with the info window and the clue list beside it, as the
// user sees them side by side.
inline QImage Desk(TKatalog& katalog) {
    QApplication::processEvents(); // scroll bars follow a size change late
    const QImage main = katalog.grab().toImage();
    const QImage hint = katalog.LHint()->isVisible() ? katalog.LHint()->grab().toImage() : QImage();
    const QImage list = katalog.Begriffsumschreibung()->grab().toImage();
    const int hintHeight = hint.isNull() ? 0 : hint.height() + 10;
    QImage desk(main.width() + 10 + std::max(hint.width(), list.width()),
                std::max(main.height(), hintHeight + list.height()), QImage::Format_RGB32);
    desk.fill(Qt::darkGray);
    QPainter painter(&desk);
    painter.drawImage(0, 0, main);
    if (!hint.isNull()) {
        painter.drawImage(main.width() + 10, 0, hint);
    }
    painter.drawImage(main.width() + 10, hintHeight, list);
    return desk;
}

inline void Keep(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("WABOLEX_SCREENSHOTS");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        image.save(QDir(folder).filePath(name));
    }
}

} // namespace Screenshots
