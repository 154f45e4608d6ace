#include "game/key_names.h"

std::string keyName(Key key)
{
    // The letters and the function keys stand in order in Key.
    const int index = static_cast<int>(key);
    if (key >= Key::a && key <= Key::z) {
        return std::string(1, static_cast<char>('A' + (index - static_cast<int>(Key::a))));
    }
    if (key >= Key::f1 && key <= Key::f12) {
        return "F" + std::to_string(1 + index - static_cast<int>(Key::f1));
    }
    switch (key) {
    case Key::space:
        return "SPACE";
    case Key::tab:
        return "TAB";
    case Key::escape:
        return "ESCAPE";
    case Key::leftBracket:
        return "LEFT_BRACKET";
    case Key::rightBracket:
        return "RIGHT_BRACKET";
    case Key::comma:
        return "COMMA";
    case Key::period:
        return "PERIOD";
    case Key::left:
        return "LEFT";
    case Key::right:
        return "RIGHT";
    case Key::home:
        return "HOME";
    default:
        return "OTHER";
    }
}

Key keyNamed(std::string_view name)
{
    for (int index = static_cast<int>(Key::a); index <= static_cast<int>(Key::home); ++index) {
        if (keyName(static_cast<Key>(index)) == name) {
            return static_cast<Key>(index);
        }
    }
    return Key::other;
}

const char* actionName(KeyAction action)
{
    return action == KeyAction::press     ? "press"
           : action == KeyAction::release ? "release"
                                          : "repeat";
}

std::optional<KeyAction> actionNamed(std::string_view name)
{
    for (KeyAction action : {KeyAction::press, KeyAction::release, KeyAction::repeat}) {
        if (name == actionName(action)) {
            return action;
        }
    }
    return std::nullopt;
}
