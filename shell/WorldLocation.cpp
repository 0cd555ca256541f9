#include "shell/WorldLocation.h"

#include <filesystem>
#include <system_error>

namespace velmora {

namespace fs = std::filesystem;

namespace {

bool holdsWorld(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "bsp.cfg", error);
}

} // namespace

std::string findWorldDirectory(const std::optional<std::string>& worldOption,
                               const std::string& executable, const std::string& installedData) {
    if (worldOption) {
        const fs::path folder = *worldOption;
        return (holdsWorld(folder / "data") ? folder / "data" : folder).string();
    }
    if (holdsWorld("data")) {
        return "data";
    }
    if (!executable.empty()) {
        const fs::path beside =
            fs::path(executable).parent_path() / ".." / "share" / "velmora" / "data";
        if (holdsWorld(beside)) {
            return beside.lexically_normal().string();
        }
    }
    if (!installedData.empty() && holdsWorld(installedData)) {
        return installedData;
    }
    return "data";
}

std::string ownExecutable() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

} // namespace velmora
