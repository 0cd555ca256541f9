#pragma once

#include <optional>
#include <string>

namespace velmora {

// Where a program finds the world files (the folder holding bsp.cfg), in this order:
// - with --world DIR: DIR/data when it holds bsp.cfg, else DIR itself (a folder that is data/);
// - ./data when it holds bsp.cfg: the checkout, or a world author's folder;
// - the installed world beside the executable: EXE_DIR/../share/velmora/data, so that a tree
//   installed with any --prefix finds its own world from any working directory;
// - installedData, the world of the prefix the build was configured for;
// - ./data, whose missing bsp.cfg the load then reports.
std::string findWorldDirectory(const std::optional<std::string>& worldOption,
                               const std::string& executable, const std::string& installedData);

// The running program's own path (/proc/self/exe), or empty when it cannot be read.
std::string ownExecutable();

} // namespace velmora
