#include "store/Shortcut.h"

#include "store/KeyNames.h"
#include "store/KeyText.h"

void Shortcut::Assign(const std::string& name, const std::string& newPayload, ShortcutKind newKind)
{
    keyName = ToUpperAscii(TrimWhitespace(name));
    payload = newPayload;
    kind = newKind;
    keyCode = KeyCodeFromName(keyName);
    shift = keyName.find("SHIFT") != std::string::npos ? 1 : 0;
    ctrl = 1;
    alt = 1;
}

namespace {
std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }
}  // namespace

Shortcut ListedShortcut(const Shortcut& loaded)
{
    Shortcut listed = loaded;
    listed.keyName = CutAtNul(ListKeyText(loaded.keyName));
    listed.payload = CutAtNul(loaded.payload);
    return listed;
}
