#pragma once

#include "TextCases.h"

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
    for (int i = 0; i < width * height; ++i) {
        pixels.push_back(at(i % width, i / width) & 0xFFFFFF);
    }
    return Bitmap(width, height, std::move(pixels));
}

// The same picture as a 24-bit bottom-up BMP file, as the program's resources are stored.
inline std::vector<std::uint8_t> bmpOf(int width, int height, const PixelAt& at) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> out(54 + std::size_t(rowBytes) * height, 0);
    auto put = [&out](std::size_t offset, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out[offset + i] = std::uint8_t(value >> (8 * i));
        }
    };
    // "BM", file size, pixel offset, header size, width, height, one plane, 24 bits a pixel.
    const std::uint32_t header[][3] = {
        {0, 'B' | 'M' << 8, 2},        {2, std::uint32_t(out.size()), 4}, {10, 54, 4}, {14, 40, 4},
        {18, std::uint32_t(width), 4}, {22, std::uint32_t(height), 4},    {26, 1, 2},  {28, 24, 2}};
    for (const auto& [offset, value, bytes] : header) {
        put(offset, value, int(bytes));
    }
    for (int i = 0; i < width * height; ++i) { // blue, green, red
        put(54 + std::size_t(height - 1 - i / width) * rowBytes + 3 * (i % width),
            at(i % width, i / width) & 0xFFFFFF, 3);
    }
    return out;
}

// The first pixel of a width x height picture that differs from the expectation, as "(x, y)
// 0xRRGGBB, expected 0xRRGGBB", only the low 24 bits counting; empty when all agree.
inline std::string firstDifference(int width, int height, const PixelAt& actual,
                                   const PixelAt& expected) {
    for (int i = 0; i < width * height; ++i) {
        const int x = i % width, y = i / width;
        const std::uint32_t have = actual(x, y) & 0xFFFFFF, want = expected(x, y) & 0xFFFFFF;
        if (have != want) {
            char text[80];
            std::snprintf(text, sizeof text, "(%d, %d) 0x%06X, expected 0x%06X", x, y, have, want);
            return text;
        }
    }
    return {};
}

inline std::string frameDifference(const ColorBuffer& frame, const PixelAt& expected) {
    return firstDifference(
        kFrameWidth, kFrameHeight, [&frame](int x, int y) { return frame.pixel(x, y); }, expected);
}

using test::TextCase;

inline std::vector<TextCase> readCases(const std::string& file) {
    return test::readCases("tests/data/render/" + file);
}

} // namespace velmora::rendertest
