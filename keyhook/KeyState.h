#pragma once
#include <cstdint>

// The system's own idea of which keys are down. The hook asks it about modifiers it
// believes held, because it misses every key-up made while the secure desktop or an
// elevated window had the keyboard.
// Asked with the code of a pair of modifier keys (SHIFT, CONTROL, MENU): either key.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool IsDown(std::uint8_t key) const = 0;
};
