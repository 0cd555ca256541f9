#include "SnapOptions.h"

#include "shell/VirtualKeys.h"

#include <glib.h>

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

namespace velmora::snap {

namespace {

// What --help shows below the options.
constexpr const char* kDescription =
    "Loads the world as velmora does (data/ of the working directory, or --world DIR), drives\n"
    "the program's own window procedure without a window and reports on the world or writes\n"
    "frames. Keys for --keys: Up Down Left Right KP8 KP2 KP4 KP6 Z D R F Space Esc 1 2 3 4 I,\n"
    "tick (one timer tick), wait:N (let N milliseconds pass).\n"
    "--trace prints one line per triangle the depth rasterizer fills: \"z buffering triangle\"\n"
    "and its three corners (column, row, depth).\n"
    "--plan prints 'plan origin: X Z' (the world x and z of the top-left pixel's centre) and\n"
    "'plan scale: S' (world units per pixel; x grows to the right, z upward).\n"
    "--bench N composes the view N times after the keys and prints 'frame median: X us',\n"
    "'floor median: Y us' (clearing the colour and depth buffers) and 'ratio: Z'.\n"
    "--check goes alone (or with --world) and exits 0 when the world is clean, 1 with\n"
    "warnings, 5 with an error.\n"
    "Exit codes: 0 done, 2 bad arguments or a frame that cannot be written, 5 a broken world\n"
    "(printed as CAPTION: TEXT on standard error).";

// A string GLib's option parser filled in, freed with the parse.
struct OptionText {
    gchar* value = nullptr;
    ~OptionText() { g_free(value); }
    std::optional<std::string> get() const {
        return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
    }
};

template <typename Number> std::optional<Number> parseNumber(const std::string& text) {
    Number value = 0;
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
        const std::optional<float> value = parseNumber<float>(part);
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

ParsedOptions parseOptions(int argc, char** argv) {
    ParsedOptions parsed;
    SnapOptions& o = parsed.options;
    gboolean stats = FALSE, edges = FALSE, debug = FALSE, trace = FALSE, depthView = FALSE;
    gboolean loading = FALSE, version = FALSE, check = FALSE;
    OptionText out, windowOut, keys, at, heading, world, plan, planScale, bench;
    const GOptionEntry entries[] = {
        {"stats", 0, 0, G_OPTION_ARG_NONE, &stats,
         "Print the world's figures, where the visitor ended, who has been talked to", nullptr},
        {"edges", 0, 0, G_OPTION_ARG_NONE, &edges, "List every collision edge", nullptr},
        {"out", 0, 0, G_OPTION_ARG_FILENAME, &out.value, "Write the frame as a PNG", "FILE.png"},
        {"window-out", 0, 0, G_OPTION_ARG_FILENAME, &windowOut.value,
         "Write the whole 1024x768 window picture (frame, panels, captions) as a PNG",
         "FILE.png"},
        {"at", 0, 0, G_OPTION_ARG_STRING, &at.value,
         "Place the camera there instead of the world's default location", "X,Y,Z"},
        {"heading", 0, 0, G_OPTION_ARG_STRING, &heading.value,
         "Look along heading H (degrees) instead of the world's default", "H"},
        {"depth-view", 0, 0, G_OPTION_ARG_NONE, &depthView, "Write the depth view", nullptr},
        {"loading", 0, 0, G_OPTION_ARG_NONE, &loading, "Write the loading screen", nullptr},
        {"keys", 0, 0, G_OPTION_ARG_STRING, &keys.value,
         "After loading, press keys through the program's key handler", "\"K ...\""},
        {"plan", 0, 0, G_OPTION_ARG_FILENAME, &plan.value,
         "Write a plan of the world seen from above as a PNG", "FILE.png"},
        {"plan-scale", 0, 0, G_OPTION_ARG_STRING, &planScale.value,
         "World units per pixel of the plan (default: it fits in 2048 pixels)", "S"},
        {"bench", 0, 0, G_OPTION_ARG_STRING, &bench.value,
         "Compose the view N times and print the median frame against the buffer clear", "N"},
        {"check", 0, 0, G_OPTION_ARG_NONE, &check,
         "Load the world without drawing it and list what looks wrong, as FILE:LINE: lines",
         nullptr},
        {"world", 0, 0, G_OPTION_ARG_FILENAME, &world.value,
         "The folder that holds data/ or is data/", "DIR"},
        {"trace", 0, 0, G_OPTION_ARG_NONE, &trace, "Print the rasterizer's line per triangle",
         nullptr},
        {"debug", 0, 0, G_OPTION_ARG_NONE, &debug, "Progress and debug lines on standard error",
         nullptr},
        {"version", 0, 0, G_OPTION_ARG_NONE, &version, "Print the version", nullptr},
        {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};
    GOptionContext* context = g_option_context_new("- reports and frames of a Velmora world");
    g_option_context_set_description(context, kDescription);
    g_option_context_add_main_entries(context, entries, nullptr);
    GError* error = nullptr;
    const bool understood = g_option_context_parse(context, &argc, &argv, &error);
    gchar* usage = g_option_context_get_help(context, TRUE, nullptr);
    parsed.usage = usage;
    g_free(usage);
    g_option_context_free(context);
    auto fail = [&parsed](const std::string& why) {
        parsed.error = why;
        return parsed;
    };
    if (!understood) {
        const std::string why = error->message;
        g_error_free(error);
        return fail(why);
    }
    if (argc > 1) {
        return fail(std::string("unexpected argument '") + argv[1] + "'");
    }
    o.version = version;
    o.stats = stats;
    o.edges = edges;
    o.debug = debug;
    o.trace = trace;
    o.depthView = depthView;
    o.loading = loading;
    o.check = check;
    o.out = out.get();
    o.windowOut = windowOut.get();
    o.world = world.get();
    o.plan = plan.get();
    if (keys.get()) {
        std::stringstream in(*keys.get());
        for (std::string key; in >> key;) {
            if (!isKeyWord(key)) {
                return fail("unknown key '" + key + "'");
            }
            o.keys.push_back(key);
        }
    }
    if (at.get() && !(o.at = parsePosition(*at.get()))) {
        return fail("--at wants X,Y,Z, not '" + *at.get() + "'");
    }
    if (heading.get() && !(o.heading = parseNumber<float>(*heading.get()))) {
        return fail("--heading wants degrees, not '" + *heading.get() + "'");
    }
    if (planScale.get() &&
        (!(o.planScale = parseNumber<double>(*planScale.get())) || !(*o.planScale > 0.0))) {
        return fail("--plan-scale wants world units per pixel above 0, not '" +
                    *planScale.get() + "'");
    }
    if (bench.get()) {
        const std::optional<int> frames = parseNumber<int>(*bench.get());
        if (!frames || *frames < 1 || *frames > kMostBenchFrames) {
            return fail("--bench wants a number of frames from 1 to " +
                        std::to_string(kMostBenchFrames) + ", not '" + *bench.get() + "'");
        }
        o.bench = *frames;
    }
    if (o.planScale && !o.plan) {
        return fail("--plan-scale goes with --plan");
    }
    if (o.check && (o.stats || o.edges || o.out || o.windowOut || o.plan || !o.keys.empty() ||
                    o.at || o.heading || o.depthView || o.loading || o.trace || o.bench)) {
        return fail("--check goes alone, or with --world");
    }
    if (!o.version && !o.stats && !o.edges && !o.out && !o.windowOut && !o.plan &&
        o.keys.empty() && !o.check && !o.bench) {
        return fail("nothing to do: give --check, --stats, --edges, --out, --window-out, --plan, "
                    "--bench or --keys");
    }
    return parsed;
}

} // namespace velmora::snap
