#pragma once

#include "geometry/Surface.h"

#include <pthread.h>

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

namespace velmora {

// Readable failure messages for corner lists.
inline void PrintTo(const Vertex& c, std::ostream* out) {
    *out << "(" << c.x << ", " << c.y << ", " << c.z << " | " << c.u << ", " << c.v << ")";
}

namespace bsptest {

inline Surface triangle(const std::string& name, const Vertex& t0, const Vertex& t1,
                        const Vertex& t2) {
    Surface surface;
    surface.name = name;
    for (const Vertex& c : {t0, t1, t2}) {
        surface.addCorner(c);
    }
    return surface;
}

// A small triangle in the plane x = at, facing along x.
inline Surface facingX(const std::string& name, float at) {
    return triangle(name, {at, 0, 0}, {at, 1, 0}, {at, 0, 1});
}

// Runs work on a thread with a small stack, which recursion once per tree level would overflow
// long before a deep tree ends; false when the thread could not run.
inline bool runOnSmallStack(std::function<void()> work, std::size_t stackBytes) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    auto trampoline = [](void* arg) -> void* {
        (*static_cast<std::function<void()>*>(arg))();
        return nullptr;
    };
    pthread_t thread;
    const bool ran = pthread_create(&thread, &attributes, trampoline, &work) == 0 &&
                     pthread_join(thread, nullptr) == 0;
    pthread_attr_destroy(&attributes);
    return ran;
}

} // namespace bsptest
} // namespace velmora
