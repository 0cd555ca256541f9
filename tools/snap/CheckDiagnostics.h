#pragma once

#include "geometry/SourcePosition.h"
#include "world/WorldReader.h"

#include <ostream>
#include <string>
#include <vector>

namespace velmora::snap {

// What a world check found, each at the line of a world file it is about: warnings for what
// loads but looks wrong, and the error that stops the load.
class CheckDiagnostics {
  public:
    void warn(SourcePosition at, std::string text);
    void fail(SourcePosition at, std::string text);

    // "FILE:LINE: warning: TEXT" or "FILE:LINE: error: TEXT" (just "FILE" at line 0), one a
    // line, each once: by file in the order the load read them (bsp.cfg, the top world file,
    // then the includes as they were reached), then by line, and on one line in the order found.
    void print(const WorldReader& reader, std::ostream& out) const;

    // 0 when nothing was found, 1 with warnings only, 5 with an error.
    int exitCode() const;

  private:
    struct Diagnostic {
        SourcePosition at;
        bool isError;
        std::string text;
    };
    std::vector<Diagnostic> found_;
};

} // namespace velmora::snap
