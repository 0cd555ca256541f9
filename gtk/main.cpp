// velmora: the windowed program. One maximised window with its menu; everything inside it is
// drawn by the core into a 1024 x 768 picture, which the GTK host shows zoomed.
#include "AboutBox.h"
#include "CommandLine.h"
#include "GtkHost.h"
#include "KeysHelp.h"
#include "WorldWatch.h"
#include "content/Pictures.h"
#include "platform/EmbeddedResources.h"
#include "shell/PictureScale.h"
#include "shell/ProgramLifetime.h"
#include "shell/ViewSettings.h"
#include "shell/VirtualKeys.h"
#include "shell/WindowProcedure.h"
#include "shell/WorldLocation.h"

#include <gtk/gtk.h>

#include <cstdio>
#include <iostream>

namespace {

using velmora::GtkHost;
using velmora::WindowProcedure;

struct Program {
    GtkHost& host;
    WindowProcedure& procedure;
    velmora::WorldWatch& watch;
    velmora::ViewSettings settings;
    int startZoom = 1; // until the visitor chooses one
    bool fullscreen = false;
    GtkWidget* window = nullptr;
    GtkWidget* status = nullptr;
    guint statusTimeout = 0;
};

void saveSettings(const Program& program) {
    velmora::writeViewSettings(velmora::viewSettingsPath(), program.settings, std::cerr);
}

void applyZoom(Program& program) {
    program.host.setZoom(program.settings.zoom.value_or(program.startZoom), program.fullscreen);
}

void chooseZoom(Program& program, int zoom) {
    program.settings.zoom = zoom;
    applyZoom(program);
    saveSettings(program);
}

gboolean hideStatus(gpointer data) {
    auto* program = static_cast<Program*>(data);
    gtk_widget_hide(program->status);
    program->statusTimeout = 0;
    return G_SOURCE_REMOVE;
}

// A line over the bottom of the picture for a few seconds.
void showStatus(Program& program, const std::string& text) {
    gtk_label_set_text(GTK_LABEL(program.status), text.c_str());
    gtk_widget_show(program.status);
    if (program.statusTimeout != 0) {
        g_source_remove(program.statusTimeout);
    }
    program.statusTimeout = g_timeout_add_seconds(4, hideStatus, &program);
}

void saveFramePicture(Program& program) {
    const std::string path = velmora::framePicturePath();
    showStatus(program, program.host.saveFrame(path) ? "Saved " + path : "Could not save " + path);
}

void toggleFullscreen(Program& program) {
    if (program.fullscreen) {
        gtk_window_unfullscreen(GTK_WINDOW(program.window));
    } else {
        gtk_window_fullscreen(GTK_WINDOW(program.window));
    }
}

gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    static_cast<Program*>(data)->host.paint(cr);
    return TRUE;
}

gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* program = static_cast<Program*>(data);
    // Alt and Ctrl belong to the menus' mnemonics and accelerators.
    if ((event->state & (GDK_MOD1_MASK | GDK_CONTROL_MASK)) != 0) {
        return FALSE;
    }
    // Esc also leaves full screen, unless a dialogue menu is using it.
    if (event->keyval == GDK_KEY_Escape && program->fullscreen &&
        program->procedure.state().interaction.menuOpen == 0) {
        toggleFullscreen(*program);
    }
    const std::optional<int> code = velmora::keyCodeForKeyval(event->keyval);
    return code && program->procedure.onKeyDown(*code);
}

gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
    auto* program = static_cast<Program*>(data);
    const bool fullscreen = (event->new_window_state & GDK_WINDOW_STATE_FULLSCREEN) != 0;
    if (fullscreen != program->fullscreen) {
        program->fullscreen = fullscreen;
        program->settings.fullscreen = fullscreen;
        applyZoom(*program);
        saveSettings(*program);
    }
    return FALSE;
}

void onSizeAllocate(GtkWidget*, GdkRectangle*, gpointer data) {
    static_cast<Program*>(data)->procedure.onSize();
}

void onDestroy(GtkWidget*, gpointer data) {
    auto* program = static_cast<Program*>(data);
    if (program->statusTimeout != 0) {
        g_source_remove(program->statusTimeout);
        program->statusTimeout = 0;
    }
    program->host.attach(nullptr, nullptr, program->procedure);
    gtk_main_quit();
}

// What the menu items do, by name.
enum class Action {
    Exit,
    ActualSize,
    ZoomIn,
    ZoomOut,
    Fit,
    Fullscreen,
    Captions,
    ReloadOnSave,
    SaveFrame,
    Keys,
    About
};

void showCaptions(Program& program, bool shown) {
    program.settings.captions = shown;
    program.procedure.state().captionsEnabled = shown;
    program.procedure.onSize(); // paints again, with or without the caption
}

