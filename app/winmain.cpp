/* Entry point: language, command line, setting, readme, machine facts, main
   dialog; or the silent report, or the usage. */
#include "app.h"
#include "cmdline.h"
#include "maindlg.h"
#include "machineinfo.h"
#include "report.h"
#include "resource.h"
#include "syslib.h"

/* The report that Save Info would write right after start, without any
   window; the result is the exit code. */
static int RunSilentReport(HINSTANCE instance, const char *path)
{
    char temp[MAX_PATH];

    if (!CollectMachineInfo(instance))
        return EXIT_NO_FIXED_DISK;
    /* The main dialog's first refresh comes before Save Info can be pressed. */
    ApplyScreenCheck();
    return SaveReportFile(path, temp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    char path[MAX_PATH];
    UINT templateId;
    int command;

    command = ParseCommandLine(commandLine, path);
    /* No box of Windows' own may wait on a script: not for an empty drive or
       a share out of reach, not for a library that fails to load, not even
       for a crash. */
    if (command == COMMAND_REPORT)
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    /* Before anything else of Windows', so that the libraries are taken from
       the system directory before any code could need them. */
    BindSystemCalls();
    AppInstance = instance;
    SelectLanguage();
    switch (command) {
    case COMMAND_REPORT:
        return RunSilentReport(instance, path);
    case COMMAND_WRONG:
        return EXIT_WRONG_COMMAND_LINE;
    case COMMAND_USAGE:
        MessageBoxA(NULL, LoadText(IDS_USAGE), APP_CAPTION, MB_OK);
        return 0;
    }

    ReadShowInfoSetting();
    if (ShowInfoFile != 0)
        OpenReadme();

    if (!CollectMachineInfo(instance))
        return 0;
    /* Without common controls neither dialog can be made; the collection
       has started them where they can be had. */
    if (!HaveCommonControls())
        return 0;

    templateId = (MachineInfo.IsNtFamily ? IDD_MAIN_NT : IDD_MAIN_9X) + LanguageOffset;
    DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), GetDesktopWindow(), MainDlgProc, 0);

    StoreShowInfoSetting();
    return 0;
}
