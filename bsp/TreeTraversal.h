#pragma once

#include "bsp/BSPNode.h"
#include "geometry/Rotation.h"

#include <functional>

namespace velmora {

// Receives the surfaces of a frame one by one, their viewVertices in camera space (x right,
// y up, z forward); it may rewrite those view corners.
using SurfaceCallback = std::function<void(Surface&)>;

// Places every surface of the tree in view: viewVertices = vertices + offset.
void translateTree(BSPNode& root, const Vertex& offset);
// Turns the view corners of every surface of the tree with m.
void rotateTree(BSPNode& root, const RotationMatrix& m);

// Hands every surface of the tree to the callback back to front as seen from the eye at the
// camera-space origin: of each node, the child beyond its plane, then its own surfaces (the
// partition first), then the child on the eye's side. One corner of a child's first surface
// decides its side. Works with an explicit stack, however deep the tree.
void drawBackToFront(BSPNode& root, const SurfaceCallback& callback);

// Of a node's children, the one drawn before its own surfaces (null when none is) and the one
// drawn after them, as drawBackToFront orders them. The far-side child, or the origin-side one
// when there is no other, is placed by the view corners of its first surface against the
// node's partition; nothing else is read.
struct DrawOrder {
    BSPNode* first = nullptr;
    BSPNode* next = nullptr;
};
DrawOrder drawOrderOf(BSPNode& node);

// Whether the child lies beyond the node's plane, judged by view corner k of its first surface;
// a corner in the plane's band defers to the next corner, and after corner 2 the answer is no.
bool childIsFarSide(const BSPNode& node, const BSPNode& child, int k);

} // namespace velmora
