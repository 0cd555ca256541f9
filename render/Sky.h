#pragma once

#include "render/Bitmap.h"
#include "render/ColorBuffer.h"
#include "render/FrameSize.h"
#include "render/OcclusionMask.h"

namespace velmora {

// The panorama over the frame above the horizon, as wide as the frame: a picture that wraps
// round the viewer, turned 11 pixels per degree of the frame angle.
class Sky {
  public:
    static constexpr int kImageWidth = kFrameWidth;
    static constexpr int kImageHeight = kHorizonRow;
    // The width / 90 with integer division: a full turn moves the sky 3960 pixels, not 4000.
    static constexpr int kPixelsPerDegree = kImageWidth / 90;

    explicit Sky(Bitmap image);

    // The frame angle in whole degrees for a heading: (360 - heading) in radians, rounded to a
    // float as the frame passes it, back in degrees and truncated. Heading 0 gives 360, heading
    // 360 gives 0, and often the result is one less than 360 - heading (heading 260 gives 99).
    static int degreesForHeading(float heading);
    // Frame column c of the rows above the horizon shows sky column (c - 11 * degrees) modulo
    // the width, on the pixels `painted` does not hold yet (a frame painted front to back shows
    // its sky last); sets them there.
    void draw(ColorBuffer& frame, int degrees, OcclusionMask& painted) const;

  private:
    // The sky column shown at frame column 0.
    static int offsetFor(int degrees);
    // Frame columns [from, to) of row y.
    void copyColumns(ColorBuffer& frame, int offset, int y, int from, int to) const;
    int rows() const;

    Bitmap image_;
};

} // namespace velmora
