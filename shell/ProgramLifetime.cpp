#include "shell/ProgramLifetime.h"

#include "sound/SoundManager.h"
#include "world/World.h"

namespace velmora {

ProgramLifetime::ProgramLifetime(platform::Host& host) : host_(host) {
    World::instance();
    SoundManager::create(host_);
}

ProgramLifetime::~ProgramLifetime() {
    SoundManager::destroy();
    World::destroy();
}

} // namespace velmora
