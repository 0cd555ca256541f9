#include "render/ScreenLayout.h"

namespace velmora {

ScreenPoint frameOriginFor(int screenWidth, int screenHeight) {
    return {screenWidth / 2 - 500, (screenHeight - 768) / 2};
}

ScreenPoint bottomPanelOriginFor(int screenWidth, ScreenPoint frameOrigin) {
    return {screenWidth / 2 - 417, frameOrigin.y + 420};
}

} // namespace velmora
