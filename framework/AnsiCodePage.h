#pragma once
#include "store/AnsiConverter.h"

// The system's ANSI code page (CP_ACP), as the settings file and CF_TEXT use it.
class AnsiCodePage : public AnsiConverter {
public:
    AnsiText ToAnsi(std::u16string_view utf16) const override;
};
