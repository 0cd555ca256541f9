#include "render/BitmapFont.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora {
namespace {

using rendertest::bitmapOf;
using rendertest::firstDifference;
using rendertest::tagged;

constexpr std::uint32_t kPaper = 0x123456;
constexpr int kLeft = 40;
constexpr int kTop = 100;

struct Glyph {
    int cell;
    int advance;
};

// A strip whose every pixel names its own strip column and row, so a drawn frame shows exactly
// which cell columns each character copied.
class FontText : public ::testing::Test {
  protected:
    // Draws the text and compares rows kTop.. of the frame with the glyphs laid side by side;
    // returns the first difference, empty when the frame is right.
    std::string drawAndCompare(const char* text, const std::vector<Glyph>& glyphs) {
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, kPaper);
        const int end = font.drawText(frame, text, kLeft, kTop);
        std::vector<int> cellOfColumn(kFrameWidth, -1), columnInCell(kFrameWidth, 0);
        int x = kLeft;
        for (const Glyph& glyph : glyphs) {
            for (int i = 0; i < glyph.advance; ++i, ++x) {
                cellOfColumn[x] = glyph.cell;
                columnInCell[x] = i;
            }
        }
        if (end != x) {
            return "text ends at " + std::to_string(end) + ", expected " + std::to_string(x);
        }
        return firstDifference(frame, 0, 0, kFrameWidth, kFrameHeight, [&](int fx, int fy) {
            const bool inText = fy >= kTop && fy < kTop + 25 && cellOfColumn[fx] >= 0;
            return inText ? tagged(25 * cellOfColumn[fx] + columnInCell[fx], fy - kTop) : kPaper;
        });
    }

    BitmapFont font{bitmapOf(1025, 25, tagged)};
    ColorBuffer frame;
};

TEST_F(FontText, GlyphCellsAndAdvancesComeFromTheTables) {
    const struct {
        const char* text;
        std::vector<Glyph> glyphs;
    } cases[] = {
        // The widths add up to 125; the space is cell 39.
        {"ESC DONE", {{4, 12}, {18, 14}, {2, 18}, {39, 11}, {3, 19}, {14, 20}, {13, 19}, {4, 12}}},
        {"esc done", {{4, 12}, {18, 14}, {2, 18}, {39, 11}, {3, 19}, {14, 20}, {13, 19}, {4, 12}}},
        {"Az", {{0, 17}, {25, 16}}},
        // Digits and marks without a width of their own advance 22, a narrow cell included.
        {"09!?", {{26, 22}, {35, 22}, {37, 22}, {38, 22}}},
        {".'", {{36, 8}, {40, 8}}},
        // Anything outside the table shows the cell of "A".
        {",-", {{0, 22}, {0, 22}}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawAndCompare(c.text, c.glyphs), "") << '"' << c.text << '"';
    }
}

} // namespace
} // namespace velmora
