#include "shell/PictureScale.h"
#include "shell/ViewSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velmora {
namespace {

TEST(PictureScale, StartZoomFitsThePictureAndTheMenuBarIntoTheWorkArea) {
    const struct {
        int width, height, menuBar, zoom;
    } cases[] = {{1920, 1080, 28, 1}, {3840, 2160, 28, 2},        {3840, 2160 - 48, 28, 2},
                 {2048, 1564, 28, 2}, {2048, 1563, 28, 1},        {2047, 2160, 0, 1},
                 {800, 600, 28, 1},   {30000, 30000, 0, kMaxZoom}};
    for (const auto& c : cases) {
        EXPECT_EQ(startZoom(c.width, c.height, c.menuBar), c.zoom) << c.width << "x" << c.height;
    }
}

TEST(PictureScale, PicturesAreCentredWholeOrFittedKeepingTheirAspect) {
    const struct {
        int width, height, zoom;
        PicturePlacement placement;
    } cases[] = {
        {1920, 1052, 1, {448, 142, 1}},      {3840, 2132, 2, {896, 298, 2}},
        {1025, 769, 1, {0, 0, 1}}, // half a pixel of border goes to the far side
        {50, 50, 1, {-487, -359, 1}},        {2048, 1000, kFitZoom, {357, 0, 1000.0 / 768}},
        {512, 768, kFitZoom, {0, 192, 0.5}}, {0, 0, kFitZoom, {0, 0, 1.0 / 1024}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placePicture(c.width, c.height, c.zoom), c.placement)
            << c.width << "x" << c.height << " at " << c.zoom;
    }
    EXPECT_EQ(zoomedIn(1), 2);
    EXPECT_EQ(zoomedIn(kMaxZoom), kMaxZoom);
    EXPECT_EQ(zoomedOut(2), 1);
    EXPECT_EQ(zoomedOut(1), 1);
    for (const char* bad : {"", "0", "9", "-1", "2x", " 2", "99999999999"}) {
        EXPECT_EQ(parseZoom(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(parseZoom("8"), 8);
}

TEST(ViewSettings, SurviveARunAndLoseOnlyWhatIsDamaged) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmora-view";
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(viewSettingsPath().ends_with("/velmora/settings.ini")) << viewSettingsPath();
    const std::string path = (folder / "velmora" / "settings.ini").string();
    std::ostringstream complaints;
    EXPECT_EQ(readViewSettings(path, complaints), ViewSettings{});
    const ViewSettings chosen{kFitZoom, true, false};
    writeViewSettings(path, chosen, complaints);
    EXPECT_EQ(readViewSettings(path, complaints), chosen);
    EXPECT_EQ(complaints.str(), "");

    const auto readBack = [&](const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
        complaints.str("");
        return readViewSettings(path, complaints);
    };
    EXPECT_EQ(readBack("[view]\nzoom=12\nfullscreen=true\n"), (ViewSettings{{}, true, true}));
    EXPECT_EQ(complaints.str(), "velmora: " + path + ": zoom '12' is not 1 to 8 or fit; ignored\n");
    EXPECT_EQ(readBack("[view]\nzoom=3\nfullscreen=true\ncaptions=maybe\n"),
              (ViewSettings{3, true, true}));
    EXPECT_NE(complaints.str().find("captions"), std::string::npos) << complaints.str();
    EXPECT_EQ(readBack(std::string("\x7f"
                                   "ELF\0\x01\xff[[",
                                   9)),
              ViewSettings{});
    // GLib's own message would quote the garbage.
    EXPECT_EQ(complaints.str(), "velmora: " + path +
                                    " cannot be read (not a settings file); the view starts as it "
                                    "does the first time\n");
    // A folder where the file should be can be neither read nor written.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    complaints.str("");
    EXPECT_EQ(readViewSettings(path, complaints), ViewSettings{});
    writeViewSettings(path, chosen, complaints);
    EXPECT_EQ(std::ranges::count(complaints.str(), '\n'), 2) << complaints.str();
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace velmora
