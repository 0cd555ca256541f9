#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::test {

// A case of a data file under tests/data: "= name" starts it; every later line that is neither
// blank nor a "//" comment is a keyword and the text after it, or a picture row when it holds
// only '#' and '.'.
struct TextCase {
    std::string name;
    std::map<std::string, std::string> lines;
    std::vector<std::string> picture;

    std::string text(const std::string& keyword) const { // "" when absent
        return lines.count(keyword) != 0 ? lines.at(keyword) : "";
    }
    bool has(const std::string& keyword) const { return lines.count(keyword) != 0; }
    // A reported message: the text with its line end, "" when absent.
    std::string message() const { return text("message").empty() ? "" : text("message") + "\n"; }
    std::vector<float> numbers(const std::string& keyword) const {
        std::istringstream words(text(keyword));
        std::vector<float> values;
        for (float value; words >> value;) {
            values.push_back(value);
        }
        return values;
    }
};

// The cases of the file, relative to the repository root, where the tests run.
inline std::vector<TextCase> readCases(const std::string& path) {
    std::ifstream in(path);
    std::vector<TextCase> cases;
    for (std::string line, keyword; std::getline(in, line);) {
        std::istringstream words(line);
        keyword.clear();
        words >> keyword >> std::ws;
        if (keyword == "=") {
            std::getline(words, cases.emplace_back().name);
        } else if (cases.empty() || keyword.empty() || keyword.starts_with("//")) {
        } else if (keyword.find_first_not_of("#.") == std::string::npos) {
            cases.back().picture.push_back(keyword);
        } else {
            std::getline(words, cases.back().lines[keyword]);
        }
    }
    return cases;
}

} // namespace velmora::test
