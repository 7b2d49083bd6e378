#include "app/KeyboardHook.h"
#include "app/HookMessage.h"
#include "keyhook/KeyHook.h"

void KeyboardHook::Install(HWND receiver)
{
    m_receiver = receiver;
    installhook(receiver, g_hookKeyDownMsg);
}

void KeyboardHook::Remove()
{
    m_receiver = nullptr;
    UnHook();
}

void KeyboardHook::Restart()
{
    if (!m_receiver)
        return;
    const HWND receiver = m_receiver;
    Remove();
    Install(receiver);
}
