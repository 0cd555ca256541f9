#include "sound/SoundSetup.h"

#include "content/Sounds.h"

namespace velmora {

using content::kAmbientPlaces;
using content::kSoundRegistrations;

void setupSounds(SoundManager& manager, const Vertex& listener) {
    manager.setListenerPosition(listener);
    for (const content::SoundRegistration& sound : kSoundRegistrations) {
        manager.registerSound(sound.key, sound.waveId, sound.relative);
    }
    for (const content::AmbientPlace& place : kAmbientPlaces) {
        manager.placeSource(place.key, place.x, place.y, place.z);
    }
    for (const content::AmbientPlace& place : kAmbientPlaces) {
        manager.makeAmbientLoop(place.key);
    }
    for (const content::AmbientPlace& place : kAmbientPlaces) {
        manager.setAmbientParameters(place.key);
    }
    manager.playTogether(kAmbientPlaces[0].key, kAmbientPlaces[1].key);
}

void setupSounds(const Vertex& listener) {
    setupSounds(SoundManager::instance(), listener);
}

} // namespace velmora
