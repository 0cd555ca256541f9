#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace velmora {

// How the visitor last left the window, kept across runs.
struct ViewSettings {
    std::optional<int> zoom; // a whole zoom or kFitZoom; none: the largest that fits at start
    bool fullscreen = false;
    bool captions = true;
    bool operator==(const ViewSettings&) const = default;
};

// The settings file under the XDG config folder: velmora/settings.ini.
std::string viewSettingsPath();

// Reads the settings; a missing file gives the defaults. A file that cannot be read or parsed,
// or a value that makes no sense, costs only what is damaged, with one line on `complaints`.
ViewSettings readViewSettings(const std::string& path, std::ostream& complaints);

// Writes the settings, creating the folder; says on `complaints` why when it cannot.
void writeViewSettings(const std::string& path, const ViewSettings& settings,
                       std::ostream& complaints);

} // namespace velmora
