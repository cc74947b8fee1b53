/* The report's text apart from its file: a row cut to its buffer, and the
   folder where the report is first written under a name of its own. */
#include "report.h"
#include "pathname.h"
#include "textfmt.h"

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

/* GetTempFileNameA adds a backslash and an 11-character name to the folder
   in a buffer of MAX_PATH bytes; NT counts its own limit in characters, so
   bytes are counted here, which a double-byte name never exceeds. */
#define REPORT_FOLDER_LIMIT (MAX_PATH - 14)

int ReportFolder(const char *path, char *folder)
{
    const char *cut = FileNameInPath(path);

    lstrcpynA(folder, path, (int)(cut - path) + 1);
    /* "r.txt" and "C:r.txt" lie in a current directory. */
    if (cut == path || cut[-1] == ':')
        lstrcatA(folder, ".");
    return lstrlenA(folder) <= REPORT_FOLDER_LIMIT;
}
