#include "KeysHelp.h"

#include <glib/gstdio.h>

namespace velmora {

namespace {

constexpr const char* kKeys[][2] = {
    {"Up, keypad 8", "a step forward"},
    {"Down, keypad 2", "a step back"},
    {"Left, Right, keypad 4, 6", "turn"},
    {"1  2  3", "ask the open menu's question"},
    {"Esc", "close the menu and walk on; after the last talk, the closing panel"},
    {"I", "count everyone as talked to"},
    {"Z", "depth view"},
    {"F", "ground grid on or off"},
    {"D", "list the collision edges on standard output"},
    {"R", "read the world files again"},
    {"Space", "draw the frame again"},
    {"Ctrl++  Ctrl+-  Ctrl+0", "zoom in, zoom out, actual size"},
    {"F11", "full screen on or off"},
    {"F12", "save the frame as a picture"},
    {"F1", "these keys"},
    {"Alt+?", "about Velmora"},
    {"Ctrl+Q", "quit"},
};

} // namespace

void runKeysHelp(GtkWindow* parent) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons("Keys", parent, GTK_DIALOG_MODAL, "_Close",
                                                    GTK_RESPONSE_CLOSE, nullptr);
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_column_spacing(GTK_GRID(grid), 24);
    gtk_grid_set_row_spacing(GTK_GRID(grid), 4);
    gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
    int row = 0;
    for (const auto& [key, what] : kKeys) {
        GtkWidget* keyLabel = gtk_label_new(key);
        GtkWidget* whatLabel = gtk_label_new(what);
        gtk_label_set_xalign(GTK_LABEL(keyLabel), 0);
        gtk_label_set_xalign(GTK_LABEL(whatLabel), 0);
        gtk_grid_attach(GTK_GRID(grid), keyLabel, 0, row, 1, 1);
        gtk_grid_attach(GTK_GRID(grid), whatLabel, 1, row, 1, 1);
        ++row;
    }
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), grid);
    gtk_widget_show_all(dialog);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

std::string framePicturePath() {
    const char* pictures = g_get_user_special_dir(G_USER_DIRECTORY_PICTURES);
    const std::string folder = pictures != nullptr ? pictures : g_get_home_dir();
    g_mkdir_with_parents(folder.c_str(), 0755);
    GDateTime* now = g_date_time_new_now_local();
    gchar* name = g_date_time_format(now, "velmora-%Y%m%d-%H%M%S.png");
    gchar* path = g_build_filename(folder.c_str(), name, nullptr);
    std::string result = path;
    g_free(path);
    g_free(name);
    g_date_time_unref(now);
    return result;
}

} // namespace velmora
