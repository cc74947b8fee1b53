/* Benchmark helper for scripts/bench-clock, run under Wine.
     clockbench clock N           prints N clock measurements, one per line
     clockbench startup EXE N     starts EXE N times and prints the
                                  milliseconds until its main dialog shows */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "cpu.h"

#define MAIN_DIALOG_TITLE "VurOdoz"
#define DRIVE_COMBO_ID    301      /* only the main dialog has it */
#define STARTUP_LIMIT_MS  30000

struct DialogSearch {
    DWORD ProcessId;
    HWND  Found;
};

static BOOL CALLBACK MatchMainDialog(HWND window, LPARAM param)
{
    DialogSearch *search = (DialogSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->ProcessId || !IsWindowVisible(window))
        return TRUE;
    char title[64];
    if (GetWindowTextA(window, title, sizeof title) <= 0 || lstrcmpA(title, MAIN_DIALOG_TITLE) != 0)
        return TRUE;
    /* Message boxes share the caption; the drive combo tells the dialog apart. */
    if (GetDlgItem(window, DRIVE_COMBO_ID) == NULL)
        return TRUE;
    search->Found = window;
    return FALSE;
}

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

/* The readme would open beside the dialog on every run; the setting is
   switched off for the benchmark and the file put back as it was. */
struct SavedSetting {
    char Path[MAX_PATH + 16];
    int  FileExisted;
    int  KeyExisted;
    char Value[32];
};

static void SaveShowInfoSetting(SavedSetting *saved)
{
    GetWindowsDirectoryA(saved->Path, MAX_PATH);
    lstrcatA(saved->Path, "\\tolvane.ini");
    saved->FileExisted = GetFileAttributesA(saved->Path) != INVALID_FILE_ATTRIBUTES;
    GetPrivateProfileStringA("VurOdoz", "ShowInfoFile", "\x01", saved->Value, sizeof saved->Value, "tolvane.ini");
    saved->KeyExisted = saved->Value[0] != '\x01';
    WritePrivateProfileStringA("VurOdoz", "ShowInfoFile", "0", "tolvane.ini");
}

static void RestoreShowInfoSetting(const SavedSetting *saved)
{
    if (!saved->FileExisted) {
        DeleteFileA(saved->Path);
        return;
    }
    WritePrivateProfileStringA("VurOdoz", "ShowInfoFile", saved->KeyExisted ? saved->Value : NULL, "tolvane.ini");
}

static int TimeOneStartup(const char *exe, const char *directory, double *ms)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);

    char commandLine[MAX_PATH + 3];
    wsprintfA(commandLine, "\"%s\"", exe);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;

    QueryPerformanceCounter(&start);
    if (!CreateProcessA(exe, commandLine, NULL, NULL, FALSE, 0, NULL, directory, &startup, &process))
        return 0;

    DialogSearch search = { process.dwProcessId, NULL };
    int found = 0;
    for (;;) {
        EnumWindows(MatchMainDialog, (LPARAM)&search);
        QueryPerformanceCounter(&now);
        if (search.Found != NULL) {
            found = 1;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
            break;
        if (Milliseconds(start, now, frequency) > STARTUP_LIMIT_MS)
            break;
        Sleep(2);
    }
    *ms = Milliseconds(start, now, frequency);

    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return found;
}

static int BenchStartup(const char *exe, int runs)
{
    char full[MAX_PATH];
    char *namePart = NULL;
    if (GetFullPathNameA(exe, sizeof full, full, &namePart) == 0 || namePart == NULL) {
        fprintf(stderr, "clockbench: bad program path %s\n", exe);
        return 2;
    }
    char directory[MAX_PATH];
    lstrcpynA(directory, full, (int)(namePart - full));

    SavedSetting saved;
    SaveShowInfoSetting(&saved);
    int failures = 0;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        if (TimeOneStartup(full, directory, &ms)) {
            printf("startup %.0f\n", ms);
        } else {
            printf("startup failed after %.0f ms\n", ms);
            ++failures;
        }
        fflush(stdout);
    }
    RestoreShowInfoSetting(&saved);
    return failures ? 1 : 0;
}

static int BenchClock(int runs)
{
    for (int i = 0; i < runs; ++i) {
        printf("clock %lu\n", (unsigned long)MeasureProcessorClock());
        fflush(stdout);
    }
    return 0;
}

int main(int argc, char **argv)
{
    if (argc >= 2 && strcmp(argv[1], "clock") == 0)
        return BenchClock(argc >= 3 ? atoi(argv[2]) : 1);
    if (argc >= 3 && strcmp(argv[1], "startup") == 0)
        return BenchStartup(argv[2], argc >= 4 ? atoi(argv[3]) : 1);
    fprintf(stderr, "usage: clockbench clock N | clockbench startup EXE N\n");
    return 2;
}
