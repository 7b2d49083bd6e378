#pragma once
#include "keyhook/KeyState.h"
#include <windows.h>

// The desktop's key state as the system tracks it, read by the hook before the event
// it is handling changes it.
class AsyncKeyState : public KeyState {
public:
    bool IsDown(std::uint8_t key) const override { return ::GetAsyncKeyState(key) < 0; }
};
