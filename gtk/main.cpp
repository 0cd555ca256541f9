// velmora: the windowed program. One maximised window with its menu; everything inside it is
// drawn by the core and shown through the GTK host.
#include "AboutBox.h"
#include "CommandLine.h"
#include "GtkHost.h"
#include "content/Pictures.h"
#include "platform/EmbeddedResources.h"
#include "shell/ProgramLifetime.h"
#include "shell/VirtualKeys.h"
#include "shell/WindowProcedure.h"
#include "shell/WorldLocation.h"

#include <gtk/gtk.h>

#include <cstdio>

namespace {

using velmora::GtkHost;
using velmora::WindowProcedure;

struct Program {
    GtkHost& host;
    WindowProcedure& procedure;
};

gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer data) {
    static_cast<Program*>(data)->host.paint(cr);
    return TRUE;
}

gboolean onKeyPress(GtkWidget*, GdkEventKey* event, gpointer data) {
    // Alt belongs to the menu's mnemonics and the About accelerators.
    if ((event->state & GDK_MOD1_MASK) != 0) {
        return FALSE;
    }
    const std::optional<int> code = velmora::keyCodeForKeyval(event->keyval);
    return code && static_cast<Program*>(data)->procedure.onKeyDown(*code);
}

void onSizeAllocate(GtkWidget*, GdkRectangle*, gpointer data) {
    static_cast<Program*>(data)->procedure.onSize();
}

void onDestroy(GtkWidget*, gpointer data) {
    static_cast<Program*>(data)->host.attach(nullptr, nullptr,
                                              static_cast<Program*>(data)->procedure);
    gtk_main_quit();
}

void onMenuCommand(GtkMenuItem*, gpointer data) {
    auto* program = static_cast<Program*>(g_object_get_data(G_OBJECT(data), "program"));
    program->procedure.onCommand(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(data), "command")));
}

gboolean onAboutAccelerator(GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data) {
    static_cast<Program*>(data)->procedure.onCommand(velmora::kCommandAbout);
    return TRUE;
}

GtkWidget* menuItem(const char* label, int command, Program& program) {
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(label);
    g_object_set_data(G_OBJECT(item), "program", &program);
    g_object_set_data(G_OBJECT(item), "command", GINT_TO_POINTER(command));
    g_signal_connect(item, "activate", G_CALLBACK(onMenuCommand), item);
    return item;
}

GtkWidget* menuBar(Program& program) {
    GtkWidget* bar = gtk_menu_bar_new();
    const struct {
        const char* title;
        const char* item;
        int command;
    } menus[] = {{"_File", "E_xit", velmora::kCommandExit},
                 {"_Help", "_About ...", velmora::kCommandAbout}};
    for (const auto& entry : menus) {
        GtkWidget* top = gtk_menu_item_new_with_mnemonic(entry.title);
        GtkWidget* menu = gtk_menu_new();
        gtk_menu_shell_append(GTK_MENU_SHELL(menu), menuItem(entry.item, entry.command, program));
        gtk_menu_item_set_submenu(GTK_MENU_ITEM(top), menu);
        gtk_menu_shell_append(GTK_MENU_SHELL(bar), top);
    }
    return bar;
}

// Alt with "?" or "/" opens the About box.
void addAboutAccelerators(GtkWidget* window, Program& program) {
    GtkAccelGroup* accelerators = gtk_accel_group_new();
    for (guint key : {GDK_KEY_question, GDK_KEY_slash}) {
        gtk_accel_group_connect(accelerators, key, GDK_MOD1_MASK, GtkAccelFlags(0),
                                g_cclosure_new(G_CALLBACK(onAboutAccelerator), &program, nullptr));
    }
    gtk_window_add_accel_group(GTK_WINDOW(window), accelerators);
    g_object_unref(accelerators);
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

// Without a window manager maximising is only a hint, so the window also takes the monitor's
// size and place itself.
void maximise(GtkWidget* window) {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor != nullptr) {
        GdkRectangle area;
        gdk_monitor_get_workarea(monitor, &area);
        gtk_window_set_default_size(GTK_WINDOW(window), area.width, area.height);
        gtk_window_move(GTK_WINDOW(window), area.x, area.y);
    }
    gtk_window_maximize(GTK_WINDOW(window));
}

GtkWidget* createMainWindow(Program& program, bool fullscreen) {
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Velmora");
    setIcons(window, program.host);
    GtkWidget* drawingArea = gtk_drawing_area_new();
    gtk_widget_set_hexpand(drawingArea, TRUE);
    gtk_widget_set_vexpand(drawingArea, TRUE);
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_box_pack_start(GTK_BOX(box), menuBar(program), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), drawingArea, TRUE, TRUE, 0);
    gtk_container_add(GTK_CONTAINER(window), box);
    addAboutAccelerators(window, program);
    g_signal_connect(drawingArea, "draw", G_CALLBACK(onDraw), &program);
    g_signal_connect(drawingArea, "size-allocate", G_CALLBACK(onSizeAllocate), &program);
    g_signal_connect(window, "key-press-event", G_CALLBACK(onKeyPress), &program);
    g_signal_connect(window, "destroy", G_CALLBACK(onDestroy), &program);
    program.host.attach(window, drawingArea, program.procedure);
    maximise(window);
    if (fullscreen) {
        gtk_window_fullscreen(GTK_WINDOW(window));
    }
    return window;
}

} // namespace

int main(int argc, char** argv) {
    const velmora::CommandLine line = velmora::parseCommandLine(argc, argv);
    // After the parse, so that --help names the program as it was called. The program name is
    // the application id, which Wayland compositors match with the desktop entry; X11 docks
    // match the class below with its StartupWMClass.
    g_set_prgname(VELMORA_APP_ID);
    if (!line.error.empty()) {
        std::fprintf(stderr, "velmora: %s\n\n%s", line.error.c_str(), line.usage.c_str());
        return 2;
    }
    if (line.version) {
        std::printf("velmora " VELMORA_VERSION "\n");
        return 0;
    }
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "velmora: no display to open a window on; without one, run it as "
                             "xvfb-run -a -s '-screen 0 1920x1080x24' velmora\n");
        return 1;
    }
    gdk_set_program_class("MYKORVEN");
    GtkHost host(velmora::resources::embedded());
    {
        velmora::ProgramLifetime lifetime(host);
        WindowProcedure procedure(host, velmora::findWorldDirectory(line.world,
                                                                     velmora::ownExecutable(),
                                                                     VELMORA_INSTALLED_DATA));
        Program program{host, procedure};
        GtkWidget* window = createMainWindow(program, line.fullscreen);
        gtk_widget_show_all(window);
        procedure.onCreate();
        gtk_main();
    }
    return host.exitCode();
}
