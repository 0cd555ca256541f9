#include "render/CaptionPanel.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

// The plate inside the panel's engraved border that a caption covers, and its lines.
constexpr int kPlateX = 36;
constexpr int kPlateY = 36;
constexpr int kPlateMargin = 14;
constexpr int kLineHeight = 44;
constexpr double kFontSize = 25;

} // namespace

void CaptionPanel::setPanel(Bitmap panel) {
    release();
    panel_ = std::move(panel);
    text_.clear();
    lines_.clear();
    page_.reset();
    if (panel_.empty()) {
        return;
    }
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, panel_.width(), panel_.height());
    cairo_ = cairo_create(surface_);
    cairo_select_font_face(cairo_, "serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo_, kFontSize);
    drawPage(0);
}

CaptionPanel::~CaptionPanel() {
    release();
}

void CaptionPanel::release() {
    if (cairo_ != nullptr) {
        cairo_destroy(cairo_);
        cairo_surface_destroy(surface_);
        cairo_ = nullptr;
        surface_ = nullptr;
    }
}

bool CaptionPanel::show(std::optional<CaptionText> caption) {
    if (empty()) {
        return false;
    }
    if (!caption || caption->text.empty()) {
        const bool changed = page_.has_value();
        text_.clear();
        lines_.clear();
        if (changed) {
            drawPage(0);
            page_.reset();
        }
        return changed;
    }
    if (caption->text != text_) {
        text_ = std::string(caption->text);
        const int width = panel_.width() - 2 * (kPlateX + kPlateMargin);
        lines_ = wrapWords(text_, width, [this](std::string_view line) { return textWidth(line); });
        page_.reset();
    }
    const std::size_t page = pageAt(lines_, kLinesPerPage, caption->spoken);
    if (page_ == page) {
        return false;
    }
    drawPage(page);
    page_ = page;
    return true;
}

platform::PixelView CaptionPanel::view() const {
    if (empty()) {
        return {};
    }
    cairo_surface_flush(surface_);
    return {reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_)),
            panel_.width(), panel_.height(), cairo_image_surface_get_stride(surface_) / 4};
}

int CaptionPanel::textWidth(std::string_view text) const {
    cairo_text_extents_t extents;
    cairo_text_extents(cairo_, std::string(text).c_str(), &extents);
    return int(extents.x_advance + 0.5);
}

// The panel picture, then, for a caption, a pale plate over the engraving and the page's lines
// centred on it.
void CaptionPanel::drawPage(std::size_t page) {
    cairo_surface_flush(surface_);
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    for (int y = 0; y < panel_.height(); ++y) {
        std::memcpy(data + std::ptrdiff_t(y) * stride, panel_.row(y),
                    std::size_t(panel_.width()) * sizeof(std::uint32_t));
    }
    cairo_surface_mark_dirty(surface_);
    if (lines_.empty()) {
        return;
    }
    const int plateWidth = panel_.width() - 2 * kPlateX;
    const int plateHeight = panel_.height() - 2 * kPlateY;
    cairo_set_source_rgb(cairo_, 0.93, 0.91, 0.86);
    cairo_rectangle(cairo_, kPlateX, kPlateY, plateWidth, plateHeight);
    cairo_fill(cairo_);

    const std::size_t first = page * kLinesPerPage;
    const std::size_t last = std::min(lines_.size(), first + kLinesPerPage);
    const int blockHeight = int(last - first) * kLineHeight;
    cairo_font_extents_t font;
    cairo_font_extents(cairo_, &font);
    double baseline = kPlateY + (plateHeight - blockHeight) / 2.0 +
                      (kLineHeight + font.ascent - font.descent) / 2.0;
    cairo_set_source_rgb(cairo_, 0.16, 0.11, 0.07);
    for (std::size_t line = first; line < last; ++line, baseline += kLineHeight) {
        const int width = textWidth(lines_[line]);
        cairo_move_to(cairo_, (panel_.width() - width) / 2.0, baseline);
        cairo_show_text(cairo_, lines_[line].c_str());
    }
    cairo_surface_flush(surface_);
}

} // namespace velmora
