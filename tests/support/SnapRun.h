#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::test {

// What one run of velmora-snap printed and how it ended.
struct SnapRun {
    std::string out;
    int exitCode = -1; // -1 when it did not exit normally
};

// Runs the velmora-snap at `snap` in directory with the arguments; out captures what the
// redirection leaves on standard output (by default both streams).
SnapRun runSnap(const std::string& snap, const std::string& directory, const std::string& arguments,
                const std::string& redirection = "2>&1");

// A PNG's pixels as 0xRRGGBB, row by row; empty when the file cannot be read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    // The pixels of a rectangle inside the picture, row by row.
    std::vector<std::uint32_t> part(int x, int y, int w, int h) const;
};
Picture readPicture(const std::filesystem::path& path);

// Whether the golden pictures are being drawn anew (VELMORA_UPDATE_GOLDEN=1).
bool updatingGoldens();

// Compares a drawn frame with its expected picture, pixel by pixel. Returns a failure message,
// empty when they match. On a difference it writes a difference picture (differing pixels red
// over the darkened frame) to `difference`.
std::string compareWithExpected(const std::filesystem::path& actual,
                                const std::filesystem::path& expected,
                                const std::filesystem::path& difference);

} // namespace velmora::test
