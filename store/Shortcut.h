#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The longest path a shortcut hands to the shell or to a file dialog, and so the most
// the editor's path boxes take. Paths and URLs that programs open are far shorter;
// a longer text opens nothing, and shells have faulted on such texts.
inline constexpr std::size_t kMaxPathChars = 2048;

// One binding of CTRL+ALT(+SHIFT)+key to a path, a text or a bitmap file.
// Records live in the shortcut table and get their content only through Assign.
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
    void Assign(const std::string& keyName, const std::string& payload, int kind);

    std::int32_t keyCode = -1;  // virtual-key code; -1: the name gives none, never fires
    std::uint8_t shift = 0, ctrl = 0, alt = 0;
    std::int32_t kind = 1;      // a ShortcutKind value
    std::string payload;
    std::string keyName;
};
