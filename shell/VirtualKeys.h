#pragma once

#include <optional>
#include <string>

namespace velmora {

// The codes of the key table: what the window procedure is told a key press was.
namespace vk {
inline constexpr int kSpace = 0x20;
inline constexpr int kEscape = 0x1B;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kDigit1 = 0x31;
inline constexpr int kDigit4 = 0x34;
inline constexpr int kD = 0x44;
inline constexpr int kF = 0x46;
inline constexpr int kI = 0x49;
inline constexpr int kR = 0x52;
inline constexpr int kZ = 0x5A;
inline constexpr int kKeypad2 = 0x62;
inline constexpr int kKeypad4 = 0x64;
inline constexpr int kKeypad6 = 0x66;
inline constexpr int kKeypad8 = 0x68;
} // namespace vk

// The key code of a window-system key value (X11 keysyms, as GDK reports them): letters by
// their key whatever Shift or Caps Lock say, digits of the main row whatever Shift says (on a
// US layout), and the keypad keys with or without Num Lock. Nothing for keys without a row.
std::optional<int> keyCodeForKeyval(unsigned keyval);

// The key code of a key name as velmora-snap's --keys takes them: Up Down Left Right KP8 KP2
// KP4 KP6 Z D R F Space Esc 1 2 3 4 I.
std::optional<int> keyCodeForName(const std::string& name);

} // namespace velmora
