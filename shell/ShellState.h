#pragma once

#include "characters/Dialogue.h"
#include "geometry/Vertex.h"

#include <atomic>

namespace velmora {

// The program's own state besides the World: where the visitor stands and looks, and the flags
// that choose what a frame shows and what keys do. camera and heading belong to the main thread;
// the flags are shared with the loading and conversation threads.
struct ShellState {
    // Where the visitor stands until the world's default location replaces it.
    Vertex camera{200.0f, -55.0f, -200.0f};
    float heading = 260.0f;

    std::atomic<int> loadingComplete{0};
    std::atomic<int> depthViewEnabled{0};
    // Whether the voices' captions are written on the bottom panel (main thread only).
    bool captionsEnabled = true;
    // Walking, the menu and the closing panel, shared with the conversations.
    InteractionFlags interaction;
};

} // namespace velmora
