/* The Save Info report: the overlay status and the machine facts as plain
   CR LF text in the ANSI code page, in a file the user names. */
#include "report.h"
#include "app.h"
#include "overlaystate.h"
#include "machineinfo.h"
#include "textfmt.h"
#include "version.h"

#include "syslib.h"

#define REPORT_DIR_SIZE 261

/* The record as Windows 95 and NT 4.0 know it, without the fields that
   Windows 2000 added; older common dialogs refuse a larger size. */
#define REPORT_OFN_SIZE 76

void FormatReportRow(char *row, const char *format, va_list args)
{
    int length;

    FormatBoundedV(row, REPORT_ROW_SIZE, format, args);
    /* A row cut to the buffer keeps its line end, so what follows it still
       starts on a line of its own. */
    length = lstrlenA(row);
    if (length == REPORT_ROW_SIZE - 1) {
        row[length - 2] = '\r';
        row[length - 1] = '\n';
    }
}

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

void SaveInfoReport(HWND dialog)
{
    static const char filter[] = "Text Files\0*.txt\0All Files\0*.*\0";
    char directory[REPORT_DIR_SIZE + 3];
    char fileName[REPORT_DIR_SIZE];
    OPENFILENAMEA ofn;
    HANDLE file;
    BOOL written;

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

    file = CreateFileA(fileName, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxA(dialog, "Error", APP_CAPTION, MB_ICONERROR);
        return;
    }
    written = WriteReport(file);
    CloseHandle(file);
    if (!written)
        MessageBoxA(dialog, "I/O Error", APP_CAPTION, MB_ICONERROR);
}
