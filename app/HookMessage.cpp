#include "app/HookMessage.h"

const UINT g_hookKeyDownMsg = ::RegisterWindowMessageW(L"HOOKKEYDOWNMESSAGEID");
