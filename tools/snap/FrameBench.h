#pragma once

#include "shell/WindowProcedure.h"

#include <ostream>

namespace velmora::snap {

// Medians in microseconds of this thread's processor time, so that other work on the machine
// moves them little: of composing the current view, and of the floor every frame pays before it
// draws anything, clearing the colour and depth buffers.
struct BenchResult {
    double frameMicros = 0;
    double floorMicros = 0;
};

// Composes the view `frames` times, then clears the buffers as often (at least 101 times).
BenchResult benchFrames(WindowProcedure& procedure, int frames);

// "frame median: X us", "floor median: Y us" and "ratio: Z", one a line.
void printBench(const BenchResult& result, std::ostream& out);

} // namespace velmora::snap
