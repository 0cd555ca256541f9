#include "GtkHost.h"

#include "AboutBox.h"
#include "render/FrameSize.h"
#include "render/PngFile.h"
#include "render/ScreenLayout.h"
#include "shell/WindowProcedure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
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
    if (pictureSurface_ != nullptr) {
        cairo_surface_destroy(pictureSurface_);
    }
}

void GtkHost::attach(GtkWidget* window, GtkWidget* drawingArea, WindowProcedure& procedure) {
    window_ = window;
    drawingArea_ = drawingArea;
    procedure_ = &procedure;
}

void GtkHost::showMessage(const std::string& text, const std::string& caption,
                          platform::MessageIcon icon) {
    showMessageWithDetail(text, "", caption, icon);
}

void GtkHost::showMessageWithDetail(const std::string& text, const std::string& detail,
                                    const std::string& caption, platform::MessageIcon icon) {
    if (isMainThread()) {
        showMessageNow(text, detail, caption, icon);
        return;
    }
    // Another thread waits until the box is dismissed, or until the program starts closing.
    struct Shown {
        std::mutex mutex;
        std::condition_variable dismissed;
        bool done = false;
    };
    auto shown = std::make_shared<Shown>();
    runOnMainThread([this, shown, text, detail, caption, icon] {
        showMessageNow(text, detail, caption, icon);
        std::lock_guard lock(shown->mutex);
        shown->done = true;
        shown->dismissed.notify_all();
    });
    std::unique_lock lock(shown->mutex);
    while (!shown->done && !closing_) {
        shown->dismissed.wait_for(lock, std::chrono::milliseconds(50));
    }
}

void GtkHost::showMessageNow(const std::string& text, const std::string& detail,
                             const std::string& caption, platform::MessageIcon icon) {
    GtkWidget* dialog =
        gtk_message_dialog_new(window_ != nullptr ? GTK_WINDOW(window_) : nullptr, GTK_DIALOG_MODAL,
                               messageTypeOf(icon), GTK_BUTTONS_OK, "%s", text.c_str());
    if (!detail.empty()) {
        gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", detail.c_str());
    }
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

// The core lays its picture out for a screen of the picture's size; the window scales it.
platform::ScreenSize GtkHost::screenSize() const {
    return {kPictureWidth, kPictureHeight};
}

cairo_surface_t* GtkHost::windowPicture() {
    if (pictureSurface_ == nullptr) {
        pictureSurface_ = cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(picture_.data()), CAIRO_FORMAT_RGB24, kPictureWidth,
            kPictureHeight, kPictureWidth * 4);
    }
    cairo_surface_mark_dirty(pictureSurface_);
    return pictureSurface_;
}

void GtkHost::clearWindow() {
    picture_.clear();
}

void GtkHost::presentImage(const platform::PixelView& image, int x, int y) {
    picture_.present(image, x, y);
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
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    const PicturePlacement at = placement();
    cairo_translate(cr, at.x, at.y);
    cairo_scale(cr, at.scale, at.scale);
    cairo_set_source_surface(cr, windowPicture(), 0, 0);
    // Whole zooms keep every picture pixel a sharp square, also on HiDPI screens; a fitted
    // picture is filtered smoothly.
    const bool whole = at.scale == double(int(at.scale));
    cairo_pattern_set_filter(cairo_get_source(cr),
                             whole ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_paint(cr);
}

PicturePlacement GtkHost::placement() const {
    if (drawingArea_ == nullptr) {
        return {};
    }
    return placePicture(gtk_widget_get_allocated_width(drawingArea_),
                        gtk_widget_get_allocated_height(drawingArea_),
                        fullscreen_ ? kFitZoom : zoom_);
}

void GtkHost::setZoom(int zoom, bool fullscreen) {
    zoom_ = zoom;
    fullscreen_ = fullscreen;
    if (drawingArea_ != nullptr) {
        gtk_widget_queue_draw(drawingArea_);
    }
}

int GtkHost::wholeZoom() const {
    return std::max(1, int(placement().scale));
}

bool GtkHost::saveFrame(const std::string& path) const {
    const ScreenPoint origin = frameOriginFor(kPictureWidth, kPictureHeight);
    const platform::PixelView picture = picture_.view();
    // Written beside it and renamed, so that the picture is never seen half written.
    const std::string partial = path + ".part";
    const bool written = writePng({picture.pixels + origin.y * picture.stride + origin.x,
                                   kFrameWidth, kFrameHeight, picture.stride},
                                  partial) &&
                         std::rename(partial.c_str(), path.c_str()) == 0;
    if (!written) {
        std::remove(partial.c_str());
    }
    return written;
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
