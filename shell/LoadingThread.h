#pragma once

#include "characters/Cast.h"
#include "geometry/Vertex.h"
#include "platform/FatalError.h"

#include <atomic>
#include <functional>
#include <string>
#include <stop_token>
#include <thread>
#include <vector>

namespace velmora {

// What the loading thread hands to the main thread.
struct LoadingSteps {
    // Shows one progress text on a fresh copy of the loading screen.
    std::function<void(const std::string& text)> showProgress;
    // Works out the screen layout again and reloads the screen pictures.
    std::function<void()> computeScreenLayout;
    // Makes the figures; runs on the loading thread once the world is loaded.
    std::function<Figures()> createFigures;
    // The world is loaded and the figures stand: the camera at the default location and heading,
    // and the paths of the files the world was read from.
    std::function<void(const Vertex& camera, float heading, Figures& figures,
                       const std::vector<std::string>& files)>
        loaded;
    // The load ended with a fatal error: show it, then end the program with exit code 5.
    std::function<void(const platform::FatalError& error)> failed;
};

// Loads the world once, away from the main thread, in the order a visitor sees on the loading
// screen: "loading graphics...", the screen layout, "initializing sound...", the sounds,
// "reading files...", then the loader's own texts; then the figures are made. Every step that shows
// or changes what the main thread owns is handed to it through the host, so the main thread sees
// them in order. Closing stops a load that is still running: it ends at the next line read or
// tree node built, so the window closes promptly however large the world is.
class LoadingThread {
  public:
    // Reads the world files of dataDirectory; progress and hand-overs go through the host.
    LoadingThread(platform::Host& host, std::string dataDirectory, LoadingSteps steps);
    // Stops the load if it still runs and waits for the thread.
    ~LoadingThread();

    void start();
    // Asks a running load to stop, then waits for the thread to end. A closing program has
    // called the host's beginClosing first, so the thread waits for nothing the main thread
    // would have to do.
    void join();

  private:
    void run(std::stop_token stop);

    platform::Host& host_;
    std::string dataDirectory_;
    LoadingSteps steps_;
    std::jthread thread_;
};

} // namespace velmora
