#include "editor/CaptionStatic.h"

std::optional<LRESULT> CCaptionStatic::OnCtlColor(HDC) { return std::nullopt; }
