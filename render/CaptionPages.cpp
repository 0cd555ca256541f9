#include "render/CaptionPages.h"

#include <algorithm>

namespace velmora {

namespace {

void wrapParagraph(std::string_view text, int maxWidth,
                   const std::function<int(std::string_view)>& widthOf,
                   std::vector<std::string>& lines) {
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(' ', at);
        if (start == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        const std::string longer = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (!line.empty() && widthOf(longer) > maxWidth) {
            lines.push_back(line);
            line = std::string(word);
        } else {
            line = longer;
        }
        at = end;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
}

} // namespace

std::vector<std::string> wrapWords(std::string_view text, int maxWidth,
                                   const std::function<int(std::string_view)>& widthOf) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        wrapParagraph(text.substr(start, end - start), maxWidth, widthOf, lines);
        start = end + 1;
    }
    return lines;
}

std::size_t pageAt(std::span<const std::string> lines, std::size_t linesPerPage, double spoken) {
    if (lines.empty() || linesPerPage == 0) {
        return 0;
    }
    const std::size_t pages = (lines.size() + linesPerPage - 1) / linesPerPage;
    std::vector<std::size_t> pageEnds; // characters said by the end of each page
    std::size_t total = 0;
    for (std::size_t page = 0; page < pages; ++page) {
        const std::size_t last = std::min(lines.size(), (page + 1) * linesPerPage);
        for (std::size_t line = page * linesPerPage; line < last; ++line) {
            total += lines[line].size();
        }
        pageEnds.push_back(total);
    }
    const double said = std::clamp(spoken, 0.0, 1.0) * double(total);
    for (std::size_t page = 0; page < pages; ++page) {
        if (said < double(pageEnds[page])) {
            return page;
        }
    }
    return pages - 1;
}

} // namespace velmora
