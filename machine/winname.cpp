/* Names the running Windows, in the dialog's two-line form and the report's
   one-line form, from the version numbers GetVersionExA reports. */
#include <windows.h>

#include "winname.h"
#include "textfmt.h"

#define FormatInto(out, ...) FormatBounded(out, WINDOWS_NAME_SIZE, __VA_ARGS__)

static void FormatNtName(const OSVERSIONINFOA *vi, const char *sp, char *twoLines, char *oneLine)
{
    DWORD major = vi->dwMajorVersion;
    DWORD minor = vi->dwMinorVersion;
    DWORD build = vi->dwBuildNumber;
    int hasSp = sp[0] != '\0';

    if (major < 5) {
        if (hasSp) {
            FormatInto(twoLines, "Windows NT Version %d.%d\n(Build %d: %s)", major, minor, build, sp);
            FormatInto(oneLine, "Windows NT Version %d.%d (Build %d: %s)", major, minor, build, sp);
        } else {
            FormatInto(twoLines, "Windows NT Version %d.%d\n(Build %d)", major, minor, build);
            FormatInto(oneLine, "Windows NT Version %d.%d (Build %d)", major, minor, build);
        }
        return;
    }

    const char *name = minor != 0 ? "Windows XP" : "Windows 2000";
    if (hasSp) {
        FormatInto(twoLines, "%s\n(Build %d: %s)", name, build, sp);
        FormatInto(oneLine, "%s (Build %d: %s)", name, build, sp);
    } else {
        /* Without a service pack the short name fits the dialog on one line. */
        FormatInto(oneLine, "%s (Build %d)", name, build);
        lstrcpynA(twoLines, oneLine, WINDOWS_NAME_SIZE);
    }
}

static void Format9xName(const OSVERSIONINFOA *vi, const char *sp, char *twoLines, char *oneLine)
{
    DWORD major = vi->dwMajorVersion;
    DWORD minor = vi->dwMinorVersion;
    /* The high half of the build number repeats the version on this family. */
    DWORD build = vi->dwBuildNumber & 0xFFFF;

    FormatInto(oneLine, "Windows 9x Unknown Version %d.%d Build %d", major, minor, build);
    lstrcpynA(twoLines, oneLine, WINDOWS_NAME_SIZE);
    if (major != 4)
        return;

    if (minor == 0) {
        FormatInto(twoLines, "Windows 95\nVersion 4.%02d.%d%s", minor, build, sp);
        FormatInto(oneLine, "Windows 95 Version 4.%02d.%d%s", minor, build, sp);
    } else if (minor == 10) {
        const char *edition = build == 2222 ? "Second Edition " : "";
        FormatInto(twoLines, "Windows 98 %s\nVersion 4.%02d.%d%s", edition, minor, build, sp);
        FormatInto(oneLine, "Windows 98 %sVersion 4.%02d.%d%s", edition, minor, build, sp);
    } else if (minor == 90) {
        if (sp[0] != '\0') {
            FormatInto(twoLines, "Windows Millennium Edition\n%s", sp);
            FormatInto(oneLine, "Windows Millennium Edition %s", sp);
        } else {
            lstrcpynA(twoLines, "Windows Millennium Edition", WINDOWS_NAME_SIZE);
            lstrcpynA(oneLine, "Windows Millennium Edition", WINDOWS_NAME_SIZE);
        }
    }
}

void FormatWindowsName(const OSVERSIONINFOA *vi, char *twoLines, char *oneLine)
{
    /* The service-pack field is not promised to be terminated; a bounded
       copy keeps every later %s inside it. */
    char sp[129];
    lstrcpynA(sp, vi->szCSDVersion, 128);

    if (vi->dwPlatformId == VER_PLATFORM_WIN32_NT)
        FormatNtName(vi, sp, twoLines, oneLine);
    else
        Format9xName(vi, sp, twoLines, oneLine);
}
