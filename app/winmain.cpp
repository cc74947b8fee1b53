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
    /* An empty drive or a share out of reach must not raise a system box
       that a script would wait on. */
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (!CollectMachineInfo(instance))
        return EXIT_NO_MACHINE_FACTS;
    /* The main dialog's first refresh comes before Save Info can be pressed. */
    ApplyScreenCheck();
    return SaveReportFile(path);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    char path[MAX_PATH];
    UINT templateId;

    /* Before anything else, so that the libraries are taken from the system
       directory before any code could need them. */
    BindSystemCalls();
    AppInstance = instance;
    SelectLanguage();
    switch (ParseCommandLine(commandLine, path)) {
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
