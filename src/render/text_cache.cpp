#include "render/text_cache.h"

#include <QImage>
#include <QTransform>

namespace ixo {

QString LatinText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

TextCache::FontEntry& TextCache::FontFor(const std::string& face, int pixelHeight, bool bold, int dpi) {
    auto key = std::make_tuple(face, pixelHeight, bold, dpi);
    auto found = m_fonts.find(key);
    if (found != m_fonts.end()) {
        return *found->second;
    }
    QFont font(QString::fromStdString(face));
    font.setPixelSize(std::max(1, pixelHeight));
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    // Metrics for the surface's resolution: a QImage of that dpi stands for it.
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
    probe.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
    auto entry = std::make_unique<FontEntry>(FontEntry{font, QFontMetrics(font, &probe), {}});
    return *m_fonts.emplace(std::move(key), std::move(entry)).first->second;
}

TextCache::TextEntry& TextCache::Text(FontEntry& font, std::string_view text) {
    auto found = font.texts.find(std::string(text));
    if (found != font.texts.end()) {
        return found->second;
    }
    if (font.texts.size() >= kMaxTextsPerFont) {
        font.texts.clear();
    }
    return font.texts[std::string(text)];
}

const QStaticText& TextCache::LaidOut(FontEntry& font, std::string_view text) {
    TextEntry& entry = Text(font, text);
    if (entry.laidOut == nullptr) {
        entry.laidOut = std::make_shared<QStaticText>(LatinText(text));
        entry.laidOut->setTextFormat(Qt::PlainText);
        entry.laidOut->setPerformanceHint(QStaticText::AggressiveCaching);
        entry.laidOut->prepare(QTransform(), font.font);
    }
    return *entry.laidOut;
}

int TextCache::Advance(FontEntry& font, std::string_view text) {
    TextEntry& entry = Text(font, text);
    if (entry.advance < 0) {
        entry.advance = font.metrics.horizontalAdvance(LatinText(text));
    }
    return entry.advance;
}

} // namespace ixo
