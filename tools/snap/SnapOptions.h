#pragma once

#include "geometry/Vertex.h"

#include <optional>
#include <string>
#include <vector>

namespace velmora::snap {

// --bench composes at most this many frames: a few minutes of the slowest world.
inline constexpr int kMostBenchFrames = 100'000;

// What velmora-snap was asked for on its command line.
struct SnapOptions {
    bool version = false;
    bool stats = false;
    bool edges = false;
    bool debug = false;
    bool trace = false;
    bool depthView = false;
    bool loading = false;
    bool check = false; // only the world check, with --world
    std::optional<std::string> out;
    std::optional<std::string> windowOut;
    std::optional<std::string> world;
    std::optional<std::string> plan;
    std::optional<double> planScale; // world units per pixel of the plan
    std::optional<int> bench; // frames to time
    std::optional<Vertex> at;
    std::optional<float> heading;
    // Key presses, "tick" for one timer tick and "wait:N" for N milliseconds, in order.
    std::vector<std::string> keys;
};

// The options of the arguments, or the one-line reason they are wrong. --help prints the usage
// and ends the program with exit code 0 from inside the parse.
struct ParsedOptions {
    SnapOptions options;
    std::string error; // empty when the arguments are good
    std::string usage;
};
ParsedOptions parseOptions(int argc, char** argv);

} // namespace velmora::snap
