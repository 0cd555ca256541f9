#include "shell/WindowProcedure.h"
#include "FakeHost.h"
#include "shell/ProgramLifetime.h"
#include "shell/VirtualKeys.h"
#include "SoundTestSupport.h"
#include "world/World.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace velmora {
namespace {

const std::string kGround = "COLOR_DEFINITION\nLT_GRAY\n192,192,192\n"
                            "COLOR_DEFINITION\nLT_GRAY_1\n176,176,176\n";
const std::string kStone = "COLOR_DEFINITION\nstone\n180,170,150\n";
// A wall 400 units ahead of the starting place, which looks 4 degrees right of +z.
std::string wallOf(const std::string& colour) {
    return "DEFAULT_LOCATION\n0,55,-400:4\nOBJECT_DEFINITION\nwall\n1\n"
           "SURFACE\nfront\n4\n0,0,0\n100,0,0\n100,50,0\n0,50,0\n"
           "COLOR_FILL\n" +
           colour + "\nOBJECT_INSTANCE\nwall\n-50,0,0\n";
}
const std::string kWall = wallOf("stone");

// The program runs in a scratch directory whose data/ holds a tiny world, with the World and
// the sound manager (on OpenAL Soft's null device) made before the window procedure.
class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(directory_ / "data");
        std::ofstream(directory_ / "data" / "bsp.cfg") << "world.txt\n";
        writeWorld(kGround + kStone + kWall);
        std::filesystem::current_path(directory_);
        test::serveTestWaves(host);
    }
    void TearDown() override {
        procedure.reset();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(directory_);
    }

    void writeWorld(const std::string& text) {
        std::ofstream(directory_ / "data" / "world.txt") << text << "END\n";
    }
    WindowProcedure& start() {
        procedure = std::make_unique<WindowProcedure>(host);
        return *procedure;
    }
    // Creates the window and runs the main thread's share of the loading until it is done.
    void load() {
        procedure->onCreate();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (procedure->state().loadingComplete == 0 && std::chrono::steady_clock::now() < end) {
            host.runPendingWork(std::chrono::milliseconds(10));
        }
        ASSERT_EQ(procedure->state().loadingComplete, 1);
    }
    // Frames presented since the last call.
    int framesShown() {
        int frames = 0;
        for (const auto& shown : host.takeShown()) {
            frames += shown.width == kFrameWidth && shown.height == kFrameHeight;
        }
        return frames;
    }

    test::FakeHost host;
    ProgramLifetime lifetime{host};
    std::unique_ptr<WindowProcedure> procedure;

  private:
    std::filesystem::path previous_ = std::filesystem::current_path();
    std::filesystem::path directory_ =
        std::filesystem::temp_directory_path() /
        ("velmora-shell-" + std::to_string(getpid()) + "-" +
         testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(Shell, LoadingShowsItsStepsInOrderAndTheMainThreadTakesOverTheLoadedWorld) {
    start();
    load();
    const std::vector<std::string> texts{"loading graphics...\n",
                                         "initializing sound...\n",
                                         "reading files...\n",
                                         "Reading data files...\n",
                                         "Creating BSP...\n",
                                         "Adding surfaces...\n",
                                         "Converting polygons to triangles...\n",
                                         "Creating BSP...\n"};
    std::vector<std::string> lines = host.debugLines();
    lines.resize(std::min(lines.size(), texts.size()));
    EXPECT_EQ(lines, texts);
    // Each text on a fresh loading screen, then the first frame of the square.
    EXPECT_EQ(framesShown(), int(texts.size()) + 1);

    const ShellState& state = procedure->state();
    EXPECT_EQ(state.interaction.movementEnabled, 1);
    EXPECT_EQ(state.camera, (Vertex{0, 55, -400}));
    EXPECT_EQ(state.heading, 4.0f);
    EXPECT_EQ(procedure->dialogue().talkedTo().size(), 5u);
    EXPECT_EQ(host.takeRequests(), std::vector<std::string>{"timer 250"});
    EXPECT_EQ(host.repaintRequests(), 1);
    EXPECT_TRUE(host.takeMessages().empty());
}

TEST_F(Shell, ATimerTickUpdatesTheFiguresAndDrawsAFrameWithOrWithoutThem) {
    start().onCreate();
    procedure->onTimer(); // still loading: no figures yet
    EXPECT_EQ(framesShown(), 1);
    load();
    framesShown();
    procedure->placeCamera({100, 55, -100}, 0); // at the plebeian
    procedure->onTimer();
    EXPECT_EQ(framesShown(), 1);
    EXPECT_EQ(procedure->dialogue().talkedTo().at(4), 1);
    EXPECT_EQ(procedure->state().interaction.movementEnabled, 0);
}

TEST_F(Shell, EveryKeyActsOnItsRowAndOnlyTheViewKeysRedraw) {
    start();
    load();
    // The repaint asked for at the end of loading: the figures learn where they stand in view.
    procedure->onPaint();
    ShellState& state = procedure->state();
    World& world = World::instance();
    const auto at = [](float z) { return Vertex{0, 55, z}; };
    std::string out; // what the key wrote on standard output
    const auto unchanged = [&] {
        EXPECT_EQ(state.camera, at(-400));
        EXPECT_EQ(state.heading, 0.0f);
        EXPECT_EQ(out, "");
    };
    const struct {
        const char* what;
        int key;
        bool bound, redraws;
        std::function<void()> check;
    } rows[] = {
        {"Up", 0x26, true, true, [&] { EXPECT_EQ(state.camera, at(-390)); }},
        {"keypad 8", 0x68, true, true, [&] { EXPECT_EQ(state.camera, at(-390)); }},
        {"Down", 0x28, true, true, [&] { EXPECT_EQ(state.camera, at(-410)); }},
        {"keypad 2", 0x62, true, true, [&] { EXPECT_EQ(state.camera, at(-410)); }},
        {"Left", 0x25, true, true, [&] { EXPECT_EQ(state.heading, 358.0f); }},
        {"keypad 4", 0x64, true, true, [&] { EXPECT_EQ(state.heading, 358.0f); }},
        {"Right", 0x27, true, true, [&] { EXPECT_EQ(state.heading, 2.0f); }},
        {"keypad 6", 0x66, true, true, [&] { EXPECT_EQ(state.heading, 2.0f); }},
        {"Z", 0x5A, true, true, [&] { EXPECT_EQ(state.depthViewEnabled.exchange(0), 1); }},
        {"Space", 0x20, true, true, unchanged},
        {"F", 0x46, true, false, [&] { EXPECT_EQ(std::exchange(world.groundGridEnabled, 1), 0); }},
        {"Esc", 0x1B, true, false, [&] { EXPECT_EQ(state.interaction.movementEnabled, 1); }},
        {"1", 0x31, true, false, unchanged},
        {"4", 0x34, true, false, unchanged},
        {"I", 0x49, true, false,
         [&] {
             for (const auto& [kind, talked] : procedure->dialogue().talkedTo()) {
                 EXPECT_EQ(talked, 1) << kind;
             }
         }},
        // The world file gained a second wall; the place and heading stay.
        {"R", 0x52, true, false,
         [&] {
             EXPECT_EQ(world.objectInstances.size(), 2u);
             unchanged();
         }},
        {"D", 0x44, true, false,
         [&] {
             ASSERT_FALSE(world.edges.empty());
             EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), long(world.edges.size()));
             EXPECT_EQ(out.rfind("edge: (", 0), 0u) << out;
         }},
        {"A", 0x41, false, false, unchanged},
        {"5", 0x35, false, false, unchanged},
        {"keypad 7", 0x67, false, false, unchanged},
    };
    writeWorld(kGround + kStone + kWall + "OBJECT_INSTANCE\nwall\n-50,0,300\n");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        procedure->placeCamera(at(-400), 0);
        state.interaction.movementEnabled = row.key == 0x1B ? 0 : 1;
        framesShown();
        testing::internal::CaptureStdout();
        EXPECT_EQ(procedure->onKeyDown(row.key), row.bound);
        out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(framesShown(), row.redraws ? 1 : 0);
        row.check();
    }
}

