/* A stand-in for winmm.dll that makes chosen platform calls of the program
   fail, one call at a time. Wine loads it from beside vurodoz.exe when winmm
   is set to native for the program. It exports the one winmm function the
   program imports, and wraps, in the program's import table, the functions
   that faults.txt beside it names, one line each:
     NAME FIRST LAST [MSG [WPARAM]]
   Calls FIRST to LAST, counted from 1 among the calls that match, fail;
   FIRST 0 fails none. For PostMessageA only posts of MSG (and WPARAM), hex,
   match. A failed WriteFile writes half its bytes and reports that as
   success, as a drive that fills in the middle of a write does. Every
   matching call is written to faults.log beside it, before it is made or
   refused: "NAME N" or "NAME N failed". */
#define WIN32_LEAN_AND_MEAN   /* no mmsystem.h: timeGetTime is defined here */
#include <windows.h>
#include <winsvc.h>
#include <stdio.h>
#include <string.h>

#include "importtable.h"

enum { POST, DELETE_FILE, WRITE_FILE, OPEN_MANAGER, OPEN_SERVICE, CONTROL_SERVICE, DELETE_SERVICE,
       MSG_WAIT, FUNCTION_COUNT };

typedef struct Rule {
    int function, first, last, hasMsg, hasWparam;
    unsigned msg, wparam;
    LONG calls;
} Rule;

static const char *const Names[FUNCTION_COUNT] = {
    "PostMessageA", "DeleteFileA", "WriteFile", "OpenSCManagerA", "OpenServiceA", "ControlService",
    "DeleteService", "MsgWaitForMultipleObjects",
};
static void *Wrappers[FUNCTION_COUNT];
static void *Originals[FUNCTION_COUNT];
static Rule Rules[16];
static int RuleCount;
static char Dir[MAX_PATH];

__declspec(dllexport) DWORD WINAPI timeGetTime(void)
{
    return GetTickCount();
}

static void Log(const char *line)
{
    char path[MAX_PATH + 16], text[128];
    DWORD done;
    HANDLE f;

    wsprintfA(path, "%sfaults.log", Dir);
    wsprintfA(text, "%s\r\n", line);
    f = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    WriteFile(f, text, lstrlenA(text), &done, NULL);
    CloseHandle(f);
}

/* 1 when this call must fail, -1 when it passes unnoticed, 0 when it is
   made and logged. */
static int Decide(int function, unsigned msg, unsigned wparam)
{
    char line[96];
    int i;
    LONG n;

    for (i = 0; i < RuleCount; i++) {
        Rule *r = &Rules[i];
        if (r->function != function || (r->hasMsg && r->msg != msg) || (r->hasWparam && r->wparam != wparam))
            continue;
        n = InterlockedIncrement(&r->calls);
        if (r->first > 0 && n >= r->first && n <= r->last) {
            wsprintfA(line, "%s %ld failed", Names[function], n);
            Log(line);
            return 1;
        }
        wsprintfA(line, "%s %ld", Names[function], n);
        Log(line);
        return 0;
    }
    return -1;
}

static BOOL WINAPI WrapPostMessageA(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (Decide(POST, m, (unsigned)wp) == 1) {
        SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return FALSE;
    }
    return ((BOOL (WINAPI *)(HWND, UINT, WPARAM, LPARAM))Originals[POST])(w, m, wp, lp);
}

/* As when a virus scanner holds the file it has just seen written. */
static BOOL WINAPI WrapDeleteFileA(LPCSTR path)
{
    if (Decide(DELETE_FILE, 0, 0) == 1) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    return ((BOOL (WINAPI *)(LPCSTR))Originals[DELETE_FILE])(path);
}

static BOOL WINAPI WrapWriteFile(HANDLE f, LPCVOID data, DWORD size, LPDWORD done, LPOVERLAPPED o)
{
    if (Decide(WRITE_FILE, 0, 0) == 1)
        size /= 2;
    return ((BOOL (WINAPI *)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED))Originals[WRITE_FILE])(
        f, data, size, done, o);
}

static SC_HANDLE WINAPI WrapOpenSCManagerA(LPCSTR machine, LPCSTR database, DWORD access)
{
    if (Decide(OPEN_MANAGER, 0, 0) == 1) {
        SetLastError(ERROR_ACCESS_DENIED);
        return NULL;
    }
    return ((SC_HANDLE (WINAPI *)(LPCSTR, LPCSTR, DWORD))Originals[OPEN_MANAGER])(machine, database, access);
}

