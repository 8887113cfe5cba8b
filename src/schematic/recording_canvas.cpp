#include "schematic/recording_canvas.h"

namespace ixo {

DrawRecord RecordingCanvas::Make(DrawOp op) const {
    DrawRecord record;
    record.op = op;
    record.pen = m_pen;
    record.brush = m_brush;
    record.font = m_font;
    return record;
}

void RecordingCanvas::Rectangle(const Rect& r) {
    DrawRecord record = Make(DrawOp::Rectangle);
    record.rect = r;
    m_records.push_back(std::move(record));
}

void RecordingCanvas::RoundRect(const Rect& r, std::int32_t cornerWidth, std::int32_t cornerHeight) {
    DrawRecord record = Make(DrawOp::RoundRect);
    record.rect = r;
    record.points = {{cornerWidth, cornerHeight}};
    m_records.push_back(std::move(record));
}

void RecordingCanvas::Ellipse(const Rect& r) {
    DrawRecord record = Make(DrawOp::Ellipse);
    record.rect = r;
    m_records.push_back(std::move(record));
}

void RecordingCanvas::Polygon(std::span<const Point> points) {
    DrawRecord record = Make(DrawOp::Polygon);
    record.points.assign(points.begin(), points.end());
    m_records.push_back(std::move(record));
}

void RecordingCanvas::Polyline(std::span<const Point> points) {
    DrawRecord record = Make(DrawOp::Polyline);
    record.points.assign(points.begin(), points.end());
    m_records.push_back(std::move(record));
}

void RecordingCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text) {
    DrawRecord record = Make(DrawOp::Text);
    record.points = {{x, y}};
    record.text = std::string(text);
    m_records.push_back(std::move(record));
}

TextSize RecordingCanvas::TextExtent(std::string_view text) {
    const std::int32_t height = m_font.height;
    return {RoundEven(0.5 * height * static_cast<double>(text.size())), height};
}

void RecordingCanvas::SetClip(const Rect& r) {
    DrawRecord record = Make(DrawOp::SetClip);
    record.rect = r;
    m_records.push_back(std::move(record));
}

void RecordingCanvas::ClearClip() {
    m_records.push_back(Make(DrawOp::ClearClip));
}

std::vector<DrawRecord> RecordingCanvas::OfKind(DrawOp op) const {
    std::vector<DrawRecord> found;
    for (const DrawRecord& record : m_records) {
        if (record.op == op) {
            found.push_back(record);
        }
    }
    return found;
}

std::vector<DrawRecord> RecordingCanvas::Texts(std::string_view text) const {
    std::vector<DrawRecord> found;
    for (const DrawRecord& record : m_records) {
        if (record.op == DrawOp::Text && record.text == text) {
            found.push_back(record);
        }
    }
    return found;
}

} // namespace ixo
