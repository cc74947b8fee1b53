/* The program's entry point: what the C runtime's start-up would do before
   WinMain, without the runtime, which Windows 95 does not include. */
#include <windows.h>

/* The system enters with the stack aligned to 4 bytes; the compiler
   assumes 16. */
extern "C" __attribute__((force_align_arg_pointer)) void ProgramStart(void)
{
    const char *line = GetCommandLineA();
    STARTUPINFOA startup;
    int show = SW_SHOWDEFAULT;

    /* WinMain gets what follows the program's name, split as Windows' own
       start-up code splits it: a quoted name ends at its closing quote, so
       that "C:\tools\vurodoz.exe"/t passes on the switch. */
    if (*line == '"') {
        line++;
        while (*line != '\0' && *line != '"')
            line++;
        if (*line == '"')
            line++;
    } else {
        while ((unsigned char)*line > ' ')
            line++;
    }
    while (*line != '\0' && (unsigned char)*line <= ' ')
        line++;

    GetStartupInfoA(&startup);
    if (startup.dwFlags & STARTF_USESHOWWINDOW)
        show = startup.wShowWindow;

    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, (LPSTR)line, show));
}
