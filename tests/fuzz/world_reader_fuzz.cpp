// Feeds arbitrary bytes to the world reader as a world file, and runs the whole load on what it
// accepts: triangles, collision edges and the tree, released again. Errors must come out as fatal
// messages, never as crashes, hangs or reads outside a buffer.
#include "loading/LoadPipeline.h"
#include "platform/FatalError.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Small enough that a runaway input stays fast, large enough for real worlds: a split bomb or a
// chain of walls ends within a fraction of a second.
constexpr std::size_t kFuzzSurfaceLimit = 4000;
constexpr velmora::TreeLimits kFuzzTreeLimits{20000, 2'000'000};

// A scratch folder for this process, removed again when it exits.
struct Scratch {
    fs::path root = fs::temp_directory_path() / ("velmora-fuzz-" + std::to_string(::getpid()));
    fs::path data = root / "data";
    Scratch() {
        fs::create_directories(data);
        std::ofstream(data / "bsp.cfg") << "w.txt\n";
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Scratch scratch;
    // The same bytes also stand as a.txt, so that INCLUDE lines find something to read.
    for (const char* name : {"w.txt", "a.txt"}) {
        std::ofstream(scratch.data / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    std::cout.setstate(std::ios::badbit); // the reader's diagnostics are not of interest here
    // A host that drops the tree build's debug lines, which would otherwise pile up.
    static velmora::platform::ConsoleHost host;
    velmora::World::destroy();
    try {
        velmora::WorldReader reader(scratch.data.string(), kFuzzSurfaceLimit, kFuzzTreeLimits);
        reader.readConfiguration();
        velmora::runLoadPipeline(velmora::World::instance(), reader, host);
    } catch (const velmora::platform::FatalError&) {
    }
    velmora::World::destroy();
    std::cout.clear();
    return 0;
}
