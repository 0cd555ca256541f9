#include "movement/Walking.h"

#include "geometry/Rotation.h"
#include "geometry/Truncate.h"
#include "movement/Collision.h"

#include <cmath>

namespace velmora {

namespace {

constexpr double kStepLength = 10.0;

// direction +1 steps along the heading, -1 against it.
void step(Vertex& camera, float heading, const WalkingScene& scene, double direction) {
    const double a = heading * kDegreesToRadians;
    const int xn = truncateToInt(camera.x + direction * kStepLength * std::sin(a));
    const int zn = truncateToInt(camera.z + direction * kStepLength * std::cos(a));
    int eye = truncateToInt(camera.y);
    const StepProbe probe{truncateToInt(camera.x), truncateToInt(camera.y), truncateToInt(camera.z),
                          xn, zn};
    if (!stepBlocked(scene.edges, scene.figureViewPositions, probe, eye)) {
        if (scene.groundGrid != nullptr) {
            scene.groundGrid->scrollGround(camera.x - float(xn), camera.z - float(zn));
        }
        camera.x = float(xn);
        camera.z = float(zn);
    }
    camera.y = float(eye);
}

} // namespace

float turnHeading(float heading, float delta) {
    heading += delta;
    if (heading > 360.0f) {
        heading -= 360.0f;
    } else if (heading < 0.0f) {
        heading += 360.0f;
    }
    return heading;
}

StepSounds stepForward(Vertex& camera, float heading, const WalkingScene& scene) {
    if (camera.x >= kForwardLimitX) {
        return {.footstep = true, .listenerFollows = false};
    }
    step(camera, heading, scene, 1.0);
    return {.footstep = true, .listenerFollows = true};
}

StepSounds stepBackward(Vertex& camera, float heading, const WalkingScene& scene) {
    step(camera, heading, scene, -1.0);
    return {.footstep = true, .listenerFollows = true};
}

} // namespace velmora
