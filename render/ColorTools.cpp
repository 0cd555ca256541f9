#include "render/ColorTools.h"

namespace velmora {

void ColorTools::buildColorTools(const std::vector<ColorDefinition>& colors) {
    colorValues_.clear();
    for (const ColorDefinition& color : colors) {
        colorValues_.insert_or_assign(color.name, toArgb(color));
    }
}

std::optional<std::uint32_t> ColorTools::brush(const std::string& name) const {
    const Brush* found = find(name);
    if (found == nullptr) {
        return std::nullopt;
    }
    return found->second;
}

const ColorTools::Brush* ColorTools::find(const std::string& name) const {
    const auto found = colorValues_.find(name);
    return found == colorValues_.end() ? nullptr : &*found;
}

} // namespace velmora
