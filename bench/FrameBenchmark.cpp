// Whole frames of the shipped world from fixed views, against the floor of clearing the two
// buffers. Run from the repository root (the world is read from data/):
//   build/bench/velmora-bench --benchmark_filter=Frame
#include "ground/GroundGrid.h"
#include "loading/LoadPipeline.h"
#include "platform/EmbeddedResources.h"
#include "platform/Host.h"
#include "render/FrameComposer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using namespace velmora;

struct BenchWorld : World {};

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The world as the program shows it: loaded once, with its ground grid and colours.
class ShippedScene {
  public:
    ShippedScene() : host_(resources::embedded()) {
        composer_ = std::make_unique<FrameComposer>(host_);
        WorldReader reader;
        reader.readConfiguration();
        runLoadPipeline(world_, reader, host_);
        composer_->colors().buildColorTools(world_.colors);
        floorSeconds_ = measureFloor();
    }

    ~ShippedScene() {
        composer_.reset();
    }

    static ShippedScene& get() {
        static ShippedScene scene;
        return scene;
    }

    void composeFrame(const Vertex& camera, float heading) {
        composer_->composeFrame({{world_, &grid_, {}}, camera, heading, {true}, {}});
    }

    // What every frame costs before it draws anything: the colour and depth buffers cleared.
    void clearBuffers() {
        composer_->frame().fillRect(0, 0, kFrameWidth, kFrameHeight, FrameComposer::kGroundColor);
        composer_->depth().clear();
    }

    double floorSeconds() const { return floorSeconds_; }
    const World& world() const { return world_; }

  private:
    // The median of many clears, in processor time of this thread as the benchmark measures it,
    // so that other work on the machine does not move the floor.
    double measureFloor() {
        std::vector<double> times;
        for (int i = 0; i < 501; ++i) {
            const double start = threadSeconds();
            clearBuffers();
            benchmark::ClobberMemory();
            times.push_back(threadSeconds() - start);
        }
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        return times[times.size() / 2];
    }

    platform::ConsoleHost host_;
    BenchWorld world_;
    GroundGrid grid_{"LT_GRAY", "LT_GRAY_1"};
    std::unique_ptr<FrameComposer> composer_;
    double floorSeconds_ = 0;
};

// Runs body once per iteration and reports "x_floor": the mean processor time per iteration as a
// multiple of the buffer clear.
template <typename Body> void runAgainstFloor(benchmark::State& state, Body body) {
    const double start = threadSeconds();
    for (auto _ : state) {
        body();
        benchmark::ClobberMemory();
    }
    const double perIteration = (threadSeconds() - start) / double(state.iterations());
    state.counters["x_floor"] = perIteration / ShippedScene::get().floorSeconds();
}

void BM_FrameFloor(benchmark::State& state) {
    ShippedScene& scene = ShippedScene::get();
    runAgainstFloor(state, [&scene] { scene.clearBuffers(); });
}
BENCHMARK(BM_FrameFloor)->Unit(benchmark::kMicrosecond);

void BM_Frame(benchmark::State& state, Vertex camera, float heading) {
    ShippedScene& scene = ShippedScene::get();
    runAgainstFloor(state, [&] { scene.composeFrame(camera, heading); });
}

// Where the visitor starts, as the world files say.
void BM_FrameStart(benchmark::State& state) {
    ShippedScene& scene = ShippedScene::get();
    const World& world = scene.world();
    const float heading = float(world.defaultHeading);
    runAgainstFloor(state, [&] { scene.composeFrame(world.defaultLocation, heading); });
}
BENCHMARK(BM_FrameStart)->Unit(benchmark::kMicrosecond);

// Views from inside the square.
BENCHMARK_CAPTURE(BM_Frame, arch, Vertex{45, 55, -400}, 0.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Frame, east, Vertex{300, 55, -500}, 90.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Frame, northwest, Vertex{0, 55, -200}, 300.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Frame, vesta, Vertex{1000, 55, -700}, 140.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Frame, west, Vertex{1200, 55, -200}, 250.0f)->Unit(benchmark::kMicrosecond);

} // namespace
