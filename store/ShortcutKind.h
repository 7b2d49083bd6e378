#pragma once

#include <cstdint>

// What a shortcut's payload is and which action runs for it. Stored as a plain
// std::int32_t in records and row tags; the dispatch treats every value other
// than Text and Graphic as Path.
enum class ShortcutKind : std::int32_t { Path = 0, Text = 1, Graphic = 2 };
