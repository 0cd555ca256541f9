#pragma once

#include "platform/Host.h"
#include "world/Surface.h"
#include "world/Vertex.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace velmora {

// Readable failure messages for corner lists.
inline void PrintTo(const Vertex& corner, std::ostream* out) {
    *out << "(" << corner.x << ", " << corner.y << ", " << corner.z << " | " << corner.u << ", "
         << corner.v << ")";
}

} // namespace velmora

namespace velmora::bsptest {

inline Vertex corner(float x, float y, float z, std::int32_t u = 0, std::int32_t v = 0) {
    Vertex result;
    result.x = x;
    result.y = y;
    result.z = z;
    result.u = u;
    result.v = v;
    return result;
}

inline Surface triangle(const std::string& name, const Vertex& t0, const Vertex& t1,
                        const Vertex& t2) {
    Surface surface;
    surface.name = name;
    surface.colorName = "STONE";
    surface.addCorner(t0);
    surface.addCorner(t1);
    surface.addCorner(t2);
    return surface;
}

// A small triangle in the plane x = at, facing along x.
inline Surface facingX(const std::string& name, float at) {
    return triangle(name, corner(at, 0, 0), corner(at, 1, 0), corner(at, 0, 1));
}

// A small triangle in the plane z = at, facing along z.
inline Surface facingZ(const std::string& name, float at) {
    return triangle(name, corner(0, 0, at), corner(1, 0, at), corner(0, 1, at));
}

// A small triangle in the plane y = at (a floor or ceiling).
inline Surface facingY(const std::string& name, float at) {
    return triangle(name, corner(0, at, 0), corner(1, at, 0), corner(0, at, 1));
}

inline std::vector<std::string> namesOf(const std::vector<Surface>& surfaces) {
    std::vector<std::string> names;
    for (const Surface& surface : surfaces) {
        names.push_back(surface.name);
    }
    return names;
}

// Installs itself as the process host and keeps every debug line it is given.
class RecordingHost : public platform::Host {
  public:
    RecordingHost() { platform::setHost(this); }
    ~RecordingHost() override { platform::setHost(nullptr); }
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    void showMessage(const std::string&, const std::string&, platform::MessageIcon) override {}
    void debugOutput(const std::string& text) override { lines.push_back(text); }
    std::optional<platform::ResourceBytes> resource(platform::ResourceType, int) const override {
        return std::nullopt;
    }

    std::size_t count(const std::string& line) const {
        return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
    }

    std::vector<std::string> lines;
};

// Runs work on a thread with a deliberately small stack, so that anything recursing once per
// tree level overflows it long before the tree ends.
inline void runOnSmallStack(std::size_t stackBytes, const std::function<void()>& work) {
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, stackBytes), 0);
    pthread_t thread;
    auto trampoline = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    const int created =
        pthread_create(&thread, &attributes, trampoline, const_cast<std::function<void()>*>(&work));
    pthread_attr_destroy(&attributes);
    ASSERT_EQ(created, 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
}

} // namespace velmora::bsptest
