// Tests of the dialog templates and the version record as linked into this
// executable from the program's resource script.
#include <gtest/gtest.h>

#include <string.h>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "resource.h"
#include "syslib.h"
#include "version.h"

namespace {

INT_PTR CALLBACK IgnoreEverything(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A template created hidden, destroyed when the holder goes.
class Dialog {
public:
    explicit Dialog(int id, bool unicode = false)
        : window_(unicode ? CreateDialogParamW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(id), NULL,
                                               IgnoreEverything, 0)
                          : CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), NULL,
                                               IgnoreEverything, 0))
    {
    }
    ~Dialog()
    {
        if (window_)
            DestroyWindow(window_);
    }
    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // The top edge of a control in client coordinates of the dialog.
    LONG Top(int id) const
    {
        RECT r;
        GetWindowRect(Item(id), &r);
        MapWindowPoints(NULL, window_, (POINT *)&r, 2);
        return r.top;
    }

    // Dialog units converted with this dialog's own font.
    LONG UnitsDown(int units) const
    {
        RECT r = { 0, 0, 0, units };
        MapDialogRect(window_, &r);
        return r.bottom;
    }

private:
    HWND window_;
};

std::string Text(HWND window)
{
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::wstring WideText(HWND window)
{
    wchar_t text[256] = L"";
    SendMessageW(window, WM_GETTEXT, 256, (LPARAM)text);
    return text;
}

struct MainTemplate {
    int  Id;
    bool HasPciBios;
    bool Japanese;
};

const MainTemplate MainTemplates[] = {
    { IDD_MAIN_9X, true, true },
    { IDD_MAIN_NT, false, true },
    { IDD_MAIN_9X + LANG_OFFSET_ENGLISH, true, false },
    { IDD_MAIN_NT + LANG_OFFSET_ENGLISH, false, false },
};

// Every control the main dialog fills or reads, apart from 411.
const int MainControls[] = {
    IDC_OVERLAY_TEST, IDC_OVERLAY_STATUS, IDC_WINDOWS, IDC_COMPUTER, IDC_CHIPSET,
    IDC_LATENCY, IDC_DRIVE, IDC_HDD_TEST, IDC_READ_BAR, IDC_WRITE_BAR, IDC_READ_RATE,
    IDC_WRITE_RATE, IDC_SHOW_INFO, IDC_SAVE_INFO, IDC_ABOUT, IDOK,
};

// Catches a missing template or control, a system menu (and so a close box
// that bypasses Close and Cancel), the PCI BIOS field present in the NT
// variants or missing in the 9x ones, a combo box that is not a sorted
// drop-down, and Close not being the default button.
TEST(MainDialogTemplate, TitleStyleAndControls)
{
    for (const auto &t : MainTemplates) {
        SCOPED_TRACE(t.Id);
        Dialog dialog(t.Id);
        ASSERT_TRUE(dialog.Window()) << "error " << GetLastError();
        EXPECT_EQ("VurOdoz", Text(dialog.Window()));
        LONG style = GetWindowLongA(dialog.Window(), GWL_STYLE);
        EXPECT_EQ(0, style & WS_SYSMENU);
        EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
        EXPECT_EQ(WS_POPUP, style & WS_POPUP);
        EXPECT_FALSE(IsWindowVisible(dialog.Window()));

        for (int id : MainControls) {
            SCOPED_TRACE(id);
            HWND item = dialog.Item(id);
            ASSERT_TRUE(item);
            EXPECT_NE(0, GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE);
        }
        EXPECT_EQ(t.HasPciBios, dialog.Item(IDC_PCI_BIOS) != NULL);

        char cls[32] = "";
        GetClassNameA(dialog.Item(IDC_DRIVE), cls, sizeof cls);
        EXPECT_EQ(0, lstrcmpiA("ComboBox", cls));
        LONG combo = GetWindowLongA(dialog.Item(IDC_DRIVE), GWL_STYLE);
        EXPECT_EQ(CBS_DROPDOWN, combo & 3);
        EXPECT_NE(0, combo & CBS_SORT);

        LRESULT def = SendMessageA(dialog.Window(), DM_GETDEFID, 0, 0);
        EXPECT_EQ(DC_HASDEFID, HIWORD(def));
        EXPECT_EQ(IDOK, LOWORD(def));
    }
}

// Catches a template order that is not the intended tab order, a tab stop
// lost or added (the labels and fields must be skipped), and an order that
// does not wrap round.
TEST(MainDialogTemplate, TabOrder)
{
    const int order[] = { IDC_OVERLAY_TEST, IDC_DRIVE, IDC_HDD_TEST, IDC_SHOW_INFO,
                          IDC_SAVE_INFO, IDC_ABOUT, IDOK };
    const int count = sizeof order / sizeof order[0];
    for (const auto &t : MainTemplates) {
        SCOPED_TRACE(t.Id);
        Dialog dialog(t.Id);
        ASSERT_TRUE(dialog.Window());
        HWND at = dialog.Item(IDC_OVERLAY_TEST);
        for (int k = 0; k < count; ++k) {
            ASSERT_TRUE(at) << "step " << k;
            EXPECT_EQ(order[k], GetDlgCtrlID(at)) << "step " << k;
            at = GetNextDlgTabItem(dialog.Window(), at, FALSE);
        }
        EXPECT_EQ(dialog.Item(IDC_OVERLAY_TEST), at) << "no wrap after Close";
        EXPECT_EQ(dialog.Item(IDOK),
                  GetNextDlgTabItem(dialog.Window(), dialog.Item(IDC_OVERLAY_TEST), TRUE));
    }
}

// Catches the Japanese caption stored as bytes of another code page (it
// would read as mojibake on every system), and the two languages' captions
// swapped or mixed up. The dialogs are created as Unicode windows here: an
// ANSI dialog passes its captions through the system code page, which on a
// non-Japanese system has no Japanese characters (the Japanese run of the
// shell tests covers that path).
TEST(MainDialogTemplate, OptionCaptionPerLanguage)
{
    const std::wstring japanese = L"起動時に情報ファイルを表示する";
    for (const auto &t : MainTemplates) {
        SCOPED_TRACE(t.Id);
        Dialog dialog(t.Id, true);
        ASSERT_TRUE(dialog.Window());
        std::wstring caption = WideText(dialog.Item(IDC_SHOW_INFO));
        if (t.Japanese)
            EXPECT_TRUE(caption == japanese) << "the Japanese caption reads otherwise";
        else
            EXPECT_TRUE(caption == L"Show Information file at startup");
        // The other captions are the same English words in both languages.
        EXPECT_EQ("&Close", Text(dialog.Item(IDOK)));
        EXPECT_EQ("&HDD Test", Text(dialog.Item(IDC_HDD_TEST)));
    }
}

// Catches rows of the NT variant not moved up by the removed row's 15 units,
// rows above it moved, and the dialog's height not shortened to match.
TEST(MainDialogTemplate, NtVariantMovesTheLowerRowsUp)
{
    const int above[] = { IDC_OVERLAY_TEST, IDC_OVERLAY_STATUS, IDC_WINDOWS, IDC_COMPUTER };
    const int below[] = { IDC_CHIPSET, IDC_LATENCY, IDC_DRIVE, IDC_HDD_TEST, IDC_READ_BAR,
                          IDC_READ_RATE, IDC_WRITE_BAR, IDC_WRITE_RATE, IDC_SHOW_INFO,
                          IDC_SAVE_INFO, IDC_ABOUT, IDOK };
    for (int offset : { 0, LANG_OFFSET_ENGLISH }) {
        SCOPED_TRACE(offset);
        Dialog nine(IDD_MAIN_9X + offset), nt(IDD_MAIN_NT + offset);
        ASSERT_TRUE(nine.Window() && nt.Window());
        LONG shift = nine.UnitsDown(15);
        ASSERT_EQ(shift, nt.UnitsDown(15)) << "the two variants use different fonts";
        ASSERT_GT(shift, 0);
        for (int id : above) {
            SCOPED_TRACE(id);
            EXPECT_EQ(nine.Top(id), nt.Top(id));
        }
        // Each coordinate is rounded on its own, so one pixel either way.
        for (int id : below) {
            SCOPED_TRACE(id);
            EXPECT_NEAR(shift, nine.Top(id) - nt.Top(id), 1);
        }
        RECT a, b;
        GetClientRect(nine.Window(), &a);
        GetClientRect(nt.Window(), &b);
        EXPECT_NEAR(shift, a.bottom - b.bottom, 1);
        EXPECT_EQ(a.right, b.right);
    }
}

// Catches a missing progress template, a progress bar of another class, a
// status line that is not empty at first, and STOP not the default button.
TEST(ProgressDialogTemplate, StopProgressAndStatus)
{
    ASSERT_EQ(1, StartCommonControls());
    for (int id : { IDD_PROGRESS, IDD_PROGRESS + LANG_OFFSET_ENGLISH }) {
        SCOPED_TRACE(id);
        Dialog dialog(id);
        ASSERT_TRUE(dialog.Window()) << "error " << GetLastError();
        EXPECT_EQ("VurOdoz (Hard Disk)", Text(dialog.Window()));
        EXPECT_EQ(0, GetWindowLongA(dialog.Window(), GWL_STYLE) & WS_SYSMENU);
        ASSERT_TRUE(dialog.Item(IDC_STOP));
        EXPECT_EQ("&STOP", Text(dialog.Item(IDC_STOP)));
        char cls[64] = "";
        GetClassNameA(dialog.Item(IDC_PROGRESS), cls, sizeof cls);
        EXPECT_EQ(0, lstrcmpiA("msctls_progress32", cls)) << cls;
        ASSERT_TRUE(dialog.Item(IDC_STATUS));
        EXPECT_EQ("", Text(dialog.Item(IDC_STATUS)));
        LRESULT def = SendMessageA(dialog.Window(), DM_GETDEFID, 0, 0);
        EXPECT_EQ(DC_HASDEFID, HIWORD(def));
        EXPECT_EQ(IDC_STOP, LOWORD(def));
    }
}

// Catches a version record whose strings disagree with the version the About
// box and the report show, a translation with no string block, and binary
// version fields out of step with the text.
TEST(VersionRecord, MatchesTheProgramVersion)
{
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(NULL, self, sizeof self), 0u);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(self, &handle);
    ASSERT_GT(size, 0u) << "no version record, error " << GetLastError();
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(self, 0, size, data.data()));

    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", (LPVOID *)&fixed, &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(0x0002000Bu, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x0002000Bu, fixed->dwProductVersionMS);

    WORD *translations = NULL;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", (LPVOID *)&translations, &length));
    ASSERT_GE(length, 4u);
    for (UINT k = 0; k < length / 4; ++k) {
        char path[64];
        wsprintfA(path, "\\StringFileInfo\\%04x%04x\\FileVersion", translations[2 * k],
                  translations[2 * k + 1]);
        SCOPED_TRACE(path);
        char *value = NULL;
        UINT chars = 0;
        ASSERT_TRUE(VerQueryValueA(data.data(), path, (LPVOID *)&value, &chars));
        EXPECT_STREQ(VURODOZ_VERSION, value);
    }
}

} // namespace
