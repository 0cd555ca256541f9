#include "ReadRecord.h"

#include "geometry/PolygonShape.h"

#include <cstdio>

namespace velmora::snap {

namespace {

// The ground grid's own colours: drawn by the program, named by no surface.
const std::set<std::string> kProgramColors{"LT_GRAY", "LT_GRAY_1"};

// A polygon off its plane by more than this draws visibly wrong.
constexpr double kFlatEnough = 0.5;

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string units(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// What is wrong with one number of a line, if anything.
std::optional<std::string> numberFault(std::string_view field, bool isColor) {
    const IntegerReading reading = readIntegerField(field);
    const std::string reads = "; it reads as " + std::to_string(reading.value);
    if (!reading.hasDigits) {
        return isBlank(field) ? std::nullopt
                              : std::optional(quoted(field) + " is not a number" + reads);
    }
    if (reading.clamped) {
        return quoted(field) + " is out of range" + reads;
    }
    if (!isBlank(reading.rest)) {
        return quoted(field) + " has text after its number" + reads;
    }
    if (isColor && (reading.value < 0 || reading.value > 255)) {
        return "colour value " + std::to_string(reading.value) + " is outside 0 to 255";
    }
    return std::nullopt;
}

} // namespace

void ReadRecord::colorDefined(const std::string& name, SourcePosition at) {
    colors_.push_back({name, at});
}

void ReadRecord::objectDefined(const std::string& name, SourcePosition at) {
    const auto [known, added] = defined_.try_emplace(name, at);
    if (!added) {
        diagnostics_.warn(at, "definition " + quoted(name) + " replaces the one at " +
                                  reader_.describe(known->second));
    }
}

void ReadRecord::objectNamed(const std::string& name, NameUse use, SourcePosition at) {
    if (use == NameUse::Receiver) {
        defined_.try_emplace(name, at);
        receiver_ = name;
        return;
    }
    if (!defined_.contains(name)) {
        usedUndefined_.push_back({name, at});
    }
    if (use == NameUse::Placed) {
        placed_.insert(name);
        placedAt_.push_back(at);
    } else {
        copiedInto_.emplace(receiver_, name);
    }
}

void ReadRecord::locationSet(SourcePosition at) {
    locationAt_ = at;
}

void ReadRecord::surfaceRead(const Surface& surface) {
    const std::vector<Vertex>& corners = surface.vertices;
    const SourcePosition at = surface.source;
    const std::string name = "surface " + quoted(surface.name);
    // The lines after the name: the count, the corners, the fill keyword, the texture name when
    // it has one, the colour name.
    const std::uint32_t fillLine = at.line + 2 + std::uint32_t(corners.size());
    const std::uint32_t colorLine = fillLine + (surface.fillType == kTextureFill ? 2 : 1);
    colorUses_[surface.colorName].push_back({at.file, colorLine});
    if (corners.size() < 3) {
        diagnostics_.warn(at, name + " has " + std::to_string(corners.size()) +
                                  " corners: it needs at least 3 and is left out");
        return;
    }
    if (const auto sides = crossingSides(corners)) {
        diagnostics_.warn(at, name + " crosses itself: its sides from corner " +
                                  std::to_string(sides->first + 1) + " and from corner " +
                                  std::to_string(sides->second + 1) + " cross");
    } else if (doubleArea(corners) < 1e-6) {
        diagnostics_.warn(at, name + " has no area: its corners lie on one line");
    }
    if (const auto offset = farthestFromFirstPlane(corners); offset && offset->distance > kFlatEnough) {
        diagnostics_.warn({at.file, at.line + 2 + std::uint32_t(offset->corner)},
                          name + " is not flat: corner " + std::to_string(offset->corner + 1) +
                              " lies " + units(offset->distance) +
                              " units off the plane of its first three corners");
    }
}

void ReadRecord::numbersRead(std::string_view text, NumberShape shape, SourcePosition at) {
    const NumberFields fields = numberFields(text, shape);
    for (std::size_t i = 0; i < fields.count; ++i) {
        if (const auto fault = numberFault(fields.texts[i], shape == NumberShape::List)) {
            diagnostics_.warn(at, *fault);
        }
    }
}

void ReadRecord::directiveCutShort(const std::string& keyword, SourcePosition at) {
    diagnostics_.warn(at, "the file ends inside " + keyword + ": its missing lines read as empty");
}

void ReadRecord::checkNames() const {
    checkColors();
    checkDefinitions();
}

void ReadRecord::checkColors() const {
    // Where colours are looked up, the last definition of a name wins.
    std::map<std::string, SourcePosition> last;
    for (const Named& color : colors_) {
        last[color.name] = color.at;
    }
    for (const Named& color : colors_) {
        const SourcePosition winner = last[color.name];
        if (winner != color.at) {
            diagnostics_.warn(color.at, "colour " + quoted(color.name) + " is defined again at " +
                                            reader_.describe(winner) +
                                            ", so this definition is never used");
        } else if (!colorUses_.contains(color.name) && !kProgramColors.contains(color.name)) {
            diagnostics_.warn(color.at, "colour " + quoted(color.name) + " is never used");
        }
    }
    for (const std::string& name : kProgramColors) {
        if (!last.contains(name)) {
            // Told at the top world file's start: no line of the world names it.
            diagnostics_.warn({1, 1}, "colour " + quoted(name) +
                                          " is not defined: the ground grid is drawn in it");
        }
    }
    for (const auto& [name, uses] : colorUses_) {
        if (!last.contains(name)) {
            for (const SourcePosition at : uses) {
                diagnostics_.warn(at, "colour " + quoted(name) + " is not defined");
            }
        }
    }
}

// The definitions placed, and those copied into one in use, however deep.
std::set<std::string> ReadRecord::definitionsInUse() const {
    std::set<std::string> inUse;
    std::vector<std::string> toVisit(placed_.begin(), placed_.end());
    while (!toVisit.empty()) {
        std::string name = std::move(toVisit.back());
        toVisit.pop_back();
        if (!inUse.insert(name).second) {
            continue;
        }
        const auto [begin, end] = copiedInto_.equal_range(name);
        for (auto it = begin; it != end; ++it) {
            toVisit.push_back(it->second);
        }
    }
    return inUse;
}

void ReadRecord::checkDefinitions() const {
    for (const Named& use : usedUndefined_) {
        const auto later = defined_.find(use.name);
        diagnostics_.warn(use.at, later == defined_.end()
                                      ? "definition " + quoted(use.name) + " is not defined"
                                      : "definition " + quoted(use.name) +
                                            " is defined only later, at " +
                                            reader_.describe(later->second) +
                                            ": here it is empty");
    }
    const std::set<std::string> inUse = definitionsInUse();
    for (const auto& [name, at] : defined_) {
        if (!inUse.contains(name)) {
            diagnostics_.warn(at, "definition " + quoted(name) + " is never placed");
        }
    }
}

} // namespace velmora::snap
