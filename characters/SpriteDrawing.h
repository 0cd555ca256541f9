#pragma once

#include "characters/GraphicsObject.h"
#include "render/ColorBuffer.h"
#include "render/DepthBuffer.h"
#include "render/Projection.h"

namespace velmora {

// Draws the graphic's current frame stretched over the frame rectangle from topLeft to
// bottomRight (nearest neighbour, by truncation), skipping white, clipped to the frame pixel by
// pixel. The whole sprite has one depth: a pixel is drawn where the depth entry is greater than
// depth or empty, and then takes that depth. Nothing is drawn without a graphic or a frame.
void drawSpriteScaled(ColorBuffer& frame, DepthBuffer& depthBuffer, ScreenPosition topLeft,
                      ScreenPosition bottomRight, float depth, const GraphicsObject* graphic);

} // namespace velmora
