/* What the command line asks for: the dialog program, the silent report
   into a file, or the usage; and the silent run's exit codes of its own. */
#ifndef VURODOZ_CMDLINE_H
#define VURODOZ_CMDLINE_H

#include <windows.h>

#define COMMAND_DIALOG          0
#define COMMAND_REPORT          1
#define COMMAND_USAGE           2
#define COMMAND_WRONG           3

/* The report's own results (report.h) are the exit codes 0, 2 and 3. */
#define EXIT_WRONG_COMMAND_LINE 1
#define EXIT_NO_MACHINE_FACTS   4

/* For COMMAND_REPORT the file's path goes to path, MAX_PATH bytes. */
int ParseCommandLine(const char *line, char *path);

#endif
