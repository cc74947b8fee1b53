// The command line as WinMain gets it: whatever it holds, the parser stays
// inside both buffers, and a report is asked for only with a whole path.
#include "cmdline.h"

#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    char *line = (char *)malloc(size + 1);
    char path[MAX_PATH];
    int drive;

    memcpy(line, data, size);
    line[size] = '\0';
    int command = ParseCommandLine(line, path, &drive);
    if (command < COMMAND_DIALOG || command > COMMAND_WRONG)
        abort();
    size_t length = strnlen(path, MAX_PATH);
    if (length == MAX_PATH || (command == COMMAND_REPORT) != (length > 0) || strchr(path, '"'))
        abort();
    if (drive < -1 || drive > 25 || (drive >= 0 && command != COMMAND_REPORT))
        abort();
    free(line);
    return 0;
}
