#pragma once

#include "characters/GraphicsObject.h"
#include "content/Figures.h"
#include "geometry/Rotation.h"
#include "geometry/Vertex.h"
#include "render/SceneFigure.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace velmora {

// A figure of the square: a sprite that stands upright at its foot point and always faces the
// visitor, with a square zone around it whose entry calls its interaction callback once. The
// figures differ only in what the figures' table says of them.
class GameObject : public SceneFigure {
  public:
    using InteractionCallback = std::function<void(std::int32_t kind)>;

    // A figure as the figures' table describes it: its pictures (the host's bitmaps), sprite
    // size and billboard.
    GameObject(const platform::Host& host, const content::FigureLook& look);
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
};

} // namespace velmora
