#pragma once

namespace dv {

// Key codes as the game's screens test them.
namespace keys {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Ctrl = 17;
constexpr int Alt = 18;
constexpr int Esc = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Insert = 45;
constexpr int Delete = 46;
constexpr int Digit0 = 48;  // '0'..'9' are 48..57
constexpr int A = 65;       // 'A'..'Z' are 65..90
constexpr int Numpad0 = 96;
constexpr int F1 = 112;
constexpr int F11 = 122;
}  // namespace keys

// Shift-state bits passed with key and mouse events.
namespace shiftbits {
constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int Alt = 4;
}  // namespace shiftbits

// Mouse buttons.
namespace buttons {
constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Middle = 4;
}  // namespace buttons

}  // namespace dv
