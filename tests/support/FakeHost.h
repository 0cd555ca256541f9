#pragma once

#include "platform/Host.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

// The one test host, passed to what a test builds. It records every message box and debug line,
// from any thread, and serves the resources a test puts into it.
class FakeHost : public platform::Host {
  public:
    struct Message {
        std::string text;
        std::string caption;
        platform::MessageIcon icon = platform::MessageIcon::None;
        bool operator==(const Message&) const = default;
    };
    using Bytes = std::vector<std::uint8_t>;

    FakeHost();
    ~FakeHost() override;
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    void showMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
    void debugOutput(const std::string& text) override;
    std::optional<platform::ResourceBytes> resource(platform::ResourceType type,
                                                    int number) const override;
    void requestRepaint() override;
    void runOnMainThread(std::function<void()> work) override { mainThreadWork_.post(work); }
    void beginClosing() override;
    platform::ScreenSize screenSize() const override { return screen; }
    void clearWindow() override;
    void presentImage(const platform::PixelView& image, int x, int y) override;
    void startTimer(int intervalMs) override;
    void showAboutBox() override;
    void closeWindow() override;
    void quit(int exitCode) override;

    // Runs the work posted for the main thread, waiting up to `wait` for some.
    int runPendingWork(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) {
        return mainThreadWork_.runPending(wait);
    }
    // What the window was asked to do, in order: "timer 250", "about", "close", "quit 5",
    // "closing".
    std::vector<std::string> takeRequests();

    // One image shown in the window: where, and a copy of its pixels.
    struct Shown {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels; // rows without padding
    };
    // Everything shown since the last call, a window clear as an empty image at (0, 0).
    std::vector<Shown> takeShown();
    int repaintRequests() const;

    platform::ScreenSize screen{1920, 1080};

    // The message boxes shown since the last call, in order.
    std::vector<Message> takeMessages();
    // Only their texts.
    std::vector<std::string> takeTexts();
    // Every debug line so far, in order.
    std::vector<std::string> debugLines() const;

    // Serves bytes as resource (type, number); empty bytes are served as an empty resource.
    void putResource(platform::ResourceType type, int number, Bytes bytes);
    void removeResource(platform::ResourceType type, int number);

  private:
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
    std::vector<std::string> debugLines_;
    std::map<std::pair<platform::ResourceType, int>, Bytes> resources_;
    std::vector<Shown> shown_;
    std::vector<std::string> requests_;
    platform::MainThreadQueue mainThreadWork_;
    int repaintRequests_ = 0;
};

} // namespace velmora::test
