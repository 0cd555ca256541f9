// velmora-snap: the headless tool for people who write world files. Run in a directory that
// holds data/, it loads the world exactly as the program does and reports on it.
#include "WorldReport.h"
#include "loading/LoadPipeline.h"
#include "platform/EmbeddedResources.h"
#include "platform/FatalError.h"
#include "platform/Host.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: velmora-snap [--debug] (--stats | --edges)\n"
    "  --stats   load data/ and print the world's figures\n"
    "  --edges   load data/ and list every collision edge\n"
    "  --debug   also write progress and debug lines to standard error\n";

struct Options {
    bool stats = false;
    bool edges = false;
    bool debug = false;
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--stats") {
            options.stats = true;
        } else if (argument == "--edges") {
            options.edges = true;
        } else if (argument == "--debug") {
            options.debug = true;
        } else {
            return false;
        }
    }
    return options.stats || options.edges;
}

void printProgress(const char* text) {
    std::cerr << text << std::endl;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    velmora::platform::ConsoleHost host(velmora::resources::embedded(), options.debug);
    velmora::platform::setHost(&host);
    try {
        velmora::World& world = velmora::World::instance();
        if (options.debug) {
            world.progressCallback = printProgress;
        }
        velmora::WorldReader reader;
        velmora::Vertex camera;
        float heading = 0.0f;
        velmora::loadWorld(reader, camera, heading);
        if (options.stats) {
            velmora::snap::printStats(world, std::cout);
        }
        if (options.edges) {
            velmora::snap::printEdges(world, std::cout);
        }
    } catch (const velmora::platform::FatalError& error) {
        host.showMessage(error.text(), error.caption(), error.icon());
        velmora::World::destroy();
        return velmora::platform::kFatalExitCode;
    }
    velmora::World::destroy();
    return 0;
}
