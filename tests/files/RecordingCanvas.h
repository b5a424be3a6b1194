#pragma once

#include "files/Canvas.h"

#include <optional>
#include <string>
#include <vector>

// Records every drawing call with the pen in force, page by page, so that tests
// can check the print's layout in its own units.
class RecordingCanvas : public Canvas {
public:
    struct Call {
        enum class Kind { Line, ClosedLine, Fill, Arc, Text } Type;
        std::vector<QPoint> Points; // line ends, corners, or arc box + radial points
        int PenWidth = 0;
        QColor Color;
        std::string Text;
        CanvasFont Font;
    };
    using Page = std::vector<Call>;

    std::vector<Page> Pages{Page{}};

    void SetPen(int width, QColor color) override {
        penWidth_ = width;
        penColor_ = color;
    }
    void Line(QPoint from, QPoint to) override {
        Add({Call::Kind::Line, {from, to}, penWidth_, penColor_, {}, {}});
    }
    void ClosedLine(const std::vector<QPoint>& points) override {
        Add({Call::Kind::ClosedLine, points, penWidth_, penColor_, {}, {}});
    }
    void FillRect(QRect rect, QColor color) override {
        Add({Call::Kind::Fill,
             {rect.topLeft(), rect.bottomRight() + QPoint(1, 1)},
             0,
             color,
             {},
             {}});
    }
    void Arc(QPoint topLeft, QPoint bottomRight, QPoint start, QPoint end) override {
        Add({Call::Kind::Arc, {topLeft, bottomRight, start, end}, penWidth_, penColor_, {}, {}});
    }
    void Text(QPoint topLeft, const std::string& cp1252, CanvasFont font, QColor color) override {
        Add({Call::Kind::Text, {topLeft}, 0, color, cp1252, font});
    }
    void NewPage() override { Pages.emplace_back(); }

    // The texts of one page, in drawing order.
    std::vector<std::string> Texts(size_t page) const {
        std::vector<std::string> texts;
        for (const Call& call : Pages.at(page)) {
            if (call.Type == Call::Kind::Text) {
                texts.push_back(call.Text);
            }
        }
        return texts;
    }
    // The first text call on a page with exactly this text (and this font when
    // given), or nullptr.
    const Call* FindText(size_t page, const std::string& text,
                         std::optional<CanvasFont> font = std::nullopt) const {
        for (const Call& call : Pages.at(page)) {
            if (call.Type == Call::Kind::Text && call.Text == text &&
                (!font || call.Font == *font)) {
                return &call;
            }
        }
        return nullptr;
    }
    // The lines of a page drawn with the given pen width.
    std::vector<std::pair<QPoint, QPoint>> Lines(size_t page, int penWidth) const {
        std::vector<std::pair<QPoint, QPoint>> lines;
        for (const Call& call : Pages.at(page)) {
            if (call.Type == Call::Kind::Line && call.PenWidth == penWidth) {
                lines.emplace_back(call.Points[0], call.Points[1]);
            }
        }
        return lines;
    }
    size_t Count(size_t page, Call::Kind kind) const {
        size_t n = 0;
        for (const Call& call : Pages.at(page)) {
            n += call.Type == kind ? 1 : 0;
        }
        return n;
    }

private:
    void Add(Call call) { Pages.back().push_back(std::move(call)); }

    int penWidth_ = 1;
    QColor penColor_;
};
