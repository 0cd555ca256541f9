#include "loading/LoadPipeline.h"

#include "world/Triangulation.h"

namespace velmora {

void runLoadPipeline(World& world, WorldReader& reader, platform::Host& host) {
    world.reportProgress("Reading data files...");
    reader.parseWorldFile(world, reader.worldFileName());
    world.reportProgress("Creating BSP...");
    world.reportProgress("Adding surfaces...");
    for (const Object3D& instance : world.objectInstances) {
        instance.appendSurfacesTo(world.bspRoot->surfaces);
    }
    reader.throwIfStopped();
    world.reportProgress("Converting polygons to triangles...");
    convertPolygonsToTriangles(world);
    reader.throwIfStopped();
    world.reportProgress("Creating BSP...");
    world.bspRoot->buildSubtree(host, reader.treeLimits(), reader.stopToken());
}

void loadWorld(WorldReader& reader, Vertex& camera, float& heading, platform::Host& host) {
    World& world = World::instance();
    reader.readConfiguration();
    runLoadPipeline(world, reader, host);
    camera.x = world.defaultLocation.x;
    camera.y = world.defaultLocation.y;
    camera.z = world.defaultLocation.z;
    heading = static_cast<float>(world.defaultHeading);
}

void reloadWorld(World& world, WorldReader& reader, platform::Host& host) {
    world.bspRoot->releaseSubtree();
    world.objectDefinitions.clear();
    world.objectInstances.clear();
    world.bspRoot = std::make_unique<BSPNode>();
    reader.beginReload();
    // A reload shows the files as they are now: colours and walls of the previous load go too.
    world.colors.clear();
    world.edges.clear();
    runLoadPipeline(world, reader, host);
}

std::optional<platform::FatalError> replaceWorld(World& world, WorldReader& reader,
                                                 platform::Host& host) {
    struct Candidate : World {};
    Candidate candidate;
    try {
        runLoadPipeline(candidate, reader, host);
    } catch (const platform::FatalError& error) {
        return error;
    }
    world.bspRoot = std::move(candidate.bspRoot);
    world.objectDefinitions = std::move(candidate.objectDefinitions);
    world.objectInstances = std::move(candidate.objectInstances);
    world.colors = std::move(candidate.colors);
    world.edges = std::move(candidate.edges);
    world.defaultLocation = candidate.defaultLocation;
    world.defaultHeading = candidate.defaultHeading;
    return std::nullopt;
}

std::vector<std::string> filesRead(const WorldReader& reader, const std::string& dataDirectory) {
    std::vector<std::string> files{dataDirectory + "/bsp.cfg"};
    if (!reader.worldFileName().empty()) {
        files.push_back(dataDirectory + "/" + reader.worldFileName());
    }
    for (const std::string& name : reader.includedFiles()) {
        files.push_back(dataDirectory + "/" + name);
    }
    return files;
}

} // namespace velmora
