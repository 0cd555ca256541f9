#pragma once

#include "geometry/Vertex.h"

#include <span>
#include <string_view>
#include <vector>

namespace velmora::content {

// What a figure looks like: `frameCount` bitmaps from `firstBitmap`, each width x height
// pixels, advanced every `ticksPerFrame` timer ticks (-1: never), drawn on a billboard of
// billboardWidth x billboardHeight world units.
struct FigureLook {
    int firstBitmap;
    int frameCount;
    int width;
    int height;
    int ticksPerFrame;
    int billboardWidth = 20;
    int billboardHeight = 70;
};

// One answer of a dialogue menu: its text and the sound that speaks it.
struct Topic {
    std::string_view text;
    int answerSound;
};

// One figure of the square. A figure with a dialogue kind has a trigger zone; one with a
// greeting talks: reaching it plays the greeting, then its menu opens; the centurion's hint
// for it is hintSound. The centurion (kind 0) gives hints; the fire pot has no zone.
struct Figure {
    std::string_view name; // as velmora-snap reports who has been talked to
    FigureLook look;
    Vertex position;
    int dialogueKind = -1;
    int triggerRadius = 0;
    int greetingSound = 0;
    int hintSound = 0;
    std::string_view menuHeading = {};
    std::vector<Topic> topics = {};
};

// The kind of the figure that gives hints.
inline constexpr int kCenturionKind = 0;

// The square's seven figures in drawing order. Adding a figure or a topic is a row here, plus
// its pictures and voices.
std::span<const Figure> figures();

// The talking figure with this dialogue kind, or with this greeting; nothing if there is none.
const Figure* talkerOfKind(int kind);
const Figure* talkerOfGreeting(int greetingSound);

} // namespace velmora::content
