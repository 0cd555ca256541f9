#include "WorldCheck.h"

#include "CheckDiagnostics.h"
#include "ReadRecord.h"
#include "content/Figures.h"
#include "movement/Collision.h"
#include "movement/WalkPlanner.h"
#include "movement/Walking.h"
#include "platform/FatalError.h"
#include "world/CoincidentFaces.h"
#include "world/StartPlace.h"
#include "world/Triangulation.h"
#include "world/WorldReader.h"

#include <cmath>
#include <iostream>
#include <map>
#include <sstream>

namespace velmora::snap {

namespace {

using platform::FatalError;

// A world past the program's surface limit is still checked whole, up to this many surfaces;
// the limit's error is reported where the program stops.
constexpr std::size_t kCheckSurfaceLimit = 5'000'000;

struct CheckedWorld : World {};

// Keeps what the reader writes to standard output (the unknown-directive text) out of the
// diagnostics.
class QuietOutput {
  public:
    QuietOutput() : saved_(std::cout.rdbuf(nullptr)) {}
    ~QuietOutput() { std::cout.rdbuf(saved_); }
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

  private:
    std::streambuf* saved_;
};

// One read of the world files with a record of it; the error that stopped it, if one did.
struct CheckedRead {
    CheckedWorld world;
    WorldReader reader;
    CheckDiagnostics diagnostics;
    ReadRecord record{diagnostics, reader};
    std::optional<FatalError> error;

