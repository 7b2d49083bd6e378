#include "editor/KeyComboOrder.h"

#include "store/KeyNames.h"
#include "store/KeyText.h"

#include <algorithm>
#include <string_view>

namespace {

// Index of the first of `items` equal to `name` without regard to case, as the combo's
// exact search finds it.
template <typename Items>
std::optional<std::size_t> FindNoCase(const Items& items, const std::string& name)
{
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const std::string& item) { return EqualsNoCase(item, name); });
    if (it == items.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - items.begin());
}

} // namespace

std::optional<std::size_t> ReturnPosition(const std::vector<std::string>& entries, const std::string& name)
{
    if (FindNoCase(entries, name))
        return std::nullopt;
    const auto& order = KeyNames();
    const std::optional<std::size_t> rank = FindNoCase(order, name);
    if (!rank)
        return std::nullopt;
    for (std::size_t later = *rank + 1; later < order.size(); ++later) {
        if (const std::optional<std::size_t> at = FindNoCase(entries, order[later]))
            return at;
    }
    return entries.size();
}

std::optional<std::size_t> PrefixSelection(const std::vector<std::string>& entries, const std::string& key)
{
    const auto it = std::find_if(entries.begin(), entries.end(), [&](const std::string& entry) {
        return EqualsNoCase(std::string_view(entry).substr(0, key.size()), key);
    });
    if (it == entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - entries.begin());
}
