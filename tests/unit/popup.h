// A bare pop-up window for tests that need a real parent or a window to move.
#pragma once

#include <windows.h>

inline HWND MakePopup(int x, int y, int width, int height)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, x, y, width, height, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
}
