#pragma once

#include "world/ColorDefinition.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace velmora {

// The colours surfaces are filled with, by exact, case-sensitive name: 0xFFRRGGBB. Rebuilt from
// the world's colour list after every load, so that a reload shows the files as they are now.
class ColorTools {
  public:
    // Replaces the tables with the colours of the list, in file order; a later definition of a
    // name replaces an earlier one.
    void buildColorTools(const std::vector<ColorDefinition>& colors);

    // The colour of that name, or nothing when no brush exists for it.
    std::optional<std::uint32_t> brush(const std::string& name) const;
    // The name and colour of that brush, kept until the next build; null when there is none.
    using Brush = std::pair<const std::string, std::uint32_t>;
    const Brush* find(const std::string& name) const;

  private:
    std::unordered_map<std::string, std::uint32_t> colorValues_;
};

} // namespace velmora
