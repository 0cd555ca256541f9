// The directives that build objects: definitions, contained objects, instances and rotation
// series.
#include "geometry/Truncate.h"
#include "platform/FatalError.h"
#include "world/LineReader.h"
#include "world/NumberParsing.h"
#include "world/ReadObserver.h"
#include "world/WorldReader.h"

#include <cmath>
#include <iostream>

namespace velmora {

using platform::FatalError;
using platform::MessageIcon;

namespace {

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

void placeRotated(Object3D& object, std::int32_t angle, const Vertex& pivot) {
    if (angle != 0) {
        object.rotateAboutY(static_cast<float>(degreesToRadians(angle)), pivot);
    }
}

} // namespace

void WorldReader::readCorners(Surface& surface, LineReader& in) {
    const std::int32_t count = readInteger(readNumbers(in, NumberShape::Count));
    for (std::int32_t i = 0; i < count; ++i) {
        // Past the end of the file every corner would read as an empty line and the missing fill
        // line ends the load anyway, so there is nothing more to read.
        const std::string line = readNumbers(in, NumberShape::Corner);
        if (in.ended()) {
            return;
        }
        surface.addCorner(readCornerLine(line));
    }
}

Surface WorldReader::readSurfaceBlock(LineReader& in) {
    const std::string keyword = in.nextOrEmpty();
    if (keyword != "SURFACE") {
        std::cout << "Encountered unknown directive: " << keyword << " when expecting SURFACE"
                  << std::flush;
        throw FatalError("Encountered unknown directive: " + keyword + " when expecting SURFACE",
                         "Error");
    }
    Surface surface;
    surface.name = in.nextOrEmpty();
    surface.source = in.where();
    readCorners(surface, in);
    readFill(surface, in);
    if (observer_ != nullptr) {
        observer_->surfaceRead(surface);
    }
    return surface;
}

void WorldReader::readObjectDefinition(World& world, LineReader& in) {
    Object3D object(in.nextOrEmpty());
    const SourcePosition nameAt = in.where();
    const std::int32_t count = readInteger(readNumbers(in, NumberShape::Count));
    for (std::int32_t i = 0; i < count; ++i) {
        object.surfaces.push_back(readSurfaceBlock(in));
    }
    if (observer_ != nullptr) {
        observer_->objectDefined(object.name, nameAt);
    }
    world.addObjectDefinition(object);
}

std::string WorldReader::readObjectName(LineReader& in, ReadObserver::NameUse use) {
    std::string name = in.nextOrEmpty();
    if (observer_ != nullptr) {
        observer_->objectNamed(name, use, in.where());
    }
    return name;
}

void WorldReader::readContainedObject(World& world, LineReader& in) {
    const std::string containerName = readObjectName(in, ReadObserver::NameUse::Receiver);
    const std::string containedName = readObjectName(in, ReadObserver::NameUse::Copied);
    const PositionLine placement = readPositionLine(readNumbers(in, NumberShape::Position));
    Object3D& container = world.definition(containerName);
    Object3D copy = world.definition(containedName);
    checkSurfaceCount(container.surfaces.size(), copy.surfaces.size());
    placeRotated(copy, placement.angle, placement.pivot);
    copy.translate(placement.position);
    container.addSurfaces(copy.surfaces);
}

void WorldReader::readObjectInstance(World& world, LineReader& in) {
    Object3D copy = world.definition(readObjectName(in, ReadObserver::NameUse::Placed));
    const PositionLine placement = readPositionLine(readNumbers(in, NumberShape::Position));
    checkSurfaceCount(instanceSurfaces_, copy.surfaces.size());
    placeRotated(copy, placement.angle, placement.pivot);
    copy.translate(placement.position);
    instanceSurfaces_ += copy.surfaces.size();
    world.addObjectInstance(copy);
}

void WorldReader::readRotationSeries(World& world, LineReader& in) {
    const std::string containerName = readObjectName(in, ReadObserver::NameUse::Receiver);
    const std::string repeatedName = readObjectName(in, ReadObserver::NameUse::Copied);
    Vertex position = readCornerLine(readNumbers(in, NumberShape::Corner));
    const Vertex series = readCornerLine(readNumbers(in, NumberShape::Corner));
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
