#pragma once

#include "characters/Sprite.h"

#include <cstdint>

namespace velmora {

// The picture side of a figure: frames and how they animate.
class GraphicsObject {
  public:
    virtual ~GraphicsObject() = default;
    // One animation tick.
    virtual void advanceFrame() = 0;
    // Takes a copy of the frames and the animation state; the slot is not used.
    virtual void setFrames(std::int32_t slot, const FrameSet& frames) = 0;
    // The current frame, or none before frames were set.
    virtual const Sprite* currentSprite() const = 0;
};

// Frames shown in turn, each for ticksPerFrame ticks; with ticksPerFrame -1 the first stays.
class GraphicsObject2D : public GraphicsObject {
  public:
    void advanceFrame() override;
    void setFrames(std::int32_t slot, const FrameSet& frames) override;
    const Sprite* currentSprite() const override;

    const FrameSet& frameSet() const { return frames_; }

  private:
    FrameSet frames_;
};

} // namespace velmora