TEST_F(Shell, WhileLoadingOnlyTurningAndTheRedrawKeysAct) {
    start().onCreate();
    ShellState& state = procedure->state();
    const struct {
        int key;
        float heading;
        int frames;
    } keys[] = {{0x27, 262, 1}, {0x26, 262, 1}, {0x25, 260, 1}, {0x1B, 260, 0}, {0x46, 260, 0},
                {0x49, 260, 0}, {0x52, 260, 0}, {0x44, 260, 0}, {0x31, 260, 0}};
    for (const auto& k : keys) {
        procedure->onKeyDown(k.key);
        EXPECT_EQ(state.heading, k.heading) << k.key;
        EXPECT_EQ(state.camera, (Vertex{200, -55, -200})) << k.key;
        EXPECT_EQ(state.interaction.movementEnabled, 0) << k.key;
        EXPECT_EQ(framesShown(), k.frames) << k.key;
    }
    load();
    EXPECT_EQ(World::instance().groundGridEnabled, 1);
    EXPECT_EQ(state.interaction.finalePlayed, 0);
    for (const auto& [kind, talked] : procedure->dialogue().talkedTo()) {
        EXPECT_EQ(talked, 0) << kind;
    }
}

TEST_F(Shell, SizeOnlyAsksForARepaintAndTheMenuHasTwoCommands) {
    start().onSize();
    EXPECT_EQ(host.repaintRequests(), 1);
    EXPECT_EQ(framesShown(), 0);
    EXPECT_TRUE(host.takeRequests().empty());
    const struct {
        int command;
        bool handled;
        std::vector<std::string> requests;
    } commands[] = {{104, true, {"about"}},
                    {105, true, {"close"}},
                    {103, false, {}},
                    {106, false, {}},
                    {0, false, {}}};
    for (const auto& c : commands) {
        EXPECT_EQ(procedure->onCommand(c.command), c.handled) << c.command;
        EXPECT_EQ(host.takeRequests(), c.requests) << c.command;
    }
}

