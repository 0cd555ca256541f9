#pragma once

#include "render/Bitmap.h"
#include "render/ColorBuffer.h"
#include "world/World.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace velmora::rendertest {

// A world of its own for each test, apart from the process-wide instance.
struct TestWorld : World {};

using PixelAt = std::function<std::uint32_t(int x, int y)>;

// Pixels that tell where they came from: column x and row y packed into one colour.
inline std::uint32_t tagged(int x, int y) {
    return std::uint32_t(y) << 12 | std::uint32_t(x);
}

inline Bitmap bitmapOf(int width, int height, const PixelAt& at) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(at(x, y) & 0xFFFFFF);
        }
    }
    return Bitmap(width, height, std::move(pixels));
}

// The same picture as a 24-bit bottom-up BMP file, as the program's resources are stored.
inline std::vector<std::uint8_t> bmpOf(int width, int height, const PixelAt& at) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t size = 54 + std::uint32_t(rowBytes) * height;
    std::vector<std::uint8_t> out(size, 0);
    auto put = [&out](std::size_t offset, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out[offset + i] = std::uint8_t(value >> (8 * i));
        }
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, std::uint32_t(width), 4);
    put(22, std::uint32_t(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        std::size_t offset = 54 + std::size_t(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x, offset += 3) {
            put(offset, at(x, y) & 0xFFFFFF, 3); // blue, green, red
        }
    }
    return out;
}

// The first pixel of the rectangle where the frame differs from the expectation, as "(x, y)
// 0xRRGGBB, expected 0xRRGGBB"; empty when all agree.
inline std::string firstDifference(const ColorBuffer& frame, int left, int top, int right,
                                   int bottom, const PixelAt& expected) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint32_t want = expected(x, y) & 0xFFFFFF;
            if (frame.pixel(x, y) != want) {
                char text[80];
                std::snprintf(text, sizeof text, "(%d, %d) 0x%06X, expected 0x%06X", x, y,
                              frame.pixel(x, y), want);
                return text;
            }
        }
    }
    return {};
}

} // namespace velmora::rendertest
