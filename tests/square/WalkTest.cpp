// The shipped square walked and seen through velmora-snap: each recorded walk is replayed from
// the start through the program's key handler and must end where its steps, none refused,
// lead, inside its figure's zone; the arrival and the fixed views are compared pixel by pixel
// with the pictures in expected/.
//
// When a picture changes on purpose (the square is rebuilt, or the figures are drawn), write
// the new pictures with one command from the repository root, look at each, then commit them:
//   VELMORA_UPDATE_GOLDEN=1 build-square/tests/square/test_square
// A picture that differs is kept in the build directory (tests/square/actual/) beside a
// difference picture: differing pixels red over the darkened frame.
#include "Walks.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace velmora::square {
namespace {

namespace fs = std::filesystem;

struct SnapRun {
    std::string out;
    int exitCode = -1;
};

// Runs velmora-snap in the repository root, where the shipped data/ lies.
SnapRun snap(const std::string& arguments) {
    const std::string command =
        "cd '" SQUARE_ROOT "' && '" VELMORA_SNAP "' " + arguments + " 2>&1";
    SnapRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> chunk{};
    while (std::fgets(chunk.data(), chunk.size(), pipe) != nullptr) {
        run.out += chunk.data();
    }
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// The camera line of --stats: "camera: X Y Z".
bool cameraOf(const std::string& out, Pose& pose) {
    const std::size_t at = out.find("camera: ");
    if (at == std::string::npos) {
        return false;
    }
    std::istringstream in(out.substr(at + 8));
    return static_cast<bool>(in >> pose.x >> pose.y >> pose.z);
}

using Image = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Image readPng(const fs::path& path) {
    Image image(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) {
        image.reset();
    }
    return image;
}

std::uint32_t pixelAt(cairo_surface_t* image, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

// Counts the pixels that differ, and writes the difference picture when there are any.
long differingPixels(cairo_surface_t* actual, cairo_surface_t* expected, const fs::path& diff) {
    const int width = cairo_image_surface_get_width(actual);
    const int height = cairo_image_surface_get_height(actual);
    if (width != cairo_image_surface_get_width(expected) ||
        height != cairo_image_surface_get_height(expected)) {
        return long(width) * height;
    }
    Image picture(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height),
                  cairo_surface_destroy);
    unsigned char* data = cairo_image_surface_get_data(picture.get());
    const int stride = cairo_image_surface_get_stride(picture.get());
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = pixelAt(actual, x, y);
            const bool same = a == pixelAt(expected, x, y);
            differing += same ? 0 : 1;
            row[x] = same ? (a >> 2) & 0x3F3F3F : 0xFF0000;
        }
    }
    if (differing > 0) {
        cairo_surface_mark_dirty(picture.get());
        cairo_surface_write_to_png(picture.get(), diff.c_str());
    }
    return differing;
}

// Draws the frame with the arguments, compares it with expected/<name>.png and returns what
// velmora-snap printed.
std::string expectPicture(const std::string& name, const std::string& arguments) {
    const fs::path actualDirectory = SQUARE_OUTPUT_DIR;
    fs::create_directories(actualDirectory);
    const fs::path actual = actualDirectory / (name + ".png");
    const fs::path expected = fs::path(SQUARE_SOURCE_DIR) / "expected" / (name + ".png");
    fs::remove(actual);
    const SnapRun run = snap(arguments + " --out '" + actual.string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.out;
    if (const char* update = std::getenv("VELMORA_UPDATE_GOLDEN"); update && *update == '1') {
        fs::copy_file(actual, expected, fs::copy_options::overwrite_existing);
        return run.out;
    }
    Image drawn = readPng(actual);
    Image wanted = readPng(expected);
    if (!drawn || !wanted) {
        ADD_FAILURE() << (drawn ? expected : actual)
                      << " is missing (expected pictures are drawn with VELMORA_UPDATE_GOLDEN=1)";
        return run.out;
    }
    const fs::path diff = actualDirectory / (name + "-diff.png");
    EXPECT_EQ(differingPixels(drawn.get(), wanted.get(), diff), 0)
        << name << ": see " << actual << " and " << diff;
    return run.out;
}

class WalkReplay : public ::testing::TestWithParam<Walk> {};

TEST_P(WalkReplay, ArrivesInTheZoneWithNoStepRefused) {
    const Walk& walk = GetParam();
    const Figure& figure = figureNamed(walk.figure);
    const std::string out = expectPicture(
        std::string("arrive_") + walk.figure,
        "--keys '" + joinKeys(expandKeys(walk.keys)) + "' --stats");
    Pose camera;
    ASSERT_TRUE(cameraOf(out, camera)) << out;
    // A refused step would leave the walk short of where the arithmetic of its steps leads.
    const Pose expected = unblockedPoses(walk.keys).back();
    EXPECT_EQ(camera.x, expected.x) << walk.figure;
    EXPECT_EQ(camera.z, expected.z) << walk.figure;
    EXPECT_EQ(camera.y, figure.y + 55) << walk.figure;
    EXPECT_TRUE(insideZone(figure, camera.x, camera.z)) << walk.figure;
}

INSTANTIATE_TEST_SUITE_P(Square, WalkReplay, ::testing::ValuesIn(kWalks),
                         [](const auto& info) { return std::string(info.param.figure); });

struct View {
    const char* name;
    const char* arguments;
};

void PrintTo(const View& view, std::ostream* out) {
    *out << view.name << " (" << view.arguments << ")";
}

const View kViews[] = {
    // Where the visitor starts: the plebeian before the arch, the curia behind it.
    {"start", ""},
    // From the top of the temple platform, beside the woman, west over the square.
    {"podium", "--at 2130,115,-300 --heading 276"},
    // East along the Sacred Way to the amphitheatre, the guard ahead.
    {"amphitheatre", "--at 2300,55,-600 --heading 90"},
};

class SquareView : public ::testing::TestWithParam<View> {};

TEST_P(SquareView, LooksAsRecorded) {
    expectPicture(GetParam().name, GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(Square, SquareView, ::testing::ValuesIn(kViews),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace velmora::square
