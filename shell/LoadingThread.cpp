#include "shell/LoadingThread.h"

#include "loading/LoadPipeline.h"
#include "platform/FatalError.h"
#include "platform/Host.h"
#include "platform/LoadStopped.h"
#include "sound/SoundSetup.h"
#include "world/World.h"

#include <memory>

namespace velmora {

LoadingThread::LoadingThread(platform::Host& host, std::string dataDirectory, LoadingSteps steps)
    : host_(host), dataDirectory_(std::move(dataDirectory)), steps_(std::move(steps)) {}

LoadingThread::~LoadingThread() {
    join();
}

void LoadingThread::start() {
    thread_ = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
}

void LoadingThread::join() {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

void LoadingThread::run(std::stop_token stop) {
    platform::Host& host = host_;
    // Each text also goes to the debug channel, in order with the tree build's own lines.
    auto showProgress = [this, &host](const std::string& text) {
        host.debugOutput(text + "\n");
        host.runOnMainThread([show = steps_.showProgress, text] { show(text); });
    };
    try {
        World& world = World::instance();
        world.progressCallback = [showProgress](const char* text) { showProgress(text); };
        showProgress("loading graphics...");
        host.runOnMainThread(steps_.computeScreenLayout);
        showProgress("initializing sound...");
        Vertex camera{200.0f, -55.0f, -200.0f};
        setupSounds(SoundManager::instance(), camera);
        showProgress("reading files...");
        WorldReader reader(dataDirectory_);
        reader.stopOn(stop);
        float heading = 260.0f;
        loadWorld(reader, camera, heading, host);
        world.progressCallback = nullptr;
        auto figures = std::make_shared<Figures>(steps_.createFigures());
        host.runOnMainThread([loaded = steps_.loaded, camera, heading, figures,
                              files = filesRead(reader, dataDirectory_)] {
            loaded(camera, heading, *figures, files);
        });
    } catch (const platform::FatalError& error) {
        World::instance().progressCallback = nullptr;
        host.runOnMainThread([failed = steps_.failed, error] { failed(error); });
    } catch (const platform::LoadStopped&) {
        World::instance().progressCallback = nullptr;
        host.debugOutput("loading stopped: the program is closing\n");
    }
}

} // namespace velmora
