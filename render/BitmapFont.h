#pragma once

#include "render/Bitmap.h"
#include "render/ColorBuffer.h"

#include <map>

namespace velmora {

// The one proportional font: 41 glyph cells of 25 x 25 in a strip bitmap, and an advance width
// per character. Glyphs are copied with their background, so text shows best on the strip's own
// background colour.
class BitmapFont {
  public:
    static constexpr int kGlyphHeight = 25;
    static constexpr int kCellWidth = 25;
    // What a character without a width of its own advances.
    static constexpr int kDefaultAdvance = 22;

    // The strip is the glyph bitmap; the widths are filled at once, so the font is complete
    // before any thread can draw with it.
    explicit BitmapFont(Bitmap strip);

    // The cell of a character: letters (either case) 0 to 25, digits 26 to 35, "." 36, "!" 37,
    // "?" 38, space 39 and "'" 40; anything else shows the cell of "A".
    static int cellOf(char ch);
    // The advance of the character as written: its table width, or kDefaultAdvance.
    int advanceOf(char ch) const;

    // Draws the text with the first glyph's top-left corner at (x, y); returns the x after it.
    int drawText(ColorBuffer& frame, const char* text, int x, int y) const;

  private:
    void initGlyphWidths();

    Bitmap strip_;
    std::map<char, int> glyphWidths_;
};

} // namespace velmora
