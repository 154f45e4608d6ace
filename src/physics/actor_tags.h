#pragma once

class btCollisionObject;

// The three tags an actor can carry in its user pointer. The contact report compares the
// pointer, never the text, so every actor must be tagged with these very constants; an
// untagged actor has a null user pointer.
inline constexpr char killTag[] = "kill";
inline constexpr char pizzaTag[] = "pizza";
inline constexpr char groundTag[] = "ground";

// The tag of a touched object: one of the constants above, or nullptr.
const char* tagOf(const btCollisionObject& object);
