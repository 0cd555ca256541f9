#pragma once

#include "geometry/CollisionEdge.h"
#include "geometry/Vertex.h"
#include "ground/GroundGrid.h"

#include <span>
#include <vector>

namespace velmora {

// A forward step is refused from this x on: the amphitheatre is seen, not entered.
inline constexpr float kForwardLimitX = 2800.0f;

// Turns by delta degrees (+2 or -2) and wraps once, with strict comparisons: 358 + 2 gives 360,
// 360 + 2 gives 2, 0 - 2 gives 358; both 0 and 360 occur.
float turnHeading(float heading, float delta);

// What a step reads and changes besides the camera.
struct WalkingScene {
    const std::vector<CollisionEdge>& edges;
    // The figures' positions relative to the eye as the last frame computed them.
    std::span<const Vertex> figureViewPositions;
    GroundGrid* groundGrid = nullptr;
};

// What a step asks of the sound: the footstep (which the caller starts unless it is still
// playing), and whether the listener moves to the camera where the step left it.
struct StepSounds {
    bool footstep = false;
    bool listenerFollows = false;
};

// One step of 10 units along the heading (forward) or against it (backward), on whole units:
// walls and figures may refuse the step, ledges lift or lower the eye, the floor scrolls under
// an accepted step. Every step sounds the footstep and moves the listener, even a refused one;
// a forward step from x 2800 on only sounds the footstep. The direction is worked out in double
// precision with the world's degree factor, so heading 90 from x 0 reaches x 9, not 10.
StepSounds stepForward(Vertex& camera, float heading, const WalkingScene& scene);
StepSounds stepBackward(Vertex& camera, float heading, const WalkingScene& scene);

} // namespace velmora
