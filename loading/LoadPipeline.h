#pragma once

#include "world/World.h"
#include "world/WorldReader.h"

namespace velmora {

// Reads the world files and prepares the scene: instances into the tree's root, triangles and
// collision edges, then the tree itself, whose build reports to the host's debug output. A stop requested through the reader (WorldReader::stopOn)
// ends it between steps, and inside reading and the tree build, with platform::LoadStopped.
void runLoadPipeline(World& world, WorldReader& reader, platform::Host& host);

// The first load: configuration, pipeline, and the camera placed at the world's default
// location and heading.
void loadWorld(WorldReader& reader, Vertex& camera, float& heading, platform::Host& host);

// Empties the scene and loads the files again as they are now; the camera stays where it is.
void reloadWorld(World& world, WorldReader& reader, platform::Host& host);

} // namespace velmora
