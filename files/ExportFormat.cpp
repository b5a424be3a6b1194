#include "files/ExportFormat.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/Cp1252Qt.h"
#include "files/ExportImage.h"
#include "files/IpuzFile.h"
#include "files/PainterCanvas.h"
#include "files/PuzzlePage.h"
#include "files/PuzzleSheet.h"
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

constexpr ExportType kTypes[] = {
    {ExportFormat::Bmp, "Kreuzworträtseldateien (*.bmp)", "bmp"},
    {ExportFormat::Png, "PNG-Bild (*.png)", "png"},
    {ExportFormat::Svg, "SVG-Bild (*.svg)", "svg"},
    {ExportFormat::Ipuz, "ipuz-Kreuzworträtsel (*.ipuz)", "ipuz"},
    {ExportFormat::Html, "Rätselseite für den Browser (*.html)", "html"},
    {ExportFormat::Sheet, "Rätselblatt als PDF (*.pdf)", "pdf"},
};
// A text for the SVG's header as XML text. The generator escapes the texts it
// draws but writes the title as it gets it, so "Tom & Jerry" would make the
// file invalid XML; control characters (a file name may hold them) are not
// allowed in XML at all.
QString SvgText(const std::string& utf8) {
    std::string text = utf8;
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
        }
    }
    return QString::fromStdString(text).toHtmlEscaped();
}

} // namespace

std::span<const ExportType> ExportFormats::Types() {
    return kTypes;
}

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
    if (extension == ".html" || extension == ".htm") {
        return ExportFormat::Html;
    }
    if (extension == ".pdf") {
        return ExportFormat::Sheet;
    }
    return std::nullopt;
}

QByteArray ExportFormats::Svg(const Puzzle& puzzle, OutputVariant variant,
                              const ExportOptions& options) {
    const QSize size = ExportImage::ImageSize(puzzle);
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kSvgResolution);
    svg.setTitle(SvgText(options.TitleText()));
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
    case ExportFormat::Html:
        return W("Die Rätselseite");
    case ExportFormat::Sheet:
        return W("Das Rätselblatt");
    }
    return W("Die Datei");
}

void ExportFormats::Write(ExportFormat format, const Puzzle& puzzle, OutputVariant variant,
                          const ExportOptions& options, OutputFile& file) {
    switch (format) {
    case ExportFormat::Bmp:
        ExportImage::Write(ExportImage::Render(puzzle, variant), file);
        return;
    case ExportFormat::Png:
        file.Write(Png(ExportImage::Render(puzzle, variant)).toStdString());
        return;
    case ExportFormat::Svg:
        file.Write(Svg(puzzle, variant, options).toStdString());
        return;
    case ExportFormat::Ipuz:
        file.Write(IpuzFile::Text(puzzle, options));
        return;
    case ExportFormat::Html:
        file.Write(PuzzlePage::Text(puzzle, variant, options));
        return;
    case ExportFormat::Sheet:
        PuzzleSheet::Write(puzzle, variant, options, file);
        return;
    }
}
