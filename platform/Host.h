#pragma once

#include "platform/EmbeddedResource.h"
#include "platform/MainThreadQueue.h"
#include "platform/WindowPicture.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace velmora::platform {

enum class MessageIcon { None, Error, Warning, Information };

// text, then `more` on lines of its own; a line break that ends text is not doubled.
inline std::string appendLines(const std::string& text, const std::string& more) {
    if (more.empty()) {
        return text;
    }
    return text + (text.ends_with('\n') ? "" : "\n") + more;
}

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// Everything the core needs from the program that hosts it. The windowed program, the headless
// tool and the tests each provide one.
//
// Threads: the program has a main thread (window, keys, timer, drawing) and short-lived others
// (loading, sound waits). The calls under "any thread" may come from any of them; an
// implementation makes that safe, for instance by handing the work to its main thread. The calls
// under "main thread" come only from the main thread.
class Host {
  public:
    virtual ~Host() = default;

    // A modal message box without an owner window. Returns once it has been dismissed.
    virtual void showMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    // A message box with a second text in smaller print under the first (where in the world
    // files an error lies). Hosts without such a place show it as further lines of the text.
    virtual void showMessageWithDetail(const std::string& text, const std::string& detail,
                                       const std::string& caption, MessageIcon icon);
    // The platform's debug channel (the BSP build reports through it).
    virtual void debugOutput(const std::string& text) = 0;
    // The bytes of one of the program's resources, or nothing. The bytes live as long as the host.
    virtual std::optional<ResourceBytes> resource(ResourceType type, int number) const = 0;
    // Asks for the window to be painted again soon; returns at once.
    virtual void requestRepaint() = 0;
    // Runs work on the main thread soon, in posting order; returns at once.
    virtual void runOnMainThread(std::function<void()> work) = 0;
    // The program is closing and its main thread is about to wait for the others: from now on
    // posted work is dropped, and a message box asked for by another thread is not shown (the
    // call returns at once), so that no thread waits for the main thread.
    virtual void beginClosing() = 0;

    // Main thread:
    // The size of the screen the window covers, in pixels.
    virtual ScreenSize screenSize() const = 0;
    // Fills the whole window with black.
    virtual void clearWindow() = 0;
    // Shows the pixels with their top-left corner at (x, y) of the window; what falls outside
    // the window is cut off. The pixels are copied before the call returns.
    virtual void presentImage(const PixelView& image, int x, int y) = 0;
    // Starts the tick that reaches the window procedure every intervalMs milliseconds.
    virtual void startTimer(int intervalMs) = 0;
    // Shows the About box modally.
    virtual void showAboutBox() = 0;
    // Closes the window, which ends the program with exit code 0.
    virtual void closeWindow() = 0;
    // Ends the event loop; the program then exits with this code.
    virtual void quit(int exitCode) = 0;
};

// A host for programs that have no window: messages go to standard error as "CAPTION: TEXT",
// debug output is dropped unless asked for, resources come from the given table. Like the
// window, it reports a screen of the picture's size and keeps what is presented in a picture
// that its users may read. Work for the main
// thread waits until the main thread calls runPendingWork; timer ticks are the caller's to give.
class ConsoleHost : public Host {
  public:
    explicit ConsoleHost(std::span<const EmbeddedResource> resources = {},
                         bool showDebugOutput = false);

    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void debugOutput(const std::string& text) override;
    std::optional<ResourceBytes> resource(ResourceType type, int number) const override;
    void requestRepaint() override {}
    void runOnMainThread(std::function<void()> work) override;
    void beginClosing() override;
    ScreenSize screenSize() const override { return {kPictureWidth, kPictureHeight}; }
    void clearWindow() override { picture_.clear(); }
    void presentImage(const PixelView& image, int x, int y) override { picture_.present(image, x, y); }
    void startTimer(int) override {}
    void showAboutBox() override {}
    void closeWindow() override { quit(0); }
    void quit(int exitCode) override;

    // Main thread: runs the posted work, waiting up to `wait` for some; returns how many ran.
    int runPendingWork(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    // The code quit was called with, if it was.
    std::optional<int> exitCode() const { return exitCode_; }
    const WindowPicture& picture() const { return picture_; }

  private:
    std::span<const EmbeddedResource> resources_;
    bool showDebugOutput_;
    MainThreadQueue mainThreadWork_;
    std::optional<int> exitCode_;
    WindowPicture picture_;
};

} // namespace velmora::platform
