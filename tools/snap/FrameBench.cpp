#include "FrameBench.h"

#include <algorithm>
#include <ctime>
#include <iomanip>
#include <vector>

namespace velmora::snap {

namespace {

double threadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) * 1e-3;
}

template <typename Body> double medianMicros(int times, Body body) {
    std::vector<double> took;
    took.reserve(std::size_t(times));
    for (int i = 0; i < times; ++i) {
        const double start = threadMicros();
        body();
        took.push_back(threadMicros() - start);
    }
    std::nth_element(took.begin(), took.begin() + took.size() / 2, took.end());
    return took[took.size() / 2];
}

} // namespace

BenchResult benchFrames(WindowProcedure& procedure, int frames) {
    FrameComposer& composer = procedure.composer();
    BenchResult result;
    result.frameMicros = medianMicros(frames, [&procedure] { procedure.composeFrame(); });
    result.floorMicros = medianMicros(std::max(frames, 101), [&composer] {
        composer.frame().fillRect(0, 0, kFrameWidth, kFrameHeight, FrameComposer::kGroundColor);
        composer.depth().clear();
    });
    return result;
}

void printBench(const BenchResult& result, std::ostream& out) {
    out << std::fixed << std::setprecision(1) << "frame median: " << result.frameMicros
        << " us\nfloor median: " << result.floorMicros << " us\n"
        << std::setprecision(2) << "ratio: " << result.frameMicros / result.floorMicros << '\n'
        << std::defaultfloat;
}

} // namespace velmora::snap
