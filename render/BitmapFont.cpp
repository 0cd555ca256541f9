#include "render/BitmapFont.h"

#include <cctype>
#include <cstring>

namespace velmora {

BitmapFont::BitmapFont(Bitmap strip) : strip_(std::move(strip)) {
    initGlyphWidths();
}

void BitmapFont::initGlyphWidths() {
    static constexpr int letterWidths[26] = {17, 13, 18, 19, 12, 13, 18, 20, 9,  11, 15, 10, 21,
                                             19, 20, 13, 19, 15, 14, 17, 18, 17, 22, 14, 16, 16};
    for (int i = 0; i < 26; ++i) {
        glyphWidths_[char('a' + i)] = letterWidths[i];
        glyphWidths_[char('A' + i)] = letterWidths[i];
    }
    glyphWidths_['.'] = 8;
    glyphWidths_['\''] = 8;
    glyphWidths_[' '] = 11;
}

int BitmapFont::cellOf(char ch) {
    const int upper = std::toupper(static_cast<unsigned char>(ch));
    if (upper >= 'A' && upper <= 'Z') {
        return upper - 'A';
    }
    if (upper >= '0' && upper <= '9') {
        return upper - '0' + 26;
    }
    switch (upper) {
    case '.':
        return 36;
    case '!':
        return 37;
    case '?':
        return 38;
    case ' ':
        return 39;
    case '\'':
        return 40;
    default:
        return 0;
    }
}

int BitmapFont::advanceOf(char ch) const {
    const auto found = glyphWidths_.find(ch);
    return found != glyphWidths_.end() ? found->second : kDefaultAdvance;
}

int BitmapFont::drawText(ColorBuffer& frame, const char* text, int x, int y) const {
    const std::size_t length = std::strlen(text);
    for (std::size_t i = 0; i < length; ++i) {
        const int advance = advanceOf(text[i]);
        // Only the leftmost `advance` columns of the cell are copied, background included.
        frame.copy(strip_, kCellWidth * cellOf(text[i]), 0, advance, kGlyphHeight, x, y);
        x += advance;
    }
    return x;
}

} // namespace velmora
