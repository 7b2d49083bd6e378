#pragma once
#include <windows.h>
#include <algorithm>

// Kept to this header, so that the helper programs beside the tests (the typist) use
// it without the test support library.
namespace wt {

// Serves this thread's messages, as a program's message loop would, until `done`
// holds; false once the timeout has passed without it.
template <typename Condition>
bool ServeMessagesUntil(Condition done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done())
            return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 10), QS_ALLINPUT);
    }
}

}  // namespace wt
