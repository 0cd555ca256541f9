#pragma once

#include "characters/GraphicsObject.h"
#include "geometry/Rotation.h"
#include "geometry/Vertex.h"
#include "render/SceneFigure.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace velmora {

// A figure of the square: a sprite that stands upright at its foot point and always faces the
// visitor, with a square zone around it whose entry calls its interaction callback once.
class GameObject : public SceneFigure {
  public:
    using InteractionCallback = std::function<void(std::int32_t kind)>;

    ~GameObject() override = default;

    // One timer tick: animates the sprite, then checks the zone against the camera. The callback
    // fires on entering (|dx| and |dz| both under triggerRadius, height ignored) and again only
    // after the camera has left the zone.
    void update(const Vertex& camera);
    // viewPosition = position + offset.
    void translate(const Vertex& offset) override;
    // Turns viewPosition about the vertical axis with the frame's view rotation.
    void rotate(const RotationMatrix& m) override;
    // Top-left and bottom-right of the sprite rectangle around viewPosition, in camera space.
    void getBillboardCorners(Vertex corners[2]) const;
    // drawGameObject: projects the rectangle and draws the sprite, unless the figure is at or
    // behind the eye plane.
    void draw(ColorBuffer& frame, DepthBuffer& depth) override;

    std::unique_ptr<GraphicsObject> graphic;
    Vertex position;
    Vertex viewPosition;
    std::int32_t billboardHeight = 70;
    std::int32_t billboardWidth = 20;
    std::int32_t dialogueKind = -1;
    std::int32_t triggerRadius = 50;
    std::int32_t insideTrigger = 0;
    InteractionCallback interactionCallback;

  protected:
    // The figure's frames: count bitmaps from firstBitmap, each width x height pixels.
    GameObject(int firstBitmap, int frameCount, int width, int height, int ticksPerFrame);
};

// The seven figures differ only in their pictures and sizes.
class GenericPerson : public GameObject {
  public:
    GenericPerson() : GameObject(19, 1, 194, 422, -1) {}
};
class Centurion : public GameObject {
  public:
    Centurion() : GameObject(4, 1, 133, 236, -1) {}
};
class WomanWithFan : public GameObject {
  public:
    WomanWithFan() : GameObject(5, 1, 125, 211, -1) {}
};
class WomanWithScarf : public GameObject {
  public:
    WomanWithScarf() : GameObject(18, 1, 184, 377, -1) {}
};
class Senator : public GameObject {
  public:
    Senator() : GameObject(6, 1, 139, 221, -1) {}
};
class FireInPot : public GameObject {
  public:
    FireInPot() : GameObject(7, 3, 160, 120, 1) {
        billboardHeight = 60;
        billboardWidth = 80;
    }
};
class Plebian : public GameObject {
  public:
    Plebian() : GameObject(17, 1, 280, 606, -1) {}
};

} // namespace velmora