    explicit CheckedRead(const std::string& dataDirectory) : reader(dataDirectory) {
        reader.readPastSurfaceLimit(kCheckSurfaceLimit);
        reader.observe(&record);
        const QuietOutput quiet;
        try {
            reader.readConfiguration();
            reader.parseWorldFile(world, reader.worldFileName());
        } catch (const FatalError& stopped) {
            error = stopped;
        }
        reader.observe(nullptr);
    }
};

// The collision edges the load pipeline derives from the placed surfaces, in its order, without
// a copy of the whole scene.
std::vector<CollisionEdge> collisionEdgesOf(const std::vector<Object3D>& instances) {
    std::vector<CollisionEdge> edges;
    std::vector<Surface> pieces;
    for (const Object3D& instance : instances) {
        for (const Surface& surface : instance.surfaces) {
            if (surface.vertices.size() < 3) {
                continue; // the pipeline leaves these out
            }
            pieces.assign(1, surface);
            splitQuadsIntoTriangles(pieces);
            appendCollisionEdges(pieces, edges);
        }
    }
    return edges;
}

void checkCoincidentFaces(CheckedRead& read) {
    const std::vector<Object3D>& instances = read.world.objectInstances;
    // The OBJECT_INSTANCE line of an instance (each instance has one: the read ended well).
    auto placedAt = [&read](std::size_t instance) {
        const std::vector<SourcePosition>& lines = read.record.placedAt();
        return instance < lines.size() ? lines[instance] : SourcePosition{};
    };
    // Surfaces of two instances are told once per pair of instances, at the later one.
    std::map<std::pair<std::size_t, std::size_t>, std::pair<std::size_t, CoincidentPair>> across;
    for (const CoincidentPair& pair : coincidentFaces(instances)) {
        const Surface& later = instances[pair.later.instance].surfaces[pair.later.surface];
        const Surface& earlier = instances[pair.earlier.instance].surfaces[pair.earlier.surface];
        if (pair.later.instance == pair.earlier.instance) {
            read.diagnostics.warn(later.source, "surface '" + later.name + "' lies on surface '" +
                                                    earlier.name + "' at " +
                                                    read.reader.describe(earlier.source));
            continue;
        }
        ++across.try_emplace({pair.later.instance, pair.earlier.instance}, 0, pair)
              .first->second.first;
    }
    for (const auto& [instancePair, found] : across) {
        const auto& [count, first] = found;
        const Surface& later = instances[first.later.instance].surfaces[first.later.surface];
        const Surface& earlier = instances[first.earlier.instance].surfaces[first.earlier.surface];
        const std::string surfaces = count == 1
                                         ? "1 surface of this instance lies"
                                         : std::to_string(count) + " surfaces of this instance lie";
        read.diagnostics.warn(placedAt(instancePair.first),
                              surfaces + " on surfaces of the instance at " +
                                  read.reader.describe(placedAt(instancePair.second)) +
                                  " (first: '" + later.name + "' on '" + earlier.name + "')");
    }
}

std::string position(const Vertex& v) {
    std::ostringstream text;
    text << v.x << ',' << v.y << ',' << v.z;
    return text.str();
}

// Where the start's warnings go: the last DEFAULT_LOCATION, or without one (the start is the
// program's own) the top world file's first line.
SourcePosition startLine(const CheckedRead& read) {
    return read.record.locationAt().value_or(SourcePosition{1, 1});
}

std::string startNamed(const Vertex& start) {
    return "the start " + position(start);
}

// Whether the start stands in something or off its floor.
void checkStartPlace(CheckedRead& read) {
    const std::vector<Object3D>& instances = read.world.objectInstances;
    const Vertex start = read.world.defaultLocation;
    const SourcePosition at = startLine(read);
    const std::string named = startNamed(start);
    const float feet = start.y - float(kEyeAboveFeet);
    // Just above the feet too: a start sunk into a low block has its feet closed in.
    if (isEnclosed(instances, start) || isEnclosed(instances, {start.x, feet + 1.0f, start.z})) {
        read.diagnostics.warn(at, named + " is inside a solid: surfaces close it in on every side");
    }
    // The floor is what the feet could stand on: anything up to a ledge's height above them
    // (higher is in the way, not underfoot).
    const std::optional<double> floor =
        floorBelow(instances, {start.x, feet + float(kLedgeLimit) + 0.5f, start.z});
    if (!floor) {
        read.diagnostics.warn(at, named + " is below the ground");
    } else if (std::fabs(feet - *floor) >= 1.0) {
        std::ostringstream text;
        text << named << " is out of the walkable area: its feet (y " << feet
             << ") are not on the floor under them (y " << *floor << ")";
        read.diagnostics.warn(at, text.str());
    }
    if (start.x >= kForwardLimitX) {
        read.diagnostics.warn(
            at, named + " is out of the walkable area: from x 2800 on forward steps are refused");
    }
}

// Whether the visitor can walk from the start at all, and into every talking figure's zone.
void checkWalks(CheckedRead& read) {
    std::vector<Vertex> figures;
    std::vector<WalkZone> zones;
    std::vector<std::string_view> talkers;
    for (const content::Figure& figure : content::figures()) {
        figures.push_back(figure.position);
        if (figure.greetingSound != 0) {
            zones.push_back({figure.position.x, figure.position.z, figure.triggerRadius});
            talkers.push_back(figure.name);
        }
    }
    const Vertex start = read.world.defaultLocation;
    const SourcePosition at = startLine(read);
    const WalkPlan plan =
        planWalks(collisionEdgesOf(read.world.objectInstances), figures, start, zones);
    if (plan.shutIn) {
        read.diagnostics.warn(
            at, startNamed(start) + " is out of the walkable area: every step from it is refused");
    }
    const std::string unreached =
        plan.decided ? "cannot be entered from the start with the walking keys"
                     : "was not reached by a walk of " + std::to_string(kMostWalkPlaces) +
                           " places from the start";
    for (std::size_t i = 0; i < zones.size(); ++i) {
        if (!plan.reached[i]) {
            read.diagnostics.warn(at, "the " + std::string(talkers[i]) + "'s zone " + unreached);
        }
    }
}

void checkWhole(CheckedRead& read) {
    read.record.checkNames();
    checkCoincidentFaces(read);
    checkStartPlace(read);
    checkWalks(read);
}

// Where the error's place ("FILE:LINE: here") lies among the reader's files; line 0 of bsp.cfg
// when it has none.
SourcePosition positionOf(const WorldReader& reader, const std::string& place) {
    const std::string first = place.substr(0, place.find('\n'));
    const std::size_t colon = first.rfind(':', first.size() - std::string(": here").size() - 1);
    if (!first.ends_with(": here") || colon == std::string::npos) {
        return {};
    }
    const std::string name = first.substr(0, colon);
    const auto& files = reader.sourceFiles();
    for (std::uint32_t i = 0; i < files.size(); ++i) {
        if (files[i].name == name) {
            return {i, std::uint32_t(std::stoul(first.substr(colon + 1)))};
        }
    }
    return {};
}

// The loader's text, then a note at each INCLUDE that led to the file.
std::string errorText(const FatalError& error) {
    std::string text = error.text();
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    std::istringstream place(error.place());
    const std::string from = "included from ";
    for (std::string line; std::getline(place, line);) {
        if (line.starts_with(from)) {
            text += "\n" + line.substr(from.size()) + ": note: included from here";
        }
    }
    return text;
}

} // namespace

int checkWorld(const std::string& dataDirectory, std::ostream& out) {
    CheckedRead read(dataDirectory);
    // Past the surface limit the program stops; the check reads on to see the world whole.
    const std::optional<FatalError>& stopped =
        read.reader.limitPassed() ? read.reader.limitPassed() : read.error;
    if (!read.error) {
        checkWhole(read);
    }
    if (stopped) {
        read.diagnostics.fail(positionOf(read.reader, stopped->place()), errorText(*stopped));
    }
    read.diagnostics.print(read.reader, out);
    return read.diagnostics.exitCode();
}

} // namespace velmora::snap
