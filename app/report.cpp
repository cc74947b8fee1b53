/* The Save Info report: the overlay status and the machine facts as plain
   CR LF text in the ANSI code page, in a file the user or the command line
   names. */
#include "report.h"
#include "app.h"
#include "overlaystate.h"
#include "machineinfo.h"
#include "textfmt.h"
#include "version.h"
#include "resource.h"
#include "filedelete.h"
#include "diskdisplay.h"

#include "syslib.h"

#define REPORT_DIR_SIZE 261

/* The record as Windows 95 and NT 4.0 know it, without the fields that
   Windows 2000 added; older common dialogs refuse a larger size. */
#define REPORT_OFN_SIZE 76

BOOL WriteReportLine(HANDLE file, const char *format, ...)
{
    char row[REPORT_ROW_SIZE];
    va_list args;
    DWORD written = 0;
    DWORD length;

    va_start(args, format);
    FormatReportRow(row, format, args);
    va_end(args);
    length = (DWORD)lstrlenA(row);
    if (!WriteFile(file, row, length, &written, NULL))
        return FALSE;
    /* A full disk can accept part of a row and still report success. */
    return written == length;
}

static BOOL WriteReport(HANDLE file)
{
    if (!WriteReportLine(file, "VurOdoz version %s\r\n\r\n", VURODOZ_VERSION))
        return FALSE;
    if (!WriteReportLine(file, "------------ Overlay Info\r\n"))
        return FALSE;
    if (!WriteReportLine(file, "%s\r\n\r\n", LoadText(OverlayStateTextId())))
        return FALSE;
    if (!WriteReportLine(file, "------------ Machine Info\r\n"))
        return FALSE;
    if (!WriteReportLine(file, "Windows:            %s\r\n", MachineInfo.WindowsName))
        return FALSE;
    if (!WriteReportLine(file, "Computer:           %s %dMBytes\r\n", MachineInfo.ComputerText,
                         (int)(MachineInfo.TotalPhysicalMemory >> 20)))
        return FALSE;
    if (!MachineInfo.IsNtFamily
        && !WriteReportLine(file, "PCI BIOS Version:   %s\r\n", MachineInfo.PciBiosVersionText))
        return FALSE;
    if (!WriteReportLine(file, "Chip Set:           %s\r\n", MachineInfo.ChipSetText))
        return FALSE;
    if (!WriteReportLine(file, "PCI Latency Timer:  %s\r\n", MachineInfo.PciLatencyTimerText))
        return FALSE;
    return WriteReportLine(file, "\r\n");
}

/* The rates as the dialog shows them after an HDD Test of the drive. */
static BOOL WriteDiskSection(HANDLE file, const ReportDiskRates *disk)
{
    char read[RATE_TEXT_SIZE], write[RATE_TEXT_SIZE];

    FormatRateText(read, disk->ReadRate);
    FormatRateText(write, disk->WriteRate);
    if (!WriteReportLine(file, "------------ Hard Disk Performance\r\n"))
        return FALSE;
    if (!WriteReportLine(file, "Drive:              %c\r\n", 'A' + disk->Drive))
        return FALSE;
    if (!WriteReportLine(file, "Read:               %s\r\n", read))
        return FALSE;
    if (!WriteReportLine(file, "Write:              %s\r\n", write))
        return FALSE;
    return WriteReportLine(file, "\r\n");
}

#define REPLACED         0
#define NOT_REPLACED     1
/* The earlier file is gone; the report is whole under its temporary name. */
#define ONLY_IN_TEMP     2

/* Windows 95, 98 and Me have MoveFileExA only as a stub: there the old file
   goes first, and the new one is whole only under temp until the rename. */
