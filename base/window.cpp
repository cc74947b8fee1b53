/* Window centring and rectangle conversion between screen and client. */
#include "window.h"

POINT CenteredPosition(const RECT *reference, int width, int height)
{
    POINT at;

    at.x = reference->left + (reference->right - reference->left) / 2 - width / 2;
    at.y = reference->top + (reference->bottom - reference->top) / 2 - height / 2;
    return at;
}

void CenterWindow(HWND window, HWND reference)
{
    RECT own, over;
    POINT at;
    int width, height;

    if (reference == NULL)
        reference = GetDesktopWindow();
    GetWindowRect(window, &own);
    GetWindowRect(reference, &over);
    width = own.right - own.left;
    height = own.bottom - own.top;
    at = CenteredPosition(&over, width, height);
    MoveWindow(window, at.x, at.y, width, height, FALSE);
}

void MapRectCorners(HWND window, RECT *rect, PointMapper map)
{
    POINT corners[2];

    corners[0].x = rect->left;
    corners[0].y = rect->top;
    corners[1].x = rect->right;
    corners[1].y = rect->bottom;
    map(window, &corners[0]);
    map(window, &corners[1]);
    SetRect(rect, corners[0].x, corners[0].y, corners[1].x, corners[1].y);
}
