#include "shell/WindowProcedure.h"
#include "FakeHost.h"
#include "TextCases.h"
#include "SoundTestSupport.h"
#include "content/Sounds.h"
#include "platform/EmbeddedResources.h"
#include "shell/ProgramLifetime.h"
#include "shell/VirtualKeys.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace velmora {
namespace {

const std::string kGround = "COLOR_DEFINITION\nLT_GRAY\n192,192,192\n"
                            "COLOR_DEFINITION\nLT_GRAY_1\n176,176,176\n";
const std::string kStone = "COLOR_DEFINITION\nstone\n180,170,150\n";
const std::string kMarble = "COLOR_DEFINITION\nmarble\n200,200,200\n";
// A wall 400 units ahead of the starting place, which looks 4 degrees right of +z.
std::string wallOf(const std::string& colour) {
    return "DEFAULT_LOCATION\n0,55,-400:4\nOBJECT_DEFINITION\nwall\n1\nSURFACE\nfront\n4\n0,0,0\n"
           "100,0,0\n100,50,0\n0,50,0\nCOLOR_FILL\n" +
           colour + "\nOBJECT_INSTANCE\nwall\n-50,0,0\n";
}

// The program runs in a scratch directory whose data/ holds a tiny world, with the World and
// the sound manager (on OpenAL Soft's null device) made before the window procedure.
class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::remove_all(directory_); // left by an earlier process of the same id
        std::filesystem::create_directories(directory_ / "data");
        std::ofstream(directory_ / "data" / "bsp.cfg") << "world.txt\n";
        writeWorld(kGround + kStone + wallOf("stone"));
        std::filesystem::current_path(directory_);
        test::serveTestWaves(host);
    }
    void TearDown() override {
        procedure.reset();
        std::filesystem::current_path(root_);
        std::filesystem::remove_all(directory_);
    }

    void writeWorld(const std::string& text) {
        std::ofstream(directory_ / "data" / "world.txt") << text << "END\n";
    }
    // A sound that plays for a minute, so that it is still heard when the test asks.
    void serveLongSound(int key) {
        host.putResource(platform::ResourceType::Wave, content::waveOfSound(key),
                         test::riffWave(1, 22050, 16, test::Bytes(2 * 22050 * 60)));
    }
    // Runs the main thread's posted work until done() holds, for at most a minute.
    bool runUntil(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done() && std::chrono::steady_clock::now() < end) {
            host.runPendingWork(std::chrono::milliseconds(10));
        }
        return done();
    }
    // Makes the window procedure unless the test has, and loads.
    void load() {
        if (!procedure) {
            procedure = std::make_unique<WindowProcedure>(host);
        }
        procedure->onCreate();
        ASSERT_TRUE(runUntil([this] { return procedure->state().loadingComplete != 0; }));
    }
    // The frames presented since the last call, without the window's other pictures.
    std::vector<test::FakeHost::Shown> frames() {
        std::vector<test::FakeHost::Shown> frames = host.takeShown();
        std::erase_if(frames, [](const auto& s) { return s.width != kFrameWidth; });
        return frames;
    }
    std::vector<std::uint32_t> lastFrame() {
        auto shown = frames();
        return shown.empty() ? std::vector<std::uint32_t>() : shown.back().pixels;
    }
    bool heard(int key) { return SoundManager::instance().isPlaying(key); }

    test::FakeHost host;
    ProgramLifetime lifetime{host};
    std::unique_ptr<WindowProcedure> procedure;
    // The repository root, where the tests start and their data lies.
    const std::filesystem::path root_ = std::filesystem::current_path();

  private:
    std::filesystem::path directory_ =
        std::filesystem::temp_directory_path() / ("velmora-shell-" + std::to_string(getpid()));
};

// The loading texts in order, each on a fresh loading screen laid out for the screen the window
// has by then, the first frame of the square and its jingle; a step sounds and moves the listener.
TEST_F(Shell, LoadingShowsItsStepsThenTheSquareIsSeenAndHeard) {
    serveLongSound(content::kLoadedSound);
    serveLongSound(content::kFootstepSound);
    procedure = std::make_unique<WindowProcedure>(host);
    host.screen = {1024, 768};
    load();
    std::string lines;
    for (const std::string& line : host.debugLines()) {
        lines += line;
    }
    EXPECT_TRUE(lines.starts_with("loading graphics...\ninitializing sound...\nreading files...\n"
                                  "Reading data files...\nCreating BSP...\nAdding surfaces...\n"
                                  "Converting polygons to triangles...\nCreating BSP...\n"))
        << lines;
    const auto shown = frames();
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(std::pair(shown.back().x, shown.back().y), std::pair(12, 0));
    const ShellState& state = procedure->state();
    EXPECT_EQ(state.interaction.movementEnabled, 1);
    EXPECT_EQ(state.camera, (Vertex{0, 55, -400}));
    EXPECT_EQ(state.heading, 4.0f);
    EXPECT_EQ(procedure->dialogue().talkedTo().size(), 5u);
    EXPECT_EQ(host.takeRequests(), std::vector<std::string>{"timer 250"});
    EXPECT_EQ(host.repaintRequests(), 1);
    EXPECT_TRUE(host.takeMessages().empty());
    EXPECT_TRUE(heard(content::kLoadedSound));
    procedure->onKeyDown(vk::kUp);
    EXPECT_TRUE(heard(content::kFootstepSound));
    ALint listener[3] = {};
    alGetListeneriv(AL_POSITION, listener);
    EXPECT_EQ(std::vector(listener, listener + 3), (std::vector<ALint>{0, 0, -390}));
}

