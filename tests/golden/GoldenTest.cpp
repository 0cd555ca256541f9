// Whole frames of the worlds beside this file, drawn by velmora-snap from fixed views and
// compared pixel by pixel with the pictures in expected/. A frame that differs is kept in the
// build directory with a difference picture (differing pixels red over a darkened frame).
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Golden {
    const char* name;
    const char* world; // a directory beside this file holding data/
    const char* arguments;
};

const Golden kGoldens[] = {
    // The nearer red wall over the farther blue one, the senator off to the left; the sky turned
    // 360 degrees, 40 pixels.
    {"walls_ahead", "walls", "--at 0,55,0 --heading 0"},
    // The green wall to the east, the plebeian close by on the right, the centurion, the fire pot
    // and a woman far off; the sky turned 269 degrees, one pixel more than ahead.
    {"walls_east", "walls", "--at 0,55,0 --heading 90"},
    // Red at depth 200 (grey 25), blue at 500 (grey 63), the senator at 389 (grey 49), the rest
    // never written (grey 163).
    {"walls_ahead_depth", "walls", "--at 0,55,0 --heading 0 --depth-view"},
    // From beyond the blue wall, which now hides the red one and the senator; the senator shows
    // only along the wall's diagonal, where neither of its triangles writes depth.
    {"walls_from_behind", "walls", "--at 0,55,800 --heading 175"},
    // Triangles reaching behind the eye: two corners ahead on the right, one on the left.
    {"clipped", "clipped", "--at 0,55,0 --heading 0"},
    {"loading", "walls", "--loading"},
};

void PrintTo(const Golden& golden, std::ostream* out) {
    *out << golden.name << " (" << golden.world << ": " << golden.arguments << ")";
}

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

Surface readPng(const fs::path& path) {
    Surface surface(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        surface.reset();
    }
    return surface;
}

std::uint32_t pixelAt(cairo_surface_t* image, int x, int y) {
    const auto* row =
        cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFF;
}

// Counts the differing pixels and writes the difference picture when there are any.
long compare(cairo_surface_t* actual, cairo_surface_t* expected, const fs::path& differencePath) {
    const int width = cairo_image_surface_get_width(actual);
    const int height = cairo_image_surface_get_height(actual);
    Surface difference(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height),
                       cairo_surface_destroy);
    auto* out = cairo_image_surface_get_data(difference.get());
    const int stride = cairo_image_surface_get_stride(difference.get());
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(out + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t a = pixelAt(actual, x, y);
            const bool same = a == pixelAt(expected, x, y);
            differing += same ? 0 : 1;
            row[x] = same ? (a >> 2) & 0x3F3F3F : 0xFF0000;
        }
    }
    if (differing > 0) {
        cairo_surface_mark_dirty(difference.get());
        cairo_surface_write_to_png(difference.get(), differencePath.c_str());
    }
    return differing;
}

class GoldenFrame : public ::testing::TestWithParam<Golden> {};

TEST_P(GoldenFrame, MatchesTheCommittedPicture) {
    const Golden& golden = GetParam();
    const fs::path output = GOLDEN_OUTPUT_DIR;
    fs::create_directories(output);
    const fs::path actualPath = output / (std::string(golden.name) + ".png");
    const fs::path differencePath = output / (std::string(golden.name) + "-difference.png");
    const fs::path expectedPath =
        fs::path(GOLDEN_SOURCE_DIR) / "expected" / (std::string(golden.name) + ".png");
    fs::remove(actualPath);
    fs::remove(differencePath);

    const std::string command = "cd '" GOLDEN_SOURCE_DIR "/" + std::string(golden.world) +
                                "' && '" VELMORA_SNAP "' " + golden.arguments + " --out '" +
                                actualPath.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        fs::copy_file(actualPath, expectedPath, fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "wrote " << expectedPath << "; look at it before committing it";
    }
    const Surface actual = readPng(actualPath);
    const Surface expected = readPng(expectedPath);
    ASSERT_TRUE(actual) << "velmora-snap wrote no readable picture: " << actualPath;
    ASSERT_TRUE(expected) << "no expected picture " << expectedPath
                          << " (VELMORA_UPDATE_GOLDEN=1 writes it)";
    ASSERT_EQ(cairo_image_surface_get_width(actual.get()),
              cairo_image_surface_get_width(expected.get()));
    ASSERT_EQ(cairo_image_surface_get_height(actual.get()),
              cairo_image_surface_get_height(expected.get()));
    const long differing = compare(actual.get(), expected.get(), differencePath);
    EXPECT_EQ(differing, 0) << "frame: " << actualPath << "\ndifference: " << differencePath
                            << "\nexpected: " << expectedPath;
}

INSTANTIATE_TEST_SUITE_P(Snap, GoldenFrame, ::testing::ValuesIn(kGoldens),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
