#pragma once

#include "platform/Host.h"
#include "render/Bitmap.h"
#include "render/Coverage.h"
#include "render/FrameSize.h"
#include "render/OcclusionMask.h"

#include <cairo.h>

#include <cstdint>
#include <string>

namespace velmora {

// The kFrameWidth x kFrameHeight frame every picture is drawn into: a cairo image surface of
// 0x00RRGGBB words, kept for the whole run. Fills, copies and single pixels are plain memory
// operations on its pixels; cairo only writes it out.
class ColorBuffer {
  public:
    ColorBuffer();
    ~ColorBuffer();
    ColorBuffer(const ColorBuffer&) = delete;
    ColorBuffer& operator=(const ColorBuffer&) = delete;

    // The cairo surface's contract around direct pixel access: flush() before, markDirty()
    // after. Both are cheap, since nothing draws through cairo.
    void flush();
    void markDirty();

    std::uint32_t* row(int y) { return pixels_ + std::ptrdiff_t(y) * stride_; }
    const std::uint32_t* row(int y) const { return pixels_ + std::ptrdiff_t(y) * stride_; }
    std::uint32_t pixel(int x, int y) const { return row(y)[x] & 0x00FFFFFF; }

    // Copies the part (sourceX, sourceY, width, height) of the bitmap with its top-left corner
    // to (x, y) of the frame, cut to both; nothing when the bitmap is empty.
    void copy(const Bitmap& bitmap, int sourceX, int sourceY, int width, int height, int x, int y);
    // The whole bitmap at (x, y).
    void copy(const Bitmap& bitmap, int x, int y);
    void fillRect(int x, int y, int width, int height, std::uint32_t rgb);
    // The same, only where `painted` is not set yet; sets it there.
    void fillRect(int x, int y, int width, int height, std::uint32_t rgb, OcclusionMask& painted);
    // Paints the covered pixels in one colour. Called for every scene triangle, it writes the
    // pixels without flush() and markDirty(): nothing draws through cairo.
    void fill(const Coverage& covered, std::uint32_t rgb);
    // The same, only where `painted` is not set yet; sets it there.
    void fill(const Coverage& covered, std::uint32_t rgb, OcclusionMask& painted);

    platform::PixelView view() const;
    // Writes the frame as a PNG; false when the file cannot be written.
    bool writePng(const std::string& path);

  private:
    cairo_surface_t* surface_;
    std::uint32_t* pixels_;
    int stride_;
};

} // namespace velmora
