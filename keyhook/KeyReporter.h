#pragma once
#include "keyhook/KeyFilter.h"
#include <windows.h>
#include <cstddef>
#include <cstdint>

// The hook's Win32 side of KeyFilter: posts its reports to the receiver and tells the
// hook which events to keep from the program in front. Used only on the hook's
// thread, except Bind.
class KeyReporter {
public:
    KeyReporter() = default;
    KeyReporter(const KeyReporter&) = delete;
    KeyReporter& operator=(const KeyReporter&) = delete;

    // Every key up, nothing bound. Only while the hook is not running.
    void Reset(HWND receiver, UINT message);
    // From any thread (see KeyFilter::Bind).
    void Bind(const std::uint8_t* chords, std::size_t count) { m_filter.Bind(chords, count); }
    // True when the event is to be swallowed.
    bool OnKey(const KBDLLHOOKSTRUCT& key, bool down);

private:
    HWND m_receiver = nullptr;
    UINT m_message = 0;
    KeyFilter m_filter;
};
