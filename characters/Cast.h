#pragma once

#include "characters/GameObject.h"

#include <functional>
#include <memory>
#include <vector>

namespace velmora {

using Figures = std::vector<std::unique_ptr<GameObject>>;

// Who stands where: the square's figures once they stand, each told of the camera every tick.
// Main thread only, except createFigures.
class Cast {
  public:
    // The figures of the figures' table at their places, in drawing order; entering a zone
    // calls onReached with the figure's dialogue kind. May run on the loading thread.
    static Figures createFigures(const platform::Host& host,
                                 const std::function<void(std::int32_t kind)>& onReached);
    // Takes the figures over, on the main thread.
    void adopt(Figures figures) { figures_ = std::move(figures); }

    // One timer tick of every figure, in order.
    void update(const Vertex& camera);
    std::vector<SceneFigure*> sceneFigures() const;
    std::vector<Vertex> viewPositions() const;

  private:
    Figures figures_;
};

} // namespace velmora
