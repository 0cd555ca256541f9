#pragma once

#include "render/Bitmap.h"
#include "render/CaptionPages.h"

#include <cairo.h>

#include <optional>
#include <string>
#include <vector>

namespace velmora {

// The bottom panel under the frame, with the caption of the voice being heard written over its
// middle: the page being said, in a serif face as tall as the bitmap font's glyphs, word-wrapped
// to the panel. Without a caption it is the bare panel picture.
class CaptionPanel {
  public:
    static constexpr int kLinesPerPage = 4;

    CaptionPanel() = default;
    ~CaptionPanel();
    CaptionPanel(const CaptionPanel&) = delete;
    CaptionPanel& operator=(const CaptionPanel&) = delete;

    // The panel picture to write on (again, after a layout change); shown bare until the next
    // caption.
    void setPanel(Bitmap panel);
    // Shows the page of the caption being said, or the bare panel for nothing; true when the
    // panel's pixels changed and it wants presenting again.
    bool show(std::optional<CaptionText> caption);

    bool empty() const { return panel_.empty(); }
    platform::PixelView view() const;
    // The lines the current caption was wrapped into, for those who read the panel as text.
    const std::vector<std::string>& lines() const { return lines_; }

  private:
    void release();
    int textWidth(std::string_view text) const;
    void drawPage(std::size_t page);

    Bitmap panel_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cairo_ = nullptr;
    std::string text_;               // the caption the lines were wrapped from
    std::vector<std::string> lines_; // empty: no caption
    std::optional<std::size_t> page_; // the page on the panel now; nothing: the bare panel
};

} // namespace velmora
