// Works the overlay test from outside.
#include "overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "resource.h"

namespace e2e {

static bool WriteFileBytes(const std::wstring &path, const char *bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, bytes, (DWORD)strlen(bytes), &done, nullptr);
    return CloseHandle(f) && done == strlen(bytes);
}

bool PutFakeDdraw(const std::wstring &dir, const char *script, bool withCreate)
{
    std::wstring from = Env(withCreate ? L"VURODOZ_FAKEDDRAW" : L"VURODOZ_FAKEDDRAW_NOCREATE");
    std::replace(from.begin(), from.end(), L'/', L'\\');
    for (const wchar_t *name : {L"fakeddraw.log", L"overlay-1.bin", L"overlay-2.bin", L"overlay-3.bin"})
        DeleteFileW((dir + L"\\" + name).c_str());
    return CopyFileW((L"Z:" + from).c_str(), (dir + L"\\ddraw.dll").c_str(), FALSE) &&
           WriteFileBytes(dir + L"\\fakeddraw.txt", script);
}

// The test window: 720 x 576 inside, centred by its outer size, magenta.
static void CheckTestWindow(HWND window)
{
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(720, client.right);
    EXPECT_EQ(576, client.bottom);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2, outer.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2, outer.top);
    EXPECT_EQ(L"VurOdoz", Text(window));
    POINT corner = {4, 4};
    ClientToScreen(window, &corner);
    // Wine 10 can put the drawing on the X screen a few milliseconds after
    // the question already shows: the colour is waited for, as an eye would.
    HDC screen = GetDC(nullptr);
    COLORREF seen = GetPixel(screen, corner.x, corner.y);
    for (DWORD start = GetTickCount(); seen != RGB(255, 0, 255) && GetTickCount() - start < 5000; Sleep(10))
        seen = GetPixel(screen, corner.x, corner.y);
    EXPECT_EQ(RGB(255, 0, 255), seen);
    ReleaseDC(nullptr, screen);
}

OverlayRun RunOverlayTest(App &app, HWND dialog, const char *answers)
{
    OverlayRun run;
    HWND status = GetDlgItem(dialog, IDC_OVERLAY_STATUS);
    DWORD_PTR r;
    // The refresh that follows the command overwrites the mark; so can a
    // repaint, but not before the test window is gone.
    Settle(dialog);
    SendMessageTimeoutW(status, WM_SETTEXT, 0, (LPARAM)L"mark", SMTO_ABORTIFHUNG, 5000, &r);
    Press(dialog, IDC_OVERLAY_TEST);
    DWORD start = GetTickCount();
    while ((ControlText(dialog, IDC_OVERLAY_STATUS) == L"mark" || FindWindowW(L"WC:VKTEST", nullptr)) &&
           GetTickCount() - start < 20000) {
        HWND box = app.WaitMessageBox(100);
        if (!box)
            continue;
        HWND window = GetWindow(box, GW_OWNER);
        run.windows.push_back(window);
        GetClientRect(window, &run.client);
        MapWindowPoints(window, nullptr, (POINT *)&run.client, 2);
        wchar_t cls[32] = L"";
        GetClassNameW(window, cls, 32);
        EXPECT_STREQ(L"WC:VKTEST", cls);
        CheckTestWindow(window);
        EXPECT_EQ(Env(L"VURODOZ_TEST_LANG") == L"ja_JP" ? ProgramString(501)
                  : L"Is the overlay screen displayed properly?", MessageBoxText(box));
        EXPECT_EQ(L"VurOdoz", Text(box));
        EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && !GetDlgItem(box, IDOK));
        char answer = answers[run.questions] ? answers[run.questions] : 'N';
        run.questions++;
        if (answer == 'C')
            PostMessageW(window, WM_CLOSE, 0, 0);
        else
            Press(box, answer == 'Y' ? IDYES : IDNO);
        for (DWORD t = GetTickCount(); IsWindow(box) && GetTickCount() - t < 5000;)
            Sleep(20);
    }
    Settle(dialog);
    run.status = ControlText(dialog, IDC_OVERLAY_STATUS);
    for (HWND w : run.windows)
        EXPECT_FALSE(IsWindow(w)) << "a test window outlived its run";
    return run;
}

}  // namespace e2e
