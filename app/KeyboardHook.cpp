#include "app/KeyboardHook.h"
#include "app/HookMessage.h"
#include "keyhook/KeyHook.h"

void KeyboardHook::Install(HWND receiver) { installhook(receiver, g_hookKeyDownMsg); }

void KeyboardHook::Remove() { UnHook(); }
