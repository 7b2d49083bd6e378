#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "store/ShortcutKind.h"

// The longest path a shortcut hands to the shell or to a file dialog, and so the most
// the editor's path boxes take. Paths and URLs that programs open are far shorter;
// a longer text opens nothing, and shells have faulted on such texts.
inline constexpr std::size_t kMaxPathChars = 2048;

// One binding of CTRL+ALT(+SHIFT)+key to a path, a text or a bitmap file: a record of
// the live shortcut table, and a row of the list the editor changes.
class Shortcut {
public:
    Shortcut() = default;
    Shortcut(const Shortcut&) = default;
    Shortcut(Shortcut&&) noexcept = default;
    Shortcut& operator=(const Shortcut&) = default;
    Shortcut& operator=(Shortcut&&) noexcept = default;
    virtual ~Shortcut() = default;

    // Cleans the key name (trimmed, upper-cased), derives keyCode and shift from it,
    // and sets ctrl and alt, which every shortcut needs.
    void Assign(const std::string& keyName, const std::string& payload, ShortcutKind kind);

    std::int32_t keyCode = -1;  // virtual-key code; -1: the name gives none, never fires
    std::uint8_t shift = 0, ctrl = 0, alt = 0;
    ShortcutKind kind = ShortcutKind::Text;
    std::string payload;
    std::string keyName;
};

// The record as the editor lists it, and so as a save writes it back: the key name
// as the list shows it (ListKeyText), and key and payload only up to a NUL, where a
// list control's texts end.
Shortcut ListedShortcut(const Shortcut& loaded);
