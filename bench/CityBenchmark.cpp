// Whole frames of generated cities of growing size from the same four views, so that the cost
// of a frame can be seen to follow what is in view rather than the size of the world.
//   build/bench/velmora-bench --benchmark_filter=City
#include "ground/GroundGrid.h"
#include "loading/LoadPipeline.h"
#include "platform/EmbeddedResources.h"
#include "platform/Host.h"
#include "render/FrameComposer.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using namespace velmora;
namespace fs = std::filesystem;

// Blocks of 100 x 100 units on a square grid, each a closed box (four walls and a roof, ten
// triangles) 64 units wide, so that the streets are 36 wide and run along every multiple of 100.
// Heights of 70 to 150 stand above the eye; they depend on the block's place, so the blocks near
// the views are the same whatever the size of the city.
constexpr int kBlockPitch = 100;
constexpr int kBuildingInset = 18;
constexpr int kBuildingWidth = 64;
constexpr int kHeightClasses = 9;

int heightClassOf(int column, int row) {
    return (column * 7 + row * 13) % kHeightClasses;
}

void writeBoxDefinition(std::ostream& out, int heightClass) {
    const int w = kBuildingWidth;
    const int h = 70 + 10 * heightClass;
    const int c[5][4][3] = {
        {{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}}, {{w, 0, w}, {0, 0, w}, {0, h, w}, {w, h, w}},
        {{0, 0, w}, {0, 0, 0}, {0, h, 0}, {0, h, w}}, {{w, 0, 0}, {w, 0, w}, {w, h, w}, {w, h, 0}},
        {{0, h, 0}, {w, h, 0}, {w, h, w}, {0, h, w}},
    };
    const char* colors[5] = {"stone", "stone", "ochre", "ochre", "roof"};
    out << "OBJECT_DEFINITION\nblock" << heightClass << "\n5\n";
    for (int s = 0; s < 5; ++s) {
        out << "SURFACE\nside" << s << "\n4\n";
        for (const auto& corner : c[s]) {
            out << corner[0] << ',' << corner[1] << ',' << corner[2] << '\n';
        }
        out << "COLOR_FILL\n" << colors[s] << '\n';
    }
}

std::string cityWorld(int blocks) {
    const int perRow = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(blocks))));
    std::ostringstream out;
    out << "COLOR_DEFINITION\nLT_GRAY\n192,192,192\nCOLOR_DEFINITION\nLT_GRAY_1\n176,176,176\n"
        << "COLOR_DEFINITION\nstone\n180,170,150\nCOLOR_DEFINITION\nochre\n200,150,90\n"
        << "COLOR_DEFINITION\nroof\n140,60,50\n";
    for (int k = 0; k < kHeightClasses; ++k) {
        writeBoxDefinition(out, k);
    }
    for (int i = 0; i < blocks; ++i) {
        const int column = i % perRow, row = i / perRow;
        out << "OBJECT_INSTANCE\nblock" << heightClassOf(column, row) << '\n'
            << column * kBlockPitch + kBuildingInset << ",0," << row * kBlockPitch + kBuildingInset
            << '\n';
    }
    return out.str();
}

// The city's world files in a folder of this process, read as the program reads data/.
fs::path writeCity(int blocks) {
    const fs::path data = fs::temp_directory_path() /
                          ("velmora-city-" + std::to_string(getpid())) / std::to_string(blocks) /
                          "data";
    fs::create_directories(data);
    std::ofstream(data / "bsp.cfg") << "city.txt\n";
    std::ofstream(data / "city.txt") << cityWorld(blocks);
    return data;
}

struct CityWorld : World {};

// One city at a time, loaded with the floor and the colours as the program shows it; the frame
// composer and its pictures are kept for all of them.
class CityScene {
  public:
    static CityScene& of(int blocks) {
        static CityScene scene;
        if (scene.blocks_ != blocks) {
            scene.load(blocks);
        }
        return scene;
    }

    void composeFrame(const Vertex& camera, float heading) {
        composer_->composeFrame({{*world_, &grid_, {}}, camera, heading, {true}, {}});
    }

  private:
    CityScene() : host_(resources::embedded()), composer_(std::make_unique<FrameComposer>(host_)) {}

    void load(int blocks) {
        world_ = std::make_unique<CityWorld>();
        const fs::path data = writeCity(blocks);
        WorldReader reader(data.string());
        reader.readConfiguration();
        runLoadPipeline(*world_, reader, host_);
        fs::remove_all(data.parent_path().parent_path());
        composer_->colors().buildColorTools(world_->colors);
        blocks_ = blocks;
    }

    platform::ConsoleHost host_;
    std::unique_ptr<FrameComposer> composer_;
    std::unique_ptr<CityWorld> world_;
    GroundGrid grid_{"LT_GRAY", "LT_GRAY_1"};
    int blocks_ = 0;
};

struct CityView {
    Vertex camera;
    float heading;
};

// A street corner looking across a crossing, two views down streets (north and east) and one
// from outside the city's corner looking in.
const CityView kViews[] = {
    {{1000, 55, 1000}, 30.0f},
    {{1000, 55, 200}, 0.0f},
    {{200, 55, 1500}, 90.0f},
    {{-800, 55, -600}, 50.0f},
};

void BM_CityFrame(benchmark::State& state) {
    const int blocks = static_cast<int>(state.range(0));
    const CityView& view = kViews[state.range(1)];
    CityScene& scene = CityScene::of(blocks);
    for (auto _ : state) {
        scene.composeFrame(view.camera, view.heading);
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = blocks * 10.0;
}
BENCHMARK(BM_CityFrame)
    ->ArgNames({"blocks", "view"})
    ->ArgsProduct({{1000, 5000, 20000}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);

} // namespace
