#pragma once

#include "bsp/BSPNode.h"
#include "render/OcclusionMask.h"
#include "render/ScreenBox.h"
#include "render/SurfacePainter.h"
#include "render/ViewTransform.h"

#include <vector>

namespace velmora {

// Paints what a frame can show of the tree, so that its cost follows what is in view rather
// than the size of the world. It walks the tree front to back (the exact reverse of
// drawBackToFront), moving into camera space only the nodes it reaches, and passes over a
// subtree whose box lies outside the view or under pixels whose depth nearer surfaces have
// written, and over a single triangle hidden the same way. What is left goes to a painter with
// the walk's masks, which writes each pixel once, with what drawBackToFront would have left
// there: the frame is the same pixel for pixel.
class VisibilityWalk {
  public:
    // For the painter: what the frame has written so far.
    PaintMasks& masks() { return masks_; }
    // Clears the masks and paints the tree. The walk's lists are kept between frames, so that a
    // frame allocates nothing once they have grown.
    void paint(BSPNode& root, const ViewTransform& view, SurfacePainter& painter);
    // Paints a triangle in camera space that back to front would come before everything painted
    // so far, unless that hides it.
    void paint(Surface& surface, SurfacePainter& painter);

  private:
    struct Step {
        enum class Kind { Node, Surfaces, Run };
        BSPNode* node;
        Kind kind;
        std::size_t box = 0; // of the node's runs, for Run
        ScreenBox seen{};    // of the node's whole box, for Node
    };
    // How a triangle in camera space stands: it paints nothing, or only pixels already covered;
    // it is wholly in front and its pixels, the painter's, are in covered_; or it reaches
    // behind the eye.
    enum class Sight { Hidden, Covers, Crosses };

    void visit(BSPNode& node, const ScreenBox& seen, const ViewTransform& view);
    void emitRun(BSPNode& node, std::size_t box, const ViewTransform& view,
                 SurfacePainter& painter);
    // Surfaces [first, end) of the node, the last first: later ones are painted over earlier ones.
    void emit(BSPNode& node, std::size_t first, std::size_t end, const ViewTransform& view,
              SurfacePainter& painter);
    Sight sightOf(const Surface& surface);

    std::vector<Step> steps_;
    PaintMasks masks_;
    Coverage covered_;
};

} // namespace velmora
