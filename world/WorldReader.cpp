#include "world/WorldReader.h"

#include "platform/FatalError.h"
#include "platform/LoadStopped.h"
#include "world/LineReader.h"
#include "world/NumberParsing.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <sys/stat.h>

namespace velmora {

using platform::FatalError;

namespace {

FatalError unableToOpen(const std::string& name) {
    return FatalError("unable to open file: " + name, "Error");
}

// The device and inode of a file: the same however its path is spelled (./a.txt, .//a.txt,
// sub/../a.txt, a link to it). One look-up walks the path once; resolving it component by
// component would walk it once per component, which deep directories make slow.
std::optional<std::pair<std::uint64_t, std::uint64_t>> identityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return std::pair<std::uint64_t, std::uint64_t>{info.st_dev, info.st_ino};
}

} // namespace

WorldReader::WorldReader(std::string dataDirectory, std::size_t surfaceLimit, TreeLimits treeLimits)
    : dataDirectory_(std::move(dataDirectory)), surfaceLimit_(surfaceLimit),
      treeLimits_(treeLimits) {}

std::string WorldReader::pathOf(const std::string& name) const {
    // World files name their paths with backslashes.
    std::string relative = name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return dataDirectory_ + "/" + relative;
}

void WorldReader::readConfiguration() {
    LineReader in(pathOf("bsp.cfg"));
    if (!in.isOpen()) {
        // A world looked for elsewhere than the working directory's data/ (--world, the
        // installed world) says where.
        throw unableToOpen(dataDirectory_ == "data" ? "bsp.cfg" : pathOf("bsp.cfg"));
    }
    worldFileName_ = in.nextOrEmpty();
}

void WorldReader::beginReload() {
    includedFiles_.clear();
    includedIdentities_.clear();
    instanceSurfaces_ = 0;
    copiedSurfaces_ = 0;
}

void WorldReader::stopOn(std::stop_token stop) {
    stop_ = std::move(stop);
}

void WorldReader::throwIfStopped() const {
    platform::throwIfStopRequested(stop_);
}

void WorldReader::parseWorldFile(World& world, const std::string& name) {
    // The files still to finish, innermost last. A file is closed while the files it includes
    // are read and opened again at the line after its INCLUDE, so a long chain of includes costs
    // neither stack nor open files.
    struct Pending {
        std::string name;
        std::streamoff resumeAt;
    };
    std::vector<Pending> pending{{name, 0}};
    while (!pending.empty()) {
        LineReader in(pathOf(pending.back().name), pending.back().resumeAt);
        if (!in.isOpen()) {
            throw unableToOpen(pending.back().name);
        }
        std::optional<std::string> included = readUntilInclude(world, in);
        if (!included) {
            pending.pop_back();
            continue;
        }
        if (pending.size() >= kIncludeDepthLimit) {
            throw FatalError("include chain too deep: more than " +
                                 std::to_string(kIncludeDepthLimit) + " files, at " + *included,
                             "Error");
        }
        pending.back().resumeAt = in.position();
        pending.push_back({std::move(*included), 0});
    }
}

// Applies directives until the file ends or END (nothing), or until an INCLUDE names a file not
// read yet in this load (its name).
std::optional<std::string> WorldReader::readUntilInclude(World& world, LineReader& in) {
    while (std::optional<std::string> line = in.next()) {
        throwIfStopped();
        if (*line == "END") {
            return std::nullopt;
        }
        if (line->starts_with("INCLUDE")) {
            const std::size_t blank = line->rfind(' ');
            std::string name = blank == std::string::npos ? *line : line->substr(blank + 1);
            // Remembered before the file is read, so that a file including itself, directly or
            // through others, reads as a no-op instead of without end. A file that cannot be
            // found is not remembered: opening it gives the message.
            const auto identity = identityOf(pathOf(name));
            if (!identity || includedIdentities_.insert(*identity).second) {
                includedFiles_.insert(name);
                return name;
            }
        } else {
            applyDirective(world, *line, in);
        }
    }
    return std::nullopt;
}

void WorldReader::applyDirective(World& world, const std::string& line, LineReader& in) {
    if (line == "COLOR_DEFINITION") {
        readColorDefinition(world, in);
    } else if (line == "DEFAULT_LOCATION") {
        readDefaultLocation(world, in);
    } else if (line == "OBJECT_DEFINITION") {
        readObjectDefinition(world, in);
    } else if (line == "CONTAINED_OBJECT") {
        readContainedObject(world, in);
    } else if (line == "OBJECT_INSTANCE") {
        readObjectInstance(world, in);
    } else if (line == "OBJECT_ROTATION_SERIES") {
        readRotationSeries(world, in);
    } else if (line == "GROUND_TILES") {
        // Accepted for older world files; it has no data lines and no effect.
    } else if (!line.empty() && line.front() != '#') {
        throw FatalError("Expected label OBJECT_DEFINITION or OBJECT_INSTANCE\nlast line: " + line +
                             "\n",
                         "Error");
    }
}

void WorldReader::readColorDefinition(World& world, LineReader& in) {
    ColorDefinition color;
    color.name = in.nextOrEmpty();
    const NumberList rgb = readNumberList(in.nextOrEmpty());
    color.red = rgb.first;
    color.green = rgb.second;
    color.blue = rgb.third;
    world.colors.push_back(std::move(color));
}

void WorldReader::readDefaultLocation(World& world, LineReader& in) {
    const PositionLine line = readPositionLine(in.nextOrEmpty());
    world.defaultLocation = line.position;
    world.defaultHeading = line.angle;
}

void WorldReader::checkSurfaceCount(std::size_t current, std::size_t added, std::size_t times) {
    const std::size_t room = current >= surfaceLimit_ ? 0 : surfaceLimit_ - current;
    if (added != 0 && times > room / added) {
        throw FatalError("world too large: more than " + std::to_string(surfaceLimit_) +
                             " surfaces in one object or in the placed instances",
                         "Error");
    }
    const std::size_t copyLimit = 2 * surfaceLimit_;
    copiedSurfaces_ += added * times; // at most the surface limit, by the check above
    if (copiedSurfaces_ > copyLimit) {
        throw FatalError("world too large: more than " + std::to_string(copyLimit) +
                             " surfaces copied into objects and instances",
                         "Error");
    }
}

} // namespace velmora
