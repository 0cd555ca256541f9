#include "world/WorldReader.h"

#include "platform/FatalError.h"
#include "platform/LoadStopped.h"
#include "world/LineReader.h"
#include "world/NumberParsing.h"
#include "world/ReadObserver.h"

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
    sourceFiles_.resize(1);
    includedFiles_.clear();
    includedIdentities_.clear();
    instanceSurfaces_ = 0;
    copiedSurfaces_ = 0;
    limitPassed_.reset();
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
        std::uint32_t file;
        std::streamoff resumeAt;
        std::uint32_t resumeLine;
    };
    std::vector<Pending> pending{{addSourceFile(name, {0, 1}), 0, 0}};
    while (!pending.empty()) {
        Pending& current = pending.back();
        const SourceFile& file = sourceFiles_[current.file];
        LineReader in(pathOf(file.name), current.file, current.resumeAt, current.resumeLine);
        if (!in.isOpen()) {
            FatalError error = unableToOpen(file.name);
            error.setPlace(placeOf(file.askedAt));
            throw error;
        }
        try {
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
            current.resumeAt = in.position();
            current.resumeLine = in.line();
            const std::uint32_t next = addSourceFile(std::move(*included), in.where());
            pending.push_back({next, 0, 0});
        } catch (FatalError& error) {
            if (error.place().empty()) {
                error.setPlace(placeOf(in.where()));
            }
            throw;
        }
    }
}

std::uint32_t WorldReader::addSourceFile(std::string name, SourcePosition askedAt) {
    sourceFiles_.push_back({std::move(name), askedAt});
    return static_cast<std::uint32_t>(sourceFiles_.size() - 1);
}

std::string WorldReader::describe(SourcePosition at) const {
    const std::string& name = at.file < sourceFiles_.size() ? sourceFiles_[at.file].name : "?";
    return name + ":" + std::to_string(at.line);
}

std::string WorldReader::placeOf(SourcePosition at) const {
    std::string place = describe(at) + ": here";
    // bsp.cfg (file 0) names the top world file; it includes nothing.
    for (std::uint32_t file = at.file; file != 0 && file < sourceFiles_.size();) {
        const SourcePosition askedAt = sourceFiles_[file].askedAt;
        if (askedAt.file == 0) {
            break;
        }
        place += "\nincluded from " + describe(askedAt);
        file = askedAt.file;
    }
    return place;
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
    const SourcePosition keywordAt = in.where();
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
    if (limitPassed_ && limitPassed_->place().empty()) {
        limitPassed_->setPlace(placeOf(in.where()));
    }
    if (observer_ != nullptr && in.ended()) {
        observer_->directiveCutShort(line, keywordAt);
    }
}

std::string WorldReader::readNumbers(LineReader& in, NumberShape shape) {
    std::optional<std::string> line = in.next();
    // A line the file ended before is the cut-short directive's to report.
    if (line && observer_ != nullptr) {
        observer_->numbersRead(*line, shape, in.where());
    }
    return line.value_or(std::string{});
}

void WorldReader::readColorDefinition(World& world, LineReader& in) {
    ColorDefinition color;
    color.name = in.nextOrEmpty();
    if (observer_ != nullptr) {
        observer_->colorDefined(color.name, in.where());
    }
    const NumberList rgb = readNumberList(readNumbers(in, NumberShape::List));
    color.red = rgb.first;
    color.green = rgb.second;
    color.blue = rgb.third;
    world.colors.push_back(std::move(color));
}

void WorldReader::readDefaultLocation(World& world, LineReader& in) {
    const PositionLine line = readPositionLine(readNumbers(in, NumberShape::Position));
    if (observer_ != nullptr) {
        observer_->locationSet(in.where());
    }
    world.defaultLocation = line.position;
    world.defaultHeading = line.angle;
}

std::optional<FatalError> WorldReader::surfaceCountError(std::size_t limit, std::size_t current,
                                                        std::size_t added, std::size_t times,
                                                        std::size_t copied) {
    const std::size_t room = current >= limit ? 0 : limit - current;
    if (added != 0 && times > room / added) {
        return FatalError("world too large: more than " + std::to_string(limit) +
                              " surfaces in one object or in the placed instances",
                          "Error");
    }
    // At most the limit is added here, by the check above.
    if (copied + added * times > 2 * limit) {
        return FatalError("world too large: more than " + std::to_string(2 * limit) +
                              " surfaces copied into objects and instances",
                          "Error");
    }
    return std::nullopt;
}

void WorldReader::checkSurfaceCount(std::size_t current, std::size_t added, std::size_t times) {
    if (hardLimit_ != 0 && !limitPassed_) {
        limitPassed_ = surfaceCountError(surfaceLimit_, current, added, times, copiedSurfaces_);
    }
    const std::size_t limit = hardLimit_ != 0 ? hardLimit_ : surfaceLimit_;
    if (std::optional<FatalError> error =
            surfaceCountError(limit, current, added, times, copiedSurfaces_)) {
        throw *error;
    }
    copiedSurfaces_ += added * times;
}

} // namespace velmora
