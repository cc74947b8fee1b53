/* The machine's row added to a table that many machines share, on a file
   server as often as not: each row goes in whole, under a hold that no
   other program shares, or not at all. */
#include "table.h"
#include "overlaystate.h"
#include "machineinfo.h"
#include "textfmt.h"
#include "version.h"
#include "text.h"
#include "diskdisplay.h"

#define NUMBER_SIZE 12

/* The 32-bit calls of Windows 95 place a file pointer below 2 GB. */
#define TABLE_SIZE_LIMIT 0x7FFFFFFFu

static int HeldByAnother(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

int CheckTablePlace(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD error = GetLastError();

    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return REPORT_SAVED;
    }
    /* Held now, it is waited for when the row is ready. */
    if (HeldByAnother(error))
        return REPORT_SAVED;
    if (error != ERROR_FILE_NOT_FOUND)
        return REPORT_NOT_CREATED;
    return CheckReportPlace(path);
}

static void FormatNumber(char *out, DWORD value, int known)
{
    if (known)
        FormatBounded(out, NUMBER_SIZE, "%lu", value);
    else
        out[0] = '\0';
}

/* A rate as the dialog shows it, without the blanks that align it there. */
static const char *RateField(char *text, double rate)
{
    FormatRateText(text, rate);
    while (*text == ' ')
        text++;
    return text;
}

static int FormatMachineRow(char *row, const ReportDiskRates *disk)
{
    char computer[MAX_COMPUTERNAME_LENGTH + 1], date[24], mhz[NUMBER_SIZE], count[NUMBER_SIZE];
    char memory[NUMBER_SIZE], drive[2], read[RATE_TEXT_SIZE], write[RATE_TEXT_SIZE];
    char readKbs[NUMBER_SIZE], writeKbs[NUMBER_SIZE];
    DWORD size = sizeof computer;
    SYSTEMTIME now;
    const char *fields[TABLE_COLUMNS];

    if (!GetComputerNameA(computer, &size))
        lstrcpyA(computer, "N/A");
    GetLocalTime(&now);
    FormatBounded(date, sizeof date, "%04d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth, now.wDay,
                  now.wHour, now.wMinute, now.wSecond);
    FormatNumber(mhz, MachineProcessor.Mhz, MachineProcessor.Mhz != 0);
    FormatNumber(count, MachineProcessor.Count, 1);
    FormatNumber(memory, MachineInfo.TotalPhysicalMemory >> 20, 1);
    drive[0] = disk != NULL ? (char)('A' + disk->Drive) : '\0';
    drive[1] = '\0';
    fields[0] = computer;
    fields[1] = date;
    fields[2] = VURODOZ_VERSION;
    fields[3] = MachineInfo.WindowsName;
    fields[4] = MachineProcessor.Name;
    fields[5] = mhz;
    fields[6] = count;
    fields[7] = memory;
    fields[8] = MachineInfo.ChipSetText;
    fields[9] = MachineInfo.PciLatencyTimerText;
    fields[10] = MachineInfo.PciBiosVersionText;
    fields[11] = LoadText(OverlayStateTextId());
    fields[12] = drive;
    fields[13] = disk != NULL ? RateField(read, disk->ReadRate) : "";
    fields[14] = disk != NULL ? RateField(write, disk->WriteRate) : "";
    /* A drive too fast to time has no number that would sort with the others. */
    FormatNumber(readKbs, disk != NULL ? (DWORD)disk->ReadRate : 0, disk != NULL && disk->ReadRate != 0.0);
    FormatNumber(writeKbs, disk != NULL ? (DWORD)disk->WriteRate : 0, disk != NULL && disk->WriteRate != 0.0);
    fields[15] = readKbs;
    fields[16] = writeKbs;
    return FormatTableRow(row, TABLE_TEXT_SIZE, fields, TABLE_COLUMNS);
}

/* The table under a hold of its own, made where it is not there; a table
   that another program holds is tried again for TABLE_WAIT_MS. */
static HANDLE HoldTable(const char *path, int *result)
{
    DWORD start = GetTickCount();
    DWORD seed = start ^ (GetCurrentProcessId() << 8);
    HANDLE file;

    for (;;) {
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE)
            return file;
        if (!HeldByAnother(GetLastError())) {
            *result = REPORT_NOT_CREATED;
            return INVALID_HANDLE_VALUE;
        }
        if (GetTickCount() - start >= TABLE_WAIT_MS) {
            *result = TABLE_HELD;
            return INVALID_HANDLE_VALUE;
        }
        Sleep(NextTablePause(&seed));
    }
}

/* Writes the row after the table's end in one piece; a part that went in
   is cut off again, so that no half row stays for the next machine to
   append to. */
static int WriteAtEnd(HANDLE file, const char *row)
{
    char text[TABLE_TEXT_SIZE], last = '\n';
    DWORD high = 0, size = GetFileSize(file, &high), done = 0;
    int length;

    if (high != 0 || size >= TABLE_SIZE_LIMIT)
        return REPORT_WRITE_FAILED;
    if (size > 0 && (SetFilePointer(file, (LONG)size - 1, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER
                     || !ReadFile(file, &last, 1, &done, NULL) || done != 1))
        return REPORT_WRITE_FAILED;
    length = ComposeTableAddition(text, sizeof text, size, last, row);
    if (length == 0 || SetFilePointer(file, (LONG)size, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return REPORT_WRITE_FAILED;
    if (WriteFile(file, text, (DWORD)length, &done, NULL) && done == (DWORD)length && FlushFileBuffers(file))
        return REPORT_SAVED;
    SetFilePointer(file, (LONG)size, NULL, FILE_BEGIN);
    SetEndOfFile(file);
    return REPORT_WRITE_FAILED;
}

int AppendTableRow(const char *path, const ReportDiskRates *disk)
{
    static char row[TABLE_TEXT_SIZE];
    HANDLE file;
    int result = REPORT_SAVED;

    /* The row is made before the table is held, so that it is held no
       longer than the write takes. */
    if (FormatMachineRow(row, disk) == 0)
        return REPORT_WRITE_FAILED;
    file = HoldTable(path, &result);
    if (file == INVALID_HANDLE_VALUE)
        return result;
    result = WriteAtEnd(file, row);
    if (!CloseHandle(file) && result == REPORT_SAVED)
        result = REPORT_WRITE_FAILED;
    return result;
}
