#pragma once

namespace velmora::content {

// The bitmap resources the frame draws besides the figures (whose pictures are in the figures'
// table), and the window's icons.
inline constexpr int kSkyBitmap = 3;
inline constexpr int kForumPlanBitmap = 11;
inline constexpr int kLoadingScreenBitmap = 12;
inline constexpr int kDialoguePanelBitmap = 13;
inline constexpr int kGlyphBitmap = 14;
inline constexpr int kBottomPanelBitmap = 15;
inline constexpr int kClosingPanelBitmap = 16;
inline constexpr int kAboutBitmap = 20;
inline constexpr int kIcons[] = {107, 108};

} // namespace velmora::content
