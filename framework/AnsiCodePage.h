#pragma once
#include "store/AnsiConverter.h"

// The system's ANSI code page (CP_ACP), in which settings files of old were written.
class AnsiCodePage : public AnsiConverter {
public:
    std::string ToUtf8(std::string_view ansi) const override;
};
