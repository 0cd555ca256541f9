// velmora-snap: the headless tool for people who write world files. Run in a directory that
// holds data/, it loads the world exactly as the program does, reports on it and writes frames.
#include "SnapOptions.h"
#include "WorldReport.h"
#include "bsp/GroundGrid.h"
#include "loading/LoadPipeline.h"
#include "platform/EmbeddedResources.h"
#include "platform/FatalError.h"
#include "platform/Host.h"
#include "render/FrameComposer.h"

#include <iostream>

namespace {

using velmora::snap::SnapOptions;

void printProgress(const char* text) {
    std::cerr << text << std::endl;
}

// Loads the world, places the camera and does what the options ask. Returns the exit code.
int run(const SnapOptions& options) {
    velmora::World& world = velmora::World::instance();
    if (options.debug) {
        world.progressCallback = printProgress;
    }
    velmora::GroundGrid groundGrid("LT_GRAY", "LT_GRAY_1");
    velmora::FrameComposer composer(options.trace ? &std::cout : nullptr);
    velmora::WorldReader reader;
    velmora::Vertex camera{200.0f, -55.0f, -200.0f};
    float heading = 260.0f;
    velmora::loadWorld(reader, camera, heading);
    composer.colors().buildColorTools(world.colors);
    camera = options.at.value_or(camera);
    heading = options.heading.value_or(heading);
    if (options.stats) {
        velmora::snap::printStats(world, std::cout);
    }
    if (options.edges) {
        velmora::snap::printEdges(world, std::cout);
    }
    if (options.out) {
        velmora::FrameRequest request{{world, &groundGrid, {}}, camera, heading, {}, {}};
        request.flags.loadingComplete = !options.loading;
        request.flags.depthViewEnabled = options.depthView;
        composer.composeFrame(request);
        if (!composer.frame().writePng(*options.out)) {
            std::cerr << "velmora-snap: cannot write " << *options.out << "\n";
            return 2;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const velmora::snap::ParsedOptions parsed = velmora::snap::parseOptions(argc, argv);
    if (parsed.options.help) {
        std::cout << velmora::snap::kUsage;
        return 0;
    }
    if (!parsed.error.empty()) {
        std::cerr << "velmora-snap: " << parsed.error << " (see velmora-snap --help)\n";
        return 2;
    }
    velmora::platform::ConsoleHost host(velmora::resources::embedded(), parsed.options.debug);
    velmora::platform::setHost(&host);
    int exitCode = 0;
    try {
        exitCode = run(parsed.options);
    } catch (const velmora::platform::FatalError& error) {
        host.showMessage(error.text(), error.caption(), error.icon());
        exitCode = velmora::platform::kFatalExitCode;
    }
    velmora::World::destroy();
    velmora::platform::setHost(nullptr);
    return exitCode;
}
