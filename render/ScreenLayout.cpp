#include "render/ScreenLayout.h"

#include "platform/WindowPicture.h"
#include "render/FrameSize.h"

namespace velmora {

ScreenPoint frameOriginFor(int screenWidth, int screenHeight) {
    return {screenWidth / 2 - kFrameWidth / 2, (screenHeight - platform::kPictureHeight) / 2};
}

ScreenPoint bottomPanelOriginFor(int screenWidth, ScreenPoint frameOrigin) {
    return {screenWidth / 2 - 417, frameOrigin.y + kFrameHeight + 20};
}

} // namespace velmora
