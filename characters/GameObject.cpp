#include "characters/GameObject.h"

#include "characters/SpriteDrawing.h"
#include "geometry/Truncate.h"
#include "render/Projection.h"

#include <cmath>

namespace velmora {

GameObject::GameObject(const platform::Host& host, const content::FigureLook& look)
    : graphic(std::make_unique<GraphicsObject2D>()), billboardHeight(look.billboardHeight),
      billboardWidth(look.billboardWidth) {
    FrameSet frames;
    frames.ticksPerFrame = look.ticksPerFrame;
    loadSpriteFrames(host, look.firstBitmap, frames, look.frameCount, look.width, look.height);
    graphic->setFrames(0, frames);
}

void GameObject::update(const Vertex& camera) {
    if (graphic) {
        graphic->advanceFrame();
    }
    if (!interactionCallback) {
        return;
    }
    const int dx = truncateToInt(std::fabs(double(camera.x) - double(position.x)));
    const int dz = truncateToInt(std::fabs(double(camera.z) - double(position.z)));
    if (dx < triggerRadius && dz < triggerRadius) {
        if (insideTrigger == 0) {
            interactionCallback(dialogueKind);
            insideTrigger = 1;
        }
        return;
    }
    insideTrigger = 0;
}

void GameObject::translate(const Vertex& offset) {
    viewPosition.x = position.x + offset.x;
    viewPosition.y = position.y + offset.y;
    viewPosition.z = position.z + offset.z;
}

void GameObject::rotate(const RotationMatrix& m) {
    const Vertex v = viewPosition;
    viewPosition.x = m[0][1] * v.y + m[0][0] * v.x + m[0][2] * v.z;
    viewPosition.z = m[2][1] * v.y + m[2][0] * v.x + m[2][2] * v.z;
}

void GameObject::getBillboardCorners(Vertex corners[2]) const {
    const float halfWidth = float(billboardWidth / 2);
    corners[0].x = viewPosition.x - halfWidth;
    corners[0].y = viewPosition.y + float(billboardHeight);
    corners[0].z = viewPosition.z;
    corners[1].x = viewPosition.x + halfWidth;
    corners[1].y = viewPosition.y;
    corners[1].z = viewPosition.z;
}

void GameObject::draw(ColorBuffer& frame, DepthBuffer& depth) {
    if (viewPosition.z <= 0.0f) {
        return;
    }
    Vertex corners[2];
    getBillboardCorners(corners);
    const ScreenPosition topLeft = projectPoint(corners[0].x, corners[0].y, corners[0].z);
    const ScreenPosition bottomRight = projectPoint(corners[1].x, corners[1].y, corners[1].z);
    drawSpriteScaled(frame, depth, topLeft, bottomRight, viewPosition.z, graphic.get());
}

} // namespace velmora
