#include "shell/ProgramLifetime.h"

#include "sound/SoundManager.h"
#include "world/World.h"

namespace velmora {

ProgramLifetime::ProgramLifetime(platform::Host& host) : host_(host) {
    platform::setHost(&host_);
    World::instance();
    SoundManager::instance();
}

ProgramLifetime::~ProgramLifetime() {
    SoundManager::destroy();
    World::destroy();
    platform::setHost(nullptr);
}

} // namespace velmora
