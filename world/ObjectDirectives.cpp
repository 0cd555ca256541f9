// The directives that build objects: definitions, contained objects, instances and rotation
// series.
#include "geometry/Truncate.h"
#include "platform/FatalError.h"
#include "world/LineReader.h"
#include "world/NumberParsing.h"
#include "world/WorldReader.h"

#include <cmath>
#include <iostream>

namespace velmora {

using platform::FatalError;
using platform::MessageIcon;

namespace {

void readCorners(Surface& surface, LineReader& in) {
    const std::int32_t count = readInteger(in.nextOrEmpty());
    for (std::int32_t i = 0; i < count; ++i) {
        // Past the end of the file every corner would read as an empty line and the missing fill
        // line ends the load anyway, so there is nothing more to read.
        std::optional<std::string> line = in.next();
        if (!line) {
            return;
        }
        surface.addCorner(readCornerLine(*line));
    }
}

void readFill(Surface& surface, LineReader& in) {
    const std::string fill = in.nextOrEmpty();
    if (fill == "COLOR_FILL") {
        surface.fillType = kColorFill;
        surface.colorName = in.nextOrEmpty();
    } else if (fill == "TEXTURE_FILL") {
        surface.fillType = kTextureFill;
        surface.textureName = in.nextOrEmpty();
        surface.colorName = in.nextOrEmpty();
    } else {
        throw FatalError("ERROR: surface " + surface.name + " has an invalid fill type!", "Error",
                         MessageIcon::Error);
    }
}

Surface readSurfaceBlock(LineReader& in) {
    const std::string keyword = in.nextOrEmpty();
    if (keyword != "SURFACE") {
        std::cout << "Encountered unknown directive: " << keyword << " when expecting SURFACE"
                  << std::flush;
        throw FatalError("Encountered unknown directive: " + keyword + " when expecting SURFACE",
                         "Error");
    }
    Surface surface;
    surface.name = in.nextOrEmpty();
    readCorners(surface, in);
    readFill(surface, in);
    return surface;
}

void placeRotated(Object3D& object, std::int32_t angle, const Vertex& pivot) {
    if (angle != 0) {
        object.rotateAboutY(static_cast<float>(degreesToRadians(angle)), pivot);
    }
}

} // namespace

void WorldReader::readObjectDefinition(World& world, LineReader& in) {
    Object3D object(in.nextOrEmpty());
    const std::int32_t count = readInteger(in.nextOrEmpty());
    for (std::int32_t i = 0; i < count; ++i) {
        object.surfaces.push_back(readSurfaceBlock(in));
    }
    world.addObjectDefinition(object);
}

void WorldReader::readContainedObject(World& world, LineReader& in) {
    const std::string containerName = in.nextOrEmpty();
    const std::string containedName = in.nextOrEmpty();
    const PositionLine placement = readPositionLine(in.nextOrEmpty());
    Object3D& container = world.definition(containerName);
    Object3D copy = world.definition(containedName);
    checkSurfaceCount(container.surfaces.size(), copy.surfaces.size());
    placeRotated(copy, placement.angle, placement.pivot);
    copy.translate(placement.position);
    container.addSurfaces(copy.surfaces);
}

void WorldReader::readObjectInstance(World& world, LineReader& in) {
    Object3D copy = world.definition(in.nextOrEmpty());
    const PositionLine placement = readPositionLine(in.nextOrEmpty());
    checkSurfaceCount(instanceSurfaces_, copy.surfaces.size());
    placeRotated(copy, placement.angle, placement.pivot);
    copy.translate(placement.position);
    instanceSurfaces_ += copy.surfaces.size();
    world.addObjectInstance(copy);
}

void WorldReader::readRotationSeries(World& world, LineReader& in) {
    const std::string containerName = in.nextOrEmpty();
    const std::string repeatedName = in.nextOrEmpty();
    Vertex position = readCornerLine(in.nextOrEmpty());
    const Vertex series = readCornerLine(in.nextOrEmpty());
    const std::int32_t step = truncateToInt(series.x);
    const std::int32_t count = truncateToInt(series.y);
    const std::int32_t length = truncateToInt(series.z);

    Object3D& container = world.definition(containerName);
    const Object3D repeated = world.definition(repeatedName);
    if (count <= 0 || repeated.surfaces.empty()) {
        return; // nothing would be added
    }
    checkSurfaceCount(container.surfaces.size(), repeated.surfaces.size(),
                      static_cast<std::size_t>(count));
    position.u = 0;
    position.v = 0;
    // Copy k is turned by (2k + 1) * step degrees; the chain bends by 2 * step per copy.
    float turn = 0.0f;
    for (std::int32_t k = 0; k < count; ++k) {
        turn += static_cast<float>(step);
        const double radians = degreesToRadians(turn);
        Object3D copy = repeated;
        copy.rotateAboutY(static_cast<float>(radians), Vertex{});
        copy.translate(position);
        container.addSurfaces(copy.surfaces);
        position.x = static_cast<float>(position.x + length * std::sin(radians));
        position.z = static_cast<float>(position.z + length * std::cos(radians));
        turn += static_cast<float>(step);
    }
}

} // namespace velmora
