// Whole frames of generated cities of growing size from the same four views, so that the cost
// of a frame can be seen to follow what is in view rather than the size of the world.
//   build/bench/velmora-bench --benchmark_filter=City
#include "CityWorld.h"
#include "ground/GroundGrid.h"
#include "loading/LoadPipeline.h"
#include "platform/EmbeddedResources.h"
#include "platform/Host.h"
#include "render/FrameComposer.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace velmora;
namespace fs = std::filesystem;

// The city's world files in a folder of this process, read as the program reads data/.
fs::path writeCity(int blocks) {
    const fs::path folder = fs::temp_directory_path() /
                            ("velmora-city-" + std::to_string(getpid())) / std::to_string(blocks);
    city::writeCityWorld(blocks, folder);
    return folder / "data";
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
