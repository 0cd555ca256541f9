#pragma once

#include "world/World.h"
#include "world/WorldReader.h"
#include "platform/FatalError.h"

#include <optional>
#include <string>
#include <vector>

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

// Loads the files as they are now into a scene of their own and, only when that succeeds, puts
// it in place of world's scene. A load that fails leaves world as it was and gives the error
// that stopped it. The reader must have read its configuration.
std::optional<platform::FatalError> replaceWorld(World& world, WorldReader& reader,
                                                 platform::Host& host);

// The paths of the files the reader has read in this load, under its data directory: bsp.cfg,
// the top world file and every included file.
std::vector<std::string> filesRead(const WorldReader& reader, const std::string& dataDirectory);

} // namespace velmora
