#pragma once

#include "CheckDiagnostics.h"
#include "world/ReadObserver.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velmora::snap {

// What a world check keeps of a read: where colours and definitions were defined and named,
// where the start was set. The faults a single line or surface shows (numbers, corners, shape)
// go to the diagnostics at once.
class ReadRecord : public ReadObserver {
  public:
    // The reader names the files in the warnings' texts.
    ReadRecord(CheckDiagnostics& diagnostics, const WorldReader& reader)
        : diagnostics_(diagnostics), reader_(reader) {}

    void colorDefined(const std::string& name, SourcePosition at) override;
    void objectDefined(const std::string& name, SourcePosition at) override;
    void objectNamed(const std::string& name, NameUse use, SourcePosition at) override;
    void locationSet(SourcePosition at) override;
    void surfaceRead(const Surface& surface) override;
    void numbersRead(std::string_view text, NumberShape shape, SourcePosition at) override;
    void directiveCutShort(const std::string& keyword, SourcePosition at) override;

    // The warnings about names, once the whole world has been read: colours and definitions
    // used but not defined, defined but not used.
    void checkNames() const;

    // The line of each OBJECT_INSTANCE's name, in the order of the World's instances.
    const std::vector<SourcePosition>& placedAt() const { return placedAt_; }
    // The line of the last DEFAULT_LOCATION's position, if there was one.
    const std::optional<SourcePosition>& locationAt() const { return locationAt_; }

  private:
    struct Named {
        std::string name;
        SourcePosition at;
    };
    void checkColors() const;
    void checkDefinitions() const;
    std::set<std::string> definitionsInUse() const;

    CheckDiagnostics& diagnostics_;
    const WorldReader& reader_;
    std::vector<Named> colors_;
    std::map<std::string, std::vector<SourcePosition>> colorUses_;
    std::map<std::string, SourcePosition> defined_; // first OBJECT_DEFINITION, or first receiver
    std::set<std::string> placed_;
    std::multimap<std::string, std::string> copiedInto_; // receiver to what it receives
    std::vector<Named> usedUndefined_; // placed or copied before any definition
    std::string receiver_;
    std::vector<SourcePosition> placedAt_;
    std::optional<SourcePosition> locationAt_;
};

} // namespace velmora::snap
