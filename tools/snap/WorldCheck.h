#pragma once

#include <ostream>
#include <string>

namespace velmora::snap {

// velmora-snap --check: loads the world in dataDirectory without drawing it or building its
// tree and prints what looks wrong as "FILE:LINE: warning: TEXT", and the error that stops the
// load as "FILE:LINE: error: TEXT" with the loader's own text. Returns the exit code: 0 clean,
// 1 warnings, 5 an error.
int checkWorld(const std::string& dataDirectory, std::ostream& out);

} // namespace velmora::snap
