#pragma once

#include "bsp/BSPNode.h"
#include "render/OcclusionMask.h"
#include "render/ViewTransform.h"

#include <vector>

namespace velmora {

// Finds what a frame can show of the tree, so that its cost follows what is in view rather than
// the size of the world. It walks the tree front to back (the exact reverse of drawBackToFront),
// moving into camera space only the nodes it reaches, and passes over a subtree whose box lies
// outside the view or under pixels already covered by nearer surfaces that write depth, and over
// a single triangle hidden the same way. What is left comes out back to front, in the order
// drawBackToFront would hand it over, so the frame is the same pixel for pixel.
class VisibilityWalk {
  public:
    // The surfaces to paint, back to front, their viewVertices in camera space. The lists are
    // kept between frames, so that a frame allocates nothing once they have grown.
    const std::vector<Surface*>& visibleSurfaces(BSPNode& root, const ViewTransform& view);
    // Whether a triangle in camera space painted before all of them would be painted over
    // entirely, or paints nowhere.
    bool hides(const Surface& surface);

  private:
    struct Step {
        enum class Kind { Node, Surfaces, Run };
        BSPNode* node;
        Kind kind;
        std::size_t box = 0; // of the node's runs, for Run
    };
    // How a triangle in camera space stands: it paints nothing, or only pixels already covered;
    // it is wholly in front and its pixels, the painter's, are in covered_; or it reaches
    // behind the eye.
    enum class Sight { Hidden, Covers, Crosses };

    void visit(BSPNode& node, const ViewTransform& view);
    void emitRun(BSPNode& node, std::size_t box, const ViewTransform& view);
    // Surfaces [first, end) of the node, the last first: later ones are painted over earlier ones.
    void emit(BSPNode& node, std::size_t first, std::size_t end, const ViewTransform& view);
    Sight sightOf(const Surface& surface);

    std::vector<Step> steps_;
    std::vector<Surface*> surfaces_;
    OcclusionMask mask_;
    Coverage covered_;
};

} // namespace velmora
