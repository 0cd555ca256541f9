#include "platform/EmbeddedResource.h"
#include "platform/Host.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

namespace velmora::resources {
std::span<const platform::EmbeddedResource> testTable();
}

namespace velmora::platform {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string asString(std::optional<ResourceBytes> bytes) {
    return bytes ? std::string(reinterpret_cast<const char*>(bytes->data()), bytes->size())
                 : "(none)";
}

// The table of resources.list beside this file: type and number select an entry together, and
// the console host looks up the table it was given.
TEST(EmbeddedResources, TypeAndNumberSelectTheBytesOfTheListedFile) {
    const ConsoleHost host(resources::testTable());
    const struct {
        ResourceType type;
        int number;
        std::string bytes;
    } rows[] = {{ResourceType::Wave, 7, readFile("tests/unit/platform/embedded-sample.txt")},
                {ResourceType::Bitmap, 7, readFile("tests/unit/platform/resources.list")},
                {ResourceType::Wave, 8, "(none)"},
                {ResourceType::Bitmap, 101, "(none)"},
                {ResourceType::Icon, 7, "(none)"}};
    for (const auto& row : rows) {
        EXPECT_EQ(asString(findResource(resources::testTable(), row.type, row.number)), row.bytes)
            << row.number;
        EXPECT_EQ(asString(host.resource(row.type, row.number)), row.bytes) << row.number;
    }
}

// Work posted for the main thread runs in posting order; closing drops what waits and what
// comes after, and a closed queue does not wait.
TEST(MainThreadQueue, RunsInOrderUntilClosed) {
    MainThreadQueue queue;
    std::string ran;
    for (const char c : std::string("abc")) {
        queue.post([&ran, c] { ran += c; });
    }
    EXPECT_EQ(queue.runPending(), 3);
    queue.post([&ran] { ran += 'd'; });
    queue.close();
    queue.post([&ran] { ran += 'e'; });
    EXPECT_EQ(queue.runPending(std::chrono::seconds(60)), 0);
    EXPECT_EQ(ran, "abc");
}

// Messages as "CAPTION: TEXT" and debug lines only when asked for, on standard error; the first
// exit code asked for is the one kept.
TEST(ConsoleHost, PrintsMessagesAndKeepsTheFirstExitCode) {
    ConsoleHost quiet, chatty({}, true);
    testing::internal::CaptureStderr();
    quiet.showMessage("no world", "Error", MessageIcon::Error);
    quiet.debugOutput("hidden\n");
    chatty.debugOutput("shown\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: no world\nshown\n");
    EXPECT_EQ(quiet.exitCode(), std::nullopt);
    quiet.quit(5);
    quiet.closeWindow();
    EXPECT_EQ(quiet.exitCode(), 5);
    chatty.closeWindow();
    EXPECT_EQ(chatty.exitCode(), 0);
    chatty.runOnMainThread([] {});
    EXPECT_EQ(chatty.runPendingWork(), 1);
    chatty.beginClosing();
    chatty.runOnMainThread([] {});
    EXPECT_EQ(chatty.runPendingWork(), 0);
}

} // namespace
} // namespace velmora::platform