void run(Program& program, Action action) {
    switch (action) {
    case Action::Exit:
        program.procedure.onCommand(velmora::kCommandExit);
        break;
    case Action::ActualSize:
        chooseZoom(program, 1);
        break;
    case Action::ZoomIn:
        chooseZoom(program, velmora::zoomedIn(program.host.wholeZoom()));
        break;
    case Action::ZoomOut:
        chooseZoom(program, velmora::zoomedOut(program.host.wholeZoom()));
        break;
    case Action::Fit:
        chooseZoom(program, velmora::kFitZoom);
        break;
    case Action::Fullscreen:
        toggleFullscreen(program);
        break;
    case Action::Captions: // check items: onMenuItem reads their state
    case Action::ReloadOnSave:
        break;
    case Action::SaveFrame:
        saveFramePicture(program);
        break;
    case Action::Keys:
        velmora::runKeysHelp(GTK_WINDOW(program.window));
        break;
    case Action::About:
        program.procedure.onCommand(velmora::kCommandAbout);
        break;
    }
}

void onMenuItem(GtkMenuItem* item, gpointer data) {
    Program& program = *static_cast<Program*>(data);
    const Action action = Action(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "action")));
    const bool active = GTK_IS_CHECK_MENU_ITEM(item) &&
                        gtk_check_menu_item_get_active(GTK_CHECK_MENU_ITEM(item));
    if (action == Action::Captions) {
        showCaptions(program, active);
        saveSettings(program);
    } else if (action == Action::ReloadOnSave) {
        program.watch.setEnabled(active);
    } else {
        run(program, action);
    }
}

gboolean onAccelerator(GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data) {
    auto* item = static_cast<GtkWidget*>(data);
    gtk_menu_item_activate(GTK_MENU_ITEM(item));
    return TRUE;
}

struct MenuEntry {
    const char* label;
    Action action;
    guint key = 0; // the accelerator shown beside the item
    GdkModifierType modifiers = GdkModifierType(0);
    guint otherKey = 0; // a second accelerator with the same modifiers, not shown
};

struct Menu {
    const char* title;
    std::vector<MenuEntry> entries;
};

const std::vector<Menu>& menus() {
    static const std::vector<Menu> table = {
        {"_File",
         {{"Save _Frame", Action::SaveFrame, GDK_KEY_F12},
          {"E_xit", Action::Exit, GDK_KEY_q, GDK_CONTROL_MASK}}},
        {"_View",
         {{"_Actual Size", Action::ActualSize, GDK_KEY_0, GDK_CONTROL_MASK, GDK_KEY_KP_0},
          {"Zoom _In", Action::ZoomIn, GDK_KEY_plus, GDK_CONTROL_MASK, GDK_KEY_equal},
          {"Zoom _Out", Action::ZoomOut, GDK_KEY_minus, GDK_CONTROL_MASK, GDK_KEY_KP_Subtract},
          {"_Fit to Window", Action::Fit},
          {"F_ull Screen", Action::Fullscreen, GDK_KEY_F11},
          {"_Captions", Action::Captions},
          {"_Reload on Save", Action::ReloadOnSave}}},
        {"_Help",
         {{"_Keys", Action::Keys, GDK_KEY_F1},
          // Alt with "?" or "/" opens the About box.
          {"_About ...", Action::About, GDK_KEY_question, GDK_MOD1_MASK, GDK_KEY_slash}}},
    };
    return table;
}

// A plain item, or a check item showing whether its setting is on.
GtkWidget* menuItem(const Program& program, const MenuEntry& entry) {
    if (entry.action != Action::Captions && entry.action != Action::ReloadOnSave) {
        return gtk_menu_item_new_with_mnemonic(entry.label);
    }
    GtkWidget* item = gtk_check_menu_item_new_with_mnemonic(entry.label);
    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(item),
                                   entry.action == Action::Captions ? program.settings.captions
                                                                    : program.watch.enabled());
    return item;
}

void addAccelerator(GtkAccelGroup* accelerators, guint key, GdkModifierType modifiers,
                    GtkWidget* item) {
    gtk_accel_group_connect(accelerators, key, modifiers, GtkAccelFlags(0),
                            g_cclosure_new(G_CALLBACK(onAccelerator), item, nullptr));
}

GtkWidget* menuBar(Program& program, GtkAccelGroup* accelerators) {
    GtkWidget* bar = gtk_menu_bar_new();
    for (const Menu& menu : menus()) {
        GtkWidget* top = gtk_menu_item_new_with_mnemonic(menu.title);
        GtkWidget* items = gtk_menu_new();
        for (const MenuEntry& entry : menu.entries) {
            GtkWidget* item = menuItem(program, entry);
            g_object_set_data(G_OBJECT(item), "action", GINT_TO_POINTER(int(entry.action)));
            g_signal_connect(item, "activate", G_CALLBACK(onMenuItem), &program);
            if (entry.key != 0) {
                GtkWidget* label = gtk_bin_get_child(GTK_BIN(item));
                gtk_accel_label_set_accel(GTK_ACCEL_LABEL(label), entry.key, entry.modifiers);
                addAccelerator(accelerators, entry.key, entry.modifiers, item);
            }
            if (entry.otherKey != 0) {
                addAccelerator(accelerators, entry.otherKey, entry.modifiers, item);
            }
            if (entry.action == Action::ZoomIn) {
                addAccelerator(accelerators, GDK_KEY_KP_Add, entry.modifiers, item);
            }
            gtk_menu_shell_append(GTK_MENU_SHELL(items), item);
        }
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), items);
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), top);
    }
    return bar;
}

