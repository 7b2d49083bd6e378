#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Where a freed key name goes back into the key combo, whose entries are `entries` in
// display order: just before the first later key name (in KeyNames order) that the
// combo still holds, or at the end. nullopt when the combo already holds the name or
// the name is not a key name at all (a hand-written settings file can hold such names).
std::optional<std::size_t> ReturnPosition(const std::vector<std::string>& entries, const std::string& name);

// The entry the combo selects for `key` when the form writes its key back: the first
// entry beginning with it, letter case ignored. nullopt leaves the selection as it was.
std::optional<std::size_t> PrefixSelection(const std::vector<std::string>& entries, const std::string& key);
