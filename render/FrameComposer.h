#pragma once

#include "render/Bitmap.h"
#include "render/BitmapFont.h"
#include "render/CaptionPanel.h"
#include "render/ColorBuffer.h"
#include "render/ColorTools.h"
#include "render/DepthBuffer.h"
#include "render/DepthRasterizer.h"
#include "render/SceneView.h"
#include "render/ScreenLayout.h"
#include "render/Sky.h"

#include <functional>
#include <iosfwd>
#include <optional>

namespace velmora {

// The flags that choose a frame's layers.
struct FrameFlags {
    bool loadingComplete = false;
    bool depthViewEnabled = false;
    bool menuOpen = false;
    bool finaleShown = false;
};

// Everything a frame depends on besides the pictures: the scene, the eye and the flags. The
// menu overlay, when set, draws the open menu's text over the dialogue panel; the caption, when
// set, is written on the bottom panel.
struct FrameRequest {
    SceneParts scene;
    Vertex camera;
    float heading = 0.0f;
    FrameFlags flags;
    std::function<void(ColorBuffer&, const BitmapFont&)> menuOverlay;
    std::optional<CaptionText> caption = std::nullopt;
};

// Draws whole frames into the colour buffer and shows them through the host at the frame's
// place in the window. Holds the buffers and pictures for the whole run; main thread only.
class FrameComposer {
  public:
    static constexpr std::uint32_t kGroundColor = 0xA0A0A0;

    // Loads the pictures and works out the layout from the host's screen size; frames are shown
    // through the host. The rasterizer's line per triangle goes to trace when it is set; a frame
    // would print thousands of them.
    explicit FrameComposer(platform::Host& host, std::ostream* trace = nullptr);

    // Works out where the frame sits from the host's screen size and (re)loads the screen
    // pictures: the dialogue panel, the loading screen, the bottom panel, the closing panel.
    void computeScreenLayout();

    // Draws one frame and presents it, and the bottom panel again when its caption page changed.
    // Before loading completes it is the bare loading screen.
    // A visible surface whose colour has no brush ends the program (FatalError).
    void composeFrame(const FrameRequest& request);
    // A fresh copy of the loading screen with one progress text at (220, 300), presented.
    void showLoadingText(const char* text);
    // Black window, the bottom panel under the frame.
    void paintWindowBackground();
    void presentFrame();
    void presentBottomPanel();
    // The bottom panel as shown, with its caption lines.
    const CaptionPanel& bottomPanel() const { return bottomPanel_; }

    // The colour tables; rebuild them after every load.
    ColorTools& colors() { return colors_; }

    ColorBuffer& frame() { return frame_; }
    DepthBuffer& depth() { return depth_; }

  private:
    void drawLayers(const FrameRequest& request);
    void drawPanels(const FrameRequest& request);

    platform::Host& host_;
    ColorBuffer frame_;
    DepthBuffer depth_;
    DepthRasterizer rasterizer_;
    ColorTools colors_;
    // What each frame finds in view of the tree; kept so that frames allocate nothing.
    VisibilityWalk walk_;
    BitmapFont font_;
    Sky sky_;
    Bitmap unusedPicture_; // bitmap 11, loaded with the screen pictures, never shown
    Bitmap dialoguePanel_;
    Bitmap loadingScreen_;
    CaptionPanel bottomPanel_;
    Bitmap closingPanel_;
    int screenWidth_ = 0;
    ScreenPoint frameOrigin_;
};

} // namespace velmora
