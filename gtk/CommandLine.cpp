#include "CommandLine.h"

#include "shell/PictureScale.h"

#include <gtk/gtk.h>

namespace velmora {

namespace {

constexpr const char* kDescription =
    "Walks a camera through the square read from the world files: the arrow keys (or keypad\n"
    "8 2 4 6) walk and turn, 1 2 3 ask the open menu's questions, Esc closes it.\n"
    "Exit codes: 0 closed, 1 no display, 2 bad arguments, 5 a broken world.";

} // namespace

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine line;
    gboolean version = FALSE, fullscreen = FALSE, watch = FALSE;
    gchar* world = nullptr;
    gchar* zoom = nullptr;
    const GOptionEntry entries[] = {
        {"world", 0, 0, G_OPTION_ARG_FILENAME, &world,
         "Read the world from DIR/data, or from DIR when it is data/ itself", "DIR"},
        {"watch", 0, 0, G_OPTION_ARG_NONE, &watch,
         "Reload the world within a second of a save to any of its files (View > Reload on Save)",
         nullptr},
        {"fullscreen", 0, 0, G_OPTION_ARG_NONE, &fullscreen,
         "Open the window full screen instead of maximised", nullptr},
        {"zoom", 0, 0, G_OPTION_ARG_STRING, &zoom,
         "Show the picture N times its size (1 to 8) instead of the largest that fits", "N"},
        {"version", 0, 0, G_OPTION_ARG_NONE, &version, "Print the version and exit", nullptr},
        {nullptr, 0, 0, G_OPTION_ARG_NONE, nullptr, nullptr, nullptr}};
    GOptionContext* context = g_option_context_new("- walk through an ancient city square");
    g_option_context_set_description(context, kDescription);
    g_option_context_add_main_entries(context, entries, nullptr);
    // GTK's own options (--display and the like) without opening the display yet.
    g_option_context_add_group(context, gtk_get_option_group(FALSE));
    GError* error = nullptr;
    if (!g_option_context_parse(context, &argc, &argv, &error)) {
        line.error = error->message;
        g_error_free(error);
    } else if (argc > 1) {
        line.error = std::string("unexpected argument '") + argv[1] + "'";
    }
    gchar* usage = g_option_context_get_help(context, TRUE, nullptr);
    line.usage = usage;
    g_free(usage);
    g_option_context_free(context);
    line.version = version;
    line.fullscreen = fullscreen;
    line.watch = watch;
    if (zoom != nullptr) {
        line.zoom = parseZoom(zoom);
        if (!line.zoom && line.error.empty()) {
            line.error = std::string("--zoom wants a whole number from 1 to ") +
                         std::to_string(kMaxZoom) + ", not '" + zoom + "'";
        }
        g_free(zoom);
    }
    if (world != nullptr) {
        line.world = world;
        g_free(world);
    }
    return line;
}

} // namespace velmora
