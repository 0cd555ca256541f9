#include "CityWorld.h"

#include <cmath>
#include <fstream>
#include <ostream>
#include <sstream>

namespace velmora::city {

namespace {

constexpr int kBlockPitch = 100;
constexpr int kBuildingInset = 18;
constexpr int kBuildingWidth = 64;
constexpr int kHeightClasses = 9;

int heightClassOf(int column, int row) {
    return (column * 7 + row * 13) % kHeightClasses;
}

void writeBoxDefinition(std::ostream& out, int heightClass) {
    const int w = kBuildingWidth;
    const int h = 70 + 10 * heightClass;
    const int c[5][4][3] = {
        {{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}}, {{w, 0, w}, {0, 0, w}, {0, h, w}, {w, h, w}},
        {{0, 0, w}, {0, 0, 0}, {0, h, 0}, {0, h, w}}, {{w, 0, 0}, {w, 0, w}, {w, h, w}, {w, h, 0}},
        {{0, h, 0}, {w, h, 0}, {w, h, w}, {0, h, w}},
    };
    const char* colors[5] = {"stone", "stone", "ochre", "ochre", "roof"};
    out << "OBJECT_DEFINITION\nblock" << heightClass << "\n5\n";
    for (int s = 0; s < 5; ++s) {
        out << "SURFACE\nside" << s << "\n4\n";
        for (const auto& corner : c[s]) {
            out << corner[0] << ',' << corner[1] << ',' << corner[2] << '\n';
        }
        out << "COLOR_FILL\n" << colors[s] << '\n';
    }
}

} // namespace

std::string cityWorldText(int blocks) {
    const int perRow = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(blocks))));
    std::ostringstream out;
    out << "COLOR_DEFINITION\nLT_GRAY\n192,192,192\nCOLOR_DEFINITION\nLT_GRAY_1\n176,176,176\n"
        << "COLOR_DEFINITION\nstone\n180,170,150\nCOLOR_DEFINITION\nochre\n200,150,90\n"
        << "COLOR_DEFINITION\nroof\n140,60,50\n";
    for (int k = 0; k < kHeightClasses; ++k) {
        writeBoxDefinition(out, k);
    }
    for (int i = 0; i < blocks; ++i) {
        const int column = i % perRow, row = i / perRow;
        out << "OBJECT_INSTANCE\nblock" << heightClassOf(column, row) << '\n'
            << column * kBlockPitch + kBuildingInset << ",0," << row * kBlockPitch + kBuildingInset
            << '\n';
    }
    return out.str();
}

void writeCityWorld(int blocks, const std::filesystem::path& folder) {
    const std::filesystem::path data = folder / "data";
    std::filesystem::create_directories(data);
    std::ofstream(data / "bsp.cfg") << "city.txt\n";
    std::ofstream(data / "city.txt") << cityWorldText(blocks);
}

} // namespace velmora::city
