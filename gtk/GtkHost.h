#pragma once

#include "platform/Host.h"

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
// Presented images go into a window-sized picture that the drawing area paints.
class GtkHost : public platform::Host {
  public:
    explicit GtkHost(std::span<const platform::EmbeddedResource> resources);
    ~GtkHost() override;

    // The window, its drawing area and the procedure the events go to.
    void attach(GtkWidget* window, GtkWidget* drawingArea, WindowProcedure& procedure);
    // Paints the window picture; called from the drawing area's draw handler.
    void paint(cairo_t* cr);
    int exitCode() const { return exitCode_; }
    bool isMainThread() const { return std::this_thread::get_id() == mainThread_; }

    void showMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
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
    void showMessageNow(const std::string& text, const std::string& caption,
                        platform::MessageIcon icon);
    cairo_surface_t* windowPicture();

    std::span<const platform::EmbeddedResource> resources_;
    std::thread::id mainThread_;
    std::atomic<bool> closing_{false};
    GtkWidget* window_ = nullptr;
    GtkWidget* drawingArea_ = nullptr;
    WindowProcedure* procedure_ = nullptr;
    cairo_surface_t* picture_ = nullptr;
    bool painting_ = false;
    guint timer_ = 0;
    int exitCode_ = 0;
};

} // namespace velmora
