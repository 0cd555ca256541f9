#pragma once

#include "FakeHost.h"
#include "WorldReport.h"
#include "loading/LoadPipeline.h"
#include "platform/FatalError.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::testing {

// Limits small enough that a runaway world ends within a second.
inline WorldReader smallReader(const std::filesystem::path& dataDirectory) {
    return WorldReader(dataDirectory.string(), 20000, TreeLimits{100000, 20'000'000});
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh World for each test, loaded the way the program loads it and reported as text.
class WorldFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // One directory per process, emptied after each test: the same test may run from several
        // build directories at once.
        root_ = std::filesystem::temp_directory_path() /
                ("velmora-tests-" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_); // left by an earlier process of the same id
        World::destroy();
        World::instance().progressCallback = [this](const char* text) {
            progress_.push_back(text);
        };
    }

    void TearDown() override {
        World::destroy();
        std::filesystem::remove_all(root_);
    }

    // Loads reader's world (or reloads it, keeping the camera): what the reader printed, then the
    // lines velmora-snap --stats --edges prints, or the fatal error's caption, text, place and
    // icon.
    std::string report(WorldReader& reader, bool reload = false) {
        static const char* const icons[] = {"none", "error", "warning", "information"};
        World& world = World::instance();
        std::ostringstream out;
        progress_.clear();
        failed_ = false;
        ::testing::internal::CaptureStdout();
        try {
            reload ? reloadWorld(world, reader, host_)
                   : loadWorld(reader, camera_, heading_, host_);
            snap::printStats(world, out);
            out << "camera: " << camera_.x << ' ' << camera_.y << ' ' << camera_.z << '\n'
                << "heading: " << heading_ << '\n';
            snap::printEdges(world, out);
        } catch (const platform::FatalError& error) {
            failed_ = true;
            out << error.caption() << ": " << error.textWithPlace() << '\n'
                << "icon: " << icons[static_cast<int>(error.icon())] << '\n';
        }
        return ::testing::internal::GetCapturedStdout() + out.str();
    }

    // Writes data/<name> in this test's scratch directory; returns that data directory.
    std::filesystem::path write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = root_ / "data" / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return root_ / "data";
    }

    test::FakeHost host_;
    std::vector<std::string> progress_; // the load's progress texts
    bool failed_ = false;               // whether the last report ended in a fatal error

  private:
    std::filesystem::path root_;
    Vertex camera_{1, 2, 3};
    float heading_ = 7.0f;
};

} // namespace velmora::testing
