/* What the command line asks for: the dialog program, the silent report
   into a file, or the usage; and the silent run's exit codes of its own. */
#ifndef VURODOZ_CMDLINE_H
#define VURODOZ_CMDLINE_H

#include <windows.h>

#define COMMAND_DIALOG          0
#define COMMAND_REPORT          1
#define COMMAND_USAGE           2
#define COMMAND_WRONG           3

/* The report's own results (report.h) are the exit codes 0, 2, 3 and 5. */
#define EXIT_WRONG_COMMAND_LINE 1
/* The machine facts are collected only where a drive is a fixed disk. */
#define EXIT_NO_FIXED_DISK      4

/* For COMMAND_REPORT the file's path goes to path, MAX_PATH bytes. */
int ParseCommandLine(const char *line, char *path);

#endif