// Each key of tests/data/shell/keys.txt by its name for velmora-snap's --keys, the window-system
// key values that mean it and its code: whether it redraws and how far it steps and turns. Until the world is loaded only turning and redrawing act, a tick
// draws the loading screen, and the menu's two commands and a resize act at any time.
TEST_F(Shell, EveryKeyActsOnItsRowAndWhileLoadingOnlyTurningAndRedrawingAct) {
    const std::vector<test::TextCase> rows = test::readCases(root_ / "tests/data/shell/keys.txt");
    ASSERT_GT(rows.size(), 20u);
    procedure = std::make_unique<WindowProcedure>(host);
    procedure->onCreate();
    ShellState& state = procedure->state();
    const auto press = [&](const Vertex& from, float heading) {
        testing::internal::CaptureStdout();
        for (const test::TextCase& row : rows) {
            SCOPED_TRACE(row.name);
            const int key = std::stoi(row.text("key"), nullptr, 16);
            const std::optional<int> code = key != 0 ? std::optional(key) : std::nullopt;
            if (row.name != "-") {
                EXPECT_EQ(keyCodeForName(row.name), code);
            }
            std::istringstream keyvals(row.text("keyvals"));
            for (unsigned keyval = 0; keyvals >> std::hex >> keyval;) {
                EXPECT_EQ(keyCodeForKeyval(keyval), code) << std::hex << keyval;
            }
            procedure->placeCamera(from, heading);
            frames();
            EXPECT_EQ(procedure->onKeyDown(key), row.name != "-" && key != 0);
            EXPECT_EQ(frames().size(), row.text("redraws") == "1" ? 1u : 0u);
            const float step = state.loadingComplete != 0 ? row.numbers("step").at(0) : 0;
            EXPECT_EQ(state.camera, (Vertex{from.x, from.y, from.z + step}));
            EXPECT_EQ(state.heading, std::fmod(heading + row.numbers("turn").at(0) + 360, 360));
        }
        return testing::internal::GetCapturedStdout();
    };
    procedure->onTimer();
    EXPECT_EQ(frames().size(), 1u);
    const struct {
        int command;
        std::vector<std::string> requests;
    } commands[] = {{104, {"about"}}, {105, {"close"}}, {103, {}}, {106, {}}, {0, {}}};
    for (const auto& c : commands) {
        EXPECT_EQ(procedure->onCommand(c.command), !c.requests.empty()) << c.command;
        EXPECT_EQ(host.takeRequests(), c.requests) << c.command;
    }
    procedure->onSize();
    EXPECT_EQ(host.repaintRequests(), 1);
    EXPECT_TRUE(frames().empty());
    EXPECT_EQ(press(state.camera, state.heading), "");
    EXPECT_EQ(state.interaction.movementEnabled, 0);
    load();
    World& world = World::instance();
    EXPECT_EQ(world.groundGridEnabled, 1);
    EXPECT_EQ(state.interaction.finalePlayed, 0);
    for (const auto& [kind, talked] : procedure->dialogue().talkedTo()) {
        EXPECT_EQ(talked, 0) << kind;
    }
    EXPECT_EQ(std::ranges::count(host.debugLines(), "Reading data files...\n"), 1);
    EXPECT_EQ(state.depthViewEnabled.exchange(0), 1);

    // The repaint asked for at the end of loading: the figures learn where they stand in view.
    procedure->onPaint();
    state.interaction.movementEnabled = 0;
    // R reads a second wall and a colour of the files' own.
    writeWorld(kGround + kMarble + wallOf("marble") + "OBJECT_INSTANCE\nwall\n-50,0,300\n");
    const std::string out = press({0, 55, -400}, 0);
    // D listed every edge; Z turned the depth view on, F the ground grid off; I counts everyone
    // as talked to; R left the loading texts unshown, and the new colour has its brush.
    ASSERT_FALSE(world.edges.empty());
    EXPECT_EQ(std::ranges::count(out, '\n'), long(world.edges.size()));
    EXPECT_TRUE(out.starts_with("edge: (")) << out;
    EXPECT_EQ(state.depthViewEnabled.exchange(0), 1);
    EXPECT_EQ(world.groundGridEnabled, 0);
    for (const auto& [kind, talked] : procedure->dialogue().talkedTo()) {
        EXPECT_EQ(talked, 1) << kind;
    }
    EXPECT_EQ(world.objectInstances.size(), 2u);
    EXPECT_EQ(std::ranges::count(host.debugLines(), "Reading data files...\n"), 1);
    procedure->onKeyDown(vk::kSpace);
    EXPECT_TRUE(
        std::ranges::any_of(lastFrame(), [](auto p) { return (p & 0xFFFFFF) == 0xC8C8C8; }));
    EXPECT_TRUE(host.takeMessages().empty());
}

