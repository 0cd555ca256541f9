#include "render/FrameComposer.h"

#include "content/Pictures.h"
#include "render/DepthView.h"
#include "render/SurfacePainter.h"

namespace velmora {

namespace {

constexpr ScreenPoint kPanelPlace{300, 25};
constexpr ScreenPoint kProgressTextPlace{220, 300};

} // namespace

FrameComposer::FrameComposer(platform::Host& host, std::ostream* trace)
    : host_(host), rasterizer_(depth_, trace), font_(Bitmap::load(host, content::kGlyphBitmap)),
      sky_(Bitmap::load(host, content::kSkyBitmap)) {
    computeScreenLayout();
}

void FrameComposer::computeScreenLayout() {
    const platform::ScreenSize screen = host_.screenSize();
    screenWidth_ = screen.width;
    frameOrigin_ = frameOriginFor(screen.width, screen.height);
    unusedPicture_ = Bitmap::load(host_, content::kForumPlanBitmap);
    dialoguePanel_ = Bitmap::load(host_, content::kDialoguePanelBitmap);
    loadingScreen_ = Bitmap::load(host_, content::kLoadingScreenBitmap);
    bottomPanel_.setPanel(Bitmap::load(host_, content::kBottomPanelBitmap));
    closingPanel_ = Bitmap::load(host_, content::kClosingPanelBitmap);
}

void FrameComposer::composeFrame(const FrameRequest& request) {
    if (!request.flags.loadingComplete) {
        frame_.copy(loadingScreen_, 0, 0);
    } else {
        drawLayers(request);
    }
    presentFrame();
    if (bottomPanel_.show(request.caption)) {
        presentBottomPanel();
    }
}

void FrameComposer::drawLayers(const FrameRequest& request) {
    depth_.clear();
    const Vertex offset{-request.camera.x, -request.camera.y, -request.camera.z};
    translateView(request.scene, offset);
    const float theta = static_cast<float>((360.0f - request.heading) * kDegreesToRadians);
    rotateView(request.scene, theta);
    SurfacePainter painter(frame_, rasterizer_, colors_, &walk_.masks());
    drawScene(request.scene, {offset, rotationAboutY(theta)}, walk_, painter);
    // The scene is painted front to back, so the sky, the black horizon line and the ground
    // below it, under everything, come last and only where nothing else has been painted.
    OcclusionMask& painted = walk_.masks().paintedApart();
    sky_.draw(frame_, Sky::degreesForHeading(request.heading), painted);
    frame_.fillRect(0, kHorizonRow, kFrameWidth, 1, 0x000000, painted);
    frame_.fillRect(0, kHorizonRow + 1, kFrameWidth, kFrameHeight - kHorizonRow - 1, kGroundColor,
                    painted);
    drawFigures(request.scene, frame_, depth_);
    if (request.flags.depthViewEnabled) {
        showDepthView(frame_, depth_);
    }
    drawPanels(request);
}

void FrameComposer::drawPanels(const FrameRequest& request) {
    if (request.flags.menuOpen) {
        frame_.copy(dialoguePanel_, kPanelPlace.x, kPanelPlace.y);
        if (request.menuOverlay) {
            request.menuOverlay(frame_, font_);
        }
    } else if (request.flags.finaleShown) {
        frame_.copy(closingPanel_, kPanelPlace.x, kPanelPlace.y);
    }
}

void FrameComposer::showLoadingText(const char* text) {
    frame_.copy(loadingScreen_, 0, 0);
    font_.drawText(frame_, text, kProgressTextPlace.x, kProgressTextPlace.y);
    presentFrame();
}

void FrameComposer::paintWindowBackground() {
    host_.clearWindow();
    presentBottomPanel();
}

void FrameComposer::presentBottomPanel() {
    const ScreenPoint panel = bottomPanelOriginFor(screenWidth_, frameOrigin_);
    if (!bottomPanel_.empty()) {
        host_.presentImage(bottomPanel_.view(), panel.x, panel.y);
    }
}

void FrameComposer::presentFrame() {
    frame_.flush();
    host_.presentImage(frame_.view(), frameOrigin_.x, frameOrigin_.y);
}

} // namespace velmora
