// velmora-snap: the headless tool for people who write world files. Run in a directory that
// holds data/, it loads the world exactly as the program does, replays keys through the
// program's own window procedure, reports on the world and writes frames.
#include "FrameBench.h"
#include "PlanPicture.h"
#include "SnapOptions.h"
#include "WorldCheck.h"
#include "WorldReport.h"
#include "content/Figures.h"
#include "platform/EmbeddedResources.h"
#include "platform/Host.h"
#include "render/PngFile.h"
#include "shell/ProgramLifetime.h"
#include "shell/VirtualKeys.h"
#include "shell/WorldLocation.h"
#include "shell/WindowProcedure.h"
#include "world/World.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <map>
#include <thread>

namespace {

using velmora::WindowProcedure;
using velmora::platform::ConsoleHost;
using velmora::snap::SnapOptions;
using Clock = std::chrono::steady_clock;

// The shortest text that reads back as the same float.
std::string shortest(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

// Runs the main thread's posted work for `duration`, or until the program quits.
void pumpFor(ConsoleHost& host, Clock::duration duration) {
    const Clock::time_point end = Clock::now() + duration;
    while (!host.exitCode() && Clock::now() < end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        host.runPendingWork(std::min(left, std::chrono::milliseconds(10)));
    }
}

void waitForLoading(ConsoleHost& host, const WindowProcedure& procedure) {
    while (!host.exitCode() && procedure.state().loadingComplete == 0) {
        host.runPendingWork(std::chrono::milliseconds(10));
    }
}

void pressKeys(ConsoleHost& host, WindowProcedure& procedure, const SnapOptions& options) {
    for (const std::string& key : options.keys) {
        if (host.exitCode()) {
            return;
        }
        if (key == "tick") {
            procedure.onTimer();
        } else if (key.starts_with("wait:")) {
            pumpFor(host, std::chrono::milliseconds(std::atoi(key.c_str() + 5)));
        } else {
            procedure.onKeyDown(*velmora::keyCodeForName(key));
        }
        host.runPendingWork();
    }
}

// Who has been talked to, and the open menu if there is one.
void printConversations(const velmora::Dialogue& dialogue, const velmora::ShellState& state,
                        std::ostream& out) {
    out << "talked:";
    for (const auto& [kind, talked] : dialogue.talkedTo()) {
        const velmora::content::Figure* talker = velmora::content::talkerOfKind(kind);
        if (talked != 0 && talker != nullptr) {
            out << ' ' << talker->name;
        }
    }
    out << '\n';
    if (state.interaction.menuOpen != 0) {
        out << "menu: " << dialogue.menuHeading();
        for (const velmora::MenuItem& item : dialogue.menuItems()) {
            out << " | " << item.text;
        }
        out << '\n';
    }
    out << std::flush;
}

void report(const WindowProcedure& procedure, const SnapOptions& options) {
    const velmora::World& world = velmora::World::instance();
    if (options.stats) {
        velmora::snap::printStats(world, std::cout);
        const velmora::Vertex& camera = procedure.state().camera;
        std::cout << "camera: " << shortest(camera.x) << ' ' << shortest(camera.y) << ' '
                  << shortest(camera.z) << '\n'
                  << "heading: " << shortest(procedure.state().heading) << '\n';
        printConversations(procedure.dialogue(), procedure.state(), std::cout);
    }
    if (options.edges) {
        velmora::snap::printEdges(world, std::cout);
    }
}

// The frame after the keys: the scene, its depth view, or the bare loading screen.
bool writeFrame(WindowProcedure& procedure, const SnapOptions& options) {
    if (options.loading) {
        procedure.composer().showLoadingText("");
    } else {
        if (options.depthView) {
            procedure.state().depthViewEnabled = 1;
        }
        procedure.composeFrame();
    }
    return procedure.composer().frame().writePng(*options.out);
}

// The whole window picture after the keys, as the window would show it at scale 1.
bool writeWindow(ConsoleHost& host, WindowProcedure& procedure, const SnapOptions& options) {
    procedure.composer().paintWindowBackground();
    if (options.loading) {
        procedure.composer().showLoadingText("");
    } else {
        procedure.composeFrame();
    }
    return velmora::writePng(host.picture().view(), *options.windowOut);
}

// The plan of the world and the lines that say where its pixels lie; returns the exit code.
int writePlanOf(const SnapOptions& options, const std::string& usage) {
    const velmora::World& world = velmora::World::instance();
    const velmora::snap::PlanLayoutResult laid =
        velmora::snap::layOutPlan(velmora::snap::planContents(world), options.planScale);
    if (!laid.error.empty()) {
        std::cerr << "velmora-snap: " << laid.error << "\n\n" << usage;
        return 2;
    }
    if (!velmora::snap::writePlan(world, laid.layout, *options.plan)) {
        std::cerr << "velmora-snap: cannot write " << *options.plan << "\n";
        return 2;
    }
    std::cout << std::setprecision(10) << "plan origin: " << laid.layout.originX << ' '
              << laid.layout.originZ << "\nplan scale: " << laid.layout.scale << std::endl;
    return 0;
}

// Loads, presses the keys and does what the options ask; returns the exit code.
int run(ConsoleHost& host, const SnapOptions& options, const std::string& usage) {
    const std::string world = velmora::findWorldDirectory(
        options.world, velmora::ownExecutable(), VELMORA_INSTALLED_DATA);
    WindowProcedure procedure(host, world, options.trace ? &std::cout : nullptr);
    procedure.onCreate();
    waitForLoading(host, procedure);
    if (options.at || options.heading) {
        procedure.placeCamera(options.at.value_or(procedure.state().camera),
                              options.heading.value_or(procedure.state().heading));
    }
    pressKeys(host, procedure, options);
    std::optional<std::string> unwritten;
    int planCode = 0;
    if (!host.exitCode()) {
        report(procedure, options);
        if (options.plan) {
            planCode = writePlanOf(options, usage);
        }
        if (options.bench) {
            velmora::snap::printBench(velmora::snap::benchFrames(procedure, *options.bench),
                                      std::cout);
        }
        if (options.out && !writeFrame(procedure, options)) {
            unwritten = options.out;
        } else if (options.windowOut && !writeWindow(host, procedure, options)) {
            unwritten = options.windowOut;
        }
        if (host.exitCode()) {
            unwritten.reset(); // the error that ended the run says more
        }
    }
    procedure.onDestroy();
    if (unwritten) {
        std::cerr << "velmora-snap: cannot write " << *unwritten << "\n";
        return 2;
    }
    return host.exitCode().value_or(planCode);
}

} // namespace

// The wave library keeps a copy of every wave it reads and never hands it back, and the font
// library behind the captions keeps its font patterns for the process: not leaks of
// velmora-snap's, so the leak checker of a sanitizer build is told to pass them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libalut.so\nleak:libfontconfig.so\n";
}

int main(int argc, char** argv) {
    const velmora::snap::ParsedOptions parsed = velmora::snap::parseOptions(argc, argv);
    if (!parsed.error.empty()) {
        std::cerr << "velmora-snap: " << parsed.error << "\n\n" << parsed.usage;
        return 2;
    }
    if (parsed.options.version) {
        std::cout << "velmora " VELMORA_VERSION "\n";
        return 0;
    }
    if (parsed.options.check) {
        return velmora::snap::checkWorld(velmora::findWorldDirectory(parsed.options.world,
                                                                     velmora::ownExecutable(),
                                                                     VELMORA_INSTALLED_DATA),
                                         std::cout);
    }
    // Nobody listens to a headless run, but sounds still take their time, so that waits for a
    // greeting to end behave as in the program.
    setenv("ALSOFT_DRIVERS", "null", 0);
    ConsoleHost host(velmora::resources::embedded(), parsed.options.debug);
    velmora::ProgramLifetime lifetime(host);
    return run(host, parsed.options, parsed.usage);
}
