/* Benchmark helper for scripts/bench-disk, run under Wine.
     dialogbench FOLDER LETTER   starts the vurodoz.exe that lies in FOLDER,
                                 chooses drive LETTER, prints "ready" and
                                 waits for a line on its input; then runs the
                                 HDD Test through the dialog as a user does
                                 and prints "write TEXT read TEXT", the rates
                                 as the dialog shows them, once the progress
                                 dialog has gone; after one more line it
                                 closes the program. Between the lines a
                                 caller can take the program's measure. */
#include <stdio.h>

#include "driver.h"
#include "resource.h"

using namespace e2e;

int main(int argc, char **argv)
{
    Options options;
    App app;
    DWORD code;

    if (argc != 3) {
        fprintf(stderr, "usage: dialogbench FOLDER LETTER\n");
        return 2;
    }
    WriteIni("[VurOdoz]\r\nShowInfoFile=0\r\n");
    options.workDir = FromUtf8(argv[1]);
    HWND dialog = app.Start(options) ? app.WaitMainDialog(60000) : nullptr;
    std::vector<std::wstring> drives = dialog ? ComboItems(dialog, IDC_DRIVE) : std::vector<std::wstring>();
    std::wstring letter = FromUtf8(argv[2]);
    int position = -1;
    for (size_t i = 0; i < drives.size(); i++)
        if (drives[i] == letter)
            position = (int)i;
    if (position < 0) {
        fprintf(stderr, "dialogbench: no dialog, or no fixed drive %s in it\n", argv[2]);
        return 1;
    }
    ChooseComboItem(dialog, IDC_DRIVE, position);
    Settle(dialog);
    printf("ready\n");
    fflush(stdout);
    getchar();
    HWND progress = Press(dialog, IDC_HDD_TEST) ? app.WaitProgressDialog(60000) : nullptr;
    if (!progress || !WaitGone(progress, 3600000)) {
        fprintf(stderr, "dialogbench: the HDD Test did not run to its end\n");
        return 1;
    }
    Settle(dialog);
    std::wstring write = ControlText(dialog, IDC_WRITE_RATE), read = ControlText(dialog, IDC_READ_RATE);
    printf("write %s read %s\n", std::string(write.begin(), write.end()).c_str(),
           std::string(read.begin(), read.end()).c_str());
    fflush(stdout);
    getchar();
    Press(dialog, IDOK);
    return app.WaitExit(60000, &code) && code == 0 ? 0 : 1;
}
