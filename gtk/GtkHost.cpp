#include "GtkHost.h"

#include "AboutBox.h"
#include "shell/WindowProcedure.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace velmora {

namespace {

// Runs one posted function on the main loop's idle turn, then frees it.
struct PostedWork {
    std::function<void()> work;
    const std::atomic<bool>* closing;
};

gboolean runPostedWork(gpointer data) {
    std::unique_ptr<PostedWork> posted(static_cast<PostedWork*>(data));
    if (!posted->closing->load()) {
        posted->work();
    }
    return G_SOURCE_REMOVE;
}

GtkMessageType messageTypeOf(platform::MessageIcon icon) {
    switch (icon) {
    case platform::MessageIcon::Error:
        return GTK_MESSAGE_ERROR;
    case platform::MessageIcon::Warning:
        return GTK_MESSAGE_WARNING;
    case platform::MessageIcon::Information:
        return GTK_MESSAGE_INFO;
    case platform::MessageIcon::None:
        break;
    }
    return GTK_MESSAGE_OTHER;
}

gboolean onTick(gpointer data) {
    static_cast<WindowProcedure*>(data)->onTimer();
    return G_SOURCE_CONTINUE;
}

} // namespace

GtkHost::GtkHost(std::span<const platform::EmbeddedResource> resources)
    : resources_(resources), mainThread_(std::this_thread::get_id()) {}

GtkHost::~GtkHost() {
    if (timer_ != 0) {
        g_source_remove(timer_);
    }
    if (picture_ != nullptr) {
        cairo_surface_destroy(picture_);
    }
}

void GtkHost::attach(GtkWidget* window, GtkWidget* drawingArea, WindowProcedure& procedure) {
    window_ = window;
    drawingArea_ = drawingArea;
    procedure_ = &procedure;
}

void GtkHost::showMessage(const std::string& text, const std::string& caption,
                          platform::MessageIcon icon) {
    if (isMainThread()) {
        showMessageNow(text, caption, icon);
        return;
    }
    // Another thread waits until the box is dismissed, or until the program starts closing.
    struct Shown {
        std::mutex mutex;
        std::condition_variable dismissed;
        bool done = false;
    };
    auto shown = std::make_shared<Shown>();
    runOnMainThread([this, shown, text, caption, icon] {
        showMessageNow(text, caption, icon);
        std::lock_guard lock(shown->mutex);
        shown->done = true;
        shown->dismissed.notify_all();
    });
    std::unique_lock lock(shown->mutex);
    while (!shown->done && !closing_) {
        shown->dismissed.wait_for(lock, std::chrono::milliseconds(50));
    }
}

void GtkHost::showMessageNow(const std::string& text, const std::string& caption,
                             platform::MessageIcon icon) {
    GtkWidget* dialog =
        gtk_message_dialog_new(window_ != nullptr ? GTK_WINDOW(window_) : nullptr,
                               GTK_DIALOG_MODAL, messageTypeOf(icon), GTK_BUTTONS_OK, "%s",
                               text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

void GtkHost::debugOutput(const std::string& text) {
    g_debug("%s", text.c_str());
}

std::optional<platform::ResourceBytes> GtkHost::resource(platform::ResourceType type,
                                                         int number) const {
    return platform::findResource(resources_, type, number);
}

void GtkHost::requestRepaint() {
    runOnMainThread([this] {
        if (drawingArea_ != nullptr) {
            gtk_widget_queue_draw(drawingArea_);
        }
    });
}

void GtkHost::runOnMainThread(std::function<void()> work) {
    if (closing_) {
        return;
    }
    g_idle_add(runPostedWork, new PostedWork{std::move(work), &closing_});
}

void GtkHost::beginClosing() {
    closing_ = true;
}

platform::ScreenSize GtkHost::screenSize() const {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr) {
        monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor == nullptr) {
        return {1000, 768};
    }
    GdkRectangle area;
    gdk_monitor_get_geometry(monitor, &area);
    return {area.width, area.height};
}

// The picture the window shows, as large as the drawing area (at least the screen at start).
cairo_surface_t* GtkHost::windowPicture() {
    int width = 0;
    int height = 0;
    if (drawingArea_ != nullptr && gtk_widget_get_realized(drawingArea_)) {
        width = gtk_widget_get_allocated_width(drawingArea_);
        height = gtk_widget_get_allocated_height(drawingArea_);
    }
    if (width <= 1 || height <= 1) {
        const platform::ScreenSize screen = screenSize();
        width = screen.width;
        height = screen.height;
    }
    if (picture_ == nullptr || cairo_image_surface_get_width(picture_) != width ||
        cairo_image_surface_get_height(picture_) != height) {
        if (picture_ != nullptr) {
            cairo_surface_destroy(picture_);
        }
        picture_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    }
    return picture_;
}

void GtkHost::clearWindow() {
    cairo_t* cr = cairo_create(windowPicture());
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
}

void GtkHost::presentImage(const platform::PixelView& image, int x, int y) {
    cairo_surface_t* source = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<std::uint32_t*>(image.pixels)),
        CAIRO_FORMAT_RGB24, image.width, image.height, image.stride * 4);
    cairo_t* cr = cairo_create(windowPicture());
    cairo_set_source_surface(cr, source, x, y);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_destroy(source);
    if (!painting_ && drawingArea_ != nullptr) {
        gtk_widget_queue_draw(drawingArea_);
    }
}

void GtkHost::paint(cairo_t* cr) {
    painting_ = true;
    if (procedure_ != nullptr) {
        procedure_->onPaint();
    }
    painting_ = false;
    cairo_set_source_surface(cr, windowPicture(), 0, 0);
    cairo_paint(cr);
}

void GtkHost::startTimer(int intervalMs) {
    if (timer_ == 0 && procedure_ != nullptr) {
        timer_ = g_timeout_add(guint(intervalMs), onTick, procedure_);
    }
}

void GtkHost::showAboutBox() {
    runAboutBox(*this, window_ != nullptr ? GTK_WINDOW(window_) : nullptr);
}

void GtkHost::closeWindow() {
    if (window_ != nullptr) {
        gtk_widget_destroy(window_);
    }
}

void GtkHost::quit(int exitCode) {
    exitCode_ = exitCode;
    if (timer_ != 0) {
        g_source_remove(timer_);
        timer_ = 0;
    }
    gtk_main_quit();
}

} // namespace velmora
