#include "AboutBox.h"

#include "content/Pictures.h"

namespace velmora {

GdkPixbuf* pixbufOfResource(const platform::Host& host, bool icon, int number) {
    const auto bytes =
        host.resource(icon ? platform::ResourceType::Icon : platform::ResourceType::Bitmap, number);
    if (!bytes || bytes->empty()) {
        return nullptr;
    }
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    const bool written = gdk_pixbuf_loader_write(loader, bytes->data(), bytes->size(), nullptr);
    const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
    GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf != nullptr) {
        g_object_ref(pixbuf);
    }
    g_object_unref(loader);
    return pixbuf;
}

void runAboutBox(const platform::Host& host, GtkWindow* parent) {
    GtkWidget* dialog = gtk_dialog_new_with_buttons(
        "About  Quarnel", parent, GtkDialogFlags(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
        "OK", GTK_RESPONSE_OK, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    gtk_window_set_resizable(GTK_WINDOW(dialog), FALSE);
    GtkWidget* content = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    if (GdkPixbuf* picture = pixbufOfResource(host, false, content::kAboutBitmap)) {
        gtk_container_add(GTK_CONTAINER(content), gtk_image_new_from_pixbuf(picture));
        g_object_unref(picture);
    }
    gtk_widget_show_all(dialog);
    // Esc and the close box answer like Cancel; every answer closes the box.
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

} // namespace velmora
