#include "characters/GraphicsObject.h"

namespace velmora {

void GraphicsObject2D::advanceFrame() {
    if (frames_.ticksPerFrame == -1) {
        return;
    }
    ++frames_.tickCounter;
    if (frames_.tickCounter < frames_.ticksPerFrame) {
        return;
    }
    ++frames_.currentFrame;
    frames_.tickCounter = 0;
    if (frames_.currentFrame >= static_cast<std::int32_t>(frames_.frames.size())) {
        frames_.currentFrame = 0;
    }
}

void GraphicsObject2D::setFrames(std::int32_t /*slot*/, const FrameSet& frames) {
    frames_ = frames;
}

const Sprite* GraphicsObject2D::currentSprite() const {
    const std::int32_t current = frames_.currentFrame;
    if (current < 0 || current >= static_cast<std::int32_t>(frames_.frames.size())) {
        return nullptr;
    }
    return &frames_.frames[std::size_t(current)];
}

} // namespace velmora
