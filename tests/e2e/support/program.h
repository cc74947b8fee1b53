// A fixture that gives each end-to-end test its own working directory with
// the shipped files, a known Windows version and no stray windows.
#pragma once

#include <gtest/gtest.h>
#include "csv.h"
#include "driver.h"
#include "resource.h"

namespace e2e {

extern const wchar_t kNotTested[];
extern const wchar_t kNotTestedJa[];
extern const wchar_t kLowResolution[];
extern const wchar_t kNoReadme[];
extern const char kIniOff[];

// The value of a report's line that begins with label ("Chip Set:").
std::string ReportValue(const std::string &report, const std::string &label);

// Every field of a table's row against the report of the same run
// (table_test.cpp).
void ExpectRowIsReport(const std::vector<std::string> &row, const std::string &report, bool ninetyEight);

// Save Info as a user does it (report_test.cpp).
std::string ExpectedReport(HWND dialog, bool ntFamily, UINT codePage);
HWND SaveAs(App &app, HWND dialog, const std::wstring &name);
// Saves as name (a file in dir, or a full path) and reads back what was written.
std::string SaveAndRead(App &app, HWND dialog, const std::wstring &dir, const std::wstring &name);
// Picks a drive letter in the drive box, as from its list (disk_test.cpp).
void ChooseDrive(HWND dialog, const wchar_t *letter);
bool IsRateText(const std::wstring &text);
// Presses HDD Test and waits for the progress dialog to come and go; returns
// the dialog seen (gone by then), or null when none opened within appearMs.
HWND RunHddTest(App &app, HWND dialog, DWORD appearMs = 20000);

class Program : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program and waits for its main dialog.
    HWND StartToDialog(Options options = Options());
    // Starts another run in this test's directory as the given Windows version.
    HWND StartAs(App &app, const wchar_t *version);
    // Starts a run that must first say the readme is missing, answers the
    // message and returns the main dialog that follows.
    HWND StartThroughReadmeMessage(App &app, const Options &options, const wchar_t *message);
    // Leaves with Close (IDOK) or Esc (IDCANCEL) and expects a clean exit.
    void CloseWithButton(HWND dialog, int id) { CloseWithButton(app_, dialog, id); }
    void CloseWithButton(App &app, HWND dialog, int id);
    void ExpectExitCode(DWORD want) { ExpectExitCode(app_, want); }
    void ExpectExitCode(App &app, DWORD want);
    // A run in this test's directory with the command line args.
    Options Run(const std::wstring &args, const std::string &faults = "");
    DWORD RunSilent(const std::wstring &args, const std::string &faults = "");  // no window; the exit code
    DWORD RunSilent(const Options &options);

    std::wstring dir_;
    App app_;
};

}  // namespace e2e
