#pragma once

#include "world/World.h"

#include <cstddef>
#include <set>
#include <string>

namespace velmora {

class LineReader;

// Reads data/bsp.cfg and the world files it names into a World. Holds what must survive between
// files of one load: the top world file's name and the files already included.
class WorldReader {
  public:
    // No world the program ships comes near this; it keeps a runaway file (a definition copied
    // into itself over and over, a huge repeat count) from exhausting memory.
    static constexpr std::size_t kDefaultSurfaceLimit = 1'000'000;

    explicit WorldReader(std::string dataDirectory = "data",
                         std::size_t surfaceLimit = kDefaultSurfaceLimit);

    // Stores the first line of bsp.cfg as the world file name.
    void readConfiguration();
    // Reads data/<name> and applies every directive to world, until the file ends or END.
    void parseWorldFile(World& world, const std::string& name);
    // Starts a new load: every included file will be read again.
    void beginReload();

    const std::string& worldFileName() const { return worldFileName_; }
    const std::set<std::string>& includedFiles() const { return includedFiles_; }

  private:
    std::string pathOf(const std::string& name) const;
    bool applyDirective(World& world, const std::string& line, LineReader& in);
    void include(World& world, const std::string& line);
    void readColorDefinition(World& world, LineReader& in);
    void readDefaultLocation(World& world, LineReader& in);
    void readObjectDefinition(World& world, LineReader& in);
    void readContainedObject(World& world, LineReader& in);
    void readObjectInstance(World& world, LineReader& in);
    void readRotationSeries(World& world, LineReader& in);
    // Throws when an object would grow past the surface limit.
    void checkSurfaceCount(std::size_t current, std::size_t added, std::size_t times = 1) const;

    std::string dataDirectory_;
    std::size_t surfaceLimit_;
    std::string worldFileName_;
    std::set<std::string> includedFiles_;
    std::size_t instanceSurfaces_ = 0;
};

} // namespace velmora
