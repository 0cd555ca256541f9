#pragma once

#include "platform/Host.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace velmora::test {

// The one test host, passed to what a test builds. It records every message box, debug line and
// window request, from any thread, and serves the resources a test puts into it.
class FakeHost : public platform::Host {
    // Members are guarded by the mutex: any thread may call.
    template <typename Work> auto locked(Work work) const {
        std::lock_guard lock(mutex_);
        return work();
    }
    template <typename T> std::vector<T> take(std::vector<T>& list) {
        return locked([&] { return std::exchange(list, {}); });
    }
    void request(std::string what) {
        locked([&] { requests_.push_back(std::move(what)); });
    }

  public:
    struct Message {
        std::string text;
        std::string caption;
        platform::MessageIcon icon = platform::MessageIcon::None;
        bool operator==(const Message&) const = default;
    };
    using Bytes = std::vector<std::uint8_t>;

    void showMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override {
        locked([&] { messages_.push_back({text, caption, icon}); });
    }
    void debugOutput(const std::string& text) override {
        locked([&] { debugLines_.push_back(text); });
    }
    std::optional<platform::ResourceBytes> resource(platform::ResourceType type,
                                                    int number) const override;
    void requestRepaint() override {
        locked([&] { ++repaintRequests_; });
    }
    void runOnMainThread(std::function<void()> work) override { mainThreadWork_.post(work); }
    void beginClosing() override {
        mainThreadWork_.close();
        request("closing");
    }
    platform::ScreenSize screenSize() const override { return screen; }
    void clearWindow() override {
        locked([&] { shown_.push_back({}); });
    }
    void presentImage(const platform::PixelView& image, int x, int y) override;
    void startTimer(int intervalMs) override { request("timer " + std::to_string(intervalMs)); }
    void showAboutBox() override { request("about"); }
    void closeWindow() override { request("close"); }
    void quit(int exitCode) override { request("quit " + std::to_string(exitCode)); }

    // Runs the work posted for the main thread, waiting up to `wait` for some.
    int runPendingWork(std::chrono::milliseconds wait = std::chrono::milliseconds(0)) {
        return mainThreadWork_.runPending(wait);
    }
    // What the window was asked to do, in order: "timer 250", "about", "close", "quit 5",
    // "closing".
    std::vector<std::string> takeRequests() { return take(requests_); }

    // One image shown in the window: where, and a copy of its pixels.
    struct Shown {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        std::vector<std::uint32_t> pixels; // rows without padding
    };
    // Everything shown since the last call, a window clear as an empty image at (0, 0).
    std::vector<Shown> takeShown() { return take(shown_); }
    int repaintRequests() const {
        return locked([&] { return repaintRequests_; });
    }

    platform::ScreenSize screen{1920, 1080};

    // The message boxes shown since the last call, in order.
    std::vector<Message> takeMessages() { return take(messages_); }
    // Only their texts.
    std::vector<std::string> takeTexts();
    // Every debug line so far, in order.
    std::vector<std::string> debugLines() const {
        return locked([&] { return debugLines_; });
    }

    // Serves bytes as resource (type, number); empty bytes are served as an empty resource.
    void putResource(platform::ResourceType type, int number, Bytes bytes) {
        locked([&] { resources_[{type, number}] = std::move(bytes); });
    }
    void removeResource(platform::ResourceType type, int number) {
        locked([&] { resources_.erase({type, number}); });
    }

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
