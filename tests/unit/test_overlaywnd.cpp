// The overlay test window: its class, and a run without a window.
#include <gtest/gtest.h>

#include <string.h>
#include <windows.h>
#include "maindlg.h"
#include "overlaywnd.h"
#include "text.h"
#include "saved_state.h"

namespace {

// Catches a class with the wrong name or style, no cursor (the hourglass
// or none would show over the test window), and a failed second
// registration not reported as such.
TEST(OverlayWindowClass, RegisteredOnce)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    UnregisterClassA(OVERLAY_TEST_CLASS, instance);

    SetLastError(0xdeadbeef);
    WORD atom = RegisterOverlayTestClass(instance, APP_CAPTION);
    ASSERT_NE(0, atom) << "error " << GetLastError();

    WNDCLASSA wc;
    ZeroMemory(&wc, sizeof wc);
    ASSERT_TRUE(GetClassInfoA(instance, "WC:VKTEST", &wc));
    EXPECT_EQ((UINT)(CS_HREDRAW | CS_VREDRAW), wc.style);
    EXPECT_EQ(LoadCursorA(NULL, IDC_ARROW), wc.hCursor);
    EXPECT_EQ(NULL, wc.hIcon);
    EXPECT_EQ(NULL, wc.lpszMenuName);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);
    EXPECT_EQ((HBRUSH)(COLOR_WINDOW + 1), wc.hbrBackground);
    EXPECT_EQ(instance, wc.hInstance);

    SetLastError(0xdeadbeef);
    EXPECT_EQ(0, RegisterOverlayTestClass(instance, APP_CAPTION));
    EXPECT_EQ((DWORD)ERROR_CLASS_ALREADY_EXISTS, GetLastError());

    EXPECT_TRUE(UnregisterClassA(OVERLAY_TEST_CLASS, instance));
}

// Catches a run that goes on without its window, or a status changed by it.
TEST(OverlayWindow, RunWithoutWindowGives101AndKeepsTheStatus)
{
    SavedState keep;
    RegisterOverlayTestClass(GetModuleHandleA(nullptr), "VurOdoz");
    HWND bogus = (HWND)(ULONG_PTR)0x7FFF0;
    EXPECT_EQ(OVERLAY_RESULT_NO_WINDOW, RunOverlayTest(bogus));
    OverlayState = OVERLAY_NOT_TESTED;
    RunOverlayTestCommand(bogus);
    EXPECT_EQ(OVERLAY_NOT_TESTED, OverlayState);
}

}  // namespace
