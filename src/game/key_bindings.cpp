#include "game/key_bindings.h"

#include "game/key_names.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace {

// Keys with a meaning of their own that no setting moves: the trial keys, the replay viewer's
// R and T, and every key from F1 on (the function keys, then the viewer's own).
bool keptForItself(Key key)
{
    return key == Key::other || key == Key::tab || key == Key::escape || key == Key::v ||
           key == Key::k || key == Key::r || key == Key::t || key >= Key::f1;
}

std::string upperCase(std::string text)
{
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void warn(std::ostream& warnings, std::size_t action, const std::string& given, const char* problem)
{
    warnings << "korvel: warning: settings.ini [keys] " << boundActions[action].name << ": "
             << given << " " << problem << "; using " << keyName(boundActions[action].key)
             << std::endl;
}

bool sharesItsKey(const std::array<Key, boundActionCount>& keys, std::size_t action)
{
    for (std::size_t other = 0; other < boundActionCount; ++other) {
        if (other != action && keys[other] == keys[action]) {
            return true;
        }
    }
    return false;
}

} // namespace

std::array<Key, boundActionCount> KeyBindings::defaultKeys()
{
    std::array<Key, boundActionCount> keys{};
    std::ranges::transform(boundActions, keys.begin(), &BoundActionName::key);
    return keys;
}

// A key two actions would share goes back to its default, the one given later first; a default
// taken back may meet another choice, so this runs until no two share, at most once an action.
KeyBindings
KeyBindings::fromNames(const std::array<std::optional<std::string>, boundActionCount>& names,
                       std::ostream& warnings)
{
    KeyBindings bindings;
    std::array<bool, boundActionCount> chosen{};
    for (std::size_t action = 0; action < boundActionCount; ++action) {
        if (!names[action]) {
            continue;
        }
        const Key key = keyNamed(upperCase(*names[action]));
        if (key == Key::other) {
            warn(warnings, action, *names[action], "is not a key");
        } else if (keptForItself(key)) {
            warn(warnings, action, *names[action], "keeps its own meaning");
        } else {
            bindings.keys[action] = key;
            chosen[action] = true;
        }
    }
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t action = boundActionCount; action-- > 0 && !changed;) {
            if (chosen[action] && sharesItsKey(bindings.keys, action)) {
                warn(warnings, action, *names[action], "is bound twice");
                bindings.keys[action] = boundActions[action].key;
                chosen[action] = false;
                changed = true;
            }
        }
    }
    return bindings;
}

Key KeyBindings::heard(Key pressed) const
{
    for (std::size_t action = 0; action < boundActionCount; ++action) {
        if (keys[action] == pressed) {
            return boundActions[action].key;
        }
    }
    const bool leftByItsAction = std::ranges::any_of(
        boundActions, [pressed](const BoundActionName& bound) { return bound.key == pressed; });
    return leftByItsAction ? Key::other : pressed;
}
