#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The text a voice is saying, and how much of its time has passed (0 to 1).
struct CaptionText {
    std::string_view text;
    double spoken = 0;
};

// The text broken into lines at its line breaks and at spaces, each as wide as fits in maxWidth
// by widthOf; a word wider than a line stands on a line of its own.
std::vector<std::string> wrapWords(std::string_view text, int maxWidth,
                                   const std::function<int(std::string_view)>& widthOf);

// Shown linesPerPage at a time, each page is on screen for a share of the voice's time equal to
// its share of the characters, so that the page shown is the part being said. The page for the
// time spoken; the last page from the end on.
std::size_t pageAt(std::span<const std::string> lines, std::size_t linesPerPage, double spoken);

} // namespace velmora
