#pragma once

// Fonts and texts prepared once and used many times: the screen repaints the same labels at every scroll
// step and zoom, and making a font's metrics or laying a text out (shaping) costs more than drawing its
// glyphs. Fonts are kept by face, pixel height, weight and resolution; each font keeps its texts.
#include <QFont>
#include <QFontMetrics>
#include <QStaticText>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>

namespace ixo {

class TextCache {
public:
    // Beyond this many texts in one font the font's texts start again (a sheet has far fewer labels).
    static constexpr std::size_t kMaxTextsPerFont = 50000;

    struct TextEntry {
        std::shared_ptr<QStaticText> laidOut; // made when first drawn
        int advance = -1;                     // measured when first asked
    };
    struct FontEntry {
        QFont font;
        QFontMetrics metrics;
        std::unordered_map<std::string, TextEntry> texts; // texts as the model holds them
    };

    // The font of that face, pixel height and weight on a surface of dpi.
    FontEntry& FontFor(const std::string& face, int pixelHeight, bool bold, int dpi);
    // The text laid out in the font, ready for QPainter::drawStaticText.
    static const QStaticText& LaidOut(FontEntry& font, std::string_view text);
    // The text's advance in the font (QFontMetrics::horizontalAdvance).
    static int Advance(FontEntry& font, std::string_view text);

    std::size_t FontCount() const { return m_fonts.size(); }

private:
    static TextEntry& Text(FontEntry& font, std::string_view text);

    std::map<std::tuple<std::string, int, bool, int>, std::unique_ptr<FontEntry>> m_fonts;
};

// The model's texts are Windows-1252; Latin-1 covers their letters.
QString LatinText(std::string_view text);

} // namespace ixo
