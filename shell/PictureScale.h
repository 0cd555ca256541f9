#pragma once

#include "platform/WindowPicture.h"

#include <optional>
#include <string>

namespace velmora {

using platform::kPictureHeight;
using platform::kPictureWidth;

// Whole zooms go from 1 to this; zoom 0 stands for "fit to the window".
inline constexpr int kMaxZoom = 8;
inline constexpr int kFitZoom = 0;

// The largest whole zoom at which the picture and the menu bar fit the work area; at least 1.
int startZoom(int workWidth, int workHeight, int menuBarHeight);

// Where the picture lies in a drawing area: its top-left corner and its scale. A whole zoom
// centres the picture at that scale (a part may lie outside a small area); kFitZoom takes the
// largest scale, also fractional, at which the whole picture fits, keeping its aspect.
struct PicturePlacement {
    double x = 0;
    double y = 0;
    double scale = 1;
    bool operator==(const PicturePlacement&) const = default;
};
PicturePlacement placePicture(int areaWidth, int areaHeight, int zoom);

// One whole zoom step in or out, within 1 to kMaxZoom. From fitting the window, the caller
// passes the whole part of the fitting scale.
int zoomedIn(int zoom);
int zoomedOut(int zoom);

// A zoom as written on the command line or in the settings: a whole number from 1 to kMaxZoom.
std::optional<int> parseZoom(const std::string& text);

} // namespace velmora
