#include "shell/WindowProcedure.h"

#include "bsp/EdgeDump.h"
#include "content/Sounds.h"
#include "loading/LoadPipeline.h"
#include "movement/Walking.h"
#include "shell/VirtualKeys.h"
#include "sound/SoundManager.h"
#include "world/World.h"

#include <algorithm>
#include <iostream>

namespace velmora {

namespace {

constexpr float kTurnStep = 2.0f;

} // namespace

WindowProcedure::WindowProcedure(platform::Host& host, std::string dataDirectory,
                                 std::ostream* trace)
    : host_(host), dataDirectory_(std::move(dataDirectory)),
      dialogue_(state_.interaction, SoundManager::instance(), host),
      groundGrid_("LT_GRAY", "LT_GRAY_1"), composer_(host, trace) {}

WindowProcedure::~WindowProcedure() {
    onDestroy();
}

template <typename Handler> void WindowProcedure::dispatch(Handler handler) {
    if (failed_) {
        return; // a fatal message is up; the program ends once it is dismissed
    }
    try {
        handler();
    } catch (const platform::FatalError& error) {
        showFatal(error);
    }
}

void WindowProcedure::showFatal(const platform::FatalError& error) {
    failed_ = true;
    host_.showMessageWithDetail(error.text(), error.place(), error.caption(), error.icon());
    host_.quit(platform::kFatalExitCode);
}

void WindowProcedure::onCreate() {
    if (state_.loadingComplete != 0 || loading_) {
        return;
    }
    LoadingSteps steps;
    steps.showProgress = [this](const std::string& text) {
        composer_.showLoadingText(text.c_str());
    };
    steps.computeScreenLayout = [this] { composer_.computeScreenLayout(); };
    steps.createFigures = [this] {
        return Cast::createFigures(
            host_, [this](std::int32_t kind) { dialogue_.onCharacterReached(kind); });
    };
    steps.loaded = [this](const Vertex& camera, float heading, Figures& figures,
                          const std::vector<std::string>& files) {
        dispatch([&] { finishLoading(camera, heading, figures, files); });
    };
    steps.failed = [this](const platform::FatalError& error) { showFatal(error); };
    loading_ = std::make_unique<LoadingThread>(host_, dataDirectory_, std::move(steps));
    loading_->start();
}

void WindowProcedure::finishLoading(const Vertex& camera, float heading, Figures& figures,
                                    const std::vector<std::string>& files) {
    worldFiles_ = files;
    if (filesChanged_) {
        filesChanged_();
    }
    state_.camera = camera;
    state_.heading = heading;
    composer_.colors().buildColorTools(World::instance().colors);
    cast_.adopt(std::move(figures));
    state_.loadingComplete = 1;
    // The first frame of the square, at once: it also places the figures in view, which the
    // first step tests against.
    composeFrame();
    host_.requestRepaint();
    host_.startTimer(kTimerIntervalMs);
    state_.interaction.movementEnabled = 1;
    SoundManager::instance().play(content::kLoadedSound);
}

void WindowProcedure::placeCamera(const Vertex& camera, float heading) {
    state_.camera = camera;
    state_.heading = heading;
}

void WindowProcedure::onPaint() {
    dispatch([this] {
        composer_.paintWindowBackground();
        composeFrame();
    });
}

void WindowProcedure::onSize() {
    host_.requestRepaint();
}

void WindowProcedure::onTimer() {
    dispatch([this] {
        if (state_.loadingComplete != 0) {
            cast_.update(state_.camera);
        }
        composeFrame();
    });
}

void WindowProcedure::composeFrame() {
    const std::vector<SceneFigure*> figures = cast_.sceneFigures();
    FrameRequest request{{World::instance(), &groundGrid_, figures},
                         state_.camera,
                         state_.heading,
                         {},
                         [this](ColorBuffer& frame, const BitmapFont& font) {
                             dialogue_.drawMenuOverlay(frame, font);
                         }};
    request.flags.loadingComplete = state_.loadingComplete != 0;
    request.flags.depthViewEnabled = state_.depthViewEnabled != 0;
    request.flags.menuOpen = state_.interaction.menuOpen != 0;
    request.flags.finaleShown = state_.interaction.finaleShown != 0;
    if (!worldError_.empty()) {
        request.caption = CaptionText{worldError_, 0};
    } else if (state_.captionsEnabled) {
        request.caption = dialogue_.captions().at(CaptionClock::now());
    }
    composer_.composeFrame(request);
}

bool WindowProcedure::onKeyDown(int keyCode) {
    bool bound = true;
    dispatch([&] {
        switch (keyCode) {
        case vk::kUp:
        case vk::kKeypad8:
            step(true);
            break;
        case vk::kDown:
        case vk::kKeypad2:
            step(false);
            break;
        case vk::kLeft:
        case vk::kKeypad4:
            turn(-kTurnStep);
            break;
        case vk::kRight:
        case vk::kKeypad6:
            turn(kTurnStep);
            break;
        case vk::kZ:
            state_.depthViewEnabled = state_.depthViewEnabled == 0 ? 1 : 0;
            composeFrame();
            break;
        case vk::kSpace:
            composeFrame();
            break;
        default:
            bound = worldKey(keyCode);
            break;
        }
    });
    return bound;
}

// The keys that read or change the World, the menu or the conversations. Until loading has
// completed they do nothing: the loading thread still owns the World.
bool WindowProcedure::worldKey(int keyCode) {
    const bool loaded = state_.loadingComplete != 0;
    switch (keyCode) {
    case vk::kD:
        if (loaded) {
            for (const CollisionEdge& edge : World::instance().edges) {
                dumpEdge(edge, std::cout);
            }
        }
        return true;
    case vk::kR:
        if (loaded) {
            reload();
        }
        return true;
    case vk::kEscape:
        if (loaded) {
            escape();
        }
        return true;
    case vk::kF:
        if (loaded) {
            World::instance().toggleGroundGrid();
        }
        return true;
    case vk::kI:
        if (loaded) {
            dialogue_.markAllTalkedTo();
        }
        return true;
    default:
        break;
    }
    if (keyCode >= vk::kDigit1 && keyCode <= vk::kDigit4) {
        if (loaded) {
            dialogue_.chooseMenuItem(keyCode - vk::kDigit1 + 1);
        }
        return true;
    }
    return false;
}

void WindowProcedure::step(bool forward) {
    if (state_.interaction.movementEnabled != 0) {
        World& world = World::instance();
        const std::vector<Vertex> figures = cast_.viewPositions();
        const WalkingScene scene{world.edges, figures, &groundGrid_};
        const StepSounds sounds = forward ? stepForward(state_.camera, state_.heading, scene)
                                          : stepBackward(state_.camera, state_.heading, scene);
        SoundManager& sound = SoundManager::instance();
        if (sounds.footstep && !sound.isPlaying(content::kFootstepSound)) {
            sound.play(content::kFootstepSound);
        }
        if (sounds.listenerFollows) {
            sound.setListenerPosition(state_.camera);
        }
    }
    composeFrame();
}

void WindowProcedure::turn(float delta) {
    state_.heading = turnHeading(state_.heading, delta);
    composeFrame();
}

void WindowProcedure::reload() {
    WorldReader reader(dataDirectory_);
    reader.readConfiguration();
    World& world = World::instance();
    reloadWorld(world, reader, host_);
    composer_.colors().buildColorTools(world.colors);
}

void WindowProcedure::reloadAfterSave() {
    if (state_.loadingComplete == 0 || failed_) {
        return;
    }
    WorldReader reader(dataDirectory_);
    std::optional<platform::FatalError> error;
    try {
        reader.readConfiguration();
        error = replaceWorld(World::instance(), reader, host_);
    } catch (const platform::FatalError& unreadable) {
        error = unreadable;
    }
    // Watch what this load reached as well as what the shown world came from: the save that
    // mends a broken include may be to a file only the failed load read.
    std::vector<std::string> files = filesRead(reader, dataDirectory_);
    if (error) {
        worldError_ = error->caption() + ": " + error->textWithPlace();
        for (const std::string& file : worldFiles_) {
            if (std::find(files.begin(), files.end(), file) == files.end()) {
                files.push_back(file);
            }
        }
    } else {
        worldError_.clear();
        dispatch([this] { composer_.colors().buildColorTools(World::instance().colors); });
    }
    worldFiles_ = std::move(files);
    if (filesChanged_) {
        filesChanged_();
    }
    dispatch([this] { composeFrame(); });
}

void WindowProcedure::escape() {
    dialogue_.escape();
}

bool WindowProcedure::onCommand(int command) {
    switch (command) {
    case kCommandAbout:
        host_.showAboutBox();
        return true;
    case kCommandExit:
        host_.closeWindow();
        return true;
    default:
        return false;
    }
}

void WindowProcedure::onDestroy() {
    if (destroyed_) {
        return;
    }
    destroyed_ = true;
    // Nothing may wait for the main thread from here on, or the joins below could never end.
    host_.beginClosing();
    if (loading_) {
        loading_->join();
    }
    SoundManager::instance().shutdownSound();
}

} // namespace velmora
