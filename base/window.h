/* Window placement shared by the dialogs and the overlay test window. */
#ifndef VURODOZ_WINDOW_H
#define VURODOZ_WINDOW_H

#include <windows.h>

typedef BOOL (WINAPI *PointMapper)(HWND, LPPOINT);

void CenterWindow(HWND window, HWND reference);
/* Where CenterWindow puts a window of the given size over the reference rectangle. */
POINT CenteredPosition(const RECT *reference, int width, int height);
/* Moves both corners of rect through map (ClientToScreen or ScreenToClient)
   for window. */
void MapRectCorners(HWND window, RECT *rect, PointMapper map);

#endif
