// The README's pictures (scripts/screenshots): the main dialog after an HDD
// Test, read back from the screen into a bitmap file.
#include "program.h"

#include <vector>

using namespace e2e;

static bool SaveWindowBitmap(HWND window, const std::wstring &path)
{
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::vector<char> pixels(((w * 3 + 3) & ~3) * h);
    GetDIBits(dc, bitmap, 0, h, pixels.data(), (BITMAPINFO *)&info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof(file) + sizeof(info) + pixels.size()), 0, 0,
                             sizeof(file) + sizeof(info)};
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done;
    bool ok = WriteFile(f, &file, sizeof(file), &done, nullptr) && WriteFile(f, &info, sizeof(info), &done, nullptr) &&
              WriteFile(f, pixels.data(), (DWORD)pixels.size(), &done, nullptr);
    return CloseHandle(f) && ok;
}

TEST_F(Program, ScreenshotAfterHddTest)
{
    std::wstring out = Env(L"VURODOZ_SHOT");
    if (out.empty())
        GTEST_SKIP() << "run by scripts/screenshots";
    HWND dialog = StartToDialog();
    ASSERT_TRUE(dialog);
    RunHddTest(app_, dialog, 5000);
    ASSERT_TRUE(IsRateText(ControlText(dialog, IDC_READ_RATE)));
    Sleep(500);
    ASSERT_TRUE(SaveWindowBitmap(dialog, out));
    CloseWithButton(dialog, IDOK);
}
