// Window centring, over a rectangle and with real windows.
#include <gtest/gtest.h>

#include <windows.h>
#include "popup.h"
#include "window.h"

namespace {

// Catches centring on the corner instead of the centre, clamping to the
// reference or the screen, halving the sum of the edges (which rounds
// differently for negative coordinates), and halving the difference of the
// sizes instead of each size.
TEST(Centring, PositionOverTheReference)
{
    const struct { const char *What; RECT Ref; int Width, Height; int X, Y; } cases[] = {
        { "larger reference", { 0, 0, 800, 600 }, 200, 100, 300, 250 },
        { "offset reference", { 100, 80, 500, 380 }, 200, 100, 200, 180 },
        { "smaller reference", { 0, 0, 200, 100 }, 400, 300, -100, -100 },
        { "smaller offset reference", { 50, 40, 150, 90 }, 300, 250, -50, -60 },
        { "odd window", { 0, 0, 100, 50 }, 31, 21, 35, 15 },
        { "odd reference", { 0, 0, 101, 51 }, 30, 20, 35, 15 },
        { "negative reference", { -301, -200, 0, 0 }, 100, 50, -201, -125 },
        { "negative odd both", { -301, -201, -100, -100 }, 31, 21, -216, -161 },
        { "same size", { 10, 20, 110, 70 }, 100, 50, 10, 20 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        POINT at = CenteredPosition(&c.Ref, c.Width, c.Height);
        EXPECT_EQ(c.X, at.x);
        EXPECT_EQ(c.Y, at.y);
    }
}

// Real windows. Catches a resize, the client rectangle used instead of the
// window rectangle, a null reference not taken as the desktop, and a
// position clamped onto the screen.
TEST(Centring, MovesRealWindows)
{
    HWND reference = MakePopup(100, 80, 400, 300);
    HWND offScreen = MakePopup(-500, -400, 100, 100);
    HWND window = MakePopup(0, 0, 201, 101);
    ASSERT_TRUE(reference && offScreen && window);

    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const struct { const char *What; HWND Ref; LONG X, Y; } cases[] = {
        { "over a window", reference, 200, 180 },
        { "over a window off the screen", offScreen, -550, -400 },
        { "over the desktop", NULL,
          desktop.left + (desktop.right - desktop.left) / 2 - 100,
          desktop.top + (desktop.bottom - desktop.top) / 2 - 50 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        CenterWindow(window, c.Ref);
        RECT now;
        GetWindowRect(window, &now);
        EXPECT_EQ(c.X, now.left);
        EXPECT_EQ(c.Y, now.top);
        EXPECT_EQ(201, now.right - now.left);
        EXPECT_EQ(101, now.bottom - now.top);
    }

    DestroyWindow(window);
    DestroyWindow(offScreen);
    DestroyWindow(reference);
}

}  // namespace