TEST_F(Shell, AColourWithoutABrushEndsTheProgramAtTheFirstFrameThatNeedsIt) {
    writeWorld(kGround + kWall);
    start();
    load();               // the first frame of the square needs the colour
    procedure->onTimer(); // the box is up; nothing more is drawn or shown
    EXPECT_EQ(host.takeMessages(),
              (std::vector<test::FakeHost::Message>{
                  {"ERROR: brush stone is null!\n", "Error", platform::MessageIcon::Error}}));
    EXPECT_EQ(host.takeRequests(), std::vector<std::string>{"quit 5"});
}

// A reload shows the files as they are now: a colour that only the new files define fills
// their surfaces.
TEST_F(Shell, ReloadRebuildsTheColourLookups) {
    start();
    load();
    host.takeRequests();
    writeWorld(kGround + "COLOR_DEFINITION\nmarble\n200,200,200\n" + wallOf("marble"));
    procedure->onKeyDown(0x52);
    host.takeShown();
    procedure->onKeyDown(0x20);
    EXPECT_TRUE(host.takeTexts().empty());
    EXPECT_TRUE(host.takeRequests().empty());
    const auto shown = host.takeShown();
    ASSERT_FALSE(shown.empty());
    EXPECT_GT(std::ranges::count_if(shown.back().pixels,
                                    [](std::uint32_t p) { return (p & 0xFFFFFF) == 0xC8C8C8; }),
              0);
}

// A save that does not load keeps the world shown and its error on the bottom panel, without a
// box; the next good save replaces the world where the visitor stands.
TEST_F(Shell, AReloadAfterASaveKeepsTheLastGoodWorldUntilOneLoads) {
    start();
    load();
    host.takeRequests();
    procedure->placeCamera({0, 55, -300}, 7);
    EXPECT_EQ(procedure->worldFiles(),
              (std::vector<std::string>{"data/bsp.cfg", "data/world.txt"}));
    const std::size_t surfaces = World::instance().bspRoot->surfaces.size();
    writeWorld(kGround + kStone + "OBJECT_DEFINITION\nbox\n1\nSURFACE\nlid\n3\n0,0,0\n1,0,0\n"
                                  "0,1,0\nPAINT\nstone\n");
    procedure->reloadAfterSave();
    EXPECT_NE(procedure->worldError().find("lid"), std::string::npos) << procedure->worldError();
    EXPECT_EQ(World::instance().bspRoot->surfaces.size(), surfaces);
    EXPECT_EQ(World::instance().colors.size(), 3u);
    EXPECT_TRUE(host.takeMessages().empty());
    EXPECT_TRUE(host.takeRequests().empty());

    writeWorld(kGround + "COLOR_DEFINITION\nmarble\n200,200,200\n" + wallOf("marble"));
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
    writeWorld(kGround + kStone + kWall +
               "OBJECT_DEFINITION\nchain\n0\nOBJECT_ROTATION_SERIES\nchain\nwall\n0,0,0\n"
               "0,20000,10\nOBJECT_INSTANCE\nchain\n0,0,100\n");
    start().onCreate();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    // The second "Creating BSP..." starts the tree build.
    while (std::ranges::count(host.debugLines(), "Creating BSP...\n") < 2 &&
           std::chrono::steady_clock::now() < end) {
        host.runPendingWork(std::chrono::milliseconds(10));
    }
    procedure->onDestroy();
    EXPECT_EQ(procedure->state().loadingComplete, 0);
    EXPECT_EQ(host.debugLines().back(), "loading stopped: the program is closing\n");
    EXPECT_EQ(host.takeRequests(), std::vector<std::string>{"closing"});
}

TEST(VirtualKeys, KeyValuesMapToTheKeyTable) {
    const struct {
        unsigned keyval;
        std::optional<int> code;
    } rows[] = {{' ', vk::kSpace},    {0xFF1B, vk::kEscape},  {0xFF51, vk::kLeft},
                {0xFF52, vk::kUp},    {0xFF53, vk::kRight},   {0xFF54, vk::kDown},
                {0xFF96, vk::kKeypad4}, {0xFFB4, vk::kKeypad4}, {0xFF97, vk::kKeypad8},
                {0xFFB8, vk::kKeypad8}, {0xFF98, vk::kKeypad6}, {0xFFB6, vk::kKeypad6},
                {0xFF99, vk::kKeypad2}, {0xFFB2, vk::kKeypad2}, {'z', vk::kZ},
                {'Z', vk::kZ},        {'a', 'A'},             {'0', '0'},
                {'9', '9'},           {'!', '1'},             {'$', '4'},
                {'%', std::nullopt},  {0xFFB5, std::nullopt}, {0xFFBE, std::nullopt},
                {'`', std::nullopt},  {'{', std::nullopt}};
    for (const auto& row : rows) {
        EXPECT_EQ(keyCodeForKeyval(row.keyval), row.code) << std::hex << row.keyval;
    }
    EXPECT_EQ(keyCodeForName("KP8"), vk::kKeypad8);
    EXPECT_EQ(keyCodeForName("I"), vk::kI);
    EXPECT_EQ(keyCodeForName("Tab"), std::nullopt);
}

} // namespace
} // namespace velmora
