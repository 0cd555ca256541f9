#include "SnapOptions.h"

#include "shell/VirtualKeys.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace velmora::snap {

const char* const kUsage =
    "usage: velmora-snap [options]   (run where data/ lies)\n"
    "  --stats          print the world's figures\n"
    "  --edges          list every collision edge\n"
    "  --out FILE.png   write the frame after loading\n"
    "  --at X,Y,Z       place the camera there instead of the world's default location\n"
    "  --heading H      look along heading H (degrees) instead of the world's default\n"
    "  --depth-view     write the depth view instead of the scene\n"
    "  --loading        write the loading-screen frame\n"
    "  --keys \"K ...\"   after loading, press keys through the program's key handler:\n"
    "                   Up Down Left Right KP8 KP2 KP4 KP6 Z D R F Space Esc 1 2 3 4 I,\n"
    "                   tick (one timer tick), wait:N (let N milliseconds pass)\n"
    "  --trace          print the rasterizer's line per triangle piece\n"
    "  --debug          write progress and debug lines to standard error\n";

namespace {

std::optional<float> parseFloat(const std::string& text) {
    float value = 0.0f;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<Vertex> parsePosition(const std::string& text) {
    std::vector<float> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ',')) {
        const std::optional<float> value = parseFloat(part);
        if (!value) {
            return std::nullopt;
        }
        parts.push_back(*value);
    }
    if (parts.size() != 3 || text.back() == ',') {
        return std::nullopt;
    }
    return Vertex{parts[0], parts[1], parts[2]};
}

bool isWait(const std::string& word) {
    if (!word.starts_with("wait:") || word.size() == 5 || word.size() > 12) {
        return false;
    }
    return word.find_first_not_of("0123456789", 5) == std::string::npos;
}

bool isKeyWord(const std::string& word) {
    return word == "tick" || isWait(word) || keyCodeForName(word).has_value();
}

} // namespace

ParsedOptions parseOptions(int argc, const char* const* argv) {
    ParsedOptions parsed;
    SnapOptions& o = parsed.options;
    auto fail = [&parsed](const std::string& why) {
        parsed.error = why;
        return parsed;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool takesValue =
            argument == "--out" || argument == "--at" || argument == "--heading";
        if (takesValue && i + 1 >= argc) {
            return fail(argument + " needs a value");
        }
        if (argument == "--help") {
            o.help = true;
            return parsed;
        }
        if (argument == "--stats") {
            o.stats = true;
        } else if (argument == "--edges") {
            o.edges = true;
        } else if (argument == "--debug") {
            o.debug = true;
        } else if (argument == "--trace") {
            o.trace = true;
        } else if (argument == "--depth-view") {
            o.depthView = true;
        } else if (argument == "--loading") {
            o.loading = true;
        } else if (argument == "--out") {
            o.out = argv[++i];
        } else if (argument == "--keys") {
            std::stringstream in(argv[++i]);
            for (std::string key; in >> key;) {
                if (!isKeyWord(key)) {
                    return fail("unknown key '" + key + "'");
                }
                o.keys.push_back(key);
            }
        } else if (argument == "--at") {
            o.at = parsePosition(argv[++i]);
            if (!o.at) {
                return fail(std::string("--at wants X,Y,Z, not '") + argv[i] + "'");
            }
        } else if (argument == "--heading") {
            o.heading = parseFloat(argv[++i]);
            if (!o.heading) {
                return fail(std::string("--heading wants degrees, not '") + argv[i] + "'");
            }
        } else {
            return fail("unknown option '" + argument + "'");
        }
    }
    if (!o.stats && !o.edges && !o.out && o.keys.empty()) {
        return fail("nothing to do: give --stats, --edges, --out or --keys");
    }
    return parsed;
}

} // namespace velmora::snap