static int ReplaceWithTemporary(const char *temp, const char *path)
{
    BOOL deleted;

    if (MachineInfo.IsNtFamily)
        return MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING) ? REPLACED : NOT_REPLACED;
    deleted = DeleteFileA(path);
    if (!deleted && GetLastError() != ERROR_FILE_NOT_FOUND)
        return NOT_REPLACED;
    if (MoveFileA(temp, path))
        return REPLACED;
    return deleted ? ONLY_IN_TEMP : NOT_REPLACED;
}

/* An empty file of a name of its own beside path, into temp; 0 where
   none can be made there. The name is made as the file, so a second run
   writing into the same folder at the same time gets another one. */
static int MakeTemporaryBeside(const char *path, char *temp)
{
    char folder[REPORT_FOLDER_SIZE];

    temp[0] = '\0';
    return ReportFolder(path, folder) && GetTempFileNameA(folder, "vur", 0, temp);
}

int CheckReportPlace(const char *path)
{
    char temp[MAX_PATH];

    if (!MakeTemporaryBeside(path, temp))
        return REPORT_NOT_CREATED;
    DeleteFileRetrying(temp);
    return REPORT_SAVED;
}

int SaveReportFile(const char *path, char *temp, const ReportDiskRates *disk)
{
    HANDLE file;
    int result = REPORT_SAVED;
    int replaced;

    if (!MakeTemporaryBeside(path, temp))
        return REPORT_NOT_CREATED;

    file = CreateFileA(temp, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        result = REPORT_NOT_CREATED;
    else if (!WriteReport(file) || (disk != NULL && !WriteDiskSection(file, disk)) || !FlushFileBuffers(file))
        result = REPORT_WRITE_FAILED;
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file) && result == REPORT_SAVED)
        result = REPORT_WRITE_FAILED;
    if (result == REPORT_SAVED) {
        replaced = ReplaceWithTemporary(temp, path);
        if (replaced == ONLY_IN_TEMP)
            return REPORT_KEPT_AS_TEMPORARY;
        if (replaced == NOT_REPLACED)
            result = REPORT_NOT_CREATED;
    }
    if (result != REPORT_SAVED)
        DeleteFileRetrying(temp);
    return result;
}

void SaveInfoReport(HWND dialog)
{
    static const char filter[] = "Text Files\0*.txt\0All Files\0*.*\0";
    char directory[REPORT_DIR_SIZE + 3];
    char fileName[REPORT_DIR_SIZE];
    char temp[MAX_PATH];
    char text[TEXT_BUFFER_SIZE + MAX_PATH];
    OPENFILENAMEA ofn;

    directory[0] = '\0';
    if (GetCurrentDirectoryA(REPORT_DIR_SIZE, directory) >= REPORT_DIR_SIZE)
        directory[0] = '\0';
    lstrcpyA(fileName, "vurodoz.txt");

    ZeroMemory(&ofn, sizeof(ofn));
    ofn.lStructSize = REPORT_OFN_SIZE;
    ofn.hwndOwner = dialog;
    ofn.hInstance = AppInstance;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = fileName;
    ofn.nMaxFile = REPORT_DIR_SIZE;
    ofn.lpstrInitialDir = directory;
    ofn.lpstrTitle = "Save Info";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST
              | OFN_NONETWORKBUTTON | OFN_EXPLORER;
    ofn.lpstrDefExt = "txt";
    if (!AskSaveFileName(&ofn))
        return;

    switch (SaveReportFile(fileName, temp, NULL)) {
    case REPORT_NOT_CREATED:
        MessageBoxA(dialog, "Error", APP_CAPTION, MB_ICONERROR);
        break;
    case REPORT_WRITE_FAILED:
        MessageBoxA(dialog, "I/O Error", APP_CAPTION, MB_ICONERROR);
        break;
    case REPORT_KEPT_AS_TEMPORARY:
        /* The earlier file is gone: the user must learn where the report is. */
        FormatBounded(text, sizeof(text), LoadText(IDS_REPORT_KEPT), temp);
        MessageBoxA(dialog, text, APP_CAPTION, MB_ICONERROR);
        break;
    }
}
