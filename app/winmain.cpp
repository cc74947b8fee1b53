/* Entry point: language, command line, setting, readme, machine facts, main
   dialog; or the silent report, into a file, a table or both, with or
   without an HDD Test; or the usage. */
#include "app.h"
#include "cmdline.h"
#include "maindlg.h"
#include "machineinfo.h"
#include "report.h"
#include "table.h"
#include "resource.h"
#include "syslib.h"
#include "diskrun.h"
#include "silentrun.h"
#include "diskengine.h"
#include "diskdisplay.h"
#include "drives.h"

#define USAGE_TEXT_SIZE 4096

/* The HDD Test on drive for the silent report: 0 with its rates, or the
   exit code that says why there are none. */
static int RunSilentDiskTest(int drive, ReportDiskRates *disk)
{
    DWORD readMs = 0, writeMs = 0;

    if (!DriveItems[drive].IsFixed)
        return EXIT_DRIVE_NOT_FIXED;
    switch (RunDiskTestSilently(drive, &readMs, &writeMs)) {
    case RESULT_OK:
        break;
    case RESULT_NO_SPACE:
        return EXIT_DISK_NO_SPACE;
    case RESULT_IO_ERROR:
        return EXIT_DISK_IO_ERROR;
    case RESULT_STOPPED:
        return EXIT_DISK_STOPPED;
    default:
        return EXIT_DISK_NOT_STARTED;
    }
    disk->Drive = drive;
    RatesOfTest(readMs, writeMs, &disk->ReadRate, &disk->WriteRate);
    return 0;
}

/* With an HDD Test ahead, the files are checked first: a mistyped share is
   not worth minutes of transfers. */
static int CheckPlaces(const CommandRequest *request)
{
    int result = REPORT_SAVED;

    if (request->ReportPath[0] != '\0')
        result = CheckReportPlace(request->ReportPath);
    if (result == REPORT_SAVED && request->TablePath[0] != '\0')
        result = CheckTablePlace(request->TablePath);
    return result;
}

/* The report that Save Info would write right after start, without any
   window, into its file, as a row of the table, or both, after an HDD Test
   where a drive is named; the result is the exit code. The row comes last,
   so that a table gets rows only of runs that went well. */
static int RunSilentReport(HINSTANCE instance, const CommandRequest *request)
{
    char temp[MAX_PATH];
    ReportDiskRates disk;
    const ReportDiskRates *rates = NULL;
    int result;

    if (!CollectMachineInfo(instance))
        return EXIT_NO_FIXED_DISK;
    /* The main dialog's first refresh comes before Save Info can be pressed. */
    ApplyScreenCheck();
    if (request->Drive >= 0) {
        result = CheckPlaces(request);
        if (result == REPORT_SAVED)
            result = RunSilentDiskTest(request->Drive, &disk);
        if (result != 0)
            return result;
        rates = &disk;
    }
    if (request->ReportPath[0] != '\0') {
        result = SaveReportFile(request->ReportPath, temp, rates);
        if (result != REPORT_SAVED)
            return result;
    }
    if (request->TablePath[0] != '\0')
        return AppendTableRow(request->TablePath, rates);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    static char usage[USAGE_TEXT_SIZE];
    CommandRequest request;
    UINT templateId;
    int command;

    command = ParseCommandLine(commandLine, &request);
    /* No box of Windows' own may wait on a script: not for an empty drive or
       a share out of reach, not for a library that fails to load, not even
       for a crash; nor where the switch came with a command line it cannot
       use, which ends with an exit code too. */
    if (command == COMMAND_REPORT || command == COMMAND_WRONG)
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    /* Before anything else of Windows', so that the libraries are taken from
       the system directory before any code could need them. */
    BindSystemCalls();
    AppInstance = instance;
    SelectLanguage();
    switch (command) {
    case COMMAND_REPORT:
        EndProgramAtSessionEnd(EXIT_DISK_STOPPED);
        return RunSilentReport(instance, &request);
    case COMMAND_WRONG:
        return EXIT_WRONG_COMMAND_LINE;
    case COMMAND_USAGE:
        LoadTextInto(IDS_USAGE, usage, sizeof usage);
        MessageBoxA(NULL, usage, APP_CAPTION, MB_OK);
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
