#include "world/World.h"

namespace velmora {

namespace {

std::unique_ptr<World>& singleton() {
    static std::unique_ptr<World> world;
    return world;
}

} // namespace

World::~World() {
    // The tree goes before the rest of the scene.
    bspRoot.reset();
}

World& World::instance() {
    std::unique_ptr<World>& world = singleton();
    if (!world) {
        struct Constructible : World {};
        world = std::make_unique<Constructible>();
    }
    return *world;
}

void World::destroy() {
    singleton().reset();
}

Object3D& World::definition(const std::string& name) {
    return objectDefinitions.try_emplace(name, name).first->second;
}

void World::addObjectDefinition(const Object3D& object) {
    objectDefinitions.insert_or_assign(object.name, object);
}

void World::addObjectInstance(const Object3D& object) {
    objectInstances.push_back(object);
}

void World::toggleGroundGrid() {
    groundGridEnabled = groundGridEnabled == 0 ? 1 : 0;
}

void World::reportProgress(const char* text) const {
    if (progressCallback) {
        progressCallback(text);
    }
}

} // namespace velmora
