#include "store/ShortcutKind.h"

#include "store/KeyText.h"

const KindInfo* InfoOfKind(ShortcutKind kind)
{
    for (const KindInfo& info : kShortcutKinds) {
        if (info.kind == kind) return &info;
    }
    return nullptr;
}

std::optional<ShortcutKind> KindOfSection(std::string_view section)
{
    for (const KindInfo& info : kShortcutKinds) {
        if (EqualsNoCase(section, info.section)) return info.kind;
    }
    return std::nullopt;
}
