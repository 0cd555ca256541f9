#include "world/WorldReader.h"

#include "platform/FatalError.h"
#include "world/LineReader.h"
#include "world/NumberParsing.h"

#include <algorithm>

namespace velmora {

using platform::FatalError;

namespace {

FatalError unableToOpen(const std::string& name) {
    return FatalError("unable to open file: " + name, "Error");
}

} // namespace

WorldReader::WorldReader(std::string dataDirectory, std::size_t surfaceLimit)
    : dataDirectory_(std::move(dataDirectory)), surfaceLimit_(surfaceLimit) {}

std::string WorldReader::pathOf(const std::string& name) const {
    // World files name their paths with backslashes.
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return dataDirectory_ + "/" + relative;
}

void WorldReader::readConfiguration() {
    LineReader in(pathOf("bsp.cfg"));
    if (!in.isOpen()) {
        throw unableToOpen("bsp.cfg");
    }
    worldFileName_ = in.nextOrEmpty();
}

void WorldReader::beginReload() {
    includedFiles_.clear();
    instanceSurfaces_ = 0;
}

void WorldReader::parseWorldFile(World& world, const std::string& name) {
    LineReader in(pathOf(name));
    if (!in.isOpen()) {
        throw unableToOpen(name);
    }
    while (std::optional<std::string> line = in.next()) {
        if (!applyDirective(world, *line, in)) {
            return;
        }
    }
}

// Applies one directive line; false at END.
bool WorldReader::applyDirective(World& world, const std::string& line, LineReader& in) {
    if (line == "END") {
        return false;
    }
    if (line == "COLOR_DEFINITION") {
        readColorDefinition(world, in);
    } else if (line == "DEFAULT_LOCATION") {
        readDefaultLocation(world, in);
    } else if (line == "OBJECT_DEFINITION") {
        readObjectDefinition(world, in);
    } else if (line == "CONTAINED_OBJECT") {
        readContainedObject(world, in);
    } else if (line == "OBJECT_INSTANCE") {
        readObjectInstance(world, in);
    } else if (line == "OBJECT_ROTATION_SERIES") {
        readRotationSeries(world, in);
    } else if (line == "GROUND_TILES") {
        // Accepted for older world files; it has no data lines and no effect.
    } else if (line.starts_with("INCLUDE")) {
        include(world, line);
    } else if (!line.empty() && line.front() != '#') {
        throw FatalError("Expected label OBJECT_DEFINITION or OBJECT_INSTANCE\nlast line: " + line +
                             "\n",
                         "Error");
    }
    return true;
}

void WorldReader::include(World& world, const std::string& line) {
    const std::size_t blank = line.rfind(' ');
    const std::string name = blank == std::string::npos ? line : line.substr(blank + 1);
    // The name is remembered before the file is read, so that a file including itself, directly
    // or through others, reads as a no-op instead of recursing.
    if (includedFiles_.insert(name).second) {
        parseWorldFile(world, name);
    }
}

void WorldReader::readColorDefinition(World& world, LineReader& in) {
    ColorDefinition color;
    color.name = in.nextOrEmpty();
    const NumberList rgb = readNumberList(in.nextOrEmpty());
    color.red = rgb.first;
    color.green = rgb.second;
    color.blue = rgb.third;
    world.colors.push_back(std::move(color));
}

void WorldReader::readDefaultLocation(World& world, LineReader& in) {
    const PositionLine line = readPositionLine(in.nextOrEmpty());
    world.defaultLocation = line.position;
    world.defaultHeading = line.angle;
}

void WorldReader::checkSurfaceCount(std::size_t current, std::size_t added,
                                    std::size_t times) const {
    const std::size_t room = current >= surfaceLimit_ ? 0 : surfaceLimit_ - current;
    if (added != 0 && times > room / added) {
        throw FatalError("world too large: more than " + std::to_string(surfaceLimit_) +
                             " surfaces in one object or in the placed instances",
                         "Error");
    }
}

} // namespace velmora
