#pragma once

namespace velmora::content {

// The sound keys the program plays by name; the voices' keys are in the figures' table.
inline constexpr int kFootstepSound = 1;
inline constexpr int kFireLoopSound = 2;
inline constexpr int kLoadedSound = 4; // the end-of-loading jingle
inline constexpr int kCrowdLoopSound = 18;
inline constexpr int kClosingSound = 23;
inline constexpr int kHighestSoundKey = 30;

// One of the program's sounds: its key, its WAVE resource and whether it follows the listener.
struct SoundRegistration {
    int key;
    int waveId;
    bool relative;
};

// Registration order decides which pool pair each key gets.
inline constexpr SoundRegistration kSoundRegistrations[] = {
    {5, 109, true},  {1, 102, true},  {2, 101, false}, {3, 103, true},  {4, 106, true},
    {6, 108, true},  {7, 107, true},  {10, 112, true}, {8, 113, true},  {9, 111, true},
    {11, 115, true}, {12, 116, true}, {13, 117, true}, {14, 118, true}, {15, 119, true},
    {16, 120, true}, {17, 121, true}, {29, 133, true}, {30, 134, true}, {18, 122, false},
    {19, 127, true}, {20, 128, true}, {21, 129, true}, {22, 130, true}, {23, 124, true},
    {24, 125, true}, {25, 126, true}, {26, 123, true}, {27, 131, true}, {28, 132, true},
};

// The WAVE resource a sound key plays, or 0 for a key that is not registered.
constexpr int waveOfSound(int key) {
    for (const SoundRegistration& registration : kSoundRegistrations) {
        if (registration.key == key) {
            return registration.waveId;
        }
    }
    return 0;
}

// The TEXT resource that holds every voice's spoken text: WAVE number, name, speaker and text,
// separated by tabs, one voice a line.
inline constexpr int kVoiceLinesText = 1;

// The ambient loops and where in the square they are heard from.
struct AmbientPlace {
    int key;
    int x;
    int y;
    int z;
};
inline constexpr AmbientPlace kAmbientPlaces[] = {
    {kFireLoopSound, 1025, 0, -800},
    {kCrowdLoopSound, 2900, 0, -500},
};

} // namespace velmora::content
