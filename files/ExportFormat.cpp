#include "files/ExportFormat.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/Cp1252Qt.h"
#include "files/ExportImage.h"
#include "files/IpuzFile.h"
#include "files/PainterCanvas.h"
#include "io/OutputFile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace {

// The picture's pixels are the SVG's user units, at the screen's usual 96 dpi.
constexpr int kSvgResolution = 96;

// A text for the SVG's header as XML text. The generator escapes the texts it
// draws but writes the title as it gets it, so "Tom & Jerry" would make the
// file invalid XML; control characters (a file name may hold them) are not
// allowed in XML at all.
QString SvgText(const std::string& cp1252) {
    std::string text = cp1252;
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return Cp1252::ToQString(text).toHtmlEscaped();
}

} // namespace

std::optional<ExportFormat> ExportFormats::Of(const std::filesystem::path& file) {
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // Without an extension the bitmap, as before there were other formats.
    if (extension == ".bmp" || extension.empty()) {
        return ExportFormat::Bmp;
    }
    if (extension == ".png") {
        return ExportFormat::Png;
    }
    if (extension == ".svg") {
        return ExportFormat::Svg;
    }
    if (extension == ".ipuz") {
        return ExportFormat::Ipuz;
    }
    return std::nullopt;
}

QByteArray ExportFormats::Svg(const Puzzle& puzzle, OutputVariant variant) {
    const QSize size = ExportImage::ImageSize(puzzle);
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kSvgResolution);
    svg.setTitle(SvgText(IpuzFile::Title(puzzle)));
    QPainter painter;
    if (!painter.begin(&svg)) {
        throw WabolexError(W("Das SVG-Bild konnte nicht gezeichnet werden."));
    }
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PainterCanvas canvas(painter);
    ExportImage::Draw(canvas, puzzle, variant);
    painter.end();
    return buffer.data();
}

QByteArray ExportFormats::Png(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        throw WabolexError(W("Das PNG-Bild konnte nicht erzeugt werden."));
    }
    return buffer.data();
}

std::string ExportFormats::What(ExportFormat format) {
    switch (format) {
    case ExportFormat::Bmp:
        return W("Die Bitmap");
    case ExportFormat::Png:
        return W("Das PNG-Bild");
    case ExportFormat::Svg:
        return W("Das SVG-Bild");
    case ExportFormat::Ipuz:
        return W("Die ipuz-Datei");
    }
    return W("Die Datei");
}

void ExportFormats::Write(ExportFormat format, const Puzzle& puzzle, OutputVariant variant,
                          OutputFile& file) {
    switch (format) {
    case ExportFormat::Bmp:
        ExportImage::Write(ExportImage::Render(puzzle, variant), file);
        return;
    case ExportFormat::Png:
        file.Write(Png(ExportImage::Render(puzzle, variant)).toStdString());
        return;
    case ExportFormat::Svg:
        file.Write(Svg(puzzle, variant).toStdString());
        return;
    case ExportFormat::Ipuz:
        file.Write(IpuzFile::Text(puzzle));
        return;
    }
}
