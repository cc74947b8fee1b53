// The command line as WinMain gets it: whatever it holds, the parser stays
// inside its buffers, a report or row is asked for only with a whole path,
// and a line that names a silent switch at a word's start never gets the
// dialog.
#include "cmdline.h"

#include <ctype.h>
#include <stdlib.h>

static bool NamesSilentSwitch(const char *line)
{
    for (const char *p = line; *p; p++)
        if ((p == line || strchr(" \t\"", p[-1])) && (*p == '/' || *p == '-') && p[1] && strchr("tTaAdD", p[1]))
            return true;
    return false;
}

static bool Whole(const char *path)
{
    return strnlen(path, MAX_PATH) < MAX_PATH && !strchr(path, '"');
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    char *line = (char *)malloc(size + 1);
    CommandRequest request;

    memcpy(line, data, size);
    line[size] = '\0';
    int command = ParseCommandLine(line, &request);
    bool asked = request.ReportPath[0] || request.TablePath[0];
    if (command < COMMAND_DIALOG || command > COMMAND_WRONG || !Whole(request.ReportPath) || !Whole(request.TablePath))
        abort();
    if ((command == COMMAND_REPORT) != asked || request.Drive < -1 || request.Drive > 25
        || (request.Drive >= 0 && command != COMMAND_REPORT))
        abort();
    if (NamesSilentSwitch(line) && command != COMMAND_REPORT && command != COMMAND_WRONG)
        abort();
    free(line);
    return 0;
}
