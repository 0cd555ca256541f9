// Feeds arbitrary bytes to the world reader as a world file, and runs the whole load on what it
// accepts: triangles, collision edges and the tree. Errors must come out as fatal messages, never
// as crashes, hangs or reads outside a buffer.
#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"
#include "platform/FatalError.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <unistd.h>

namespace {

// Small enough that a runaway input stays fast, large enough for real worlds: a split bomb or a
// chain of walls ends within a fraction of a second.
constexpr std::size_t kFuzzSurfaceLimit = 4000;
constexpr velmora::TreeLimits kFuzzTreeLimits{20000, 2'000'000};

// A scratch data/ directory for this process, removed again when it exits.
class ScratchData {
  public:
    ScratchData()
        : root_(std::filesystem::temp_directory_path() /
                ("velmora-fuzz-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path());
        std::ofstream(path() / "bsp.cfg") << "w.txt\n";
    }
    ~ScratchData() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::filesystem::path path() const { return root_ / "data"; }

  private:
    std::filesystem::path root_;
};

std::filesystem::path dataDirectory() {
    static const ScratchData scratch;
    return scratch.path();
}

void writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(dataDirectory() / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The same bytes also stand as a.txt, so that INCLUDE lines find something to read.
    writeFile("w.txt", data, size);
    writeFile("a.txt", data, size);
    std::cout.setstate(std::ios::badbit); // the reader's diagnostics are not of interest here
    // A host that drops the tree build's debug lines, which would otherwise pile up.
    static velmora::platform::ConsoleHost host;
    velmora::World::destroy();
    try {
        velmora::WorldReader reader(dataDirectory().string(), kFuzzSurfaceLimit, kFuzzTreeLimits);
        reader.readConfiguration();
        velmora::runLoadPipeline(velmora::World::instance(), reader, host);
        const velmora::TreeStats tree = velmora::measureTree(*velmora::World::instance().bspRoot);
        if (tree.nodes == 0) {
            std::abort(); // the root always exists
        }
    } catch (const velmora::platform::FatalError&) {
    }
    velmora::World::destroy();
    std::cout.clear();
    return 0;
}
