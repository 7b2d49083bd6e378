#pragma once
#include <windows.h>

// Id of the message the keyboard hook posts for each key-down. Registered by name,
// so every process that asks for it gets the same id.
extern const UINT g_hookKeyDownMsg;
