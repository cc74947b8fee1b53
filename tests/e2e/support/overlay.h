// Works the overlay test from outside: the DirectDraw double beside the
// program with its script and log, the test window and its questions.
#pragma once

#include "driver.h"

namespace e2e {

// Puts the double as ddraw.dll in dir (start the program with
// Options::nativeDdraw for Wine to load it) (or, withCreate false, its copy that
// lacks DirectDrawCreate), writes its script and clears its log and dumps.
bool PutFakeDdraw(const std::wstring &dir, const char *script, bool withCreate = true);
inline std::string FakeDdrawLog(const std::wstring &dir) { return ReadFileBytes(dir + L"\\fakeddraw.log"); }

// What one press of Overlay Test showed.
struct OverlayRun {
    int questions = 0;
    std::wstring status;                  // the status line after the run
    std::vector<HWND> windows;            // the test window behind each question
    RECT client{};                        // its client area on the screen, at the last question
};
// Presses Overlay Test and answers each question with the next letter of
// answers (Y or N; C closes the test window with WM_CLOSE instead),
// checking each question and its window on the way.
OverlayRun RunOverlayTest(App &app, HWND dialog, const char *answers);

}  // namespace e2e
