// A report's path as the command line or the Save dialog gives it, in code
// page 932: the folder taken from it stays in its buffer, is the path's own
// beginning, and is refused when no temporary name would fit in it.
#include "report.h"
#include "pathname.h"

#include <stdlib.h>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    char path[MAX_PATH + 1], folder[REPORT_FOLDER_SIZE + 1];

    if (size > MAX_PATH)
        return 0;
    memcpy(path, data, size);
    path[size] = '\0';
    folder[REPORT_FOLDER_SIZE] = '#';
    const char *name = FileNameInPath(path);
    int fits = ReportFolder(path, folder);
    size_t length = strlen(folder), head = (size_t)(name - path);
    if (name < path || name > path + strlen(path) || folder[REPORT_FOLDER_SIZE] != '#')
        abort();
    if (strncmp(folder, path, head) != 0 || length < head || length > head + 1)
        abort();
    if (fits != (length <= MAX_PATH - 14))
        abort();
    return 0;
}
