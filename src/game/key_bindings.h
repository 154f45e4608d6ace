#pragma once

#include "game/input_codes.h"

#include <array>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

// What a player may put on a key of their own choice: the moves, the jump and the switches a
// hand reaches for in play. The function keys, Escape, Tab and the trial keys V and K keep
// their keys.
enum class BoundAction { forward, back, left, right, jump, pause, ghost, sound };
inline constexpr std::size_t boundActionCount = 8;

// Each action's name in the settings' [keys] section, and the key it has when none is given.
struct BoundActionName {
    BoundAction action;
    const char* name;
    Key key;
};
inline constexpr std::array<BoundActionName, boundActionCount> boundActions = {{
    {BoundAction::forward, "forward", Key::w},
    {BoundAction::back, "back", Key::s},
    {BoundAction::left, "left", Key::a},
    {BoundAction::right, "right", Key::d},
    {BoundAction::jump, "jump", Key::space},
    {BoundAction::pause, "pause", Key::p},
    {BoundAction::ghost, "ghost", Key::g},
    {BoundAction::sound, "sound", Key::m},
}};

// The keyboard's keys as the player chose them. The game itself, routes and recorded runs know
// each action by its default key, so the window's keys are turned into those as they are heard:
// a run made with one choice of keys plays the same with any other.
class KeyBindings {
  public:
    // The keys given in the settings, by action, each as written there (nullopt: not given).
    // A name that is no key, a key kept for something else, or a key two actions would share
    // prints one warning line naming the action and the default it takes instead.
    static KeyBindings
    fromNames(const std::array<std::optional<std::string>, boundActionCount>& names,
              std::ostream& warnings);

    // The key the game hears for a key the keyboard pressed: an action's default key for the
    // key bound to it, nothing (Key::other) for a default key that now does nothing, and any
    // other key as it is.
    Key heard(Key pressed) const;

    // The key bound to an action, for texts that name it.
    Key boundTo(BoundAction action) const { return keys[static_cast<std::size_t>(action)]; }

    bool operator==(const KeyBindings&) const = default;

  private:
    std::array<Key, boundActionCount> keys = defaultKeys();
    static std::array<Key, boundActionCount> defaultKeys();
};
