#include "platform/EmbeddedResource.h"
#include "platform/Host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace velmora::resources {
std::span<const platform::EmbeddedResource> testTable();
}

namespace {

using velmora::platform::findResource;
using velmora::platform::ResourceType;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string asString(velmora::platform::ResourceBytes bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(EmbeddedResources, ReturnsTheBytesOfTheListedFile) {
    auto bytes = findResource(velmora::resources::testTable(), ResourceType::Wave, 7);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(asString(*bytes), readFile("tests/unit/platform/embedded-sample.txt"));
}

TEST(EmbeddedResources, TypeAndNumberSelectTogether) {
    auto table = velmora::resources::testTable();
    auto bitmap = findResource(table, ResourceType::Bitmap, 7);
    ASSERT_TRUE(bitmap.has_value());
    EXPECT_EQ(asString(*bitmap), readFile("tests/unit/platform/resources.list"));
    EXPECT_FALSE(findResource(table, ResourceType::Wave, 8).has_value());
    EXPECT_FALSE(findResource(table, ResourceType::Bitmap, 101).has_value());
}

TEST(EmbeddedResources, ConsoleHostLooksUpItsTable) {
    velmora::platform::ConsoleHost host(velmora::resources::testTable());
    ASSERT_TRUE(host.resource(ResourceType::Wave, 7).has_value());
    EXPECT_FALSE(host.resource(ResourceType::Wave, 101).has_value());
}

} // namespace
