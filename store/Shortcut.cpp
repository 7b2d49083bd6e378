#include "store/Shortcut.h"

#include "store/KeyNames.h"
#include "store/KeyText.h"

void Shortcut::Assign(const std::string& name, const std::string& newPayload, int newKind)
{
    keyName = ToUpperAscii(TrimWhitespace(name));
    payload = newPayload;
    kind = newKind;
    keyCode = KeyCodeFromName(keyName);
    shift = keyName.find("SHIFT") != std::string::npos ? 1 : 0;
    ctrl = 1;
    alt = 1;
}
