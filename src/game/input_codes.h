#pragma once

#include <array>

// The game's own names for the keys and buttons it knows and for what happens to them. The
// window's codes are turned into these in one place (input_callbacks), so the input rules, the
// route files and the headless game know no window library.

// The keys a route can name: the letters, Space, Tab, Escape, F1 to F12, and the replay viewer's
// brackets, comma, full stop, arrows and Home. Every other key of the keyboard is "other" and
// does nothing.
// clang-format off
enum class Key {
    other,
    a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z,
    space, tab, escape,
    f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12,
    leftBracket, rightBracket, comma, period, left, right, home,
};
// clang-format on

// The keys that hold a direction while down: run forward and back, step left and right.
inline constexpr std::array<Key, 4> directionKeys = {Key::w, Key::s, Key::a, Key::d};

// A key's auto-repeat while held counts as held, like the press.
enum class KeyAction { press, release, repeat };

enum class MouseButton { left, right, other };

// Where a key event comes from. The keyboard and a pad may hold the same direction at once.
enum class KeySource { keyboard, pad };
