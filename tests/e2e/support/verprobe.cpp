// Writes what GetVersionExA answers to the file named on the command line,
// so that a test knows the numbers Wine plays for a given Windows version.
#include <windows.h>
#include <stdio.h>

int main(int argc, char **argv)
{
    OSVERSIONINFOA vi;
    FILE *out;

    if (argc < 2)
        return 2;
    ZeroMemory(&vi, sizeof(vi));
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!GetVersionExA(&vi))
        return 3;
    out = fopen(argv[1], "wb");
    if (!out)
        return 4;
    fprintf(out, "%lu\n%lu\n%lu\n%lu\n%s", vi.dwPlatformId, vi.dwMajorVersion, vi.dwMinorVersion,
            vi.dwBuildNumber, vi.szCSDVersion);
    fclose(out);
    return 0;
}
