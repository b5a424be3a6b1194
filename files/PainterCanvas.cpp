#include "files/PainterCanvas.h"

#include "base/WabolexError.h"
#include "files/Cp1252Qt.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPen>
#include <QPolygon>

#include <atomic>
#include <cmath>
#include <numbers>

namespace {

const char* const kFamily = "Arial";

// Em size per unit of character-cell height (ascent + descent), measured once
// on the font actually used.
double EmPerCellHeight() {
    static const double ratio = [] {
        QFont probe(kFamily);
        probe.setPixelSize(1000);
        const QFontMetricsF metrics(probe);
        const double cell = metrics.ascent() + metrics.descent();
        return cell > 0 ? 1000.0 / cell : 1.0;
    }();
    return ratio;
}

// Angle of the radial from centre through point, in degrees counter-clockwise
// from the positive x axis, for a y axis that points down.
double RadialAngle(QPointF centre, QPoint point) {
    return std::atan2(centre.y() - point.y(), point.x() - centre.x()) * 180.0 / std::numbers::pi;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, std::function<void()> newPage)
    : painter_(painter), newPage_(std::move(newPage)) {
    RegisterArialSubstitute();
    RequireFonts();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    painter_.setBackgroundMode(Qt::OpaqueMode);
    painter_.setBackground(QBrush(Qt::white));
    painter_.setBrush(Qt::NoBrush);
    SetPen(1, Qt::black);
}

void PainterCanvas::RegisterArialSubstitute() {
    static const bool done = [] {
        QFont::insertSubstitution(kFamily, "Liberation Sans");
        return true;
    }();
    (void)done;
}

void PainterCanvas::RequireFonts() {
    static std::atomic<bool> loaded{false};
    if (loaded.load()) {
        return;
    }
    // A font that failed to load draws every character as the same empty box:
    // two different characters drawn alike give it away, in both weights the
    // pictures use.
    for (const bool bold : {false, true}) {
        const QFont font = FontFor(CanvasFont::Cell(32, bold), 96);
        const auto drawn = [&font](QChar c) {
            QImage image(40, 40, QImage::Format_Mono);
            image.fill(1);
            QPainter painter(&image);
            painter.setFont(font);
            painter.drawText(QPointF(4, 32), QString(c));
            painter.end();
            return image;
        };
        if (drawn(u'1') == drawn(u'8')) {
            throw WabolexError(W("Die Schrift \"") + kFamily +
                               W("\" kann nicht geladen werden; ohne sie blieben Zahlen und "
                                 "Buchstaben leere Kästchen. Sind zu viele Dateien offen "
                                 "oder fehlen die Schriftdateien (fonts-liberation2)?"));
        }
    }
    loaded.store(true);
}

QFont PainterCanvas::FontFor(CanvasFont font, double logicalDpiY) {
    RegisterArialSubstitute();
    QFont result(kFamily);
    const double em =
        font.Kind == CanvasFont::Measure::Cell ? font.Height * EmPerCellHeight() : font.Height;
    // Point sizes are turned into pixels with the device's resolution; this
    // gives exactly em canvas units whatever transform the painter carries.
    result.setPointSizeF(std::max(em, 0.5) * 72.0 / logicalDpiY);
    result.setBold(font.Bold);
    result.setStyleStrategy(QFont::NoAntialias);
    result.setHintingPreference(QFont::PreferNoHinting);
    return result;
}

void PainterCanvas::SetPen(int width, QColor color) {
    QPen pen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    painter_.setPen(pen);
}

void PainterCanvas::Line(QPoint from, QPoint to) {
    painter_.drawLine(from, to);
}

void PainterCanvas::ClosedLine(const std::vector<QPoint>& points) {
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPolygon(QPolygon(QList<QPoint>(points.begin(), points.end())));
}

void PainterCanvas::FillRect(QRect rect, QColor color) {
    painter_.fillRect(rect, color);
}

void PainterCanvas::Arc(QPoint topLeft, QPoint bottomRight, QPoint start, QPoint end) {
    const QRectF bounds{QPointF(topLeft), QPointF(bottomRight)};
    const double from = RadialAngle(bounds.center(), start);
    double span = RadialAngle(bounds.center(), end) - from;
    while (span <= 0) {
        span += 360.0; // equal radials draw the whole ellipse
    }
    painter_.drawArc(bounds, static_cast<int>(std::lround(from * 16)),
                     static_cast<int>(std::lround(span * 16)));
}

void PainterCanvas::Text(QPoint topLeft, const std::string& cp1252, CanvasFont font, QColor color) {
    const QFont qfont = FontFor(font, painter_.device()->logicalDpiY());
    painter_.setFont(qfont);
    const QPen oldPen = painter_.pen();
    painter_.setPen(color);
    const QFontMetricsF metrics(qfont, painter_.device());
    painter_.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
                      Cp1252::ToQString(cp1252));
    painter_.setPen(oldPen);
}

void PainterCanvas::NewPage() {
    if (newPage_) {
        newPage_();
    }
}
