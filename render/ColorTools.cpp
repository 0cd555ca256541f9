#include "render/ColorTools.h"

namespace velmora {

void ColorTools::buildColorTools(const std::vector<ColorDefinition>& colors) {
    colorValues_.clear();
    for (const ColorDefinition& color : colors) {
        colorValues_.insert_or_assign(color.name, toArgb(color));
    }
}

std::optional<std::uint32_t> ColorTools::brush(const std::string& name) const {
    const auto found = colorValues_.find(name);
    if (found == colorValues_.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace velmora
