#include "render/BitmapFont.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace velmora {
namespace {

using rendertest::tagged;

TEST(BitmapFont, EachCharacterCopiesTheStartOfItsCellAsWideAsItsAdvance) {
    // Every strip pixel names its own strip column and row, so the frame shows exactly which
    // cell columns each character copied.
    const BitmapFont font(rendertest::bitmapOf(41 * 25, 25, tagged));
    constexpr std::uint32_t kPaper = 0x123456;
    const struct {
        const char* text;
        std::vector<std::pair<int, int>> glyphs; // cell, advance
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
    ColorBuffer frame;
    for (const auto& c : cases) {
        frame.fillRect(0, 0, kFrameWidth, kFrameHeight, kPaper);
        const int end = font.drawText(frame, c.text, 40, 100);
        std::vector<int> stripColumn(kFrameWidth, -1); // of each frame column; -1: paper
        int x = 40;
        for (const auto& [cell, advance] : c.glyphs) {
            for (int i = 0; i < advance; ++i) {
                stripColumn[x++] = 25 * cell + i;
            }
        }
        EXPECT_EQ(end, x) << '"' << c.text << '"';
        const auto expected = [&](int fx, int fy) {
            const bool inText = fy >= 100 && fy < 125 && stripColumn[fx] >= 0;
            return inText ? tagged(stripColumn[fx], fy - 100) : kPaper;
        };
        EXPECT_EQ(rendertest::frameDifference(frame, expected), "") << '"' << c.text << '"';
    }
}

} // namespace
} // namespace velmora
