#include "app/TarnwickApp.h"
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return CTarnwickApp().Run();
}
