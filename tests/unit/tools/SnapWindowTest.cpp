// velmora-snap's picture of the whole window: the frame in its place and the bottom panel with
// the caption of the voice being heard.
#include "SnapRun.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// From the start, these steps reach the plebeian, who greets for several seconds.
constexpr const char* kToThePlebeian =
    "Left Left Left Left Left Left Left Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up Up "
    "Up Up Up Up Up Left Left Left Left Left Left Left Left Left tick";

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    // The rectangle's pixels, row by row.
    std::vector<std::uint32_t> part(int x, int y, int w, int h) const {
        std::vector<std::uint32_t> out;
        for (int row = y; row < y + h; ++row) {
            const auto begin = pixels.begin() + std::ptrdiff_t(row) * width + x;
            out.insert(out.end(), begin, begin + w);
        }
        return out;
    }
};

Picture readPng(const fs::path& path) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
    Picture picture;
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return picture;
    }
    picture.width = cairo_image_surface_get_width(surface.get());
    picture.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get()) / 4;
    const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface.get()));
    for (int row = 0; row < picture.height; ++row) {
        for (int x = 0; x < picture.width; ++x) {
            picture.pixels.push_back(data[row * stride + x] & 0xFFFFFF);
        }
    }
    return picture;
}

class SnapWindow : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(scratch); }
    void TearDown() override { fs::remove_all(scratch); }

    // The window picture (and, when asked, the frame) after the keys, in the shipped square.
    Picture window(const std::string& keys, const std::string& name, bool frameToo = false) {
        const fs::path out = scratch / (name + ".png");
        std::string arguments = "--window-out " + out.string();
        if (frameToo) {
            arguments += " --out " + (scratch / (name + "-frame.png")).string();
        }
        if (!keys.empty()) {
            arguments += " --keys \"" + keys + "\"";
        }
        const auto run = velmora::test::runSnap(VELMORA_SNAP, ".", arguments);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        return readPng(out);
    }

    const fs::path scratch = fs::temp_directory_path() / ("velmora-snap-window-" + std::to_string(getpid()));
};

// The bottom panel lies 30 rows under the frame, centred under it: 834 x 265 at (95, 430).
constexpr int kPanelX = 95, kPanelY = 430, kPanelWidth = 834, kPanelHeight = 265;

TEST_F(SnapWindow, TheFrameSitsAtTheTopCentreAndTheBareRowsAreBlack) {
    const Picture picture = window("", "start", true);
    ASSERT_EQ(picture.width, 1024);
    ASSERT_EQ(picture.height, 768);
    const Picture frame = readPng(scratch / "start-frame.png");
    ASSERT_EQ(frame.width, 1000);
    EXPECT_EQ(picture.part(12, 0, 1000, 400), frame.pixels);
    EXPECT_EQ(picture.part(0, 400, 1024, 20), std::vector<std::uint32_t>(1024 * 20, 0));
    EXPECT_EQ(picture.part(0, 0, 12, 768), std::vector<std::uint32_t>(12 * 768, 0));
}

TEST_F(SnapWindow, AGreetingIsCaptionedOnTheBottomPanelUntilEscCutsItOff) {
    const Picture bare = window("", "bare");
    const Picture greeting = window(std::string(kToThePlebeian) + " wait:200", "greeting");
    const Picture cut = window(std::string(kToThePlebeian) + " wait:200 Esc", "cut");
    const auto panel = [](const Picture& p) {
        return p.part(kPanelX, kPanelY, kPanelWidth, kPanelHeight);
    };
    const auto plate = [](const Picture& p) { return p.part(kPanelX + 60, kPanelY + 60, 700, 140); };
    // The caption's plate covers the engraving; around it the panel is as it was.
    EXPECT_NE(plate(greeting), plate(bare));
    EXPECT_EQ(greeting.part(kPanelX, kPanelY, kPanelWidth, 20), bare.part(kPanelX, kPanelY, kPanelWidth, 20));
    EXPECT_EQ(panel(cut), panel(bare));
}

} // namespace
