#include "shell/VirtualKeys.h"

#include <map>

namespace velmora {

namespace {

// X11 keysym values; stable across every X and Wayland toolkit.
constexpr unsigned kKeysymEscape = 0xFF1B;
constexpr unsigned kKeysymLeft = 0xFF51;
constexpr unsigned kKeysymUp = 0xFF52;
constexpr unsigned kKeysymRight = 0xFF53;
constexpr unsigned kKeysymDown = 0xFF54;
constexpr unsigned kKeysymKeypadLeft = 0xFF96;
constexpr unsigned kKeysymKeypadUp = 0xFF97;
constexpr unsigned kKeysymKeypadRight = 0xFF98;
constexpr unsigned kKeysymKeypadDown = 0xFF99;
constexpr unsigned kKeysymKeypad0 = 0xFFB0;

// Shifted digits of a US keyboard's main row, "!" for 1 to "$" for 4.
const std::map<unsigned, int>& shiftedDigits() {
    static const std::map<unsigned, int> digits{{'!', '1'}, {'@', '2'}, {'#', '3'}, {'$', '4'}};
    return digits;
}

} // namespace

std::optional<int> keyCodeForKeyval(unsigned keyval) {
    switch (keyval) {
    case ' ':
        return vk::kSpace;
    case kKeysymEscape:
        return vk::kEscape;
    case kKeysymLeft:
        return vk::kLeft;
    case kKeysymUp:
        return vk::kUp;
    case kKeysymRight:
        return vk::kRight;
    case kKeysymDown:
        return vk::kDown;
    // The keypad arrows are the keypad digits without Num Lock: one key, one code.
    case kKeysymKeypadLeft:
    case kKeysymKeypad0 + 4:
        return vk::kKeypad4;
    case kKeysymKeypadUp:
    case kKeysymKeypad0 + 8:
        return vk::kKeypad8;
    case kKeysymKeypadRight:
    case kKeysymKeypad0 + 6:
        return vk::kKeypad6;
    case kKeysymKeypadDown:
    case kKeysymKeypad0 + 2:
        return vk::kKeypad2;
    default:
        break;
    }
    if (keyval >= 'a' && keyval <= 'z') {
        return int(keyval - 'a' + 'A');
    }
    if ((keyval >= 'A' && keyval <= 'Z') || (keyval >= '0' && keyval <= '9')) {
        return int(keyval);
    }
    const auto shifted = shiftedDigits().find(keyval);
    if (shifted != shiftedDigits().end()) {
        return shifted->second;
    }
    return std::nullopt;
}

std::optional<int> keyCodeForName(const std::string& name) {
    static const std::map<std::string, int> names{{"Up", vk::kUp},
                                                  {"Down", vk::kDown},
                                                  {"Left", vk::kLeft},
                                                  {"Right", vk::kRight},
                                                  {"KP8", vk::kKeypad8},
                                                  {"KP2", vk::kKeypad2},
                                                  {"KP4", vk::kKeypad4},
                                                  {"KP6", vk::kKeypad6},
                                                  {"Z", vk::kZ},
                                                  {"D", vk::kD},
                                                  {"R", vk::kR},
                                                  {"F", vk::kF},
                                                  {"Space", vk::kSpace},
                                                  {"Esc", vk::kEscape},
                                                  {"1", '1'},
                                                  {"2", '2'},
                                                  {"3", '3'},
                                                  {"4", '4'},
                                                  {"I", vk::kI}};
    const auto found = names.find(name);
    if (found == names.end()) {
        return std::nullopt;
    }
    return found->second;
}

} // namespace velmora