void setIcons(GtkWidget* window, const velmora::platform::Host& host) {
    GList* icons = nullptr;
    for (int number : velmora::content::kIcons) {
        if (GdkPixbuf* icon = velmora::pixbufOfResource(host, true, number)) {
            icons = g_list_append(icons, icon);
        }
    }
    gtk_window_set_icon_list(GTK_WINDOW(window), icons);
    g_list_free_full(icons, g_object_unref);
}

GdkRectangle workArea() {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    GdkRectangle area{0, 0, velmora::kPictureWidth, velmora::kPictureHeight};
    if (monitor != nullptr) {
        gdk_monitor_get_workarea(monitor, &area);
    }
    return area;
}

// Without a window manager maximising is only a hint, so the window also takes the work area's
// size and place itself.
void maximise(GtkWidget* window, const GdkRectangle& area) {
    gtk_window_set_default_size(GTK_WINDOW(window), area.width, area.height);
    gtk_window_move(GTK_WINDOW(window), area.x, area.y);
    gtk_window_maximize(GTK_WINDOW(window));
}

GtkWidget* createMainWindow(Program& program, bool fullscreen) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    program.window = window;
    gtk_window_set_title(GTK_WINDOW(window), "Velmora");
    setIcons(window, program.host);
    GtkAccelGroup* accelerators = gtk_accel_group_new();
    gtk_window_add_accel_group(GTK_WINDOW(window), accelerators);
    GtkWidget* bar = menuBar(program, accelerators);
    g_object_unref(accelerators);

    GtkWidget* drawingArea = gtk_drawing_area_new();
    gtk_widget_set_hexpand(drawingArea, TRUE);
    gtk_widget_set_vexpand(drawingArea, TRUE);
    program.status = gtk_label_new("");
    gtk_widget_set_halign(program.status, GTK_ALIGN_START);
    gtk_widget_set_valign(program.status, GTK_ALIGN_END);
    gtk_widget_set_no_show_all(program.status, TRUE);
    GtkWidget* overlay = gtk_overlay_new();
    gtk_container_add(GTK_CONTAINER(overlay), drawingArea);
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), program.status);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_box_pack_start(GTK_BOX(box), bar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), overlay, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);

    g_signal_connect(drawingArea, "draw", G_CALLBACK(onDraw), &program);
    g_signal_connect(drawingArea, "size-allocate", G_CALLBACK(onSizeAllocate), &program);
    g_signal_connect(window, "key-press-event", G_CALLBACK(onKeyPress), &program);
    g_signal_connect(window, "window-state-event", G_CALLBACK(onWindowState), &program);
    g_signal_connect(window, "destroy", G_CALLBACK(onDestroy), &program);
    program.host.attach(window, drawingArea, program.procedure);

    const GdkRectangle area = workArea();
    int menuBarHeight = 0;
    gtk_widget_get_preferred_height(bar, nullptr, &menuBarHeight);
    program.startZoom = velmora::startZoom(area.width, area.height, menuBarHeight);
    applyZoom(program);
    maximise(window, area);
    if (fullscreen) {
        gtk_window_fullscreen(GTK_WINDOW(window));
    }
    return window;
}

} // namespace

int main(int argc, char** argv) {
    const velmora::CommandLine line = velmora::parseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "velmora: %s\n\n%s", line.error.c_str(), line.usage.c_str());
        return 2;
    }
    if (line.version) {
        std::printf("velmora " VELMORA_VERSION "\n");
        return 0;
    }
    // After the parse, so that --help names the program as it was called. The program name is
    // the application id, which Wayland compositors match with the desktop entry; X11 docks
    // match the class below with its StartupWMClass.
    g_set_prgname(VELMORA_APP_ID);
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "velmora: no display to open a window on; without one, run it as "
                             "xvfb-run -a -s '-screen 0 1920x1080x24' velmora\n");
        return 1;
    }
    gdk_set_program_class("MYKORVEN");
    GtkHost host(velmora::resources::embedded());
    {
        velmora::ProgramLifetime lifetime(host);
        WindowProcedure procedure(host,
                                  velmora::findWorldDirectory(line.world, velmora::ownExecutable(),
                                                              VELMORA_INSTALLED_DATA));
        velmora::WorldWatch watch(procedure);
        watch.setEnabled(line.watch);
        Program program{host, procedure, watch,
                        velmora::readViewSettings(velmora::viewSettingsPath(), std::cerr)};
        // The command line decides for this run only.
        const velmora::ViewSettings remembered = program.settings;
        if (line.zoom) {
            program.settings.zoom = line.zoom;
        }
        procedure.state().captionsEnabled = program.settings.captions;
        GtkWidget* window = createMainWindow(program, line.fullscreen || remembered.fullscreen);
        gtk_widget_show_all(window);
        procedure.onCreate();
        gtk_main();
    }
    return host.exitCode();
}
