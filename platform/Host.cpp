#include "platform/Host.h"

#include <atomic>
#include <iostream>

namespace velmora::platform {

ConsoleHost::ConsoleHost(std::span<const EmbeddedResource> resources, bool showDebugOutput)
    : resources_(resources), showDebugOutput_(showDebugOutput) {}

void Host::showMessageWithDetail(const std::string& text, const std::string& detail,
                                 const std::string& caption, MessageIcon icon) {
    showMessage(appendLines(text, detail), caption, icon);
}

void ConsoleHost::showMessage(const std::string& text, const std::string& caption,
                              MessageIcon /*icon*/) {
    std::cerr << caption << ": " << text << std::endl;
}

void ConsoleHost::runOnMainThread(std::function<void()> work) {
    mainThreadWork_.post(std::move(work));
}

void ConsoleHost::beginClosing() {
    mainThreadWork_.close();
}

void ConsoleHost::quit(int exitCode) {
    if (!exitCode_) {
        exitCode_ = exitCode;
    }
}

int ConsoleHost::runPendingWork(std::chrono::milliseconds wait) {
    return mainThreadWork_.runPending(wait);
}

void ConsoleHost::debugOutput(const std::string& text) {
    if (showDebugOutput_) {
        std::cerr << text << std::flush;
    }
}

std::optional<ResourceBytes> ConsoleHost::resource(ResourceType type, int number) const {
    return findResource(resources_, type, number);
}

} // namespace velmora::platform
