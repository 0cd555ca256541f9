#pragma once

#include "FakeHost.h"
#include "platform/FatalError.h"
#include "world/World.h"
#include "world/WorldReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace velmora::testing {

// A scratch data/ directory for one test, and a fresh World that is destroyed afterwards.
class WorldFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() / "velmora-tests" /
                (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "data");
        World::destroy();
        reader_ = WorldReader(dataDirectory());
    }

    void TearDown() override {
        World::destroy();
        std::filesystem::remove_all(root_);
    }

    void write(const std::string& name, const std::string& text) {
        const auto path = root_ / "data" / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    std::string dataDirectory() const { return (root_ / "data").string(); }

    test::FakeHost host_;

    // Reads data/<name> into the World and returns it.
    World& parse(const std::string& name) {
        reader_.parseWorldFile(World::instance(), name);
        return World::instance();
    }

    // The fatal error that action raises; fails the test when there is none.
    template <typename Action> platform::FatalError errorOf(Action action) {
        try {
            action();
        } catch (const platform::FatalError& error) {
            return error;
        }
        ADD_FAILURE() << "no fatal error was raised";
        return platform::FatalError("", "");
    }

    platform::FatalError parseError(const std::string& name) {
        return errorOf([&] { parse(name); });
    }

    std::filesystem::path root_;
    WorldReader reader_;
};

} // namespace velmora::testing
