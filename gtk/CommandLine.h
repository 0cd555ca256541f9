#pragma once

#include <optional>
#include <string>

namespace velmora {

// What velmora was asked for on its command line.
struct CommandLine {
    bool version = false;
    bool fullscreen = false;
    bool watch = false;
    std::optional<int> zoom;
    std::optional<std::string> world;
    // Empty when the arguments are good; else the reason, to print with the usage.
    std::string error;
    std::string usage;
};

// Reads velmora's own options and GTK's. --help prints the usage and ends the program with exit
// code 0 from inside the parse, before any display is opened.
CommandLine parseCommandLine(int argc, char** argv);

} // namespace velmora
