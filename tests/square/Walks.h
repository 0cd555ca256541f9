// The figures of the square, the start, and the walks recorded from the start to each figure.
// A walk is written compactly: "Right*60 Up*200" is sixty presses of Right, then two hundred
// of Up.
#pragma once

#include <cmath>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::square {

struct Figure {
    const char* name;
    float x;
    float y;
    float z;
    int zone; // half the side of the square trigger zone
};

// The places where the figures stand; the fire pot has its own smaller zone.
inline const Figure kFigures[] = {
    {"centurion", 560, 0, -500, 80}, {"guard", 2600, 0, -650, 80},
    {"senator", -325, 0, 389, 80},   {"plebeian", 100, 0, -100, 80},
    {"priestess", 1400, 0, -900, 80}, {"firepot", 1125, 0, -800, 50},
    {"woman", 2200, 60, -280, 80},
};

inline const Figure& figureNamed(const std::string& name) {
    for (const Figure& figure : kFigures) {
        if (name == figure.name) {
            return figure;
        }
    }
    return kFigures[0];
}

inline bool insideZone(const Figure& figure, double x, double z) {
    return std::fabs(x - figure.x) < figure.zone && std::fabs(z - figure.z) < figure.zone;
}

// Where a visitor stands and looks.
struct Pose {
    double x = 0;
    double y = 0;
    double z = 0;
    float heading = 0;
};

// The shipped world's DEFAULT_LOCATION.
inline constexpr Pose kStart{330, 55, -320, 330};

struct Walk {
    const char* figure;
    const char* keys;
};

inline void PrintTo(const Walk& walk, std::ostream* out) {
    *out << walk.figure << " (" << walk.keys << ")";
}

// From the start to each figure, each ending inside the figure's zone, facing it.
inline const Walk kWalks[] = {
    {"plebeian", "Left*7 Up*23 Left*9"},
    {"centurion", "Right*79 Up*23 Left*3"},
    // West along the square, north through the middle passage of the arch, then north-west.
    {"senator", "Left*30 Up*44 Right*44 Up*45 Left*19 Up*27 Left*8"},
    {"priestess", "Right*60 Up*42 Right*20 Up*90 Left*4"},
    {"firepot", "Right*60 Up*42 Right*23 Up*63"},
    // Straight east and up the three steps of the temple platform.
    {"woman", "Right*60 Up*200 Left*15"},
    // East, round the south-west corner of the temple platform, east again.
    {"guard", "Right*60 Up*175 Right*30 Up*35 Left*30 Up*54 Right*18"},
};

// "Right*2 Up*1" becomes {"Right", "Right", "Up"}.
inline std::vector<std::string> expandKeys(const std::string& compact) {
    std::vector<std::string> keys;
    std::istringstream in(compact);
    std::string word;
    while (in >> word) {
        const std::size_t star = word.find('*');
        const int count = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
        for (int i = 0; i < count; ++i) {
            keys.push_back(word.substr(0, star));
        }
    }
    return keys;
}

inline std::string joinKeys(const std::vector<std::string>& keys) {
    std::string text;
    for (const std::string& key : keys) {
        text += (text.empty() ? "" : " ") + key;
    }
    return text;
}

// The poses a visitor passes through when no step is refused: a turn changes the heading by two
// degrees within 0..360, a step goes to trunc(x + 10 sin a), trunc(z + 10 cos a) with
// a = heading * 0.017453529976437735. The first pose is the start; one pose follows each key.
inline std::vector<Pose> unblockedPoses(const std::string& compact, Pose start = kStart) {
    std::vector<Pose> poses{start};
    Pose pose = start;
    for (const std::string& key : expandKeys(compact)) {
        if (key == "Left") {
            pose.heading -= 2.0f;
            if (pose.heading < 0.0f) {
                pose.heading += 360.0f;
            }
        } else if (key == "Right") {
            pose.heading += 2.0f;
            if (pose.heading > 360.0f) {
                pose.heading -= 360.0f;
            }
        } else if (key == "Up") {
            const double a = pose.heading * 0.017453529976437735;
            pose.x = std::trunc(pose.x + 10.0 * std::sin(a));
            pose.z = std::trunc(pose.z + 10.0 * std::cos(a));
        }
        poses.push_back(pose);
    }
    return poses;
}

} // namespace velmora::square
