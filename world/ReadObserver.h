#pragma once

#include "geometry/SourcePosition.h"
#include "geometry/Surface.h"
#include "world/NumberParsing.h"

#include <string>
#include <string_view>

namespace velmora {

// What the world file reader shows whoever watches it read (the world check): the names it
// defines and uses, the surfaces and the lines of numbers it reads, each where it was written.
// Calls come in the order of the directives, included files at the place of their INCLUDE.
class ReadObserver {
  public:
    // How a directive uses a definition's name: to place it (OBJECT_INSTANCE), to copy it into
    // another (the second name of CONTAINED_OBJECT and OBJECT_ROTATION_SERIES), or as the
    // definition that receives the copies (their first name).
    enum class NameUse { Placed, Copied, Receiver };

    virtual ~ReadObserver() = default;

    // COLOR_DEFINITION, at the line of the name.
    virtual void colorDefined(const std::string& name, SourcePosition at) = 0;
    // OBJECT_DEFINITION, at the line of the name, once its surfaces have been read.
    virtual void objectDefined(const std::string& name, SourcePosition at) = 0;
    virtual void objectNamed(const std::string& name, NameUse use, SourcePosition at) = 0;
    // DEFAULT_LOCATION, at the line of the position.
    virtual void locationSet(SourcePosition at) = 0;
    // A surface block read whole. Its source is the line of its name; the corner count follows
    // on the next line, corner k on the line 2 + k after the name, then the fill keyword, then
    // the texture name (TEXTURE_FILL only) and the colour name.
    virtual void surfaceRead(const Surface& surface) = 0;
    virtual void numbersRead(std::string_view text, NumberShape shape, SourcePosition at) = 0;
    // A directive whose lines the file ended before, at the directive's keyword.
    virtual void directiveCutShort(const std::string& keyword, SourcePosition at) = 0;
};

} // namespace velmora
