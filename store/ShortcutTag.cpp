#include "store/ShortcutTag.h"

#include "store/KeyNames.h"

ShortcutTag::ShortcutTag(const std::string& keyName, int kind_)
    : keyCode(KeyCodeFromName(keyName)), kind(kind_)
{
}

ShortcutTag::ShortcutTag(int keyCode_, int kind_) : keyCode(keyCode_), kind(kind_) {}

int CompareRowTags(const ShortcutTag& a, const ShortcutTag& b)
{
    if (a.keyCode < b.keyCode) return -1;
    if (a.keyCode > b.keyCode) return 1;
    return 0;
}
