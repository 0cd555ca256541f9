// Load and tree build of the shipped world and of generated worlds of growing size.
// Run from the repository root: build/bench/velmora-bench
#include "bsp/TreeStats.h"
#include "loading/LoadPipeline.h"

#include <benchmark/benchmark.h>

#include <cmath>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using velmora::World;

// A town of closed boxes (four walls and a roof, ten triangles each) on a jittered grid, so that
// the tree sees walls facing both ways and roofs at several heights.
std::string generatedWorld(int triangles) {
    const int boxes = triangles / 10;
    const int perRow = 1 + static_cast<int>(std::sqrt(static_cast<double>(boxes)));
    std::ostringstream out;
    out << "COLOR_DEFINITION\nLT_GRAY\n192,192,192\nCOLOR_DEFINITION\nLT_GRAY_1\n176,176,176\n";
    out << "COLOR_DEFINITION\nstone\n180,170,150\n";
    for (int i = 0; i < boxes; ++i) {
        const int w = 20 + (i * 7) % 30;
        const int d = 20 + (i * 13) % 30;
        const int h = 40 + (i * 11) % 80;
        out << "OBJECT_DEFINITION\nbox" << i << "\n5\n";
        const int c[5][4][3] = {
            {{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}},
            {{w, 0, d}, {0, 0, d}, {0, h, d}, {w, h, d}},
            {{0, 0, d}, {0, 0, 0}, {0, h, 0}, {0, h, d}},
            {{w, 0, 0}, {w, 0, d}, {w, h, d}, {w, h, 0}},
            {{0, h, 0}, {w, h, 0}, {w, h, d}, {0, h, d}},
        };
        for (int s = 0; s < 5; ++s) {
            out << "SURFACE\nside" << s << "\n4\n";
            for (const auto& corner : c[s]) {
                out << corner[0] << ',' << corner[1] << ',' << corner[2] << '\n';
            }
            out << "COLOR_FILL\nstone\n";
        }
        const int x = (i % perRow) * 80 + (i * 17) % 23 - 4000;
        const int z = (i / perRow) * 80 + (i * 29) % 19 - 4000;
        out << "OBJECT_INSTANCE\nbox" << i << '\n' << x << ",0," << z << '\n';
    }
    return out.str();
}

std::filesystem::path writeWorld(const std::string& text) {
    const auto directory = std::filesystem::temp_directory_path() / "velmora-bench" / "data";
    std::filesystem::create_directories(directory);
    std::ofstream(directory / "bsp.cfg") << "world.txt\n";
    std::ofstream(directory / "world.txt") << text;
    return directory;
}

void loadFrom(benchmark::State& state, const std::string& dataDirectory) {
    velmora::platform::ConsoleHost host;
    velmora::TreeStats tree;
    for (auto _ : state) {
        World::destroy();
        velmora::WorldReader reader(dataDirectory);
        velmora::Vertex camera;
        float heading = 0.0f;
        velmora::loadWorld(reader, camera, heading, host);
        state.PauseTiming();
        tree = velmora::measureTree(*World::instance().bspRoot);
        World::destroy();
        state.ResumeTiming();
    }
    state.counters["tree_surfaces"] = static_cast<double>(tree.surfaces);
    state.counters["nodes"] = static_cast<double>(tree.nodes);
    state.counters["depth"] = static_cast<double>(tree.depth);
}

void BM_LoadShippedWorld(benchmark::State& state) {
    loadFrom(state, "data");
}
BENCHMARK(BM_LoadShippedWorld)->Unit(benchmark::kMillisecond);

void BM_LoadGeneratedWorld(benchmark::State& state) {
    const auto directory = writeWorld(generatedWorld(static_cast<int>(state.range(0))));
    loadFrom(state, directory.string());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadGeneratedWorld)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace

BENCHMARK_MAIN();
