#include "app/HookMessage.h"

const UINT g_hookKeyDownMsg = ::RegisterWindowMessageA("HOOKKEYDOWNMESSAGEID");
