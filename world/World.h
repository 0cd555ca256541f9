#pragma once

#include "bsp/BSPNode.h"
#include "geometry/CollisionEdge.h"
#include "geometry/Vertex.h"
#include "world/ColorDefinition.h"
#include "world/Object3D.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

// Everything the scene consists of. One instance exists while the program runs.
class World {
  public:
    using ProgressCallback = std::function<void(const char* text)>;

    virtual ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // The single World, created with its initial values on first use. Whoever runs the program
    // calls instance() before it starts a second thread and destroy() after it has joined every
    // thread; the next instance() would create a fresh World.
    static World& instance();
    static void destroy();

    // The definition of that name, created empty if missing.
    Object3D& definition(const std::string& name);
    void addObjectDefinition(const Object3D& object);
    void addObjectInstance(const Object3D& object);

    void toggleGroundGrid();

    // Passes a progress text to the callback, when one is set.
    void reportProgress(const char* text) const;

    std::map<std::string, Object3D> objectDefinitions;
    std::vector<Object3D> objectInstances;
    std::vector<ColorDefinition> colors;
    std::vector<CollisionEdge> edges;
    std::unique_ptr<BSPNode> bspRoot = std::make_unique<BSPNode>();
    Vertex defaultLocation{0.0f, 55.0f, 0.0f};
    std::int32_t defaultHeading = 0;
    ProgressCallback progressCallback;
    std::int32_t groundGridEnabled = 1;

  protected:
    World() = default;
};

} // namespace velmora
