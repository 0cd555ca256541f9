#pragma once

#include "platform/Host.h"
#include "shell/PictureScale.h"

#include <cairo.h>
#include <gtk/gtk.h>

#include <atomic>
#include <functional>
#include <span>
#include <thread>

namespace velmora {

class WindowProcedure;

// The windowed program's host: the core's calls become GTK calls on the main thread. Work from
// other threads arrives through GLib's idle queue; a message box asked for by another thread is
// shown on the main thread while the asking thread waits, unless the program is closing.
// Presented images go into the 1024 x 768 picture, which the drawing area paints centred on
// black at the chosen zoom: whole zooms with square pixels, or fitted to the area.
class GtkHost : public platform::Host {
  public:
    explicit GtkHost(std::span<const platform::EmbeddedResource> resources);
    ~GtkHost() override;

    // The window, its drawing area and the procedure the events go to.
    void attach(GtkWidget* window, GtkWidget* drawingArea, WindowProcedure& procedure);
    // Paints the window picture; called from the drawing area's draw handler.
    void paint(cairo_t* cr);
    // A whole zoom or kFitZoom; fullscreen always fits the picture to the screen.
    void setZoom(int zoom, bool fullscreen);
    // The whole zoom the picture is shown at now (for a fitted picture, its whole part).
    int wholeZoom() const;
    // Writes the frame as it is shown now (at scale 1) to a PNG; false when it cannot.
    bool saveFrame(const std::string& path) const;
    int exitCode() const { return exitCode_; }
    bool isMainThread() const { return std::this_thread::get_id() == mainThread_; }

    void showMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    // The detail is the dialog's secondary text.
    void showMessageWithDetail(const std::string& text, const std::string& detail,
                               const std::string& caption, platform::MessageIcon icon) override;
    void debugOutput(const std::string& text) override;
    std::optional<platform::ResourceBytes> resource(platform::ResourceType type,
                                                    int number) const override;
    void requestRepaint() override;
    void runOnMainThread(std::function<void()> work) override;
    void beginClosing() override;
    platform::ScreenSize screenSize() const override;
    void clearWindow() override;
    void presentImage(const platform::PixelView& image, int x, int y) override;
    void startTimer(int intervalMs) override;
    void showAboutBox() override;
    void closeWindow() override;
    void quit(int exitCode) override;

  private:
    void showMessageNow(const std::string& text, const std::string& detail,
                        const std::string& caption, platform::MessageIcon icon);
    cairo_surface_t* windowPicture();
    PicturePlacement placement() const;

    std::span<const platform::EmbeddedResource> resources_;
    std::thread::id mainThread_;
    std::atomic<bool> closing_{false};
    GtkWidget* window_ = nullptr;
    GtkWidget* drawingArea_ = nullptr;
    WindowProcedure* procedure_ = nullptr;
    platform::WindowPicture picture_;
    cairo_surface_t* pictureSurface_ = nullptr; // over picture_'s pixels
    bool painting_ = false;
    int zoom_ = 1;
    bool fullscreen_ = false;
    guint timer_ = 0;
    int exitCode_ = 0;
};

} // namespace velmora
