#include "shell/ViewSettings.h"

#include "shell/PictureScale.h"

#include <glib.h>

#include <memory>

namespace velmora {

namespace {

constexpr const char* kGroup = "view";

using KeyFile = std::unique_ptr<GKeyFile, decltype(&g_key_file_free)>;

// The error's message, freeing it.
// Whether GLib's message can go on the terminal as it is: it quotes the offending line or value,
// which in a damaged file may be binary garbage or run on for pages.
bool printable(const char* message) {
    if (!g_utf8_validate(message, -1, nullptr) || g_utf8_strlen(message, -1) > 160) {
        return false;
    }
    for (const char* c = message; *c != '\0'; c = g_utf8_next_char(c)) {
        if (g_unichar_iscntrl(g_utf8_get_char(c))) {
            return false;
        }
    }
    return true;
}

std::string takeMessage(GError* error) {
    std::string message = "unknown error";
    if (error != nullptr) {
        message = printable(error->message) ? error->message
                  : error->domain == G_KEY_FILE_ERROR ? "not a settings file"
                                                       : "unreadable";
    }
    g_clear_error(&error);
    return message;
}

void readZoom(GKeyFile* file, const std::string& path, ViewSettings& settings,
              std::ostream& complaints) {
    gchar* value = g_key_file_get_value(file, kGroup, "zoom", nullptr);
    if (value == nullptr) {
        return;
    }
    const std::string text = value;
    g_free(value);
    if (text == "fit") {
        settings.zoom = kFitZoom;
    } else if (const std::optional<int> zoom = parseZoom(text)) {
        settings.zoom = zoom;
    } else {
        complaints << "velmora: " << path << ": zoom '" << text << "' is not 1 to " << kMaxZoom
                   << " or fit; ignored\n";
    }
}

void readFlag(GKeyFile* file, const std::string& path, const char* key, bool& flag,
              std::ostream& complaints) {
    if (!g_key_file_has_key(file, kGroup, key, nullptr)) {
        return;
    }
    GError* error = nullptr;
    const gboolean value = g_key_file_get_boolean(file, kGroup, key, &error);
    if (error != nullptr) {
        complaints << "velmora: " << path << ": " << key << ": " << takeMessage(error)
                   << "; ignored\n";
        return;
    }
    flag = value != FALSE;
}

} // namespace

std::string viewSettingsPath() {
    gchar* path = g_build_filename(g_get_user_config_dir(), "velmora", "settings.ini", nullptr);
    std::string result = path;
    g_free(path);
    return result;
}

ViewSettings readViewSettings(const std::string& path, std::ostream& complaints) {
    ViewSettings settings;
    if (!g_file_test(path.c_str(), G_FILE_TEST_EXISTS)) {
        return settings;
    }
    KeyFile file(g_key_file_new(), g_key_file_free);
    GError* error = nullptr;
    if (!g_key_file_load_from_file(file.get(), path.c_str(), G_KEY_FILE_NONE, &error)) {
        complaints << "velmora: " << path << " cannot be read (" << takeMessage(error)
                   << "); the view starts as it does the first time\n";
        return settings;
    }
    readZoom(file.get(), path, settings, complaints);
    readFlag(file.get(), path, "fullscreen", settings.fullscreen, complaints);
    readFlag(file.get(), path, "captions", settings.captions, complaints);
    return settings;
}

void writeViewSettings(const std::string& path, const ViewSettings& settings,
                       std::ostream& complaints) {
    KeyFile file(g_key_file_new(), g_key_file_free);
    if (settings.zoom) {
        const std::string zoom =
            *settings.zoom == kFitZoom ? "fit" : std::to_string(*settings.zoom);
        g_key_file_set_value(file.get(), kGroup, "zoom", zoom.c_str());
    }
    g_key_file_set_boolean(file.get(), kGroup, "fullscreen", settings.fullscreen);
    g_key_file_set_boolean(file.get(), kGroup, "captions", settings.captions);
    gchar* folder = g_path_get_dirname(path.c_str());
    g_mkdir_with_parents(folder, 0700);
    g_free(folder);
    GError* error = nullptr;
    if (!g_key_file_save_to_file(file.get(), path.c_str(), &error)) {
        complaints << "velmora: the view settings cannot be saved: " << takeMessage(error) << "\n";
    }
}

} // namespace velmora
