#pragma once

#include "geometry/SourcePosition.h"
#include "platform/FatalError.h"
#include "world/NumberParsing.h"
#include "world/ReadObserver.h"
#include "world/World.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

class LineReader;

// One file of a load, by the name bsp.cfg or an INCLUDE line gave it, and the line that asked
// for it (line 0 for bsp.cfg itself).
struct SourceFile {
    std::string name;
    SourcePosition askedAt;
};

// Reads data/bsp.cfg and the world files it names into a World. Holds what must survive between
// files of one load: the top world file's name and the files already included.
class WorldReader {
  public:
    // No world the program ships comes near this; it keeps a runaway file (a definition copied
    // into itself over and over, a huge repeat count) from exhausting memory.
    static constexpr std::size_t kDefaultSurfaceLimit = 1'000'000;
    // Hand-made worlds nest a handful of files. A chain a thousand files deep is generated or
    // broken; it is refused with a message rather than followed further, which also bounds the
    // list of files waiting to be finished (each entry keeps its name, of any length).
    static constexpr std::size_t kIncludeDepthLimit = 1000;

    explicit WorldReader(std::string dataDirectory = "data",
                         std::size_t surfaceLimit = kDefaultSurfaceLimit,
                         TreeLimits treeLimits = {});

    // Stores the first line of bsp.cfg as the world file name.
    void readConfiguration();
    // Reads data/<name> and applies every directive to world, until the file ends or END. An
    // included file is read at the place of its INCLUDE line, at most once per load however its
    // path is spelled; the includes are followed without recursion and with one file open.
    void parseWorldFile(World& world, const std::string& name);
    // Starts a new load: every included file will be read again.
    void beginReload();
    // From now on a requested stop ends the load with platform::LoadStopped at the next line
    // read or tree node built.
    void stopOn(std::stop_token stop);
    // Throws platform::LoadStopped once a stop has been requested.
    void throwIfStopped() const;

    // For a check that reads a world whole: from now on passing the surface limit does not stop
    // the load but is kept as limitPassed(), the first time and with its place, and the load
    // goes on until it passes hardLimit instead.
    void readPastSurfaceLimit(std::size_t hardLimit) { hardLimit_ = hardLimit; }
    // The error with which the surface limit would have stopped the load, if it was passed.
    const std::optional<platform::FatalError>& limitPassed() const { return limitPassed_; }

    // Tells observer about everything read from now on; nullptr tells nobody. The observer must
    // outlive the reads.
    void observe(ReadObserver* observer) { observer_ = observer; }

    // The files of this load, numbered as SourcePosition numbers them: bsp.cfg first, then each
    // world file in the order it was opened.
    const std::vector<SourceFile>& sourceFiles() const { return sourceFiles_; }
    // "FILE:LINE", with the file's name as bsp.cfg or its INCLUDE line wrote it.
    std::string describe(SourcePosition at) const;

    const std::string& worldFileName() const { return worldFileName_; }
    // The files read through INCLUDE in this load, each by the name that first included it.
    const std::set<std::string>& includedFiles() const { return includedFiles_; }
    // What building the scene's tree may spend in this load, and the stop it heeds.
    const TreeLimits& treeLimits() const { return treeLimits_; }
    const std::stop_token& stopToken() const { return stop_; }

  private:
    std::string pathOf(const std::string& name) const;
    std::uint32_t addSourceFile(std::string name, SourcePosition askedAt);
    // "FILE:LINE: here" and the "included from" lines of the files that led to it.
    std::string placeOf(SourcePosition at) const;
    // Reads one line of numbers and shows it to the observer.
    std::string readNumbers(LineReader& in, NumberShape shape);
    std::optional<std::string> readUntilInclude(World& world, LineReader& in);
    void applyDirective(World& world, const std::string& line, LineReader& in);
    void readColorDefinition(World& world, LineReader& in);
    void readDefaultLocation(World& world, LineReader& in);
    void readObjectDefinition(World& world, LineReader& in);
    void readContainedObject(World& world, LineReader& in);
    void readObjectInstance(World& world, LineReader& in);
    void readRotationSeries(World& world, LineReader& in);
    Surface readSurfaceBlock(LineReader& in);
    std::string readObjectName(LineReader& in, ReadObserver::NameUse use);
    void readCorners(Surface& surface, LineReader& in);
    // Throws when an object would grow past the surface limit, or when the surfaces copied in
    // this load would pass twice that: many objects, each within the limit, would otherwise
    // still exhaust memory. Reading past the limit, it keeps that error and throws at the hard
    // limit.
    void checkSurfaceCount(std::size_t current, std::size_t added, std::size_t times = 1);
    // The error of an object grown past `limit`, or of copies (counting `copied`) past twice it.
    static std::optional<platform::FatalError> surfaceCountError(std::size_t limit,
                                                                 std::size_t current,
                                                                 std::size_t added,
                                                                 std::size_t times,
                                                                 std::size_t copied);

    std::string dataDirectory_;
    std::size_t surfaceLimit_;
    std::size_t hardLimit_ = 0; // 0: the surface limit stops the load
    std::optional<platform::FatalError> limitPassed_;
    TreeLimits treeLimits_;
    std::stop_token stop_;
    ReadObserver* observer_ = nullptr;
    std::vector<SourceFile> sourceFiles_{{"bsp.cfg", {}}};
    std::string worldFileName_;
    std::set<std::string> includedFiles_;
    // The device and inode of each included file: one file however its path is spelled.
    std::set<std::pair<std::uint64_t, std::uint64_t>> includedIdentities_;
    std::size_t instanceSurfaces_ = 0;
    std::size_t copiedSurfaces_ = 0;
};

} // namespace velmora
