#include "FakeHost.h"

#include <cstddef>

namespace velmora::test {

FakeHost::FakeHost() = default;

FakeHost::~FakeHost() = default;

void FakeHost::showMessage(const std::string& text, const std::string& caption,
                           platform::MessageIcon icon) {
    std::lock_guard lock(mutex_);
    messages_.push_back({text, caption, icon});
}

void FakeHost::debugOutput(const std::string& text) {
    std::lock_guard lock(mutex_);
    debugLines_.push_back(text);
}

std::optional<platform::ResourceBytes> FakeHost::resource(platform::ResourceType type,
                                                          int number) const {
    std::lock_guard lock(mutex_);
    const auto found = resources_.find({type, number});
    if (found == resources_.end()) {
        return std::nullopt;
    }
    return platform::ResourceBytes(found->second);
}

void FakeHost::requestRepaint() {
    std::lock_guard lock(mutex_);
    ++repaintRequests_;
}

int FakeHost::repaintRequests() const {
    std::lock_guard lock(mutex_);
    return repaintRequests_;
}

void FakeHost::clearWindow() {
    std::lock_guard lock(mutex_);
    shown_.push_back({});
}

void FakeHost::presentImage(const platform::PixelView& image, int x, int y) {
    Shown shown{x, y, image.width, image.height, {}};
    for (int row = 0; row < image.height; ++row) {
        const std::uint32_t* begin = image.pixels + std::ptrdiff_t(row) * image.stride;
        shown.pixels.insert(shown.pixels.end(), begin, begin + image.width);
    }
    std::lock_guard lock(mutex_);
    shown_.push_back(std::move(shown));
}

void FakeHost::beginClosing() {
    mainThreadWork_.close();
    std::lock_guard lock(mutex_);
    requests_.push_back("closing");
}

void FakeHost::startTimer(int intervalMs) {
    std::lock_guard lock(mutex_);
    requests_.push_back("timer " + std::to_string(intervalMs));
}

void FakeHost::showAboutBox() {
    std::lock_guard lock(mutex_);
    requests_.push_back("about");
}

void FakeHost::closeWindow() {
    std::lock_guard lock(mutex_);
    requests_.push_back("close");
}

void FakeHost::quit(int exitCode) {
    std::lock_guard lock(mutex_);
    requests_.push_back("quit " + std::to_string(exitCode));
}

std::vector<std::string> FakeHost::takeRequests() {
    std::lock_guard lock(mutex_);
    return std::exchange(requests_, {});
}

std::vector<FakeHost::Shown> FakeHost::takeShown() {
    std::lock_guard lock(mutex_);
    return std::exchange(shown_, {});
}

std::vector<FakeHost::Message> FakeHost::takeMessages() {
    std::lock_guard lock(mutex_);
    return std::exchange(messages_, {});
}

std::vector<std::string> FakeHost::takeTexts() {
    std::vector<std::string> texts;
    for (const Message& message : takeMessages()) {
        texts.push_back(message.text);
    }
    return texts;
}

std::vector<std::string> FakeHost::debugLines() const {
    std::lock_guard lock(mutex_);
    return debugLines_;
}

void FakeHost::putResource(platform::ResourceType type, int number, Bytes bytes) {
    std::lock_guard lock(mutex_);
    resources_[{type, number}] = std::move(bytes);
}

void FakeHost::removeResource(platform::ResourceType type, int number) {
    std::lock_guard lock(mutex_);
    resources_.erase({type, number});
}

} // namespace velmora::test