TEST_F(Shell, AColourWithoutABrushEndsTheProgramAtTheFirstFrameThatNeedsIt) {
    writeWorld(kGround + wallOf("stone"));
    load();               // the first frame of the square needs the colour
    procedure->onTimer(); // the box is up; nothing more is drawn or shown
    EXPECT_EQ(host.takeMessages(),
              (std::vector<test::FakeHost::Message>{
                  {"ERROR: brush stone is null!\n", "Error", platform::MessageIcon::Error}}));
    EXPECT_EQ(host.takeRequests(), std::vector<std::string>{"quit 5"});
}

// A save that does not load keeps the world shown and its error on the bottom panel, without a
// box; the next good save replaces the world where the visitor stands.
TEST_F(Shell, AReloadAfterASaveKeepsTheLastGoodWorldUntilOneLoads) {
    load();
    host.takeRequests();
    procedure->placeCamera({0, 55, -300}, 7);
    EXPECT_EQ(procedure->worldFiles(),
              (std::vector<std::string>{"data/bsp.cfg", "data/world.txt"}));
    const std::size_t surfaces = World::instance().bspRoot->surfaces.size();
    writeWorld(kGround + kStone +
               "OBJECT_DEFINITION\nbox\n1\nSURFACE\nlid\n3\n0,0,0\n1,0,0\n"
               "0,1,0\nPAINT\nstone\n");
    procedure->reloadAfterSave();
    EXPECT_NE(procedure->worldError().find("lid"), std::string::npos) << procedure->worldError();
    EXPECT_EQ(World::instance().bspRoot->surfaces.size(), surfaces);
    EXPECT_EQ(World::instance().colors.size(), 3u);
    EXPECT_TRUE(host.takeMessages().empty());
    EXPECT_TRUE(host.takeRequests().empty());

    writeWorld(kGround + kMarble + wallOf("marble"));
    procedure->reloadAfterSave();
    EXPECT_EQ(procedure->worldError(), "");
    EXPECT_EQ(World::instance().colors.back().name, "marble");
    EXPECT_EQ(procedure->state().camera, (Vertex{0, 55, -300}));
    EXPECT_EQ(procedure->state().heading, 7.0f);
    EXPECT_TRUE(host.takeMessages().empty());
}

// A chain of parallel walls, each beyond the last, takes the tree build many seconds: closing
// must stop it rather than wait for it.
TEST_F(Shell, ClosingStopsALoadStillRunning) {
    writeWorld(kGround + kStone + wallOf("stone") +
               "OBJECT_DEFINITION\nchain\n0\nOBJECT_ROTATION_SERIES\nchain\nwall\n0,0,0\n"
               "0,20000,10\nOBJECT_INSTANCE\nchain\n0,0,100\n");
    procedure = std::make_unique<WindowProcedure>(host);
    procedure->onCreate();
    // The second "Creating BSP..." starts the tree build.
    runUntil([this] { return std::ranges::count(host.debugLines(), "Creating BSP...\n") == 2; });
    procedure->onDestroy();
    EXPECT_EQ(procedure->state().loadingComplete, 0);
    EXPECT_EQ(host.debugLines().back(), "loading stopped: the program is closing\n");
    EXPECT_EQ(host.takeRequests(), std::vector<std::string>{"closing"});
}

// A tick at the plebeian stops the visitor for the greeting; once it has ended the menu is on the
// frame, and a digit plays that answer.
TEST_F(Shell, AReachedFigureGreetsThenItsMenuAnswers) {
    for (const platform::EmbeddedResource& resource : resources::embedded()) {
        if (resource.type == platform::ResourceType::Bitmap) { // the panels and the font
            host.putResource(resource.type, resource.number, {resource.begin, resource.end});
        }
    }
    serveLongSound(20); // the plebeian's first and second answers
    serveLongSound(21);
    load();
    procedure->placeCamera({100, 55, -100}, 0);
    procedure->onTimer();
    EXPECT_EQ(procedure->dialogue().talkedTo().at(4), 1);
    EXPECT_EQ(procedure->state().interaction.movementEnabled, 0);
    const std::vector<std::uint32_t> before = lastFrame();
    ASSERT_TRUE(runUntil([this] { return procedure->state().interaction.menuOpen != 0; }));
    procedure->onKeyDown(vk::kSpace);
    EXPECT_NE(lastFrame(), before);
    procedure->onKeyDown('2');
    EXPECT_TRUE(heard(21));
    EXPECT_FALSE(heard(20));
}

} // namespace
} // namespace velmora