static SC_HANDLE WINAPI WrapOpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    if (Decide(OPEN_SERVICE, 0, 0) == 1) {
        SetLastError(ERROR_ACCESS_DENIED);
        return NULL;
    }
    return ((SC_HANDLE (WINAPI *)(SC_HANDLE, LPCSTR, DWORD))Originals[OPEN_SERVICE])(manager, name, access);
}

/* As for a driver that cannot be unloaded. */
static BOOL WINAPI WrapControlService(SC_HANDLE service, DWORD control, LPSERVICE_STATUS status)
{
    if (Decide(CONTROL_SERVICE, 0, 0) == 1) {
        SetLastError(ERROR_INVALID_SERVICE_CONTROL);
        return FALSE;
    }
    return ((BOOL (WINAPI *)(SC_HANDLE, DWORD, LPSERVICE_STATUS))Originals[CONTROL_SERVICE])(
        service, control, status);
}

static BOOL WINAPI WrapDeleteService(SC_HANDLE service)
{
    if (Decide(DELETE_SERVICE, 0, 0) == 1) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ((BOOL (WINAPI *)(SC_HANDLE))Originals[DELETE_SERVICE])(service);
}

static DWORD WINAPI WrapMsgWaitForMultipleObjects(DWORD count, const HANDLE *handles, BOOL all, DWORD ms,
                                                  DWORD wake)
{
    if (Decide(MSG_WAIT, 0, 0) == 1) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return ((DWORD (WINAPI *)(DWORD, const HANDLE *, BOOL, DWORD, DWORD))Originals[MSG_WAIT])(
        count, handles, all, ms, wake);
}

static void ReadRules(void)
{
    char path[MAX_PATH + 16], script[2048], name[64], *line;
    DWORD done = 0;
    HANDLE f;
    int i, n;

    wsprintfA(path, "%sfaults.txt", Dir);
    f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ReadFile(f, script, sizeof(script) - 1, &done, NULL);
    CloseHandle(f);
    script[done] = '\0';
    for (line = script; line && RuleCount < 16; line = strchr(line, '\n'), line = line ? line + 1 : NULL) {
        Rule *r = &Rules[RuleCount];
        n = sscanf(line, "%63s %d %d %x %x", name, &r->first, &r->last, &r->msg, &r->wparam);
        if (n < 3)
            continue;
        r->hasMsg = n >= 4;
        r->hasWparam = n >= 5;
        for (i = 0; i < FUNCTION_COUNT; i++)
            if (strcmp(name, Names[i]) == 0)
                break;
        if (i < FUNCTION_COUNT) {
            r->function = i;
            RuleCount++;
        }
    }
}

static void Wrap(const char *dll, const char *name, ULONG_PTR *slot, void *context)
{
    int i, j;

    (void)dll;
    (void)context;
    for (i = 0; i < FUNCTION_COUNT; i++) {
        if (strcmp(name, Names[i]) != 0)
            continue;
        for (j = 0; j < RuleCount; j++) {
            if (Rules[j].function == i) {
                Originals[i] = (void *)*slot;
                SetImportSlot(slot, (ULONG_PTR)Wrappers[i]);
                return;
            }
        }
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        GetModuleFileNameA(instance, Dir, MAX_PATH);
        strrchr(Dir, '\\')[1] = '\0';
        Wrappers[POST] = (void *)WrapPostMessageA;
        Wrappers[DELETE_FILE] = (void *)WrapDeleteFileA;
        Wrappers[WRITE_FILE] = (void *)WrapWriteFile;
        Wrappers[OPEN_MANAGER] = (void *)WrapOpenSCManagerA;
        Wrappers[OPEN_SERVICE] = (void *)WrapOpenServiceA;
        Wrappers[CONTROL_SERVICE] = (void *)WrapControlService;
        Wrappers[DELETE_SERVICE] = (void *)WrapDeleteService;
        Wrappers[MSG_WAIT] = (void *)WrapMsgWaitForMultipleObjects;
        ReadRules();
        VisitProgramImports(Wrap, NULL);
        Log("load");
    }
    return TRUE;
}
